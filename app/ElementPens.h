#pragma once

// How an element of a figure is drawn: the colour (the element's own colour
// number, else its pen's colour, else black), the width in screen dots (the
// pen's width at 96 dots per inch, at least one dot) and the dash pattern
// from the pen's pitch lengths (millimetres, dash and gap pairs).

#include <QColor>
#include <QPen>
#include <QVector>

#include "model/Figure.h"

struct ElementPen {
    QColor colour = Qt::black;
    int widthDots = 1;
    QVector<qreal> dashDots;   // dash, gap, ... in dots; empty: solid
};

class ElementPens {
public:
    static constexpr double kDotsPerMm = 96.0 / 25.4;

    explicit ElementPens(mobrhost::Figure& figure) : figure_(figure) {}

    // Pen number (1-based) and colour number (0: the pen's) of a record.
    ElementPen penFor(int pen, int colour) const;
    ElementPen penForRecord(const unsigned char* record) const;

    // A QPen for painting: width in device pixels, dashes in units of the
    // width as Qt counts them.
    static QPen qpen(const ElementPen& pen);

private:
    QColor colourNumber(int colour) const;

    mobrhost::Figure& figure_;
};
