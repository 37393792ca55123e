#pragma once

// Draws a figure's drawing space onto a painter: the paper (the figure's
// drawing size, millimetres, y up) fitted into a rectangle, and every live
// element with its pen (ElementPens). Hatches and groups draw nothing of
// their own: their boundary and lines are elements of their own.

#include <QFont>
#include <QPainter>
#include <QString>
#include <QPointF>
#include <QPolygonF>
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

    // The points of an arc (centre and radius in millimetres, angles in
    // degrees, counter-clockwise from start to end) in device coordinates.
    // Angles are brought into one turn before anything is counted, so no
    // angle, however large, makes drawing slow; the number of points is
    // bounded by what the screen can show (kMaxArcPoints at most). Empty
    // when a value is not finite.
    static constexpr int kMaxArcPoints = 1024;
    QPolygonF arcPoints(double cx, double cy, double radius, double start, double end) const;

    // What a dimension of `length` millimetres shows, after the figure's
    // dimension settings: the prefix (block bytes 98), the length with the
    // set number of decimal digits (16-bit at 96, 0 to 9) and the suffix
    // (bytes 120).
    static QString dimensionText(const mobrhost::Figure& figure, double length);
    // The font of dimension texts: the family of the font of the dimension
    // text word and the text height (bytes 0) in pixels at `scale`.
    static QFont dimensionFont(const mobrhost::Figure& figure, double scale);

private:
    void paintElement(QPainter& painter, const unsigned char* record) const;

    mobrhost::Figure& figure_;
    double scale_ = 1.0;   // device pixels per millimetre
    QPointF origin_;       // device position of paper (0, 0)
    QRectF shownRect_;   // the paper and whatever the drawing has beyond it
};
