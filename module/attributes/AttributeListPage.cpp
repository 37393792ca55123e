#include "attributes/AttributeListPage.h"

#include <algorithm>
#include <memory>
#include <new>

#include <QEvent>
#include <QListWidget>

#include "frame/HostApi.h"
#include "mobrcctl/ZqSampleDelegate.h"
#include "mobrdlg/ZqMessageBox.h"
#include "platform/CodePage.h"

namespace {
constexpr int kSampleGap = 2;  // pixels between the sample column and its heading's left edge
}

CAttributeListPage::CAttributeListPage(const char* layoutName, int helpTopic, int sampleLabel)
    : CZqPropertyPage(layoutName), helpTopic_(helpTopic), sampleLabel_(sampleLabel)
{
}

QListWidget* CAttributeListPage::list() const
{
    return item<QListWidget>(kList);
}

bool CAttributeListPage::OnInitDialog()
{
    if (!hasTable()) return false;
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
    const int count = std::clamp(tableCount(), 0, kMaxEntries);
    for (int entry = 1; entry <= count; ++entry) {
        if (!insertRow(count_, entry)) break;
        ++count_;
    }
    AddString(kList, std::string());
    SetCurSel(kList, row);
    refreshButtons();
}

bool CAttributeListPage::insertRow(int row, int entry)
{
    QListWidget* rows = list();
    if (!rows) return false;
    try {
        rows->insertItem(row, mobr::cp932::toQString(entryName(entry)));
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
    return !(keepsLastEntry() && count_ <= 1);
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
    const int entry = createEntry();
    if (entry < 1) {
        ZqDlgMessageBox(this, ZQ_MB_OK | ZQ_MB_ICONEXCLAMATION, 0, createFailedMessage(), nullptr);
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
    updateEntry(entry);
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
    // The empty row stands for a new entry.
    if (entryOfRow(GetCurSel(kList)) > 0) {
        modifyEntry();
    } else if (GetCurSel(kList) == count_) {
        addEntry();
    }
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
