#include "mobrcctl/PVControl.h"

#include "mobrcctl/ZqPreviewCanvas.h"
#include "mobrdlg/ZqWindow.h"

CPVControl::CPVControl() = default;

CPVControl::~CPVControl() {
    // The canvas would otherwise keep a pointer to our entities.
    if (canvas_) {
        canvas_->setEntities(nullptr);
        canvas_->deleteLater();
    }
}

int CPVControl::SetWnd(QWidget* window) {
    if (!window) return 0;
    if (canvas_) {
        canvas_->setEntities(nullptr);
        canvas_->deleteLater();
    }
    window_ = window;
    canvas_ = new ZqPreviewCanvas(window);  // owned by the placeholder
    canvas_->setEntities(&entities_);
    canvas_->setWorld(world_);
    return 1;
}

int CPVControl::SetWnd(int controlId, CZqWindow* parent) {
    return parent ? SetWnd(parent->GetDlgItem(controlId)) : 0;
}

void CPVControl::SetDrawRect(double left, double bottom, double right, double top) {
    world_ = QRectF(QPointF(left, bottom), QPointF(right, top)).normalized();
    if (canvas_) canvas_->setWorld(world_);
}

int CPVControl::SetPVEntity(const PVEntity& entity) {
    entities_.push_back(entity);
    return GetEntityCount();
}

void CPVControl::DrawEntity() {
    if (canvas_) canvas_->update();
}

void CPVControl::DeleteEntityAll() {
    entities_.clear();
    DrawEntity();
}

QWidget* CPVControl::canvas() const { return canvas_.data(); }
