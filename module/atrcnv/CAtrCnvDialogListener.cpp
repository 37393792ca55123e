#include "atrcnv/CAtrCnvDialogListener.h"

#include "frame/ModuleLog.h"
#include "mobrdlg/ZqMessageBox.h"
#include "platform/CodePage.h"

int CAtrCnvDialogListener::message(int messageId, unsigned flags)
{
    return ZqDlgMessageBox(owner_, flags, 0, messageId, nullptr);
}

void CAtrCnvDialogListener::warning(int messageId)
{
    ZqDlgWarningBox(owner_, messageId);
}

void CAtrCnvDialogListener::targetsChanged(atrcnv::Kind kind)
{
    if (targetsChanged_) targetsChanged_(kind);
}

void CAtrCnvDialogListener::note(const std::string& text)
{
    qCInfo(lcModule, "attribute conversion: %s", mobr::cp932::toUtf8(text).c_str());
}
