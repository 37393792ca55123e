#include "model/Extents.h"

#include <algorithm>
#include <cmath>

#include "model/Bytes.h"

namespace mobrhost {

void Extents::add(double x, double y)
{
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    if (empty) {
        minX = maxX = x;
        minY = maxY = y;
        empty = false;
        return;
    }
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
}

Extents drawingExtents(const ElementDatabase& elements)
{
    Extents e;
    for (const ElementDatabase::Record& record : elements.records(0)) {
        const unsigned char* r = record.data();
        if (r[element::kState] != element::Live) continue;
        const auto g = [r](int i) { return bytes::f64(r, element::kGeometry + static_cast<std::size_t>(i) * 8); };
        switch (bytes::u16(r, element::kKind)) {
        case element::Line:
        case element::Dimension:
            e.add(g(0), g(1));
            e.add(g(2), g(3));
            break;
        case element::Arc:
        case element::Circle: {
            const double radius = std::fabs(g(2));
            e.add(g(0) - radius, g(1) - radius);
            e.add(g(0) + radius, g(1) + radius);
            break;
        }
        case element::Text:
        case element::Point: e.add(g(0), g(1)); break;
        default: break;
        }
    }
    return e;
}

}  // namespace mobrhost
