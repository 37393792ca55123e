#pragma once

// CONTRACT DRAFT (completed by the dialog library's owner; may be extended).

#include <string>

#include "mobr/export.h"

class QWidget;

// Windows message-box flags and results keep their values.
enum : unsigned {
    ZQ_MB_OK = 0x00, ZQ_MB_OKCANCEL = 0x01, ZQ_MB_YESNOCANCEL = 0x03, ZQ_MB_YESNO = 0x04,
    ZQ_MB_ICONSTOP = 0x10, ZQ_MB_ICONQUESTION = 0x20, ZQ_MB_ICONEXCLAMATION = 0x30,
    ZQ_MB_ICONINFORMATION = 0x40, ZQ_MB_DEFBUTTON2 = 0x100,
};

// Shows message `messageId` (a string of the resource tables; "%s" in it is
// replaced by `argument`, a host-code-page text or null) with the buttons and
// icon of `flags`; returns 1 OK, 2 Cancel, 6 Yes or 7 No. `reserved` is 0.
// With a UI driver installed, the driver answers (and records) instead.
MOBR_API int ZqDlgMessageBox(QWidget* owner, unsigned flags, int reserved, int messageId,
                             const char* argument);
// A warning (exclamation icon, OK) with message `messageId`.
MOBR_API int ZqDlgWarningBox(QWidget* owner, int messageId);
// A message box with a ready text (host code page), for the check library.
MOBR_API int ZqDlgTextBox(QWidget* owner, unsigned flags, const std::string& text);
