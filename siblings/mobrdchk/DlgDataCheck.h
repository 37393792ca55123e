#pragma once

#include <string>

#include <QPointer>
#include <QWidget>

#include "mobr/export.h"

// Input checks of the dialogs. A dialog or page derives from this class (or
// holds one) and checks each numeric field in its fixed order: first that the
// text is a number within its digit limit (StringCheck), then that the value
// lies in its range (CheckData). A failing check returns 0 and keeps the
// failure's message (GetLastErrMsg / GetLastErrId). The caller then shows it
// at the field (DataCheckMsgBoxEx) and gives the field the focus with its
// whole text selected (focusField).
//
// Number texts follow the grammar of numtext::parse (NumberText.h): optional
// blanks, an optional sign, decimal digits with an optional point, optional
// blanks; no exponent.
class MOBR_API CDlgDataCheck {
public:
    CDlgDataCheck();
    virtual ~CDlgDataCheck();

    // 1 (the default): a failing check shows its message itself, owned by
    // the window given to SetMsgOwner (the active window when none).
    // 0: the checks are silent; the caller shows GetLastErrMsg when it likes.
    void SetMsgBox(int on);
    int GetMsgBox() const { return msgBox_; }
    void SetMsgOwner(QWidget* owner) { msgOwner_ = owner; }

    // Real form: 1 when `text` is a number with at most `digits` decimals
    // (digits < 0: any number of decimals; 0: a whole number, "12." allowed)
    // that a double holds; the value goes to *value (when not null). On 0,
    // *value is left as it was.
    int StringCheck(const std::string& text, int digits, double* value);
    // Integer form: 1 when `text` is a whole number (no point) with at most
    // `digits` digits, leading zeros not counted (digits <= 0: no digit limit)
    // that an int holds; the value goes to *value (when not null).
    int StringCheck(const std::string& text, int digits, int* value);

    // 1 when minimum <= value <= maximum, both ends included; a not-a-number
    // value or bound fails. The message names both ends.
    int CheckData(double value, double minimum, double maximum);
    int CheckData(int value, int minimum, int maximum);

    // Text (host code page) and message id of the last failure; empty and 0
    // after a check that passed.
    const std::string& GetLastErrMsg() const { return lastErrMsg_; }
    int GetLastErrId() const { return lastErrId_; }

    // Shows `text` in a warning box owned by the window of `field` (the
    // owner of SetMsgOwner when null) and returns the box's result. When
    // `text` is the last failure's message, the box carries its message id,
    // so a scripted run records which failure was reported.
    int DataCheckMsgBoxEx(const std::string& text, QWidget* field);
    int DataCheckMsgBox(const std::string& text);

    // `value` as text with `digits` significant digits, plain notation,
    // trailing zeros after the point and a bare point removed
    // (numtext::significant). Returns the text's length in bytes.
    static int DbltoStr(double value, int digits, std::string& text);
    // Removes blanks (space, tab, double-byte space) at both ends of `text`
    // and returns it.
    static std::string& SpaceCut(std::string& text);
    // True when `text` is empty or holds blanks only.
    static bool IsAllSpace(const std::string& text);

    // What the caller does after a failure: focus `field` and select its
    // whole text (line edits, editable combo boxes, spin edits).
    static void focusField(QWidget* field);

private:
    int fail(int messageId, const std::string& argument);
    void succeed();

    int msgBox_ = 1;
    QPointer<QWidget> msgOwner_;
    std::string lastErrMsg_;
    int lastErrId_ = 0;
};
