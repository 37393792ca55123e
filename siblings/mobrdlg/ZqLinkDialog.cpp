#include "mobrdlg/ZqLinkDialog.h"

#include <exception>

#include "mobrdlg/ZqLog.h"

CZqLinkDialog::CZqLinkDialog(const char* layoutName, std::vector<ZqField> fields, QWidget* parent)
    : CZqDialog(layoutName, parent), CZqFieldLink(std::move(fields))
{
}

int CZqLinkDialog::RunDialog(int* result)
{
    int modal = ZQ_RESULT_NOT_CREATED;
    try {
        modal = DoModal();
    } catch (const std::exception& error) {
        qCWarning(lcZqDlg, "%s: %s", layoutName().c_str(), error.what());
    }
    if (result) *result = modal;
    return (modal == ZQ_RESULT_NOT_CREATED || modal == ZQ_RESULT_CLOSED_OPENING) ? 0 : 1;
}

void* CZqLinkDialog::GetPageWindow()
{
    return static_cast<QWidget*>(this);
}
