#include "attributes/AttributeListPage.h"

#include <algorithm>
#include <memory>
#include <new>

#include <QEvent>
#include <QListWidget>
#include <QSize>

#include "frame/HostApi.h"
#include "mobrcctl/ZqSampleDelegate.h"
#include "mobr/host_types.h"
#include "mobrdlg/ZqMessageBox.h"
#include "platform/CodePage.h"

namespace {
constexpr int kSampleGap = 2;  // pixels between the sample column and its heading's left edge
}

const CAttributeListPage::TableAccess& CAttributeListPage::accessTo(Table table)
{
    using namespace hostapi;
    // Widths used by a pen (bit 0x10) and colours in use (bit 0x1) stay, and
    // so does the last width or colour; fonts in use (bit 0x10000) stay, the
    // last font may go. Fonts keep no rename list. Messages 7267, 7268 and
    // 7269 report a new entry that the host refused.
    static const TableAccess tables[] = {
        {&aatWidGetCount, &aatWidGetName, &aatWidFindName, &aatWidGetAttrib, &aatWidNewInfo, &aatWidSetName,
         &aatWidDeleteInfo, &AddWidthNameStringList, &ClearWidthNameStringList, 0x10, true, 7267},
        {&aatColGetCount, &aatColGetName, &aatColFindName, &aatColGetAttrib, &aatColNewInfo, &aatColSetName,
         &aatColDeleteInfo, &AddColorNameStringList, &ClearColorNameStringList, 0x1, true, 7268},
        {&aatFntGetCount, &aatFntGetName, &aatFntFindName, &aatFntGetAttrib, &aatFntNewInfo, &aatFntSetName,
         &aatFntDeleteInfo, nullptr, nullptr, 0x10000, false, 7269},
    };
    return tables[static_cast<int>(table)];
}

CAttributeListPage::CAttributeListPage(const char* layoutName, int helpTopic, Table table, int sampleLabel,
                                       int rowHeight)
    : CZqPropertyPage(layoutName),
      helpTopic_(helpTopic),
      access_(accessTo(table)),
      renames_(access_.recordRename, access_.clearRenames),
      sampleLabel_(sampleLabel),
      rowHeight_(rowHeight)
{
}

int CAttributeListPage::SetPageData(int item, std::intptr_t value)
{
    if (item != kItemTable) return 0;
    table_ = reinterpret_cast<void*>(value);
    return 1;
}

std::string CAttributeListPage::entryName(int entry) const
{
    char name[mobr::kHostNameBufferBytes] = {};
    access_.getName(table_, entry, name);
    return name;
}

int CAttributeListPage::nameEntry(int entry, const std::string& name)
{
    if (entry < 1) return access_.newInfo(table_, name.c_str());
    const std::string old = entryName(entry);
    access_.setName(table_, entry, name.c_str());
    if (access_.recordRename) renames_.record(old, name);
    return entry;
}

int CAttributeListPage::findEntry(const std::string& name) const
{
    return name.empty() ? -1 : access_.findName(table_, name.c_str());
}

bool CAttributeListPage::entryInUse(int entry) const
{
    const int attrib = access_.getAttrib(table_, entry);
    return attrib >= 0 && (attrib & access_.inUseBit);
}

bool CAttributeListPage::removeEntry(int entry)
{
    return access_.deleteInfo(table_, entry) == 0;
}

QListWidget* CAttributeListPage::list() const
{
    return item<QListWidget>(kList);
}

bool CAttributeListPage::OnInitDialog()
{
    if (!table_) return false;
    if (QListWidget* rows = list()) {
        if (sampleLabel_) {
            delegate_ = new ZqSampleDelegate(rows);
            rows->setItemDelegate(delegate_);
            rows->installEventFilter(this);
            if (QWidget* label = GetDlgItem(sampleLabel_)) label->installEventFilter(this);
        }
    }
    fillList(0);
    return true;
}

bool CAttributeListPage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize || event->type() == QEvent::Move || event->type() == QEvent::Show) {
        alignSamples();
    }
    return CZqPropertyPage::eventFilter(watched, event);
}

void CAttributeListPage::alignSamples()
{
    QListWidget* rows = list();
    QWidget* label = sampleLabel_ ? GetDlgItem(sampleLabel_) : nullptr;
    if (!delegate_ || !rows || !label) return;
    const int left = label->mapTo(rootWidget(), QPoint(0, 0)).x() -
                     rows->viewport()->mapTo(rootWidget(), QPoint(0, 0)).x() - kSampleGap;
    if (left > 0 && left != delegate_->sampleLeft()) {
        delegate_->setSampleLeft(left);
        rows->viewport()->update();
    }
}

void CAttributeListPage::fillList(int row)
{
    ResetContent(kList);
    count_ = 0;
    const int count = std::clamp(access_.count(table_), 0, kMaxEntries);
    for (int entry = 1; entry <= count; ++entry) {
        if (!insertRow(count_, entry)) break;
        ++count_;
    }
    const int empty = AddString(kList, std::string());
    if (QListWidget* rows = list(); rows && empty >= 0) rows->item(empty)->setSizeHint(QSize(1, rowHeight_));
    SetCurSel(kList, row);
    refreshButtons();
}

bool CAttributeListPage::insertRow(int row, int entry)
{
    QListWidget* rows = list();
    if (!rows) return false;
    try {
        rows->insertItem(row, mobr::cp932::toQString(entryName(entry)));
        rows->item(row)->setSizeHint(QSize(1, rowHeight_));
        decorateRow(*rows->item(row), entry);
    } catch (const std::bad_alloc&) {
        ZqDlgMessageBox(this, ZQ_MB_OK | ZQ_MB_ICONEXCLAMATION, 0, kMsgOutOfSpace, nullptr);
        return false;
    }
    return true;
}

void CAttributeListPage::redecorateRows()
{
    QListWidget* rows = list();
    if (!rows) return;
    for (int row = 0; row < count_; ++row) {
        const int entry = entryOfRow(row);
        if (entry > 0) decorateRow(*rows->item(row), entry);
    }
    rows->viewport()->update();
}

int CAttributeListPage::entryOfRow(int row) const
{
    if (row < 0 || row >= count_) return -1;
    return findEntry(GetItemText(kList, row));
}

bool CAttributeListPage::canDelete(int entry) const
{
    if (entry < 1 || entryInUse(entry)) return false;
    return !(access_.keepsLastEntry && count_ <= 1);
}

void CAttributeListPage::refreshButtons()
{
    if (!list()) return;
    EnableItem(kAdd, count_ < kMaxEntries);
    const int entry = entryOfRow(GetCurSel(kList));
    EnableItem(kModify, entry > 0);
    EnableItem(kDelete, canDelete(entry));
}

// ---- Actions --------------------------------------------------------------------

void CAttributeListPage::addEntry()
{
    if (count_ >= kMaxEntries) return;
    const int row = GetCurSel(kList);
    if (!runEditor(0)) return;
    const int entry = applyEditor(0);
    if (entry < 1) {
        ZqDlgMessageBox(this, ZQ_MB_OK | ZQ_MB_ICONEXCLAMATION, 0, access_.addFailedMessage, nullptr);
        SetCurSel(kList, row);
        refreshButtons();
        return;
    }
    if (insertRow(count_, entry)) {
        SetCurSel(kList, count_);
        ++count_;
    } else {
        // The entry is in the table but not listed: show it by reading the
        // table again rather than lose track of it.
        fillList(row);
    }
    refreshButtons();
}

void CAttributeListPage::modifyEntry()
{
    const int row = GetCurSel(kList);
    const int entry = entryOfRow(row);
    if (entry < 1 || !runEditor(entry)) return;
    applyEditor(entry);
    if (QListWidget* rows = list()) {
        QListWidgetItem* item = rows->item(row);
        item->setText(mobr::cp932::toQString(entryName(entry)));
        decorateRow(*item, entry);
    }
    SetCurSel(kList, row);
    refreshButtons();
}

void CAttributeListPage::deleteEntry()
{
    const int row = GetCurSel(kList);
    const int entry = entryOfRow(row);
    if (!canDelete(entry)) return;
    // The host first: a refused delete keeps the row, so list and table agree.
    if (!removeEntry(entry)) return;
    if (QListWidget* rows = list()) std::unique_ptr<QListWidgetItem> gone(rows->takeItem(row));
    --count_;
    // The same row index, or the row before the empty row after the last
    // entry; the empty row when no entry is left.
    SetCurSel(kList, std::max(0, std::min(row, count_ - 1)));
    refreshButtons();
}

// ---- Handlers -------------------------------------------------------------------

bool CAttributeListPage::OnCommand(int id)
{
    switch (id) {
    case kAdd: addEntry(); return true;
    case kModify: modifyEntry(); return true;
    case kDelete: deleteEntry(); return true;
    default: return CZqPropertyPage::OnCommand(id);
    }
}

void CAttributeListPage::OnSelChange(int id)
{
    if (id == kList) refreshButtons();
}

void CAttributeListPage::OnDblClk(int id)
{
    if (id != kList) return;
    // A double-click means Modify; on the empty row there is nothing to modify.
    if (entryOfRow(GetCurSel(kList)) > 0) modifyEntry();
}

bool CAttributeListPage::OnKeyDown(int id, int key, Qt::KeyboardModifiers modifiers)
{
    if (id == kList && key == Qt::Key_Delete && modifiers == Qt::NoModifier) {
        deleteEntry();
        return true;
    }
    return CZqPropertyPage::OnKeyDown(id, key, modifiers);
}

void CAttributeListPage::OnHelp()
{
    hostapi::aapRunDlgHelp(helpTopic_);
}
