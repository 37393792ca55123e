#include "mobrdlg/WarningMsg.h"

#include "mobrdlg/ZqMessageBox.h"

CWarningMsg::CWarningMsg(QWidget* owner) : owner_(owner) {}

int CWarningMsg::Show(int messageId, const char* argument) const
{
    return ZqDlgMessageBox(owner_, ZQ_MB_OK | ZQ_MB_ICONEXCLAMATION, 0, messageId, argument);
}

int CWarningMsg::Show(int messageId, const std::string& argument) const
{
    return Show(messageId, argument.c_str());
}
