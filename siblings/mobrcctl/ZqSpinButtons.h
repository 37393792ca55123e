#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include "mobr/export.h"

class QLineEdit;
class QToolButton;

// The stepping part of a spin edit, attached to any QLineEdit: two arrow
// buttons inside the edit's right edge, the Up/Down keys and the mouse wheel.
// A step reads the edit's number (the last value set when the text is not
// one), adds the step, keeps the result within the range (or wraps), writes
// it in the display format and reports it as the user's edit (textEdited),
// so the dialog's edit-change handler runs. Typing is never restricted: any
// text can be typed, and checking it is the dialog's job.
class MOBR_API ZqSpinButtons : public QObject {
    Q_OBJECT
public:
    // The stepping part of `edit`, created on first use (a child of the edit).
    static ZqSpinButtons* of(QLineEdit* edit);

    void setRange(double minimum, double maximum);
    void setStep(double step) { step_ = step; }
    // Up/Down keys step (1) or not (0); wrapping at the ends (2).
    void setArrowKeys(bool on) { arrowKeys_ = on; }
    void setWrap(bool on) { wrap_ = on; }
    // printf-like format with one conversion: %d (the value truncated toward
    // zero), %f / %lf with an optional precision, %g; other text is kept.
    // Empty: the value with `decimals` decimals.
    void setFormat(const QString& format) { format_ = format; }
    void setDecimals(int decimals) { decimals_ = decimals < 0 ? 0 : decimals; }

    double minimum() const { return minimum_; }
    double maximum() const { return maximum_; }
    double step() const { return step_; }

    // The edit's number, or the last value set or stepped to when the text is
    // not a number.
    double value() const;
    // Shows `value` (kept within the range) in the display format; not a
    // user edit.
    void setValue(double value);
    // Steps `steps` times (negative: down), as a user would.
    void stepBy(int steps);
    QString format(double value) const;

    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

signals:
    void stepped(double value);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit ZqSpinButtons(QLineEdit* edit);
    void placeButtons();

    QLineEdit* edit_;
    QToolButton* up_;
    QToolButton* down_;
    double minimum_ = 0.0;
    double maximum_ = 100.0;
    double step_ = 1.0;
    double last_ = 0.0;
    int decimals_ = 0;
    bool arrowKeys_ = true;
    bool wrap_ = false;
    QString format_;
};
