#pragma once

// Draws a figure's drawing space onto a painter: the paper (the figure's
// drawing size, millimetres, y up) fitted into a rectangle, and every live
// element with its pen (ElementPens). Hatches and groups draw nothing of
// their own: their boundary and lines are elements of their own.

#include <QPainter>
#include <QPointF>
#include <QRectF>

#include "model/Figure.h"

class FigurePainter {
public:
    FigurePainter(mobrhost::Figure& figure, const QRectF& target);

    void paint(QPainter& painter) const;

    // Paper millimetres to device coordinates and back.
    QPointF map(double x, double y) const;
    double scale() const { return scale_; }
    QRectF paperRect() const;
    // The target rectangle in which the paper is drawn exactly at
    // `paperOnDevice` (for a view zoomed and panned from the fitted one).
    static QRectF targetPlacingPaperAt(const QRectF& paperOnDevice);

private:
    void paintElement(QPainter& painter, const unsigned char* record) const;

    mobrhost::Figure& figure_;
    double scale_ = 1.0;   // device pixels per millimetre
    QPointF origin_;       // device position of paper (0, 0)
};
