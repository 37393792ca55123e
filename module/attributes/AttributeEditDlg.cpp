#include "attributes/AttributeEditDlg.h"

#include <cstdio>
#include <exception>

#include "frame/HostApi.h"
#include "mobrdlg/ZqMessageBox.h"
#include "mobrdlg/ZqResources.h"

CAttributeEditDlg::CAttributeEditDlg(const char* layoutName, const Texts& texts, FindName find, void* table,
                                     int entry, Mode mode, QWidget* parent)
    : CZqDialog(layoutName, parent),
      texts_(texts),
      table_(table),
      names_(texts.names, [find, table](const char* name) { return find(table, name); }),
      entry_(mode == Mode::Modify ? entry : 0),
      mode_(mode)
{
    check_.SetMsgBox(0);
}

int CAttributeEditDlg::RunDialog(int* result)
{
    int modal = ZQ_RESULT_NOT_CREATED;
    try {
        modal = DoModal();
    } catch (const std::exception& error) {
        // A host failure inside the editor ends it as "could not be shown".
        std::fprintf(stderr, "%s: %s\n", layoutName().c_str(), error.what());
    }
    if (result) *result = modal;
    return (modal == ZQ_RESULT_NOT_CREATED || modal == ZQ_RESULT_CLOSED_OPENING) ? 0 : 1;
}

void* CAttributeEditDlg::GetPageWindow()
{
    return static_cast<QWidget*>(this);
}

bool CAttributeEditDlg::OnInitDialog()
{
    setWindowTitle(ZqGetQString(mode_ == Mode::New ? texts_.captionNew : texts_.captionModify));
    initFields();
    SetFocusTo(kNameEdit);
    return true;
}

void CAttributeEditDlg::OnHelp()
{
    hostapi::aapRunDlgHelp(texts_.helpTopic);
}

bool CAttributeEditDlg::refuse(int id, int field, const char* argument)
{
    ZqDlgMessageBox(this, ZQ_MB_OK | ZQ_MB_ICONEXCLAMATION, 0, id, argument);
    CDlgDataCheck::focusField(GetDlgItem(field));
    return false;
}

void CAttributeEditDlg::OnOK()
{
    std::string name;
    if (!names_.check(*this, kNameEdit, entry_, name)) return;
    if (!takeFields()) return;
    name_ = name;
    EndDialog(ZQ_RESULT_OK);
}
