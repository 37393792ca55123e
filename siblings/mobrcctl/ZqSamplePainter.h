#pragma once

#include <vector>

#include <QColor>

#include "mobr/export.h"

class QPainter;
class QRect;

// Small pictures of the attribute lists and dialogs: a line sample and a
// colour swatch. The samples only illustrate; they are not to scale.
namespace ZqSamplePainter {

// A horizontal line through the middle of `rect`, `widthDots` pixels thick
// (at least 1), in `colour`, dashed by `pitch` (alternating dash and gap
// lengths in pixels, repeated; empty or all zero: solid).
MOBR_API void drawLineSample(QPainter& painter, const QRect& rect, int widthDots,
                             const std::vector<double>& pitch, const QColor& colour);
// `rect` filled with `colour` inside a black outline.
MOBR_API void drawColourSwatch(QPainter& painter, const QRect& rect, const QColor& colour);
// A colour from a host colour word (red in the low byte, then green, blue).
MOBR_API QColor fromColourWord(unsigned word);

}  // namespace ZqSamplePainter
