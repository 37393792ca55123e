#include "DxfOcs.h"

#include <cmath>

namespace mobrdxf {

namespace element = mobrhost::element;
namespace {

// How far x and y of a unit extrusion may stray from 0 and still be taken as
// straight up or down: beyond it the entity visibly leaves the plane.
constexpr double kPlaneTolerance = 1e-9;

}  // namespace

Extrusion extrusionOf(double x, double y, double z)
{
    const double length = std::sqrt(x * x + y * y + z * z);
    // A missing or damaged direction is taken as the default, straight up.
    if (!std::isfinite(length) || length == 0) return Extrusion::Up;
    if (std::hypot(x, y) > kPlaneTolerance * length) return Extrusion::Tilted;
    return z > 0 ? Extrusion::Up : Extrusion::Down;
}

Shape mirroredX(Shape s)
{
    std::array<double, 8>& g = s.geometry;
    switch (s.kind) {
    case element::Line:
        g[0] = -g[0];
        g[2] = -g[2];
        break;
    case element::Arc: {
        // The mirror turns the sweep round; swapping the ends keeps it counter-clockwise.
        const double start = g[3], end = g[4];
        g[0] = -g[0];
        g[3] = 180.0 - end;
        g[4] = 180.0 - start;
        break;
    }
    case element::Circle:
    case element::Point: g[0] = -g[0]; break;
    // The mirrored baseline runs at 180 - angle; read the other way round it
    // runs at -angle, upright.
    case element::Text:
        g[0] = -g[0];
        g[3] = -g[3];
        break;
    case element::Hatch: g[0] = 180.0 - g[0]; break;
    case 0: {
        // M R(a) S = R(-a) S' with M = diag(-1, 1) and S' the scale with x negated;
        // array columns step along the mirrored x axis.
        Insertion& in = s.insertion;
        in.x = -in.x;
        in.angleDeg = -in.angleDeg;
        in.scaleX = -in.scaleX;
        in.columnSpacing = -in.columnSpacing;
        break;
    }
    default: break;
    }
    for (Shape& owned : s.boundary) owned = mirroredX(std::move(owned));
    return s;
}

}  // namespace mobrdxf
