#include "mobrdlg/ZqByteLimitValidator.h"

#include "mobrdlg/ZqText.h"

CZqByteLimitValidator::CZqByteLimitValidator(int maxBytes, QObject* parent)
    : QValidator(parent), maxBytes_(maxBytes)
{
}

QValidator::State CZqByteLimitValidator::validate(QString& input, int&) const
{
    return int(zqFromQString(input).size()) <= maxBytes_ ? Acceptable : Invalid;
}
