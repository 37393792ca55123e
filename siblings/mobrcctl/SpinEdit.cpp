#include "mobrcctl/SpinEdit.h"

#include <algorithm>

#include <QLineEdit>

#include "mobrcctl/ZqSpinButtons.h"
#include "mobrdlg/ZqWindow.h"

CSpinEdit::CSpinEdit(int minimum, int maximum, int step, int start)
    : minimum_(std::min(minimum, maximum)), maximum_(std::max(minimum, maximum)), step_(step),
      position_(start), format_(QStringLiteral("%d")) {}

CSpinEdit::CSpinEdit(double minimum, double maximum, double step, double start)
    : minimum_(std::min(minimum, maximum)), maximum_(std::max(minimum, maximum)), step_(step),
      position_(start) {}

CSpinEdit::~CSpinEdit() = default;

int CSpinEdit::SubclassSpinEdit(int editId, int spinId, CZqWindow* parent) {
    if (!parent) return 0;
    auto* edit = qobject_cast<QLineEdit*>(parent->GetDlgItem(editId));
    if (!attach(edit)) return 0;
    editId_ = editId;
    spinId_ = spinId;
    return 1;
}

int CSpinEdit::attach(QLineEdit* edit) {
    if (!edit) return 0;
    edit_ = edit;
    editId_ = CZqWindow::ControlId(edit);
    apply();
    SetCurrentPosition(position_);
    return 1;
}

QLineEdit* CSpinEdit::edit() const { return edit_.data(); }

ZqSpinButtons* CSpinEdit::spin() const { return edit_ ? ZqSpinButtons::of(edit_.data()) : nullptr; }

void CSpinEdit::apply() {
    ZqSpinButtons* s = spin();
    if (!s) return;
    s->setRange(minimum_, maximum_);
    s->setStep(step_);
    s->setArrowKeys(style_ & SPIN_STYLE_ARROWKEYS);
    s->setWrap(style_ & SPIN_STYLE_WRAP);
    s->setDecimals(decimals_);
    s->setFormat(format_);
    edit_->setEnabled(enabled_);
}

double CSpinEdit::GetCurrentPosition() const {
    if (ZqSpinButtons* s = spin()) return s->value();
    return position_;
}

void CSpinEdit::SetCurrentPosition(double value) {
    position_ = std::clamp(value, minimum_, maximum_);
    if (ZqSpinButtons* s = spin()) s->setValue(position_);
}

void CSpinEdit::SetSpinStyle(int style) {
    style_ = style;
    apply();
}

void CSpinEdit::SetWindowState(int enabled) {
    enabled_ = enabled != 0;
    if (edit_) edit_->setEnabled(enabled_);
}

void CSpinEdit::SetFormatString(const char* format) {
    format_ = format ? QString::fromLatin1(format) : QString();
    apply();
    if (edit_) SetCurrentPosition(GetCurrentPosition());
}

void CSpinEdit::SetValidDecimalPoint(int decimals) {
    decimals_ = decimals < 0 ? 0 : decimals;
    // A real spin edit without its own format shows the decimals.
    apply();
    if (edit_) SetCurrentPosition(GetCurrentPosition());
}
