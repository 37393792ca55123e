#include "mobrcctl/ZqListCtrl.h"

#include <memory>

#include <QHeaderView>
#include <QTreeWidget>

#include "mobrcctl/CctlText.h"
#include "mobrcctl/ListTree.h"
#include "mobrdlg/ZqWindow.h"

namespace {

constexpr int kDataRole = Qt::UserRole + 1;

std::vector<std::string> splitTabs(const std::string& text) {
    std::vector<std::string> parts(1);
    for (char c : text) {  // a tab (0x09) is never part of a double-byte character
        if (c == '\t') {
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    return parts;
}

}  // namespace

CZqListCtrl::CZqListCtrl() = default;
CZqListCtrl::~CZqListCtrl() = default;

int CZqListCtrl::SubclassListCtrl(int controlId, CZqWindow* parent) {
    if (!parent) return 0;
    return attach(qobject_cast<QTreeWidget*>(parent->GetDlgItem(controlId)));
}

int CZqListCtrl::attach(QTreeWidget* tree) {
    if (!tree) return 0;
    tree_ = tree;
    cctl::prepareListTree(tree);
    SetExtendedStyle(extendedStyle_);
    return 1;
}

void CZqListCtrl::SetExtendedStyle(uint32_t style) {
    extendedStyle_ = style;
    if (!tree_) return;
    const bool fullRow = style & LVS_EX_FULLROWSELECT;
    tree_->setSelectionBehavior(fullRow ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    tree_->setAllColumnsShowFocus(fullRow);
    tree_->header()->setSectionsMovable(style & LVS_EX_HEADERDRAGDROP);
}

void CZqListCtrl::SetColumnString(const std::vector<std::string>& titles) {
    if (!tree_) return;
    QStringList labels;
    for (const std::string& t : titles) labels << cctltext::toQ(t);
    tree_->setColumnCount(static_cast<int>(titles.size()));
    tree_->setHeaderLabels(labels);
}

void CZqListCtrl::SetColumnString(int column, const std::string& title) {
    if (!tree_ || column < 0) return;
    if (tree_->columnCount() <= column) tree_->setColumnCount(column + 1);
    tree_->headerItem()->setText(column, cctltext::toQ(title));
}

void CZqListCtrl::SetColumnWidthRatio(int column, double ratio) {
    if (!tree_ || column < 0) return;
    tree_->setColumnWidth(column, static_cast<int>(tree_->viewport()->width() * ratio));
}

int CZqListCtrl::AddString(const std::vector<std::string>& columns) {
    return InsertString(GetCount(), columns);
}

int CZqListCtrl::AddString(const char* tabbedText) { return AddString(splitTabs(tabbedText ? tabbedText : "")); }

int CZqListCtrl::InsertString(int index, const std::vector<std::string>& columns) {
    if (!tree_) return -1;
    const int count = tree_->topLevelItemCount();
    if (index < 0 || index > count) index = count;
    if (tree_->columnCount() < static_cast<int>(columns.size()))
        tree_->setColumnCount(static_cast<int>(columns.size()));
    auto item = std::make_unique<QTreeWidgetItem>();
    for (std::size_t c = 0; c < columns.size(); ++c)
        item->setText(static_cast<int>(c), cctltext::toQ(columns[c]));
    tree_->insertTopLevelItem(index, item.release());  // the tree owns it now
    return index;
}

int CZqListCtrl::InsertString(int index, const char* tabbedText) {
    return InsertString(index, splitTabs(tabbedText ? tabbedText : ""));
}

int CZqListCtrl::DeleteString(int index) {
    if (!tree_ || index < 0 || index >= tree_->topLevelItemCount()) return -1;
    std::unique_ptr<QTreeWidgetItem> removed(tree_->takeTopLevelItem(index));
    return tree_->topLevelItemCount();
}

void CZqListCtrl::ResetContent() {
    if (tree_) tree_->clear();
}

int CZqListCtrl::GetCount() const { return tree_ ? tree_->topLevelItemCount() : 0; }

int CZqListCtrl::GetCurSel() const {
    if (!tree_) return -1;
    const QList<QTreeWidgetItem*> selected = tree_->selectedItems();
    if (selected.isEmpty()) return -1;
    return tree_->indexOfTopLevelItem(selected.first());
}

int CZqListCtrl::SetCurSel(int index) {
    if (!tree_) return -1;
    QTreeWidgetItem* item = (index >= 0) ? tree_->topLevelItem(index) : nullptr;
    if (!item) {
        tree_->clearSelection();
        return -1;
    }
    tree_->setCurrentItem(item);
    item->setSelected(true);
    tree_->scrollToItem(item);
    return index;
}

std::string CZqListCtrl::GetText(int row, int column) const {
    QTreeWidgetItem* item = tree_ ? tree_->topLevelItem(row) : nullptr;
    return item ? cctltext::fromQ(item->text(column)) : std::string();
}

void CZqListCtrl::SetText(int row, int column, const std::string& text) {
    QTreeWidgetItem* item = tree_ ? tree_->topLevelItem(row) : nullptr;
    if (!item || column < 0) return;
    if (tree_->columnCount() <= column) tree_->setColumnCount(column + 1);
    item->setText(column, cctltext::toQ(text));
}

void CZqListCtrl::SetItemData(int row, std::intptr_t data) {
    QTreeWidgetItem* item = tree_ ? tree_->topLevelItem(row) : nullptr;
    if (item) item->setData(0, kDataRole, QVariant::fromValue<qlonglong>(data));
}

std::intptr_t CZqListCtrl::GetItemData(int row) const {
    QTreeWidgetItem* item = tree_ ? tree_->topLevelItem(row) : nullptr;
    return item ? static_cast<std::intptr_t>(item->data(0, kDataRole).toLongLong()) : 0;
}
