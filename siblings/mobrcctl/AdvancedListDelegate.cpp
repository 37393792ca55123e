#include "mobrcctl/AdvancedListDelegate.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>

#include "mobrcctl/AdvancedListCtrl.h"

AdvancedListDelegate::AdvancedListDelegate(CAdvancedListCtrl* list, QObject* parent)
    : QStyledItemDelegate(parent), list_(list) {}

void AdvancedListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString text = opt.text;
    const bool selected = opt.state & QStyle::State_Selected;
    // Background first (selection, focus), without text or icon.
    opt.text.clear();
    opt.icon = QIcon();
    opt.features &= ~QStyleOptionViewItem::HasDisplay;
    QStyle* style = opt.widget ? opt.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);

    painter->save();
    painter->setClipRect(option.rect);
    const int row = index.parent().isValid() ? -1 : index.row();
    if (list_ && list_->DrawSubItem(*painter, option.rect, row, index.column(), selected)) {
        painter->restore();
        return;
    }
    QRect r = option.rect.adjusted(3, 0, -3, 0);
    const int image = index.data(ImageRole).isValid() ? index.data(ImageRole).toInt() : -1;
    if (list_ && image >= 0 && image < static_cast<int>(list_->images().size())) {
        const QPixmap& pm = list_->images()[static_cast<std::size_t>(image)];
        const QPoint at(r.left(), r.top() + (r.height() - pm.height()) / 2);
        painter->drawPixmap(at, pm);
        r.setLeft(r.left() + pm.width() + 3);
    }
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    const Qt::Alignment align = QFlag(index.data(Qt::TextAlignmentRole).isValid()
                                          ? index.data(Qt::TextAlignmentRole).toInt()
                                          : int(Qt::AlignLeft | Qt::AlignVCenter));
    painter->drawText(r, int(align | Qt::AlignVCenter),
                      CAdvancedListCtrl::OmitString(text, option.fontMetrics, r.width()));
    painter->restore();
}

QSize AdvancedListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QSize s = QStyledItemDelegate::sizeHint(option, index);
    int imageHeight = 0;
    if (list_)
        for (const QPixmap& pm : list_->images()) imageHeight = std::max(imageHeight, pm.height());
    s.setHeight(std::max({s.height(), imageHeight + 2, option.fontMetrics.height() + 4}));
    return s;
}

void AdvancedListDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                        const QModelIndex& index) const {
    auto* edit = qobject_cast<QLineEdit*>(editor);
    if (!edit || !list_) return;
    // Taken first: the handler may touch the row, which refills the editor
    // with the row's old text.
    const QString text = edit->text();
    if (list_->labelEdited(index.row(), text)) model->setData(index, text, Qt::EditRole);
}
