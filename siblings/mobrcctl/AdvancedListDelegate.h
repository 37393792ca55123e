#pragma once

#include <QPointer>
#include <QStyledItemDelegate>

class CAdvancedListCtrl;

// Paints the cells of a CAdvancedListCtrl (row background, then the list's
// DrawSubItem or its image and text) and runs its in-place label edits.
class AdvancedListDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // Item data role of a cell's image index (int, -1 none).
    static constexpr int ImageRole = Qt::UserRole + 2;

    AdvancedListDelegate(CAdvancedListCtrl* list, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

private:
    QPointer<CAdvancedListCtrl> list_;
};
