#include "DxfCurves.h"

#include "DxfAngles.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace mobrdxf {
namespace {

constexpr double kTurn = 2 * kPi;
constexpr double kMaxCoordinate = 1e300;
constexpr int kMaxDegree = 25;
constexpr int kMaxInitialPieces = 256;

bool finite(double v) { return std::isfinite(v) && std::fabs(v) <= kMaxCoordinate; }

double distanceToChord(const CurvePoint& p, const CurvePoint& a, const CurvePoint& b)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length = std::hypot(dx, dy);
    if (length == 0) return std::hypot(p.x - a.x, p.y - a.y);
    return std::fabs(dx * (p.y - a.y) - dy * (p.x - a.x)) / length;
}

// Distance from p to the segment from a to b.
double distanceToSegment(const CurvePoint& p, const CurvePoint& a, const CurvePoint& b)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double lengthSquared = dx * dx + dy * dy;
    const double t = lengthSquared > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared, 0.0, 1.0) : 0.0;
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// The chain without points that lie on the segment between their
// neighbours (a straight part of a curve needs no more than its ends).
std::vector<CurvePoint> withoutStraightRuns(const std::vector<CurvePoint>& points, double within)
{
    std::vector<CurvePoint> kept;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const bool inner = !kept.empty() && i + 1 < points.size();
        if (!inner || distanceToSegment(points[i], kept.back(), points[i + 1]) > within) kept.push_back(points[i]);
    }
    return kept;
}

// Samples a curve on [t0, t1]: `pieces` equal steps first, then each step
// whose middle lies farther than `tolerance` from its chord is halved, pass
// after pass, while the chain has fewer than kMaxCurveSegments lines.
std::vector<CurvePoint> sampleCurve(const std::function<CurvePoint(double)>& at, double t0, double t1, int pieces,
                                    double tolerance)
{
    pieces = std::clamp(pieces, 1, kMaxCurveSegments);
    std::vector<double> ts;
    std::vector<CurvePoint> ps;
    for (int i = 0; i <= pieces; ++i) {
        ts.push_back(i == pieces ? t1 : t0 + (t1 - t0) * i / pieces);
        ps.push_back(at(ts.back()));
    }
    for (bool split = true; split;) {
        split = false;
        std::vector<double> nextTs{ts.front()};
        std::vector<CurvePoint> nextPs{ps.front()};
        std::size_t segments = ts.size() - 1;
        for (std::size_t i = 1; i < ts.size(); ++i) {
            const double middle = (ts[i - 1] + ts[i]) / 2;
            const CurvePoint pm = at(middle);
            if (segments < static_cast<std::size_t>(kMaxCurveSegments) && middle > ts[i - 1] && middle < ts[i]
                && distanceToChord(pm, ps[i - 1], ps[i]) > tolerance) {
                nextTs.push_back(middle);
                nextPs.push_back(pm);
                ++segments;
                split = true;
            }
            nextTs.push_back(ts[i]);
            nextPs.push_back(ps[i]);
        }
        ts.swap(nextTs);
        ps.swap(nextPs);
    }
    return withoutStraightRuns(ps, tolerance * 1e-3);
}

double extentOf(const std::vector<CurvePoint>& points)
{
    if (points.empty()) return 0;
    double minX = points[0].x, maxX = minX, minY = points[0].y, maxY = minY;
    for (const CurvePoint& p : points) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    return std::hypot(maxX - minX, maxY - minY);
}

// The span from start to end, counter-clockwise, within (0, a whole turn];
// start = end is a whole turn.
double ellipseSpan(double start, double end)
{
    double span = std::fmod(end - start, kTurn);
    if (span < 0) span += kTurn;
    return span <= 1e-12 ? kTurn : span;
}

// A curve through its fit points (uniform Catmull-Rom): it passes through
// every point, the ends included.
CurvePoint throughFitPoints(const std::vector<CurvePoint>& f, double t)
{
    const std::size_t last = f.size() - 1;
    const std::size_t i = std::min(static_cast<std::size_t>(std::max(t, 0.0)), last - 1);
    const double u = t - static_cast<double>(i);
    const CurvePoint& p0 = f[i == 0 ? 0 : i - 1];
    const CurvePoint& p1 = f[i];
    const CurvePoint& p2 = f[i + 1];
    const CurvePoint& p3 = f[std::min(i + 2, last)];
    const auto blend = [u](double a, double b, double c, double d) {
        return 0.5 * (2 * b + (c - a) * u + (2 * a - 5 * b + 4 * c - d) * u * u + (3 * b - a - 3 * c + d) * u * u * u);
    };
    return {blend(p0.x, p1.x, p2.x, p3.x), blend(p0.y, p1.y, p2.y, p3.y)};
}

std::vector<CurvePoint> fitPointChain(const SplineCurve& spline, std::string* problem)
{
    std::vector<CurvePoint> f;
    for (const CurvePoint& p : spline.fit) {
        if (finite(p.x) && finite(p.y)) f.push_back(p);
    }
    if (f.size() < spline.fit.size()) *problem = "with fit points that are not numbers (left out)";
    if (f.size() < 2) return {};
    const int pieces = static_cast<int>(std::min<std::size_t>(4 * (f.size() - 1), kMaxInitialPieces));
    return sampleCurve([&f](double t) { return throughFitPoints(f, t); }, 0.0, static_cast<double>(f.size() - 1), pieces,
                       chordTolerance(extentOf(f)));
}

// Clamped uniform knots for n control points of degree p.
std::vector<double> uniformKnots(std::size_t n, int p)
{
    std::vector<double> knots;
    const std::size_t degree = static_cast<std::size_t>(p);
    for (std::size_t i = 0; i < n + degree + 1; ++i)
        knots.push_back(static_cast<double>(std::clamp(i, degree, n) - degree));
    return knots;
}

bool usableKnots(const std::vector<double>& knots, std::size_t n, int p)
{
    if (knots.size() != n + static_cast<std::size_t>(p) + 1) return false;
    if (!std::all_of(knots.begin(), knots.end(), finite)) return false;
    if (!std::is_sorted(knots.begin(), knots.end())) return false;
    return knots[static_cast<std::size_t>(p)] < knots[n];
}

// A point of the B-spline (de Boor's algorithm on weighted points).
class BSpline {
public:
    BSpline(std::vector<WeightedPoint> control, std::vector<double> knots, int degree)
        : control_(std::move(control)), knots_(std::move(knots)), p_(degree), d_(static_cast<std::size_t>(degree) + 1)
    {
    }
    double first() const { return knots_[static_cast<std::size_t>(p_)]; }
    double last() const { return knots_[control_.size()]; }
    int spans() const
    {
        int n = 0;
        for (std::size_t k = static_cast<std::size_t>(p_); k < control_.size(); ++k) n += knots_[k] < knots_[k + 1];
        return n;
    }

    CurvePoint at(double t)
    {
        const std::size_t p = static_cast<std::size_t>(p_);
        const std::size_t k = spanOf(t);
        for (std::size_t j = 0; j <= p; ++j) {
            const WeightedPoint& c = control_[j + k - p];
            d_[j] = {c.x * c.w, c.y * c.w, c.w};
        }
        for (std::size_t r = 1; r <= p; ++r) {
            for (std::size_t j = p; j >= r; --j) {
                const std::size_t i = j + k - p;
                const double denominator = knots_[i + p + 1 - r] - knots_[i];
                const double alpha = denominator > 0 ? (t - knots_[i]) / denominator : 0.0;
                d_[j] = {(1 - alpha) * d_[j - 1].x + alpha * d_[j].x, (1 - alpha) * d_[j - 1].y + alpha * d_[j].y,
                         (1 - alpha) * d_[j - 1].w + alpha * d_[j].w};
            }
        }
        const WeightedPoint& h = d_[p];
        return {h.x / h.w, h.y / h.w};
    }

private:
    // The knot span [knots[k], knots[k+1]) that holds t, not empty.
    std::size_t spanOf(double t) const
    {
        const std::size_t p = static_cast<std::size_t>(p_), n = control_.size();
        const auto begin = knots_.begin() + static_cast<std::ptrdiff_t>(p);
        const auto end = knots_.begin() + static_cast<std::ptrdiff_t>(n) + 1;
        std::size_t k = static_cast<std::size_t>(std::upper_bound(begin, end, t) - knots_.begin());
        k = std::clamp<std::size_t>(k == 0 ? 0 : k - 1, p, n - 1);
        while (k > p && !(knots_[k] < knots_[k + 1])) --k;
        return k;
    }

    std::vector<WeightedPoint> control_;
    std::vector<double> knots_;
    int p_;
    std::vector<WeightedPoint> d_;
};

std::vector<CurvePoint> controlPointChain(const SplineCurve& spline, std::string* problem)
{
    std::vector<WeightedPoint> control = spline.control;
    if (!std::all_of(control.begin(), control.end(), [](const WeightedPoint& c) { return finite(c.x) && finite(c.y); })) {
        *problem = "with control points that are not numbers (not drawn)";
        return {};
    }
    if (control.size() < 2) {
        *problem = "with fewer than 2 control points (not drawn)";
        return {};
    }
    std::vector<std::string> repairs;
    const int degree = std::clamp(spline.degree, 1, std::min(kMaxDegree, static_cast<int>(control.size()) - 1));
    if (degree != spline.degree) repairs.push_back("degree");
    bool weightsRepaired = false;
    for (WeightedPoint& c : control) {
        if (!(std::isfinite(c.w) && c.w > 1e-12 && c.w < 1e12)) {
            c.w = 1;
            weightsRepaired = true;
        }
    }
    if (weightsRepaired) repairs.push_back("weights");
    std::vector<double> knots = spline.knots;
    if (!usableKnots(knots, control.size(), degree)) {
        knots = uniformKnots(control.size(), degree);
        repairs.push_back("knots");
    }
    if (!repairs.empty()) {
        std::string list;
        for (const std::string& r : repairs) list += (list.empty() ? "" : ", ") + r;
        *problem = "with damaged " + list + " (made uniform)";
    }
    std::vector<CurvePoint> corners;
    for (const WeightedPoint& c : control) corners.push_back({c.x, c.y});
    BSpline curve(std::move(control), std::move(knots), degree);
    const int pieces = std::min(4 * std::max(curve.spans(), 1), kMaxInitialPieces);
    return sampleCurve([&curve](double t) { return curve.at(t); }, curve.first(), curve.last(), pieces,
                       chordTolerance(extentOf(corners)));
}

}  // namespace

double chordTolerance(double size)
{
    return std::isfinite(size) ? std::max(kMinChordTolerance, size * 1e-5) : kMinChordTolerance;
}

bool EllipseCurve::isCircular() const { return std::fabs(ratio - 1.0) <= 1e-9; }

CircularArc EllipseCurve::asArc() const
{
    const auto degrees = [](double radians) {
        const double d = std::fmod(radians * 180.0 / kPi, 360.0);
        return d < 0 ? d + 360.0 : d;
    };
    const double rotation = std::atan2(my, mx);
    CircularArc arc;
    arc.cx = cx;
    arc.cy = cy;
    arc.radius = std::hypot(mx, my);
    arc.full = ellipseSpan(start, end) >= kTurn;
    arc.startDeg = degrees(rotation + start);
    arc.endDeg = degrees(rotation + end);
    return arc;
}

CurvePoint EllipseCurve::at(double t) const
{
    const double c = std::cos(t), s = std::sin(t);
    // The minor axis is the major one turned a quarter counter-clockwise.
    return {cx + mx * c - ratio * my * s, cy + my * c + ratio * mx * s};
}

std::vector<CurvePoint> ellipsePoints(const EllipseCurve& e)
{
    const double major = std::hypot(e.mx, e.my);
    if (!(finite(e.cx) && finite(e.cy) && finite(major) && major > 0 && std::isfinite(e.ratio) && e.ratio > 0
          && e.ratio <= 1e6 && std::isfinite(e.start) && std::isfinite(e.end)))
        return {};
    const double span = ellipseSpan(e.start, e.end);
    const int pieces = static_cast<int>(std::ceil(span / (kPi / 8)));
    const double size = 2 * major * std::max(1.0, e.ratio);
    std::vector<CurvePoint> points = sampleCurve([&e](double t) { return e.at(t); }, e.start, e.start + span, pieces,
                                                 chordTolerance(size));
    if (span >= kTurn) points.back() = points.front();   // closed exactly
    return points;
}

std::vector<CurvePoint> splinePoints(const SplineCurve& spline, std::string* problem)
{
    std::string local;
    std::string& said = problem ? *problem : local;
    said.clear();
    return spline.control.empty() ? fitPointChain(spline, &said) : controlPointChain(spline, &said);
}

}  // namespace mobrdxf
