#include "mobrcctl/ZqPreviewCanvas.h"

#include <algorithm>
#include <cmath>

#include <QEvent>
#include <QPainter>
#include <QPainterPath>

#include "mobrcctl/CctlText.h"
#include "mobrcctl/ZqSamplePainter.h"

namespace {

constexpr int kMargin = 4;

QPen entityPen(const PVEntity& e) {
    QPen pen(e.colour, std::max(1, e.widthDots));
    pen.setCapStyle(Qt::FlatCap);
    bool dashed = false;
    for (double p : e.pitch) dashed = dashed || p > 0.0;
    if (dashed) {
        // Qt's dash pattern is in pen widths and needs an even count.
        QVector<qreal> pattern;
        for (double p : e.pitch) pattern << std::max(0.5, p / pen.widthF());
        if (pattern.size() % 2) pattern << pattern.back();
        pen.setDashPattern(pattern);
    }
    return pen;
}

void drawArrow(QPainter& p, QPointF tip, QPointF from, int size) {
    const QLineF back(tip, from);
    if (back.length() < 1e-9) return;
    const QPointF unit = (from - tip) / back.length();
    const QPointF normal(-unit.y(), unit.x());
    const QPointF base = tip + unit * size;
    QPainterPath path(tip);
    path.lineTo(base + normal * (size / 3.0));
    path.lineTo(base - normal * (size / 3.0));
    path.closeSubpath();
    p.fillPath(path, p.pen().color());
}

}  // namespace

ZqPreviewCanvas::ZqPreviewCanvas(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(parent->rect());
    parent->installEventFilter(this);
    show();
}

bool ZqPreviewCanvas::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize) setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

QRectF ZqPreviewCanvas::worldShown() const {
    if (world_.isValid() && world_.width() > 0 && world_.height() > 0) return world_;
    QRectF box;
    if (entities_) {
        for (const PVEntity& e : *entities_) {
            QRectF r = QRectF(QPointF(e.x1, e.y1), QPointF(e.x2, e.y2)).normalized();
            if (e.kind == PVEntity::Dimension) r = r.adjusted(-std::fabs(e.offset), -std::fabs(e.offset),
                                                                std::fabs(e.offset), std::fabs(e.offset));
            if (e.kind == PVEntity::Text) r = QRectF(e.x1, e.y1, std::max(1.0, e.textHeight) * e.text.size() * 0.6,
                                                     std::max(1.0, e.textHeight));
            box = box.isNull() ? r : box.united(r);
        }
    }
    if (box.width() <= 0) box.adjust(-1, 0, 1, 0);
    if (box.height() <= 0) box.adjust(0, -1, 0, 1);
    // Room for what is drawn in pixels around the figures (dimension texts
    // and arrows, line widths).
    const double room = std::max(box.width(), box.height()) * 0.12;
    return box.adjusted(-room, -room, room, room);
}

QTransform ZqPreviewCanvas::mapping() const {
    const QRectF w = worldShown();
    const QRectF px = QRectF(rect()).adjusted(kMargin, kMargin, -kMargin, -kMargin);
    const double scale = std::min(px.width() / w.width(), px.height() / w.height());
    // Centre the world window; flip y so that world y grows upwards.
    const double dx = px.center().x() - w.center().x() * scale;
    const double dy = px.center().y() + w.center().y() * scale;
    return QTransform(scale, 0, 0, -scale, dx, dy);
}

void ZqPreviewCanvas::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!entities_ || entities_->empty()) return;
    p.setRenderHint(QPainter::Antialiasing, true);
    const QTransform m = mapping();
    const double scale = m.m11();
    for (const PVEntity& e : *entities_) {
        const QPointF a = m.map(QPointF(e.x1, e.y1));
        const QPointF b = m.map(QPointF(e.x2, e.y2));
        p.setPen(entityPen(e));
        p.setBrush(Qt::NoBrush);
        switch (e.kind) {
        case PVEntity::Line:
            p.drawLine(a, b);
            break;
        case PVEntity::Rectangle:
            if (e.filled) p.setBrush(e.colour);
            p.drawRect(QRectF(a, b).normalized());
            break;
        case PVEntity::Text: {
            QFont font = this->font();
            if (!e.fontFamily.empty()) font.setFamily(cctltext::toQ(e.fontFamily));
            if (e.textHeight > 0) font.setPixelSize(std::max(1, static_cast<int>(e.textHeight * scale + 0.5)));
            font.setBold(e.bold);
            font.setItalic(e.italic);
            p.save();
            p.setFont(font);
            p.translate(a);
            p.rotate(-e.angle);
            p.setPen(e.colour);
            p.drawText(QPointF(0, 0), cctltext::toQ(e.text));
            p.restore();
            break;
        }
        case PVEntity::Dimension: {
            const QLineF measured(a, b);
            if (measured.length() < 1e-9) break;
            // Left of the direction a -> b in world terms is right of it on the
            // flipped screen; normal points to the world's left side.
            const QPointF unit = (b - a) / measured.length();
            const QPointF normal(unit.y(), -unit.x());
            const QPointF off = normal * (e.offset * scale);
            const QPointF da = a + off, db = b + off;
            QPen thin = entityPen(e);
            thin.setDashPattern(QVector<qreal>());
            thin.setStyle(Qt::SolidLine);
            p.setPen(thin);
            const QPointF overshoot = normal * (e.offset >= 0 ? 3.0 : -3.0);
            p.drawLine(a, da + overshoot);
            p.drawLine(b, db + overshoot);
            p.drawLine(da, db);
            drawArrow(p, da, db, e.arrowDots);
            drawArrow(p, db, da, e.arrowDots);
            if (!e.text.empty()) {
                p.save();
                const QPointF mid = (da + db) / 2;
                p.translate(mid);
                double deg = std::atan2(-(db - da).y(), (db - da).x()) * 180.0 / M_PI;
                if (deg > 90 || deg <= -90) deg += 180;
                p.rotate(-deg);
                const QString text = cctltext::toQ(e.text);
                const QFontMetrics fm(p.font());
                p.setPen(e.colour);
                p.drawText(QPointF(-fm.horizontalAdvance(text) / 2.0, -3), text);
                p.restore();
            }
            break;
        }
        }
    }
}
