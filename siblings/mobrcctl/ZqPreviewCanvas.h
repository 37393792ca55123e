#pragma once

#include <vector>

#include <QRectF>
#include <QWidget>

#include "mobrcctl/PVEntity.h"

// The painted surface of a preview: fills its parent (the layout's placeholder
// control) and draws the entities, the world window fitted into it with one
// scale for both axes and the y axis upwards.
class ZqPreviewCanvas : public QWidget {
    Q_OBJECT
public:
    explicit ZqPreviewCanvas(QWidget* parent);

    void setEntities(const std::vector<PVEntity>* entities) { entities_ = entities; }
    // The world window; an empty rectangle fits the entities themselves.
    void setWorld(const QRectF& world) { world_ = world; }
    // World -> pixel mapping in effect for the current size.
    QTransform mapping() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QRectF worldShown() const;

    const std::vector<PVEntity>* entities_ = nullptr;
    QRectF world_;
};
