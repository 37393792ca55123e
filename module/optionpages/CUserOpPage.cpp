#include "optionpages/CUserOpPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <cstdio>
#include <cstring>

#include "frame/HostApi.h"
#include "mobr/Bytes.h"
#include "mobrcctl/ZqFieldBinder.h"
#include "mobrdlg/ZqControls.h"
#include "mobrdlg/ZqDialogString.h"
#include "mobrdlg/ZqModalStack.h"
#include "mobrdlg/ZqResources.h"
#include "platform/CodePage.h"

namespace {

constexpr int kReportChecked = 7079;
constexpr int kReportUnchecked = 7080;

std::string hostText(const QString& text)
{
    return mobr::cp932::fromQString(text);
}

std::string line(const char* format, const std::string& a, const std::string& b = {}, const std::string& c = {})
{
    char text[512];
    std::snprintf(text, sizeof text, format, a.c_str(), b.c_str(), c.c_str());
    return text;
}

std::string itemLine(const std::string& label, const std::string& value, const std::string& unit)
{
    if (unit.empty()) return line("%-35s: %s\n", label, value);
    return line("%-35s: %s %s\n", label, value, unit);
}

std::string controlText(const QWidget* widget)
{
    if (auto* combo = qobject_cast<const QComboBox*>(widget)) return hostText(combo->currentText());
    if (auto* edit = qobject_cast<const QLineEdit*>(widget)) return hostText(edit->text());
    return {};
}

// A radio button's caption: its text, else its tool tip (picture buttons).
QString buttonCaption(const QAbstractButton* button)
{
    return button->text().isEmpty() ? button->toolTip() : button->text();
}

}  // namespace

CUserOpPage::CUserOpPage(const char* layoutName, int titleId, int helpTopic, std::vector<ZqField> fields)
    : CZqLinkDialog(layoutName, std::move(fields)), title_(GetString(titleId)), helpTopic_(helpTopic)
{
}

CUserOpPage::~CUserOpPage() = default;

void CUserOpPage::setSheetHooks(KeyPreview tabKeys, std::function<void(int)> sheetCommand)
{
    tabKeys_ = std::move(tabKeys);
    sheetCommand_ = std::move(sheetCommand);
    if (controls()) controls()->setKeyPreview(tabKeys_);
}

bool CUserOpPage::initialise()
{
    if (!isCreated()) return false;
    if (controls() && tabKeys_) controls()->setKeyPreview(tabKeys_);
    return CZqModalStack::guarded(false, [this] { return OnInitDialog(); });
}

// ---- Opening -----------------------------------------------------------------

bool CUserOpPage::OnInitDialog()
{
    readHost();
    fillLists();
    binder_ = std::make_unique<CZqFieldBinder>(*this, fieldSet());
    binder_->attach();
    afterShow();
    initialised_ = true;
    return true;
}

void CUserOpPage::readHost() {}
void CUserOpPage::fillLists() {}
void CUserOpPage::afterShow() {}

void CUserOpPage::receive(int control, double value)
{
    if (const ZqField* field = fieldSet().byControl(control)) fieldSet().receive(*field, value);
}

double CUserOpPage::valueOf(int control) const
{
    return fieldSet().valueOf(control);
}

void CUserOpPage::fillFromStrings(int control, int firstString, int count)
{
    ResetContent(control);
    for (int i = 0; i < count; ++i) AddString(control, GetString(firstString + i));
}

// ---- Checks, commands, help ----------------------------------------------------

int CUserOpPage::CheckPageData()
{
    if (!binder_) return 1;  // never built: nothing was typed
    return binder_->checkAll() ? 1 : 0;
}

void CUserOpPage::ApplyToHost(CUserOpApplyLog&) {}

bool CUserOpPage::OnCommand(int id)
{
    // The page has no buttons of its own for these: Enter, Escape and F1 on
    // a page mean the options dialog's OK, Cancel and help.
    if ((id == IDOK || id == IDCANCEL) && sheetCommand_) {
        sheetCommand_(id);
        return true;
    }
    return CZqLinkDialog::OnCommand(id);
}

void CUserOpPage::OnOK() {}
void CUserOpPage::OnCancel() {}

void CUserOpPage::OnHelp()
{
    hostapi::aapRunDlgHelp(helpTopic_);
}

// ---- Option block ------------------------------------------------------------------

const std::vector<CUserOpPage::BlockSlot>& CUserOpPage::blockLayout() const
{
    static const std::vector<BlockSlot> none;
    return none;
}

int CUserOpPage::blockBytes() const
{
    int bytes = 0;
    for (const BlockSlot& slot : blockLayout()) bytes = std::max(bytes, slot.offset + (slot.real ? 8 : 4));
    return bytes;
}

int CUserOpPage::SetPageData(int item, std::intptr_t value)
{
    if (item != kItemBlock || blockLayout().empty() || value == 0) return 0;
    const auto* block = reinterpret_cast<const unsigned char*>(value);
    for (const BlockSlot& slot : blockLayout()) {
        const double v = slot.real ? mobr::bytes::get<double>(block, slot.offset)
                                   : mobr::bytes::get<int32_t>(block, slot.offset);
        receive(slot.control, v);
    }
    if (binder_) binder_->showAll();
    return 1;
}

int CUserOpPage::GetPageData(int item, void* buffer, int size)
{
    const int bytes = blockBytes();
    if (item != kItemBlock || bytes == 0 || !buffer || size < 0) return 0;
    std::vector<unsigned char> block(static_cast<std::size_t>(bytes), 0);
    for (const BlockSlot& slot : blockLayout()) {
        const double v = valueOf(slot.control);
        if (slot.real) {
            mobr::bytes::put<double>(block.data(), slot.offset, v);
        } else {
            mobr::bytes::put<int32_t>(block.data(), slot.offset, static_cast<int32_t>(v));
        }
    }
    // A smaller count gets the leading bytes; never more than the block.
    std::memcpy(buffer, block.data(), static_cast<std::size_t>(std::min(size, bytes)));
    return 1;
}

// ---- Settings report -------------------------------------------------------------

void CUserOpPage::WriteSettingReport(std::vector<std::string>& lines)
{
    lines.push_back(line("  < %s >\n", title_));
    lines.push_back("\n");
    for (const QGroupBox* group : findChildren<QGroupBox*>()) {
        writeGroupReport(*group, lines);
    }
}

// One group: its caption, then its items in the order of the layout (the
// order the layout file creates its widgets in).
void CUserOpPage::writeGroupReport(const QGroupBox& group, std::vector<std::string>& lines) const
{
    lines.push_back(line("[ %s ]\n", EditDialogString(hostText(group.title()))));
    const QList<QWidget*> widgets = group.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    std::string caption = EditDialogString(hostText(group.title()));
    bool radioDone = false;
    for (int i = 0; i < widgets.size(); ++i) {
        QWidget* w = widgets[i];
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (label->objectName().startsWith("unit")) continue;
            if (!label->buddy()) {
                caption = EditDialogString(hostText(label->text()));
                radioDone = false;
                continue;
            }
            std::string unit;
            if (i + 2 < widgets.size() && widgets[i + 2]->objectName().startsWith("unit"))
                unit = hostText(qobject_cast<QLabel*>(widgets[i + 2])->text());
            lines.push_back(itemLine(EditDialogString(hostText(label->text())), controlText(label->buddy()), unit));
        } else if (auto* radio = qobject_cast<QRadioButton*>(w)) {
            if (radioDone || !radio->isChecked()) continue;
            lines.push_back(itemLine(caption, EditDialogString(hostText(buttonCaption(radio))), {}));
            radioDone = true;
        } else if (auto* box = qobject_cast<QCheckBox*>(w)) {
            lines.push_back(itemLine(EditDialogString(hostText(box->text())),
                                     GetString(box->isChecked() ? kReportChecked : kReportUnchecked), {}));
        }
    }
    lines.push_back("\n");
}
