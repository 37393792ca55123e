#pragma once

// Entities given in their object coordinate system (arcs, circles, 2D
// polylines, hatches, texts, insertions) as the world sees them. The
// drawing plane holds two such systems: the world's own (extrusion +Z) and
// its mirror image (extrusion -Z), whose x axis points to world -X; that is
// how mirrored geometry is commonly stored. Any other extrusion tilts the
// entity out of the plane.

#include "DxfElements.h"
#include "model/ElementDatabase.h"

namespace mobrdxf {

enum class Extrusion { Up, Down, Tilted };

// The kind of an extrusion direction (group codes 210, 220, 230).
Extrusion extrusionOf(double x, double y, double z);

// The shape given in the mirrored system (x -> -x), with the shapes it owns,
// in world coordinates; arcs still run counter-clockwise and texts stay
// readable.
Shape mirroredX(Shape shape);

}  // namespace mobrdxf
