#pragma once

#include <QTransform>
#include <QWidget>

// The drawing area of the main window: paints the host's current figure,
// fitted into the area and then zoomed and panned by the person. Line widths
// stay as the pens give them at every zoom.
//
// Zoom: the wheel or zoomIn()/zoomOut() (Ctrl+plus/minus in the View menu)
// around the cursor, which keeps the paper point under it in place. Pan: drag
// with the middle button, or with the left button while Space is held. Fit:
// fit() (Home).
class FigureView : public QWidget {
    Q_OBJECT
public:
    static constexpr double kStep = 1.25;
    static constexpr double kMinZoom = 0.05;
    static constexpr double kMaxZoom = 400.0;

    explicit FigureView(QWidget* parent = nullptr);
    QSize sizeHint() const override { return QSize(900, 640); }

    // The rectangle the paper is fitted into: the widget zoomed and panned.
    QRectF target() const;
    double zoom() const { return view_.m11(); }

    // Zooms by `factor` around `anchor` (widget coordinates).
    void zoomAt(const QPointF& anchor, double factor);
    // Zoom around the cursor when it is over the view, else the centre.
    void zoomIn();
    void zoomOut();
    void panBy(const QPointF& delta);
    void fit();

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    QPointF zoomAnchor() const;

    QTransform view_;  // scale and translation only
    bool spaceHeld_ = false;
    bool panning_ = false;
    QPointF lastPan_;
};
