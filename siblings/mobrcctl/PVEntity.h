#pragma once

#include <string>
#include <vector>

#include <QColor>

// One figure of a preview (CPVControl), in world coordinates (y upwards).
struct PVEntity {
    enum Kind : int { Line = 0, Rectangle = 1, Text = 2, Dimension = 3 };

    Kind kind = Line;
    // Line and Dimension: from (x1, y1) to (x2, y2). Rectangle: two opposite
    // corners. Text: (x1, y1) is the left end of the base line.
    double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
    QColor colour = Qt::black;
    int widthDots = 1;             // line width in pixels
    std::vector<double> pitch;     // dash and gap lengths in pixels; empty: solid
    bool filled = false;           // Rectangle: filled with the colour

    // Text and Dimension: the text (host code page).
    std::string text;
    std::string fontFamily;        // host code page; empty: the widget's font
    double textHeight = 0.0;       // world units; 0: the widget's font size
    double angle = 0.0;            // degrees, counter-clockwise
    bool bold = false;
    bool italic = false;

    // Dimension: the dimension line runs parallel to the measured points at
    // `offset` world units to their left (seen from point 1 to point 2),
    // with extension lines and arrows `arrowDots` pixels long.
    double offset = 0.0;
    int arrowDots = 8;
};
