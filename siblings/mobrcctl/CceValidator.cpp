#include "mobrcctl/CceValidator.h"

#include "mobrcctl/CCE.h"

CceValidator::CceValidator(QObject* parent) : QValidator(parent) {}

int CceValidator::check(const QString& text) const {
    if (rules_.maxChars > 0 && text.size() > rules_.maxChars) return CCE_ERR_TOO_LONG;
    if (rules_.kind & CCE_TEXT) return 0;

    int pointAt = -1;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            if (!(rules_.kind & CCE_DIGITS)) return CCE_ERR_CHAR;
            if (pointAt >= 0 && rules_.decimals >= 0 && i - pointAt > rules_.decimals)
                return CCE_ERR_DECIMALS;
        } else if (c == QLatin1Char('.')) {
            if (!(rules_.kind & CCE_POINT) || rules_.decimals == 0) return CCE_ERR_POINT;
            if (pointAt >= 0) return CCE_ERR_POINT;
            pointAt = i;
        } else if (c == QLatin1Char('-') || c == QLatin1Char('+')) {
            if (!(rules_.kind & CCE_SIGN) || i != 0) return CCE_ERR_SIGN;
            if (c == QLatin1Char('-') && !rules_.negativeAllowed) return CCE_ERR_SIGN;
        } else {
            return CCE_ERR_CHAR;
        }
    }
    return 0;
}

QValidator::State CceValidator::validate(QString& text, int& pos) const {
    const int code = check(text);
    if (code == 0) return Acceptable;
    emit rejected(code);
    return Invalid;
}
