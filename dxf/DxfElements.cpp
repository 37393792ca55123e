#include "DxfElements.h"

#include "DxfAngles.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "model/Bytes.h"
#include "platform/CodePage.h"

using mobrhost::ElementDatabase;
namespace element = mobrhost::element;
namespace bytes = mobr::bytes;

namespace mobrdxf {
namespace {

constexpr double kMaxCoordinate = 1e300;

double radians(double degrees) { return degrees * kPi / 180.0; }
double degrees(double radians) { return radians * 180.0 / kPi; }

bool finiteGeometry(const std::array<double, 8>& g)
{
    return std::all_of(g.begin(), g.end(), [](double v) { return std::isfinite(v) && std::fabs(v) <= kMaxCoordinate; });
}

}  // namespace

const char* kindName(uint16_t kind)
{
    switch (kind) {
    case element::Line: return "LINE";
    case element::Arc: return "ARC";
    case element::Circle: return "CIRCLE";
    case element::Text: return "TEXT";
    case element::Point: return "POINT";
    case element::Hatch: return "HATCH";
    case element::Dimension: return "DIMENSION";
    default: return "INSERT";
    }
}

Transform Transform::then(const Transform& o) const
{
    Transform r;
    r.a = o.a * a + o.b * c;
    r.b = o.a * b + o.b * d;
    r.c = o.c * a + o.d * c;
    r.d = o.c * b + o.d * d;
    r.tx = o.a * tx + o.b * ty + o.tx;
    r.ty = o.c * tx + o.d * ty + o.ty;
    return r;
}

bool Transform::uniform() const
{
    const double sx = std::hypot(a, c), sy = std::hypot(b, d);
    return std::fabs(sx - sy) <= 1e-9 * std::max(sx, sy) && std::fabs(a * b + c * d) <= 1e-9 * sx * sy;
}

double Transform::angle(double angleDeg) const
{
    const double x = std::cos(radians(angleDeg)), y = std::sin(radians(angleDeg));
    return degrees(std::atan2(c * x + d * y, a * x + b * y));
}

Transform Transform::ofInsertion(const Insertion& in, double baseX, double baseY, double dx, double dy)
{
    const double cs = std::cos(radians(in.angleDeg)), sn = std::sin(radians(in.angleDeg));
    Transform t;
    t.a = cs * in.scaleX;
    t.b = -sn * in.scaleY;
    t.c = sn * in.scaleX;
    t.d = cs * in.scaleY;
    // The base point goes to the insertion point; array cells shift along the rotated axes.
    const double px = -baseX * in.scaleX + dx, py = -baseY * in.scaleY + dy;
    t.tx = in.x + cs * px - sn * py;
    t.ty = in.y + sn * px + cs * py;
    return t;
}

ElementBuilder::ElementBuilder(mobrhost::Figure& figure, DxfTables& tables, DxfReport& report, long maxElements, int maxDepth)
    : figure_(figure), tables_(tables), report_(report), maxElements_(maxElements), maxDepth_(maxDepth)
{
}

Block* ElementBuilder::block(const std::string& name)
{
    const auto it = blocks_.find(name);
    return it == blocks_.end() ? nullptr : &it->second;
}

std::array<double, 8> ElementBuilder::transformed(const Shape& s, const Transform& t)
{
    std::array<double, 8> g = s.geometry;
    const double scale = std::sqrt(std::fabs(t.determinant()));
    const bool mirrored = t.determinant() < 0;
    switch (s.kind) {
    case element::Line:
    case element::Dimension: {
        const auto p = t.apply(g[0], g[1]);
        const auto q = t.apply(g[2], g[3]);
        g = {p[0], p[1], q[0], q[1], s.kind == element::Dimension ? g[4] * scale * (mirrored ? -1 : 1) : 0.0, 0, 0, 0};
        break;
    }
    case element::Arc: {
        const auto c = t.apply(g[0], g[1]);
        double start = t.angle(g[3]), end = t.angle(g[4]);
        if (mirrored) std::swap(start, end);
        g = {c[0], c[1], g[2] * scale, start, end, 0, 0, 0};
        break;
    }
    case element::Circle: {
        const auto c = t.apply(g[0], g[1]);
        g = {c[0], c[1], g[2] * scale, 0, 0, 0, 0, 0};
        break;
    }
    case element::Text: {
        // A mirror turns the baseline round; read the other way it stays
        // upright, as a mirrored TEXT entity is read.
        const auto p = t.apply(g[0], g[1]);
        g = {p[0], p[1], g[2] * scale, t.angle(g[3]) + (mirrored ? 180.0 : 0.0), 0, 0, 0, 0};
        break;
    }
    case element::Point: {
        const auto p = t.apply(g[0], g[1]);
        g = {p[0], p[1], 0, 0, 0, 0, 0, 0};
        break;
    }
    case element::Hatch: g = {t.angle(g[0]), g[1] * scale, 0, 0, 0, 0, 0, 0}; break;
    default: break;
    }
    if (!t.uniform() && (s.kind == element::Arc || s.kind == element::Circle || s.kind == element::Text))
        report_.count("arcs, circles and texts under an unequal block scale (drawn at the mean scale)");
    return g;
}

int32_t ElementBuilder::append(const Shape& s, const Resolved& r, const std::array<double, 8>& g, int32_t owner)
{
    ElementDatabase::Record record{};
    unsigned char* p = record.data();
    bytes::put<uint16_t>(p, element::kKind, s.kind);
    bytes::put<uint16_t>(p, element::kLayerGroup, static_cast<uint16_t>(r.layerSlot / 16));
    bytes::put<uint16_t>(p, element::kLayer, static_cast<uint16_t>(r.layerSlot % 16));
    bytes::put<int32_t>(p, element::kOwner, owner);
    const int pen = tables_.penFor(r.lineType, r.lineWeight);
    p[element::kPen] = static_cast<unsigned char>(pen);
    p[element::kColour] = static_cast<unsigned char>(r.colour);
    p[element::kState] = element::Live;
    if (s.kind == element::Hatch) bytes::put<int32_t>(p, element::kHatchAttrib, pen | (r.colour << 16));
    if (s.kind == element::Text) {
        bytes::put<uint16_t>(p, element::kFont, static_cast<uint16_t>(tables_.fontFor(s.style)));
        const std::string text = mobr::cp932::cut(s.text, element::kTextBytes - 1);
        if (text.size() < s.text.size()) report_.count("texts cut to the 27 bytes a text element holds");
        std::memcpy(p + element::kText, text.data(), text.size());
    }
    for (int i = 0; i < element::kGeometryValues; ++i) bytes::put<double>(p, element::kGeometry + 8 * i, g[static_cast<std::size_t>(i)]);
    return figure_.elements.append(0, record);
}

bool ElementBuilder::place(const Shape& s, const Transform& t, const Resolved& byBlock, int32_t owner, int depth)
{
    if (overLimit_) return false;
    if (s.kind == 0) return placeInsertion(s, t, byBlock, owner, depth);
    if (++placed_ > maxElements_) {
        overLimit_ = true;
        return false;
    }
    const std::array<double, 8> g = transformed(s, t);
    if (!finiteGeometry(g)) {
        report_.skip(std::string(kindName(s.kind)) + " with coordinates that are not numbers or beyond 1e300");
        return true;
    }
    const Resolved r = tables_.resolve(s.attributes, byBlock);
    const int32_t id = append(s, r, g, owner);
    if (id == 0) {
        overLimit_ = true;
        return false;
    }
    for (const Shape& edge : s.boundary) {
        if (!place(edge, t, byBlock, id, depth)) return false;
    }
    return true;
}

bool ElementBuilder::placeInsertion(const Shape& s, const Transform& t, const Resolved& byBlock, int32_t owner, int depth)
{
    const Insertion& in = s.insertion;
    Block* b = block(in.block);
    if (!b) {
        report_.skip("INSERT of a block the file does not define");
        return true;
    }
    if (depth >= maxDepth_ || std::find(inserting_.begin(), inserting_.end(), in.block) != inserting_.end()) {
        report_.skip("INSERT of a block that contains itself or nests too deep");
        return true;
    }
    const Resolved resolved = tables_.resolve(s.attributes, byBlock);
    const int columns = std::max(1, in.columns), rows = std::max(1, in.rows);
    inserting_.push_back(in.block);
    bool ok = true;
    for (int row = 0; ok && row < rows; ++row) {
        for (int column = 0; ok && column < columns; ++column) {
            const Transform cell = Transform::ofInsertion(in, b->baseX, b->baseY, column * in.columnSpacing, row * in.rowSpacing).then(t);
            Shape group;
            group.kind = element::Group;
            const int32_t groupId = append(group, resolved, {}, owner);
            ok = groupId != 0 && ++placed_ <= maxElements_;
            for (std::size_t i = 0; ok && i < b->shapes.size(); ++i) ok = place(b->shapes[i], cell, resolved, groupId, depth + 1);
        }
    }
    inserting_.pop_back();
    if (!ok) overLimit_ = true;
    return ok;
}

}  // namespace mobrdxf
