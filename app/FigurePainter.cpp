#include "FigurePainter.h"

#include "model/Extents.h"

#include <algorithm>
#include <cmath>

#include <QFont>
#include <QPainterPath>
#include <QPolygonF>

#include "ElementPens.h"
#include "model/Bytes.h"
#include "model/ElementDatabase.h"
#include "platform/CodePage.h"

namespace el = mobrhost::element;

namespace {

constexpr double kMargin = 12.0;     // pixels around the paper
constexpr double kPi = 3.14159265358979323846;
constexpr int kArcSegments = 96;     // per full turn
// Dimension block fields the drawing shows.
constexpr std::size_t kDimDigits = 96;
constexpr int kMaxDimDigits = 9;
constexpr std::size_t kDimPrefix = 98, kDimSuffix = 120, kDimTextBytes = 22;

double value(const unsigned char* record, int i)
{
    return mobrhost::bytes::f64(record, el::kGeometry + std::size_t(i) * 8);
}

}  // namespace

FigurePainter::FigurePainter(mobrhost::Figure& figure, const QRectF& target) : figure_(figure)
{
    // The paper, widened to whatever the drawing has beyond it (a drawing
    // from elsewhere may lie partly or wholly off the paper).
    double x0 = 0, y0 = 0, x1 = std::max(figure.paperWidth, 0.01), y1 = std::max(figure.paperHeight, 0.01);
    if (const mobrhost::Extents e = mobrhost::drawingExtents(figure.elements); !e.empty) {
        x0 = std::min(x0, e.minX);
        y0 = std::min(y0, e.minY);
        x1 = std::max(x1, e.maxX);
        y1 = std::max(y1, e.maxY);
    }
    const double w = x1 - x0, h = y1 - y0;
    const double availableW = std::max(1.0, target.width() - 2 * kMargin);
    const double availableH = std::max(1.0, target.height() - 2 * kMargin);
    scale_ = std::min(availableW / w, availableH / h);
    const double left = target.left() + (target.width() - w * scale_) / 2 - x0 * scale_;
    const double bottom = target.top() + (target.height() + h * scale_) / 2 + y0 * scale_;
    origin_ = QPointF(left, bottom);
    shownRect_ = QRectF(map(x0, y1), map(x1, y0));
}

QRectF FigurePainter::targetPlacingPaperAt(const QRectF& paperOnDevice)
{
    return paperOnDevice.adjusted(-kMargin, -kMargin, kMargin, kMargin);
}

QPointF FigurePainter::map(double x, double y) const
{
    return QPointF(origin_.x() + x * scale_, origin_.y() - y * scale_);
}

QRectF FigurePainter::paperRect() const
{
    return QRectF(map(0, figure_.paperHeight), map(figure_.paperWidth, 0));
}

QPolygonF FigurePainter::arcPoints(double cx, double cy, double radius, double start, double end) const
{
    QPolygonF points;
    if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(radius) || !std::isfinite(start) ||
        !std::isfinite(end))
        return points;
    // Into one turn first: fmod is exact, so 1e15 degrees costs no more than 15.
    start = std::fmod(start, 360.0);
    end = std::fmod(end, 360.0);
    if (start < 0) start += 360.0;
    if (end < 0) end += 360.0;
    double sweep = end - start;
    if (sweep <= 0) sweep += 360.0;   // counter-clockwise from start to end
    // Enough points for a smooth curve, never more than the arc's length on
    // the screen in pixels, and a fixed most.
    const double screenLength = std::abs(radius) * scale_ * sweep * kPi / 180.0;
    const double wanted = std::min({std::ceil(sweep / 360.0 * kArcSegments), std::ceil(screenLength / 2.0),
                                    double(kMaxArcPoints - 1)});
    const int steps = std::max(2, int(wanted));
    points.reserve(steps + 1);
    for (int i = 0; i <= steps; ++i) {
        const double a = (start + sweep * i / steps) * kPi / 180.0;
        points << map(cx + radius * std::cos(a), cy + radius * std::sin(a));
    }
    return points;
}

void FigurePainter::paint(QPainter& painter) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(QColor(150, 150, 150), 1));
    painter.setBrush(Qt::white);
    painter.drawRect(paperRect());
    painter.setBrush(Qt::NoBrush);
    painter.setClipRect(shownRect_.adjusted(-1, -1, 1, 1));
    for (const auto& record : figure_.elements.records(0)) {
        if (record[el::kState] != el::Live) continue;
        paintElement(painter, record.data());
    }
    painter.restore();
}

QString FigurePainter::dimensionText(const mobrhost::Figure& figure, double length)
{
    const unsigned char* dim = figure.dim.data();
    const int digits = std::clamp<int>(mobrhost::bytes::i16(dim, kDimDigits), 0, kMaxDimDigits);
    auto text = [dim](std::size_t offset) {
        return mobr::cp932::toQString(mobrhost::bytes::text(dim, offset, kDimTextBytes));
    };
    return text(kDimPrefix) + QString::number(length, 'f', digits) + text(kDimSuffix);
}

QFont FigurePainter::dimensionFont(const mobrhost::Figure& figure, double scale)
{
    QFont font;
    const uint32_t word = mobrhost::bytes::u32(figure.dim.data(), mobr::dimblock::kTextWord);
    if (const mobrhost::Font* f = figure.fonts->at(mobr::attrword::get(word, mobr::attrword::kFont)))
        if (!f->face.empty()) font.setFamily(QString::fromStdString(mobr::cp932::toUtf8(f->face)));
    const double height = mobrhost::bytes::f32(figure.dim.data(), mobr::dimblock::kTextSizes[0]) * scale;
    font.setPixelSize(std::isfinite(height) ? int(std::clamp(std::round(height), 6.0, 4096.0)) : 6);
    return font;
}

void FigurePainter::paintElement(QPainter& painter, const unsigned char* r) const
{
    QPen pen = ElementPens::qpen(ElementPens(figure_).penForRecord(r));
    pen.setCosmetic(true);
    painter.setPen(pen);
    const uint16_t kind = mobrhost::bytes::u16(r, el::kKind);
    switch (kind) {
    case el::Line:
        painter.drawLine(map(value(r, 0), value(r, 1)), map(value(r, 2), value(r, 3)));
        break;
    case el::Circle: {
        const double radius = value(r, 2) * scale_;
        painter.drawEllipse(map(value(r, 0), value(r, 1)), radius, radius);
        break;
    }
    case el::Arc: {
        const QPolygonF points = arcPoints(value(r, 0), value(r, 1), value(r, 2), value(r, 3), value(r, 4));
        if (!points.isEmpty()) painter.drawPolyline(points);
        break;
    }
    case el::Text: {
        const std::string bytes = mobrhost::bytes::text(r, el::kText, el::kTextBytes);
        const QString text = mobr::cp932::toQString(bytes);
        QFont font;
        if (const mobrhost::Font* f = figure_.fonts->at(mobrhost::bytes::u16(r, el::kFont)))
            if (!f->face.empty()) font.setFamily(QString::fromStdString(mobr::cp932::toUtf8(f->face)));
        const double height = value(r, 2) * scale_;
        if (!std::isfinite(height) || !std::isfinite(value(r, 3))) break;
        font.setPixelSize(int(std::clamp(std::round(height), 1.0, 4096.0)));
        painter.save();
        painter.setFont(font);
        painter.translate(map(value(r, 0), value(r, 1)));
        painter.rotate(-value(r, 3));
        painter.drawText(QPointF(0, 0), text);
        painter.restore();
        break;
    }
    case el::Point: {
        const QPointF p = map(value(r, 0), value(r, 1));
        painter.drawLine(p + QPointF(-3, 0), p + QPointF(3, 0));
        painter.drawLine(p + QPointF(0, -3), p + QPointF(0, 3));
        break;
    }
    case el::Dimension: {
        // Extension lines from both points, the dimension line at the
        // offset with short ticks, and the measured length above its middle.
        const double x1 = value(r, 0), y1 = value(r, 1), x2 = value(r, 2), y2 = value(r, 3);
        const double offset = value(r, 4);
        const double length = std::hypot(x2 - x1, y2 - y1);
        if (length <= 0) break;
        const double nx = -(y2 - y1) / length, ny = (x2 - x1) / length;
        const QPointF a = map(x1 + nx * offset, y1 + ny * offset);
        const QPointF b = map(x2 + nx * offset, y2 + ny * offset);
        painter.drawLine(map(x1, y1), a);
        painter.drawLine(map(x2, y2), b);
        painter.drawLine(a, b);
        const QPointF tick = QPointF(nx, -ny) * 4 + QPointF(ny, nx) * 4;
        painter.drawLine(a - tick, a + tick);
        painter.drawLine(b - tick, b + tick);
        painter.save();
        painter.setFont(dimensionFont(figure_, scale_));
        const QPointF middle = (a + b) / 2;
        painter.translate(middle);
        painter.rotate(-std::atan2(y2 - y1, x2 - x1) * 180.0 / kPi);
        const QString text = dimensionText(figure_, length);
        const double textWidth = painter.fontMetrics().horizontalAdvance(text);
        painter.drawText(QPointF(-textWidth / 2, -3), text);
        painter.restore();
        break;
    }
    default:
        break;   // hatches, groups: drawn through the elements they own
    }
}
