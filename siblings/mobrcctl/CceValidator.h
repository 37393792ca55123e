#pragma once

#include <QValidator>

// The input filter of a numeric edit (CCE): which characters may be typed and
// how many. It never judges the value's range (the dialog checks that when the
// field is left or the dialog confirmed), and it answers Acceptable for every
// text it lets through, so that Enter and focus-lost signals of the edit are
// never held back by a half-typed number such as "-" or "1.".
class CceValidator : public QValidator {
    Q_OBJECT
public:
    struct Rules {
        int kind = 0;            // CCE_* bits of CCE.h
        int maxChars = 0;        // 0: no limit
        int decimals = -1;       // decimals allowed after the point; <0: any
        bool negativeAllowed = true;
    };

    explicit CceValidator(QObject* parent = nullptr);

    void setRules(const Rules& rules) { rules_ = rules; }
    const Rules& rules() const { return rules_; }

    // 0 when `text` passes the filter, else the CCE_ERR_* code of the first
    // rule it breaks.
    int check(const QString& text) const;

    State validate(QString& text, int& pos) const override;

signals:
    // A text was refused; `code` is a CCE_ERR_* code.
    void rejected(int code) const;

private:
    Rules rules_;
};
