#pragma once

#include <QValidator>

// Refuses input whose host-code-page form is longer than a number of bytes:
// an edit's text limit counts bytes, so a double-byte character takes two.
class CZqByteLimitValidator : public QValidator {
    Q_OBJECT
public:
    CZqByteLimitValidator(int maxBytes, QObject* parent);
    State validate(QString& input, int& pos) const override;

private:
    int maxBytes_;
};
