#pragma once

#include <QWidget>

// The drawing area of the main window: paints the host's current figure.
class FigureView : public QWidget {
    Q_OBJECT
public:
    explicit FigureView(QWidget* parent = nullptr);
    QSize sizeHint() const override { return QSize(900, 640); }

protected:
    void paintEvent(QPaintEvent* event) override;
};
