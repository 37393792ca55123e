#include "options/CUserOpSheet.h"

#include <QLayout>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

#include "mobrdlg/ZqControls.h"
#include "mobrdlg/ZqResources.h"
#include "mobrdlg/ZqSheetTabs.h"
#include "mobrdlg/ZqWaitCursor.h"
#include "optionpages/CUserOpPage.h"
#include "options/CUserTempSaveDlg.h"
#include "options/ReportCommand.h"
#include "options/UserOpApplyLog.h"
#include "platform/CodePage.h"

namespace {

// The pages that write their own values, in the order OK has them write.
constexpr UserOpSlot kSelfWriting[] = {kSlotGeneral, kSlotOperation, kSlotPointModes, kSlotDimension};

}  // namespace

CUserOpSheet::CUserOpSheet(CUserOpApplyLog& log) : CZqLinkDialog("IDD_S_017", {}), log_(log) {}

CUserOpSheet::~CUserOpSheet()
{
    // The pages belong to the caller: take them out before Qt deletes children.
    for (CUserOpPage* page : pages_.bySlot)
        if (page && page->parent()) page->setParent(nullptr);
}

int CUserOpSheet::SetPageInt(int item, int value)
{
    if (item != kItemApplyMode || (value != 0 && value != 1)) return 0;
    applyMode_ = value;
    return 1;
}

int CUserOpSheet::GetPageInt(int item, int* value)
{
    if (item != kItemApplyMode || !value) return 0;
    *value = applyMode_;
    return 1;
}

int CUserOpSheet::SetPageString(int item, const char* text)
{
    if (!text) return 0;
    if (item == kItemTemplateFile) templateFile_ = text;
    else if (item == kItemTemplateFolder) templateFolder_ = text;
    else return 0;
    return 1;
}

bool CUserOpSheet::SetPage(int slot, CUserOpPage* page)
{
    if (slot < 0 || slot >= kSlotCount) return false;
    pages_.bySlot[static_cast<std::size_t>(slot)] = page;
    return true;
}

// ---- Opening -----------------------------------------------------------------

bool CUserOpSheet::OnInitDialog()
{
    CZqWaitCursor wait;
    if (applyMode_ == 0) {
        // Editing a template: one closing button, which writes nothing.
        ShowItem(IDCANCEL, false);
        EnableItem(IDCANCEL, false);
        SetDlgItemText(IDOK, GetString(kTemplateCloseText));
    }
    if (controls()) controls()->setKeyPreview([this](int key, Qt::KeyboardModifiers m) { return tabKey(key, m); });
    addPages();
    return true;
}

void CUserOpSheet::addPages()
{
    QWidget* frame = GetDlgItem(kPageFrame);
    if (!frame) return;
    auto* box = qobject_cast<QVBoxLayout*>(frame->layout());
    if (!box) box = new QVBoxLayout(frame);  // owned by the frame
    box->setContentsMargins(0, 0, 0, 0);
    tabs_ = new CZqSheetTabs(
        frame, [this](int index) { return selectTab(index); },
        [this](int key, Qt::KeyboardModifiers m) { return tabKey(key, m); });
    tabs_->setObjectName(QStringLiteral("tabs%1").arg(kTabs));
    box->addWidget(tabs_);
    for (CUserOpPage* page : pages_.bySlot) {
        if (!page) continue;
        page->setWindowFlags(Qt::Widget);
        const std::string title = mobr::cp932::cut(page->title(), kTabTitleBytes - 1);
        tabs_->addTab(page, mobr::cp932::toQString(title));
        page->setSheetHooks([this](int key, Qt::KeyboardModifiers m) { return pageKey(key, m); },
                            [this](int command) { OnCommand(command); });
        page->initialise();
    }
    tabs_->setCurrentIndex(0);
}

// ---- Tabs ----------------------------------------------------------------------

int CUserOpSheet::currentSlot() const
{
    const CUserOpPage* page = currentPage();
    for (int slot = 0; slot < kSlotCount; ++slot)
        if (page && pages_.bySlot[static_cast<std::size_t>(slot)] == page) return slot;
    return -1;
}

CUserOpPage* CUserOpSheet::currentPage() const
{
    return tabs_ ? qobject_cast<CUserOpPage*>(tabs_->currentWidget()) : nullptr;
}

bool CUserOpSheet::currentPageValid()
{
    CUserOpPage* page = currentPage();
    return !page || page->CheckPageData() != 0;
}

// A change of tab: the page shown must pass its check first.
bool CUserOpSheet::selectTab(int index)
{
    if (!tabs_ || index < 0 || index >= tabs_->count()) return false;
    if (index == tabs_->currentIndex()) return true;
    if (!currentPageValid()) return false;
    tabs_->setCurrentIndex(index);
    return true;
}

// Ctrl+Tab and Ctrl+PageDown go to the next tab, Ctrl+Shift+Tab and
// Ctrl+PageUp to the previous one, wrapping round at both ends; the tab
// bar then has the focus.
bool CUserOpSheet::tabKey(int key, Qt::KeyboardModifiers modifiers)
{
    if (!tabs_ || !(modifiers & Qt::ControlModifier) || (modifiers & Qt::AltModifier)) return false;
    const bool shift = modifiers & Qt::ShiftModifier;
    int step = 0;
    if ((key == Qt::Key_Tab && !shift) || key == Qt::Key_PageDown) step = 1;
    else if (key == Qt::Key_Backtab || (key == Qt::Key_Tab && shift) || key == Qt::Key_PageUp) step = -1;
    if (step == 0) return false;
    const int count = tabs_->count();
    if (count > 1 && selectTab((tabs_->currentIndex() + step + count) % count)) tabs_->tabBar()->setFocus();
    return true;
}

// Keys in a page's controls: the tab keys, and Enter, which presses the
// dialog's default button (a page has none of its own).
bool CUserOpSheet::pageKey(int key, Qt::KeyboardModifiers modifiers)
{
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !(modifiers & ~Qt::KeypadModifier)) {
        OnCommand(IDOK);
        return true;
    }
    return tabKey(key, modifiers);
}

CZqWindow* CUserOpSheet::windowOf(int id)
{
    // The page shown first: some ids (1501, 1502) are on pages and on the dialog.
    CUserOpPage* page = currentPage();
    if (page && page->GetDlgItem(id)) return page;
    return GetDlgItem(id) ? this : nullptr;
}

bool CUserOpSheet::switchPage(int index)
{
    return selectTab(index);
}

std::string CUserOpSheet::shownPageName() const
{
    const CUserOpPage* page = currentPage();
    return page ? page->layoutName() : std::string();
}

int CUserOpSheet::pageIndexOf(const std::string& layout) const
{
    if (!tabs_) return -1;
    for (int i = 0; i < tabs_->count(); ++i) {
        const auto* page = qobject_cast<const CUserOpPage*>(tabs_->widget(i));
        if (page && page->layoutName() == layout) return i;
    }
    return -1;
}

// ---- Commands ---------------------------------------------------------------------

bool CUserOpSheet::OnCommand(int id)
{
    switch (id) {
    case IDOK:
        if (applyMode_ == 0) EndDialog(ZQ_RESULT_CANCEL);  // the template editor's closing button
        else acceptOptions();
        return true;
    case IDCANCEL:
        EndDialog(ZQ_RESULT_CANCEL);
        return true;
    case kSaveTemplate:
        if (currentPageValid()) saveTemplate();
        return true;
    case kReport:
        if (currentPageValid()) RunSettingsReport(this, pages_, templateFile_);
        return true;
    default:
        return CZqLinkDialog::OnCommand(id);
    }
}

void CUserOpSheet::acceptOptions()
{
    if (!currentPageValid()) return;
    for (UserOpSlot slot : kSelfWriting)
        if (CUserOpPage* page = pages_.at(slot)) page->ApplyToHost(log_);
    EndDialog(ZQ_RESULT_OK);
}

void CUserOpSheet::saveTemplate()
{
    CUserTempSaveDlg save(this, pages_, log_, templateFile_, templateFolder_);
    if (save.DoModal() == ZQ_RESULT_OK) templateSaved_ = true;
}

void CUserOpSheet::OnHelp()
{
    if (CUserOpPage* page = currentPage(); page && page->controls()) page->controls()->dispatchHelp();
}
