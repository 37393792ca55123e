#pragma once

#include <vector>

#include <QPointer>
#include <QRectF>

#include "mobr/export.h"
#include "mobrcctl/PVEntity.h"

class CZqWindow;
class QWidget;
class ZqPreviewCanvas;

// Preview of a dialog: a small painted picture of lines, rectangles, texts and
// dimension-like figures inside a placeholder control of the layout.
// Entities are collected with SetPVEntity and shown by DrawEntity.
class MOBR_API CPVControl {
public:
    CPVControl();
    ~CPVControl();
    CPVControl(const CPVControl&) = delete;
    CPVControl& operator=(const CPVControl&) = delete;

    // Draws inside `window` (any widget; a frame or label of the layout).
    // Returns 1, or 0 for a null window.
    int SetWnd(QWidget* window);
    int SetWnd(int controlId, CZqWindow* parent);
    QWidget* window() const { return window_.data(); }

    // The world window shown (y upwards), fitted into the control with one
    // scale for both axes. Until set (or after an empty one), the entities'
    // own extent is shown.
    void SetDrawRect(double left, double bottom, double right, double top);
    // Adds an entity; returns the number of entities.
    int SetPVEntity(const PVEntity& entity);
    // Shows the entities (repaints the control).
    void DrawEntity();
    // Removes every entity and repaints.
    void DeleteEntityAll();

    int GetEntityCount() const { return static_cast<int>(entities_.size()); }
    const std::vector<PVEntity>& entities() const { return entities_; }
    // The painted surface, null before SetWnd.
    QWidget* canvas() const;

private:
    QPointer<QWidget> window_;
    QPointer<ZqPreviewCanvas> canvas_;
    std::vector<PVEntity> entities_;
    QRectF world_;
};
