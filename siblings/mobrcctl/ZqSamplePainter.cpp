#include "mobrcctl/ZqSamplePainter.h"

#include <algorithm>

#include <QPainter>
#include <QPen>
#include <QRect>

namespace ZqSamplePainter {

void drawLineSample(QPainter& painter, const QRect& rect, int widthDots, const std::vector<double>& pitch,
                    const QColor& colour) {
    const int width = std::clamp(widthDots, 1, std::max(1, rect.height()));
    const int y = rect.top() + rect.height() / 2;
    const int x0 = rect.left() + 2;
    const int x1 = rect.right() - 2;
    if (x1 <= x0) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    // Dashes are drawn as filled rectangles so a thick line keeps exact
    // dash lengths (a pen's dash pattern scales with its width).
    const int top = y - width / 2;
    bool dashed = false;
    for (double p : pitch) dashed = dashed || p > 0.0;
    if (!dashed) {
        painter.fillRect(QRect(x0, top, x1 - x0 + 1, width), colour);
    } else {
        int x = x0;
        std::size_t k = 0;
        while (x <= x1) {
            const int len = std::max(1, static_cast<int>(pitch[k % pitch.size()] + 0.5));
            if (k % 2 == 0) painter.fillRect(QRect(x, top, std::min(len, x1 - x + 1), width), colour);
            x += len;
            ++k;
        }
    }
    painter.restore();
}

void drawColourSwatch(QPainter& painter, const QRect& rect, const QColor& colour) {
    if (rect.width() < 3 || rect.height() < 3) return;
    painter.save();
    painter.fillRect(rect, colour);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    painter.restore();
}

QColor fromColourWord(unsigned word) {
    return QColor(static_cast<int>(word & 0xFF), static_cast<int>((word >> 8) & 0xFF),
                  static_cast<int>((word >> 16) & 0xFF));
}

}  // namespace ZqSamplePainter
