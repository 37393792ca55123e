#pragma once

// Curves the figure model has no element for, as points of a chain of
// lines: elliptic arcs and B-splines (rational or not, or a curve through
// fit points). Each chain keeps within a chord tolerance of the curve that
// grows with the curve's size (chordTolerance), with at most
// kMaxCurveSegments lines per curve.

#include <string>
#include <vector>

namespace mobrdxf {

struct CurvePoint {
    double x = 0, y = 0;
};

struct WeightedPoint {
    double x = 0, y = 0, w = 1;
};

constexpr int kMaxCurveSegments = 1024;
constexpr double kMinChordTolerance = 0.01;   // millimetres

// The largest distance allowed between the lines and the curve they stand
// for: 0.01 mm, or a hundred-thousandth of the curve's size when that is
// more (a curve of 10 m may be off by 0.1 mm).
double chordTolerance(double size);

struct CircularArc {
    double cx = 0, cy = 0, radius = 0, startDeg = 0, endDeg = 0;
    bool full = false;
};

// An ellipse by its centre, the end of its major axis relative to the
// centre, the ratio of minor to major axis and the start and end parameters
// (radians, counter-clockwise from the major axis; start = end or a span of
// a whole turn is the full ellipse).
struct EllipseCurve {
    double cx = 0, cy = 0, mx = 0, my = 0, ratio = 1, start = 0, end = 0;

    // Ratio 1 (within 1e-9): a circle or a circular arc.
    bool isCircular() const;
    CircularArc asArc() const;
    CurvePoint at(double parameter) const;
};

// The points of the ellipse's chain from its start to its end; empty when
// the ellipse has no size or a value that is not a finite number.
std::vector<CurvePoint> ellipsePoints(const EllipseCurve& ellipse);

struct SplineCurve {
    int degree = 3;
    std::vector<double> knots;
    std::vector<WeightedPoint> control;
    std::vector<CurvePoint> fit;   // used when there are no control points
};

// The points of the spline's chain from its first to its last point. What
// had to be repaired or left out is said in `problem` ("knots replaced by
// uniform ones"); empty points when nothing can be drawn.
std::vector<CurvePoint> splinePoints(const SplineCurve& spline, std::string* problem);

}  // namespace mobrdxf
