#include "mobrcctl/AdvancedListCtrl.h"

#include <memory>

#include <QBitmap>
#include <QFontMetrics>
#include <QHeaderView>
#include <QPainter>
#include <QTreeWidget>

#include "mobrcctl/AdvancedListDelegate.h"
#include "mobrcctl/CctlText.h"
#include "mobrcctl/ListTree.h"
#include "mobrdlg/ZqWindow.h"

namespace {
constexpr int kDataRole = Qt::UserRole + 1;
}

CAdvancedListCtrl::CAdvancedListCtrl(QObject* parent) : QObject(parent) {}

CAdvancedListCtrl::~CAdvancedListCtrl() {
    // The delegate belongs to the tree; leave the tree with Qt's own painting.
    if (tree_) {
        QAbstractItemDelegate* d = tree_->itemDelegate();
        if (qobject_cast<AdvancedListDelegate*>(d)) {
            tree_->setItemDelegate(nullptr);
            d->deleteLater();
        }
    }
}

int CAdvancedListCtrl::SubclassListCtrl(int controlId, CZqWindow* parent) {
    if (!parent) return 0;
    return attach(qobject_cast<QTreeWidget*>(parent->GetDlgItem(controlId)));
}

int CAdvancedListCtrl::attach(QTreeWidget* tree) {
    if (!tree) return 0;
    tree_ = tree;
    cctl::prepareListTree(tree);
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree->setItemDelegate(new AdvancedListDelegate(this, tree));  // owned by the tree
    return 1;
}

int CAdvancedListCtrl::InsertColumn(int column, const std::string& title, int align, int width) {
    if (!tree_) return -1;
    const int count = tree_->columnCount();
    // A tree always has at least one column; the first insert takes it.
    const bool fresh = columnsMade_ == 0;
    if (fresh) tree_->setColumnCount(1);
    if (column < 0 || column > (fresh ? 0 : count)) column = fresh ? 0 : count;
    QTreeWidgetItem* header = tree_->headerItem();
    if (!fresh) {
        // Shift titles, alignments and widths right of `column`.
        tree_->setColumnCount(count + 1);
        for (int c = count; c > column; --c) {
            header->setText(c, header->text(c - 1));
            header->setData(c, Qt::TextAlignmentRole, header->data(c - 1, Qt::TextAlignmentRole));
            tree_->setColumnWidth(c, tree_->columnWidth(c - 1));
            for (int r = 0; r < tree_->topLevelItemCount(); ++r) {
                QTreeWidgetItem* it = tree_->topLevelItem(r);
                it->setText(c, it->text(c - 1));
                it->setData(c, AdvancedListDelegate::ImageRole, it->data(c - 1, AdvancedListDelegate::ImageRole));
            }
        }
        for (int r = 0; r < tree_->topLevelItemCount(); ++r) {
            QTreeWidgetItem* it = tree_->topLevelItem(r);
            it->setText(column, QString());
            it->setData(column, AdvancedListDelegate::ImageRole, QVariant());
        }
    }
    ++columnsMade_;
    const int qtAlign = align == AlignRight ? int(Qt::AlignRight) : align == AlignCenter ? int(Qt::AlignHCenter) : int(Qt::AlignLeft);
    header->setText(column, cctltext::toQ(title));
    header->setData(column, Qt::TextAlignmentRole, qtAlign | int(Qt::AlignVCenter));
    columnAlign_.insert(columnAlign_.begin() + std::min<std::size_t>(column, columnAlign_.size()), qtAlign);
    tree_->setColumnWidth(column, width);
    return column;
}

void CAdvancedListCtrl::DeleteAllColumns() {
    if (!tree_) return;
    tree_->clear();
    tree_->setColumnCount(1);
    tree_->headerItem()->setText(0, QString());
    columnsMade_ = 0;
    columnAlign_.clear();
}

int CAdvancedListCtrl::GetColumnCount() const { return tree_ ? (columnsMade_ ? tree_->columnCount() : 0) : 0; }

QTreeWidgetItem* CAdvancedListCtrl::item(int row) const {
    return (tree_ && row >= 0) ? tree_->topLevelItem(row) : nullptr;
}

int CAdvancedListCtrl::InsertItem(int row, const std::string& text) {
    if (!tree_) return -1;
    const int count = tree_->topLevelItemCount();
    if (row < 0 || row > count) row = count;
    auto it = std::make_unique<QTreeWidgetItem>();
    it->setText(0, cctltext::toQ(text));
    for (std::size_t c = 0; c < columnAlign_.size(); ++c)
        it->setData(static_cast<int>(c), Qt::TextAlignmentRole, columnAlign_[c] | int(Qt::AlignVCenter));
    tree_->insertTopLevelItem(row, it.release());  // the tree owns it now
    return row;
}

bool CAdvancedListCtrl::SetItemText(int row, int column, const std::string& text) {
    QTreeWidgetItem* it = item(row);
    if (!it || column < 0 || column >= tree_->columnCount()) return false;
    it->setText(column, cctltext::toQ(text));
    return true;
}

std::string CAdvancedListCtrl::GetItemText(int row, int column) const {
    QTreeWidgetItem* it = item(row);
    return it ? cctltext::fromQ(it->text(column)) : std::string();
}

bool CAdvancedListCtrl::DeleteItem(int row) {
    if (!item(row)) return false;
    std::unique_ptr<QTreeWidgetItem> removed(tree_->takeTopLevelItem(row));
    return true;
}

bool CAdvancedListCtrl::DeleteAllItems() {
    if (!tree_) return false;
    while (tree_->topLevelItemCount() > 0) {
        std::unique_ptr<QTreeWidgetItem> removed(tree_->takeTopLevelItem(tree_->topLevelItemCount() - 1));
    }
    return true;
}

int CAdvancedListCtrl::GetItemCount() const { return tree_ ? tree_->topLevelItemCount() : 0; }

void CAdvancedListCtrl::SetItemData(int row, std::intptr_t data) {
    if (QTreeWidgetItem* it = item(row)) it->setData(0, kDataRole, QVariant::fromValue<qlonglong>(data));
}

std::intptr_t CAdvancedListCtrl::GetItemData(int row) const {
    QTreeWidgetItem* it = item(row);
    return it ? static_cast<std::intptr_t>(it->data(0, kDataRole).toLongLong()) : 0;
}

int CAdvancedListCtrl::GetCurSel() const {
    if (!tree_) return -1;
    const QList<QTreeWidgetItem*> selected = tree_->selectedItems();
    return selected.isEmpty() ? -1 : tree_->indexOfTopLevelItem(selected.first());
}

int CAdvancedListCtrl::SetCurSel(int row) {
    if (!tree_) return -1;
    QTreeWidgetItem* it = item(row);
    if (!it) {
        tree_->clearSelection();
        return -1;
    }
    tree_->setCurrentItem(it);
    it->setSelected(true);
    tree_->scrollToItem(it);
    return row;
}

int CAdvancedListCtrl::SetSubImageList(const QPixmap& strip, int imageWidth, QRgb transparent) {
    images_.clear();
    if (strip.isNull() || imageWidth <= 0) return 0;
    QPixmap clear = strip;
    clear.setMask(strip.createMaskFromColor(QColor::fromRgb(transparent), Qt::MaskInColor));
    for (int x = 0; x + imageWidth <= strip.width(); x += imageWidth)
        images_.push_back(clear.copy(x, 0, imageWidth, strip.height()));
    RedrawItems();
    return static_cast<int>(images_.size());
}

int CAdvancedListCtrl::SetSubImageList(const std::vector<QPixmap>& images) {
    images_ = images;
    RedrawItems();
    return static_cast<int>(images_.size());
}

bool CAdvancedListCtrl::SetSubItemImage(int row, int column, int image) {
    QTreeWidgetItem* it = item(row);
    if (!it || column < 0 || column >= tree_->columnCount()) return false;
    it->setData(column, AdvancedListDelegate::ImageRole, image >= 0 ? QVariant(image) : QVariant());
    return true;
}

int CAdvancedListCtrl::GetSubItemImage(int row, int column) const {
    QTreeWidgetItem* it = item(row);
    if (!it) return -1;
    const QVariant v = it->data(column, AdvancedListDelegate::ImageRole);
    return v.isValid() ? v.toInt() : -1;
}

bool CAdvancedListCtrl::EditLabel(int row) {
    QTreeWidgetItem* it = item(row);
    if (!it) return false;
    it->setFlags(it->flags() | Qt::ItemIsEditable);
    tree_->setCurrentItem(it);
    tree_->editItem(it, 0);
    return true;
}

bool CAdvancedListCtrl::labelEdited(int row, const QString& text) {
    if (QTreeWidgetItem* it = item(row)) it->setFlags(it->flags() & ~Qt::ItemIsEditable);
    if (!labelHandler_) return true;
    return labelHandler_(row, cctltext::fromQ(text));
}

QString CAdvancedListCtrl::OmitString(const QString& text, const QFontMetrics& metrics, int width) {
    if (metrics.horizontalAdvance(text) <= width) return text;
    const QString dots = QStringLiteral("...");
    if (metrics.horizontalAdvance(dots) > width) return QString();
    // Cut whole characters (surrogate pairs kept together) until it fits.
    QString head = text;
    while (!head.isEmpty() && metrics.horizontalAdvance(head + dots) > width) {
        head.chop(1);
        if (!head.isEmpty() && head.back().isHighSurrogate()) head.chop(1);
    }
    return head + dots;
}

std::string CAdvancedListCtrl::OmitString(const std::string& text, const QFontMetrics& metrics, int width) {
    return cctltext::fromQ(OmitString(cctltext::toQ(text), metrics, width));
}

bool CAdvancedListCtrl::DrawSubItem(QPainter&, const QRect&, int, int, bool) { return false; }

void CAdvancedListCtrl::RedrawItems() {
    if (tree_) tree_->viewport()->update();
}
