#pragma once

#include <QPointer>
#include <QString>

#include "mobr/export.h"

class CZqWindow;
#include <QLineEdit>
class ZqSpinButtons;

// Spin styles (bits).
enum SpinStyle : int {
    SPIN_STYLE_ARROWKEYS = 0x1,  // the Up and Down keys step the value
    SPIN_STYLE_WRAP = 0x2,       // stepping past one end goes to the other
};

// Spin edit of a dialog: built with its range, step and start value, then
// attached by id to an edit of the layout (a ZqSpinEdit, or any line edit,
// which then gets the arrow buttons). Any text can be typed; the arrows, the
// Up/Down keys and the wheel step the number within the range. Checking a
// typed text is the dialog's job (CDlgDataCheck).
//
// Settings made before SubclassSpinEdit are applied when it attaches.
class MOBR_API CSpinEdit {
public:
    // Integer spin edit: minimum, maximum, step, start value; shown as "%d".
    CSpinEdit(int minimum, int maximum, int step, int start);
    // Real spin edit; shown with the decimals of SetValidDecimalPoint (0 at
    // first) or the format of SetFormatString.
    CSpinEdit(double minimum, double maximum, double step, double start);
    ~CSpinEdit();
    CSpinEdit(const CSpinEdit&) = delete;
    CSpinEdit& operator=(const CSpinEdit&) = delete;

    // Attaches to edit `editId` of `parent`; `spinId` names the spin part (kept
    // for the record; the arrows live inside the edit). Shows the start value.
    // Returns 1, or 0 when there is no such line edit.
    int SubclassSpinEdit(int editId, int spinId, CZqWindow* parent);
    // The layouts number a spin part this far above its edit.
    static constexpr int kSpinPartOffset = 1000;
    // Attaches to edit `editId`, its spin part numbered by kSpinPartOffset.
    int SubclassSpinEdit(int editId, CZqWindow* parent)
    {
        return SubclassSpinEdit(editId, editId + kSpinPartOffset, parent);
    }
    int attach(QLineEdit* edit);

    // The edit's number (the last value set or stepped to when the text is not
    // a number).
    double GetCurrentPosition() const;
    // Shows `value`, brought into the range; the user's handlers do not run.
    void SetCurrentPosition(double value);
    // SpinStyle bits; SPIN_STYLE_ARROWKEYS at first.
    void SetSpinStyle(int style);
    // Enables (1) or disables (0) the edit and its arrows.
    void SetWindowState(int enabled);
    // printf-like display format with one conversion ("%d", "%.1lf").
    void SetFormatString(const char* format);
    // Decimals shown when no format is set.
    void SetValidDecimalPoint(int decimals);

    int editId() const { return editId_; }
    int spinId() const { return spinId_; }
    double minimum() const { return minimum_; }
    double maximum() const { return maximum_; }
    QLineEdit* edit() const;
    ZqSpinButtons* spin() const;

private:
    void apply();

    QPointer<QLineEdit> edit_;
    int editId_ = 0;
    int spinId_ = 0;
    double minimum_;
    double maximum_;
    double step_;
    double position_;
    int style_ = SPIN_STYLE_ARROWKEYS;
    int decimals_ = 0;
    bool enabled_ = true;
    QString format_;
};
