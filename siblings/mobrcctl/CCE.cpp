#include "mobrcctl/CCE.h"

#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QTimer>

#include "mobrcctl/CceValidator.h"
#include "mobrdlg/ZqControls.h"
#include "mobrdlg/ZqWindow.h"

CCE::CCE(QObject* parent) : QObject(parent) {}

CCE::~CCE() {
    if (edit_) {
        edit_->removeEventFilter(this);
        if (edit_->validator() == validator_.data()) edit_->setValidator(nullptr);
    }
    delete validator_.data();  // a child of the edit; gone already when the edit is
}

int CCE::SubclassCCE(int controlId, CZqWindow* parent, int kind) {
    if (!parent) return 0;
    auto* edit = qobject_cast<QLineEdit*>(parent->GetDlgItem(controlId));
    if (!attach(edit, kind)) return 0;
    controlId_ = controlId;
    return 1;
}

int CCE::attach(QLineEdit* edit, int kind) {
    if (!edit) return 0;
    if (edit_) {
        edit_->removeEventFilter(this);
        if (edit_->validator() == validator_.data()) edit_->setValidator(nullptr);
        delete validator_.data();
    }
    edit_ = edit;
    kind_ = kind;
    controlId_ = CZqWindow::ControlId(edit);
    validator_ = new CceValidator(edit);
    connect(validator_.data(), &CceValidator::rejected, this, &CCE::onRejected);
    applyRules();
    edit->setValidator(validator_.data());
    edit->installEventFilter(this);
    return 1;
}

void CCE::SetMinMaxData(double minimum, double maximum) {
    minimum_ = minimum;
    maximum_ = maximum;
    hasRange_ = true;
    applyRules();
}

void CCE::SetAvailDec(int decimals) {
    decimals_ = decimals < 0 ? -1 : decimals;
    applyRules();
}

void CCE::SetInpMax(int characters) {
    maxChars_ = characters < 0 ? 0 : characters;
    applyRules();
}

void CCE::SetSendMessageMode(int on) { sendMessage_ = on != 0; }

QLineEdit* CCE::edit() const { return edit_.data(); }

void CCE::applyRules() {
    if (!validator_) return;
    CceValidator::Rules rules;
    rules.kind = kind_;
    rules.maxChars = maxChars_;
    rules.decimals = decimals_;
    rules.negativeAllowed = !hasRange_ || minimum_ < 0.0;
    validator_->setRules(rules);
}

void CCE::onRejected(int code) {
    if (!sendMessage_) {
        QApplication::beep();
        return;
    }
    emit inputRejected(controlId_, code);
    if (rejectHandler_) rejectHandler_(controlId_, code);
    // The dialog or page holding the edit hears it as OnNotify(id, code,
    // length limit); the limit is what a "too long" message shows.
    if (edit_) ZqNotifyControl(edit_.data(), code, maxChars_);
}

bool CCE::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_.data() && event->type() == QEvent::FocusIn && (kind_ & CCE_AUTOSELECT)) {
        // After the focus-in has been handled (a mouse press would otherwise
        // put the cursor over the selection).
        QPointer<QLineEdit> edit = edit_;
        QTimer::singleShot(0, edit.data(), [edit] {
            if (edit && edit->hasFocus()) edit->selectAll();
        });
    }
    return QObject::eventFilter(watched, event);
}
