#include "DxfHatchPaths.h"

#include <charconv>
#include <cmath>

namespace mobrdxf {
namespace {

constexpr double kMaxCoordinate = 1e300;
constexpr int kPolylinePathBit = 2;

// A number as the file writes it: blanks around it, an optional '+'.
template <typename T>
bool parseNumber(const std::string& text, T* value)
{
    const std::size_t begin = text.find_first_not_of(" \t\r");
    const std::size_t end = text.find_last_not_of(" \t\r");
    if (begin == std::string::npos) return false;
    const char* first = text.data() + begin;
    const char* last = text.data() + end + 1;
    if (*first == '+') ++first;
    const auto result = std::from_chars(first, last, *value);
    return result.ec == std::errc() && result.ptr == last;
}

bool parseInteger(const std::string& text, long* value) { return parseNumber(text, value); }

}  // namespace

bool parseCoordinate(const std::string& text, double* value)
{
    double v = 0;
    if (!parseNumber(text, &v) || !std::isfinite(v) || std::fabs(v) > kMaxCoordinate) return false;
    *value = v;
    return true;
}

void HatchPolylinePaths::startHatch()
{
    state_ = State::Outside;
    paths_.clear();
    current_ = PolylinePath{};
    shortPaths_ = damagedPaths_ = 0;
}

void HatchPolylinePaths::group(unsigned int code, const std::string& value)
{
    if (state_ == State::Header) {
        long n = 0;
        if (code == 72) hasBulge_ = parseInteger(value, &n) && n != 0;
        else if (code == 93) declared_ = parseInteger(value, &n) && n >= 0 ? n : -1;
        else if (code == 10) state_ = State::Vertices;
        else if (code != 73) endPath();   // 73 (closed): a hatch boundary is a closed loop either way
    }
    if (state_ == State::Vertices) {
        const bool full = declared_ >= 0 && static_cast<long>(current_.vertices.size()) >= declared_;
        if (code == 10 && !full) addVertex(value);
        else if (code == 20 && !current_.vertices.empty()) setY(value);
        else if (code == 42 && hasBulge_ && !current_.vertices.empty()) setBulge(value);
        else endPath();
    }
    if (state_ == State::Outside && code == 92) {
        long flags = 0;
        if (parseInteger(value, &flags) && (flags & kPolylinePathBit) != 0) {
            state_ = State::Header;
            declared_ = -1;
            hasBulge_ = false;
            current_ = PolylinePath{};
            bad_.clear();
        }
    }
}

void HatchPolylinePaths::addVertex(const std::string& value)
{
    PathVertex v;
    const bool good = parseCoordinate(value, &v.x);
    current_.vertices.push_back(v);
    bad_.push_back(!good);
    missingY_.push_back(true);
}

void HatchPolylinePaths::setY(const std::string& value)
{
    if (!missingY_.back()) {
        bad_.back() = true;   // a second 20 for one vertex
        return;
    }
    missingY_.back() = false;
    if (!parseCoordinate(value, &current_.vertices.back().y)) bad_.back() = true;
}

void HatchPolylinePaths::setBulge(const std::string& value)
{
    double bulge = 0;
    // A bulge is the tangent of a quarter of the arc's angle; a huge one
    // (a nearly full circle) is as damaged as one that is not a number.
    if (parseCoordinate(value, &bulge) && std::fabs(bulge) < 1e6) current_.vertices.back().bulge = bulge;
    else bad_.back() = true;
}

void HatchPolylinePaths::endPath()
{
    if (state_ == State::Outside) return;
    const std::size_t given = current_.vertices.size();
    PolylinePath kept;
    bool damaged = false;
    for (std::size_t i = 0; i < given; ++i) {
        if (bad_[i] || missingY_[i]) damaged = true;
        else kept.vertices.push_back(current_.vertices[i]);
    }
    if (damaged) ++damagedPaths_;
    if (declared_ < 0 || static_cast<long>(given) != declared_) ++shortPaths_;
    paths_.push_back(std::move(kept));
    current_ = PolylinePath{};
    bad_.clear();
    missingY_.clear();
    state_ = State::Outside;
}

std::vector<PolylinePath> HatchPolylinePaths::take(DxfReport& report)
{
    endPath();
    if (shortPaths_ > 0) report.count("HATCH polyline boundaries whose vertex count is wrong (the vertices given are used)", shortPaths_);
    if (damagedPaths_ > 0) report.count("HATCH polyline boundaries with vertices that are not numbers (left out)", damagedPaths_);
    shortPaths_ = damagedPaths_ = 0;
    return std::move(paths_);
}

}  // namespace mobrdxf
