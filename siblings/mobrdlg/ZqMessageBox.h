#pragma once

#include <string>
#include <vector>

#include "mobr/export.h"

class QWidget;

// Windows message-box flags and results keep their values.
enum : unsigned {
    ZQ_MB_OK = 0x00, ZQ_MB_OKCANCEL = 0x01, ZQ_MB_ABORTRETRYIGNORE = 0x02,
    ZQ_MB_YESNOCANCEL = 0x03, ZQ_MB_YESNO = 0x04, ZQ_MB_RETRYCANCEL = 0x05,
    ZQ_MB_ICONSTOP = 0x10, ZQ_MB_ICONQUESTION = 0x20, ZQ_MB_ICONEXCLAMATION = 0x30,
    ZQ_MB_ICONINFORMATION = 0x40, ZQ_MB_DEFBUTTON2 = 0x100, ZQ_MB_DEFBUTTON3 = 0x200,
};
enum : int {
    ZQ_ID_OK = 1, ZQ_ID_CANCEL = 2, ZQ_ID_ABORT = 3, ZQ_ID_RETRY = 4, ZQ_ID_IGNORE = 5,
    ZQ_ID_YES = 6, ZQ_ID_NO = 7,
};

// Shows message `messageId` (a string of the resource tables; "%s" in it is
// replaced by `argument`, a host-code-page text or null; "%%" shows one '%')
// with the buttons and icon of `flags`; returns 1 OK, 2 Cancel, 6 Yes or 7 No
// (3, 4, 5 for abort/retry/ignore boxes). `reserved` is 0. A message id that
// no table has is shown as "Message <id>" rather than an empty box.
// With a UI driver installed, the driver answers (and records) instead.
MOBR_API int ZqDlgMessageBox(QWidget* owner, unsigned flags, int reserved, int messageId,
                             const char* argument);
// A warning (exclamation icon, OK) with message `messageId`.
MOBR_API int ZqDlgWarningBox(QWidget* owner, int messageId);
// A message box with a ready text (host code page), for the check library.
// `messageId` (optional) only tells the UI driver's transcript which message it was.
MOBR_API int ZqDlgTextBox(QWidget* owner, unsigned flags, const std::string& text,
                          int messageId = 0);

// The results the buttons of `flags` give, in button order.
MOBR_API std::vector<int> ZqMessageBoxAnswers(unsigned flags);
// The result of the default button of `flags` (what Enter gives).
MOBR_API int ZqMessageBoxDefaultAnswer(unsigned flags);
// Message `messageId`'s text with `argument` in it, in host code page.
MOBR_API std::string ZqFormatMessage(int messageId, const char* argument);
