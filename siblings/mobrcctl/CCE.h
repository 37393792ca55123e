#pragma once

#include <functional>

#include <QObject>
#include <QPointer>

#include "mobr/export.h"

class CZqWindow;
class CceValidator;
#include <QLineEdit>

// Kind bits of a numeric edit. The values are those the dialogs pass
// (131 for a free-text name edit, 4234 for a signed real edit).
enum CceKind : int {
    CCE_TEXT = 0x0001,        // any character (only the length is limited)
    CCE_DIGITS = 0x0002,      // the digits 0-9
    CCE_POINT = 0x0008,       // one decimal point
    CCE_AUTOSELECT = 0x0080,  // the whole text is selected when the edit gets the focus
    CCE_SIGN = 0x1000,        // a leading '-' (when the range allows it) or '+'

    CCE_KIND_TEXT = CCE_TEXT | CCE_DIGITS | CCE_AUTOSELECT,                         // 131
    CCE_KIND_UNSIGNED = CCE_DIGITS | CCE_AUTOSELECT,                                // 130
    CCE_KIND_INTEGER = CCE_DIGITS | CCE_AUTOSELECT | CCE_SIGN,                      // 4226
    CCE_KIND_REAL = CCE_DIGITS | CCE_POINT | CCE_AUTOSELECT | CCE_SIGN,             // 4234
    CCE_KIND_UNSIGNED_REAL = CCE_DIGITS | CCE_POINT | CCE_AUTOSELECT,               // 138
};

// Why typed input was refused (the code of the control library's
// notification, window message 0x433 on the original platform).
enum CceError : int {
    CCE_ERR_TOO_LONG = 1,   // more characters than SetInpMax allows
    CCE_ERR_CHAR = 2,       // a character the kind does not allow
    CCE_ERR_POINT = 3,      // a second point, or a point where no decimals are allowed
    CCE_ERR_DECIMALS = 4,   // more decimals than SetAvailDec allows
    CCE_ERR_SIGN = 5,       // a sign not allowed, or not at the start
};
constexpr unsigned ZQ_WM_CCE_NOTIFY = 0x433;

// Numeric edit: gives a QLineEdit of a layout (found by control id) an input
// filter of allowed characters, decimals and length. The filter only refuses
// keystrokes; the value's range is checked by the dialog (CDlgDataCheck) when
// the field is left or the dialog confirmed, which is why SetMinMaxData only
// stores the range (and lets a '-' be typed only when the minimum is below 0).
// Texts set from code are not filtered.
//
// The dialog or page owns the CCE (usually as a member). The filter object
// lives with the edit; destroying the CCE first detaches it.
class MOBR_API CCE : public QObject {
    Q_OBJECT
public:
    explicit CCE(QObject* parent = nullptr);
    ~CCE() override;

    // Attaches to the QLineEdit with id `controlId` of `parent`; `kind` is a
    // CceKind value. Returns 1, or 0 when there is no such line edit.
    int SubclassCCE(int controlId, CZqWindow* parent, int kind);
    // Attaches to `edit` directly (id 0 when the edit has no "c<id>" name).
    int attach(QLineEdit* edit, int kind);

    // The range of the field (stored for the dialog; see above).
    void SetMinMaxData(double minimum, double maximum);
    // Decimals that may be typed after the point; -1 any (the default).
    void SetAvailDec(int decimals);
    // Characters the edit holds at most; 0 no limit (the default).
    void SetInpMax(int characters);
    // 1: refused input is reported instead of a beep: to the dialog or page
    // that holds the edit as OnNotify(control id, CCE_ERR_* code, the
    // SetInpMax limit), and to inputRejected and the handler of
    // setRejectHandler. 0 (the default): a beep only.
    void SetSendMessageMode(int on);

    double minimum() const { return minimum_; }
    double maximum() const { return maximum_; }
    bool hasRange() const { return hasRange_; }
    int kind() const { return kind_; }
    int controlId() const { return controlId_; }
    QLineEdit* edit() const;

    // Called with (control id, CCE_ERR_* code) for refused input while the
    // send-message mode is on.
    void setRejectHandler(std::function<void(int, int)> handler) { rejectHandler_ = std::move(handler); }

signals:
    void inputRejected(int controlId, int code);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyRules();
    void onRejected(int code);

    QPointer<QLineEdit> edit_;
    QPointer<CceValidator> validator_;
    int controlId_ = 0;
    int kind_ = 0;
    double minimum_ = 0.0;
    double maximum_ = 0.0;
    bool hasRange_ = false;
    int decimals_ = -1;
    int maxChars_ = 0;
    bool sendMessage_ = false;
    std::function<void(int, int)> rejectHandler_;
};
