#pragma once

// The rectangle the live elements of a figure's drawing space cover (lines
// and dimensions by their points, arcs and circles by centre and radius,
// texts and points by their position), for fitting a drawing to its paper
// and to the screen.

#include "mobr/export.h"
#include "model/ElementDatabase.h"

namespace mobrhost {

struct Extents {
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    bool empty = true;
    void add(double x, double y);
};

MOBR_API Extents drawingExtents(const ElementDatabase& elements);

}  // namespace mobrhost
