#include "ElementPens.h"

#include <algorithm>
#include <cmath>

#include "model/ElementDatabase.h"

QColor ElementPens::colourNumber(int colour) const
{
    const mobrhost::Colour* c = figure_.colours->at(colour);
    if (!c) return Qt::black;
    return QColor(std::clamp(c->red, 0, 255), std::clamp(c->green, 0, 255), std::clamp(c->blue, 0, 255));
}

ElementPen ElementPens::penFor(int pen, int colour) const
{
    ElementPen result;
    const mobrhost::Pen* p = figure_.pens->at(pen);
    if (colour > 0) {
        result.colour = colourNumber(colour);
    } else if (p) {
        const int32_t own = figure_.penColours->colourOf(*figure_.pens, pen);
        if (own > 0) result.colour = colourNumber(own);
    }
    if (!p) return result;
    if (const mobrhost::Width* w = figure_.widths->at(p->width))
        result.widthDots = std::max(1, int(std::lround(w->width * kDotsPerMm)));
    // A pitch is drawn only as whole dash and gap pairs; lengths that are not
    // positive would make Qt draw nothing.
    const std::size_t pairs = p->pitch.size() / 2;
    for (std::size_t i = 0; i < pairs * 2; ++i)
        result.dashDots.push_back(std::max(1.0, p->pitch[i] * kDotsPerMm));
    return result;
}

ElementPen ElementPens::penForRecord(const unsigned char* record) const
{
    return penFor(record[mobrhost::element::kPen], record[mobrhost::element::kColour]);
}

QPen ElementPens::qpen(const ElementPen& pen)
{
    QPen q(pen.colour);
    q.setWidth(pen.widthDots);
    q.setCapStyle(Qt::FlatCap);
    if (!pen.dashDots.isEmpty()) {
        QVector<qreal> pattern;
        for (qreal d : pen.dashDots) pattern.push_back(d / pen.widthDots);
        q.setDashPattern(pattern);
    }
    return q;
}
