#pragma once

#include <string>

#include "mobr/export.h"

class QWidget;

// A warning by message id (exclamation icon, OK button), shown over `owner`.
//   CWarningMsg(this).Show(7210);
class MOBR_API CWarningMsg {
public:
    explicit CWarningMsg(QWidget* owner = nullptr);
    // Shows message `messageId` ("%s" replaced by `argument`, host code page).
    int Show(int messageId, const char* argument = nullptr) const;
    int Show(int messageId, const std::string& argument) const;

private:
    QWidget* owner_;
};
