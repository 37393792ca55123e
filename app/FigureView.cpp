#include "FigureView.h"

#include <algorithm>
#include <cmath>

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "FigureDocument.h"
#include "FigurePainter.h"

FigureView::FigureView(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(214, 218, 224));
    setPalette(p);
}

QRectF FigureView::target() const
{
    mobrhost::Figure* figure = FigureDocument::current();
    if (!figure || view_.isIdentity()) return QRectF(rect());
    // The paper as fitted into the widget, then zoomed and panned.
    const QRectF fitted = FigurePainter(*figure, QRectF(rect())).paperRect();
    return FigurePainter::targetPlacingPaperAt(view_.mapRect(fitted));
}

void FigureView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (mobrhost::Figure* figure = FigureDocument::current()) FigurePainter(*figure, target()).paint(painter);
}

void FigureView::zoomAt(const QPointF& anchor, double factor)
{
    if (!std::isfinite(factor) || factor <= 0) return;
    const double zoom = std::clamp(view_.m11() * factor, kMinZoom, kMaxZoom);
    factor = zoom / view_.m11();
    // Scale about the anchor: what was under it stays under it.
    view_ = view_ * QTransform::fromTranslate(-anchor.x(), -anchor.y()) * QTransform::fromScale(factor, factor) *
            QTransform::fromTranslate(anchor.x(), anchor.y());
    update();
}

QPointF FigureView::zoomAnchor() const
{
    const QPoint cursor = mapFromGlobal(QCursor::pos());
    return rect().contains(cursor) ? QPointF(cursor) : QRectF(rect()).center();
}

void FigureView::zoomIn()
{
    zoomAt(zoomAnchor(), kStep);
}

void FigureView::zoomOut()
{
    zoomAt(zoomAnchor(), 1.0 / kStep);
}

void FigureView::panBy(const QPointF& delta)
{
    view_ = view_ * QTransform::fromTranslate(delta.x(), delta.y());
    update();
}

void FigureView::fit()
{
    view_.reset();
    update();
}

void FigureView::wheelEvent(QWheelEvent* event)
{
    const double notches = event->angleDelta().y() / 120.0;
    if (notches != 0) zoomAt(event->position(), std::pow(kStep, notches));
    event->accept();
}

void FigureView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton || (event->button() == Qt::LeftButton && spaceHeld_)) {
        panning_ = true;
        lastPan_ = event->position();
        setCursor(Qt::ClosedHandCursor);
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void FigureView::mouseMoveEvent(QMouseEvent* event)
{
    if (!panning_) return QWidget::mouseMoveEvent(event);
    panBy(event->position() - lastPan_);
    lastPan_ = event->position();
}

void FigureView::mouseReleaseEvent(QMouseEvent* event)
{
    if (!panning_) return QWidget::mouseReleaseEvent(event);
    panning_ = false;
    setCursor(spaceHeld_ ? Qt::OpenHandCursor : Qt::ArrowCursor);
}

void FigureView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        spaceHeld_ = true;
        setCursor(Qt::OpenHandCursor);
        return;
    }
    QWidget::keyPressEvent(event);
}

void FigureView::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        spaceHeld_ = false;
        if (!panning_) setCursor(Qt::ArrowCursor);
        return;
    }
    QWidget::keyReleaseEvent(event);
}
