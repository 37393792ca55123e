#include "attributes/AttributeEditDlg.h"

#include "frame/HostApi.h"
#include "mobrcctl/ZqFieldBinder.h"
#include "mobrdchk/DlgDataCheck.h"
#include "mobrdlg/ZqMessageBox.h"
#include "mobrdlg/ZqResources.h"

CAttributeEditDlg::CAttributeEditDlg(const char* layoutName, std::vector<ZqField> fields, const Texts& texts,
                                     FindName find, void* table, int entry, Mode mode, QWidget* parent)
    : CZqLinkDialog(layoutName, std::move(fields), parent),
      texts_(texts),
      table_(table),
      names_(texts.names, [find, table](const char* name) { return find(table, name); }),
      entry_(mode == Mode::Modify ? entry : 0),
      mode_(mode)
{
}

CAttributeEditDlg::~CAttributeEditDlg() = default;

bool CAttributeEditDlg::OnInitDialog()
{
    setWindowTitle(ZqGetQString(mode_ == Mode::New ? texts_.captionNew : texts_.captionModify));
    initFields();
    binder_ = std::make_unique<CZqFieldBinder>(*this, fieldSet());
    binder_->attach();
    fieldsShown();
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
    if (!binder_->checkAll() || !takeFields()) return;
    name_ = name;
    EndDialog(ZQ_RESULT_OK);
}
