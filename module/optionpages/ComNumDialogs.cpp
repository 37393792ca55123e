#include "optionpages/ComNumDialogs.h"

#include <QApplication>
#include <QTreeWidget>

#include <cctype>
#include <cstdlib>
#include <cstring>

#include "frame/HostApi.h"
#include "mobr/Bytes.h"
#include "mobr/ComNumUs.h"
#include "mobrcctl/CCE.h"
#include "mobrcctl/ZqFieldBinder.h"
#include "mobrdlg/ZqMessageBox.h"
#include "mobrdlg/ZqResources.h"
#include "optionpages/OptionText.h"
#include "platform/CodePage.h"

namespace {

constexpr double kValueLimit = 99999999999999.0;
constexpr int kMsgNoName = 7233;
constexpr int kMsgNoNewName = 7234;
constexpr int kMsgDigitFirst = 7235;
constexpr int kMsgNoValue = 7236;
constexpr int kMsgNameUsed = 7237;
constexpr int kMsgNameReserved = 7238;
constexpr int kMsgTableFull = 7239;
constexpr int kReadChars = 32;
constexpr int kItemEntries = 30001;
constexpr int kMsgTooLong = 7222;

// The status text of input an edit refused (0: none).
int messageOfRejection(int code, bool name)
{
    switch (code) {
    case CCE_ERR_CHAR: return name ? 7225 : 7224;
    case CCE_ERR_SIGN: return 7226;
    case CCE_ERR_POINT: return 7227;
    case CCE_ERR_DECIMALS: return 7231;
    default: return 0;
    }
}

std::string trimmed(std::string text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    text.erase(0, first);
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

int messageOfResult(int result)
{
    switch (result) {
    case CComNumUs::kTableFull: return kMsgTableFull;
    case CComNumUs::kNameReserved: return kMsgNameReserved;
    case CComNumUs::kNameUsed: return kMsgNameUsed;
    default: return 0;
    }
}

}  // namespace

// ---- Parameter editor ------------------------------------------------------------

CComNumEditDlg::CComNumEditDlg(CComNumUs& table, int index, QWidget* parent)
    : CZqLinkDialog("IDD_S_004", {}, parent), table_(table), index_(index)
{
}

CComNumEditDlg::~CComNumEditDlg() = default;

bool CComNumEditDlg::OnInitDialog()
{
    nameEdit_ = std::make_unique<CCE>();
    nameEdit_->SubclassCCE(kName, this, CCE_KIND_TEXT);
    nameEdit_->SetInpMax(kNameChars);
    nameEdit_->SetSendMessageMode(1);
    valueEdit_ = std::make_unique<CCE>();
    valueEdit_->SubclassCCE(kValue, this, CCE_KIND_REAL);
    valueEdit_->SetMinMaxData(-kValueLimit, kValueLimit);
    valueEdit_->SetInpMax(kValueChars);
    valueEdit_->SetSendMessageMode(1);
    std::string name;
    double value = 0.0;
    if (index_ >= 0 && table_.GetPrm(index_, name, &value) == CComNumUs::kOk) {
        SetDlgItemText(kName, name);
        SetDlgItemText(kValue, optiontext::valueText(value));
    }
    SetDlgItemText(kStatus, "");
    SetFocusTo(kName);
    return true;
}

bool CComNumEditDlg::OnNotify(int id, int code, long long limit)
{
    if (id != kName && id != kValue) return false;
    if (code == CCE_ERR_TOO_LONG) {
        SetDlgItemText(kStatus, optiontext::format(kMsgTooLong, {std::to_string(limit)}));
    } else {
        const int message = messageOfRejection(code, id == kName);
        SetDlgItemText(kStatus, message ? GetString(message) : std::string());
    }
    return true;
}

void CComNumEditDlg::OnHelp()
{
    hostapi::aapRunDlgHelp(kHelpTopic);
}

bool CComNumEditDlg::refuse(int messageId, int control)
{
    SetDlgItemText(kStatus, GetString(messageId));
    SetFocusTo(control);
    SelectAllText(control);
    QApplication::beep();
    return false;
}

void CComNumEditDlg::OnOK()
{
    const std::string name = mobr::cp932::cut(trimmed(GetDlgItemText(kName)), kReadChars);
    const std::string valueText = mobr::cp932::cut(trimmed(GetDlgItemText(kValue)), kReadChars);
    if (name.empty()) {
        refuse(index_ < 0 ? kMsgNoNewName : kMsgNoName, kName);
        return;
    }
    if (std::isdigit(static_cast<unsigned char>(name[0]))) {
        refuse(kMsgDigitFirst, kName);
        return;
    }
    if (valueText.empty()) {
        refuse(kMsgNoValue, kValue);
        return;
    }
    const double value = std::strtod(valueText.c_str(), nullptr);
    const int result = index_ < 0 ? table_.AddValuePrm(name.c_str(), value)
                                  : table_.SetValuePrm(index_, name.c_str(), value);
    if (result != CComNumUs::kOk) {
        refuse(messageOfResult(result), kName);
        return;
    }
    EndDialog(ZQ_RESULT_OK);
}

// ---- Reference parameter list ---------------------------------------------------------

CComNumRefDlg::CComNumRefDlg() : CZqLinkDialog("IDD_S_005", {}) {}
CComNumRefDlg::~CComNumRefDlg() = default;

int CComNumRefDlg::SetPageTable(int item, const void* records, int count)
{
    if (item != kItemEntries || count < 0 || (count > 0 && !records)) return 0;
    entries_.clear();
    const auto* bytes = static_cast<const unsigned char*>(records);
    // The list holds at most 24 entries; the fields are cut to their sizes.
    for (int i = 0; i < std::min(count, comnumref::kMaxEntries); ++i) {
        const unsigned char* e = bytes + i * comnumref::kEntryBytes;
        const char* caption = reinterpret_cast<const char*>(e);
        const char* name = reinterpret_cast<const char*>(e + comnumref::kCaptionBytes);
        Entry entry;
        entry.caption = mobr::cp932::cut(std::string(caption, strnlen(caption, comnumref::kCaptionBytes)),
                                         comnumref::kCaptionBytes - 1);
        entry.name = mobr::cp932::cut(std::string(name, strnlen(name, comnumref::kNameBytes)), comnumref::kNameBytes - 1);
        entry.value = mobr::bytes::get<double>(e, comnumref::kCaptionBytes + comnumref::kNameBytes);
        entries_.push_back(entry);
    }
    return 1;
}

int CComNumRefDlg::GetPageTable(int item, void* records, int count)
{
    if (item != kItemEntries || count < 0 || (count > 0 && !records)) return 0;
    auto* bytes = static_cast<unsigned char*>(records);
    const int n = std::min(count, static_cast<int>(entries_.size()));
    for (int i = 0; i < n; ++i) {
        unsigned char* e = bytes + i * comnumref::kEntryBytes;
        std::memset(e, 0, comnumref::kEntryBytes);
        const Entry& entry = entries_[static_cast<std::size_t>(i)];
        mobr::cp932::copyToBuffer(entry.caption, reinterpret_cast<char*>(e), comnumref::kCaptionBytes);
        mobr::cp932::copyToBuffer(entry.name, reinterpret_cast<char*>(e + comnumref::kCaptionBytes), comnumref::kNameBytes);
        mobr::bytes::put<double>(e, comnumref::kCaptionBytes + comnumref::kNameBytes, entry.value);
    }
    return 1;
}

bool CComNumRefDlg::OnInitDialog()
{
    auto* list = item<QTreeWidget>(kList);
    if (list) {
        list->clear();
        // The row format's empty tab fields stand for columns 2 and 3.
        list->setColumnHidden(2, true);
        list->setColumnHidden(3, true);
        for (std::size_t i = 0; i < entries_.size(); ++i) new QTreeWidgetItem(list);
        for (int row = 0; row < static_cast<int>(entries_.size()); ++row) showRow(row);
        if (!entries_.empty()) list->setCurrentItem(list->topLevelItem(0));
    }
    EnableItem(kChange, !entries_.empty());
    return true;
}

// The row's columns are the tab-separated parts of "%-8.8s\t%-16.16s\t\t\t%s".
void CComNumRefDlg::showRow(int row)
{
    auto* list = item<QTreeWidget>(kList);
    QTreeWidgetItem* line = list ? list->topLevelItem(row) : nullptr;
    if (!line) return;
    const Entry& e = entries_[static_cast<std::size_t>(row)];
    line->setText(0, mobr::cp932::toQString(e.name));
    line->setText(1, mobr::cp932::toQString(optiontext::valueText(e.value)));
    line->setText(4, mobr::cp932::toQString(e.caption));
}

bool CComNumRefDlg::OnCommand(int id)
{
    if (id == kChange) {
        changeSelected();
        return true;
    }
    return CZqLinkDialog::OnCommand(id);
}

void CComNumRefDlg::OnDblClk(int id)
{
    if (id == kList) changeSelected();
}

void CComNumRefDlg::OnHelp()
{
    hostapi::aapRunDlgHelp(kHelpTopic);
}

void CComNumRefDlg::changeSelected()
{
    auto* list = item<QTreeWidget>(kList);
    const int row = list && list->currentItem() ? list->indexOfTopLevelItem(list->currentItem()) : -1;
    if (row < 0 || row >= static_cast<int>(entries_.size())) return;
    Entry& e = entries_[static_cast<std::size_t>(row)];
    CComNumValDlg editor(e.name, e.value, this);
    if (editor.DoModal() != ZQ_RESULT_OK) return;
    e.value = editor.value();
    showRow(row);
    list->setCurrentItem(list->topLevelItem(row));
}

// ---- Reference value editor ------------------------------------------------------------

namespace {

const std::vector<ZqField>& valueFields()
{
    static const std::vector<ZqField> fields = {
        ZqField::real(0, CComNumValDlg::kValue, -kValueLimit, kValueLimit).withMaxChars(16).withReceipt(ZqReceipt::Keep)};
    return fields;
}

}  // namespace

CComNumValDlg::CComNumValDlg(const std::string& name, double value, QWidget* parent)
    : CZqLinkDialog("IDD_S_006", valueFields(), parent), name_(name)
{
    fieldSet().receive(valueFields()[0], value);
}

CComNumValDlg::~CComNumValDlg() = default;

double CComNumValDlg::value() const
{
    return fieldSet().valueOf(kValue);
}

bool CComNumValDlg::OnInitDialog()
{
    SetDlgItemText(kName, name_);
    binder_ = std::make_unique<CZqFieldBinder>(*this, fieldSet());
    binder_->attach();
    SetDlgItemText(kValue, optiontext::valueText(value()));
    SetFocusTo(kValue);
    SelectAllText(kValue);
    return true;
}

void CComNumValDlg::OnHelp()
{
    hostapi::aapRunDlgHelp(kHelpTopic);
}

void CComNumValDlg::OnOK()
{
    if (binder_->checkAll()) EndDialog(ZQ_RESULT_OK);
}
