#include "mobrcctl/ZqSampleDelegate.h"

#include <vector>

#include <QApplication>
#include <QPainter>

#include "mobrcctl/AdvancedListCtrl.h"
#include "mobrcctl/ZqSamplePainter.h"

ZqSampleDelegate::ZqSampleDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

void ZqSampleDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const int kind = index.data(SampleKindRole).toInt();
    if (kind == NoSample) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString text = opt.text;
    const bool selected = opt.state & QStyle::State_Selected;
    opt.text.clear();
    QStyle* style = opt.widget ? opt.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);

    const QRect cell = option.rect;
    const int split = std::min(cell.left() + sampleLeft_, cell.right());
    const QRect textRect(cell.left() + 3, cell.top(), split - cell.left() - 6, cell.height());
    const QRect sampleRect(split, cell.top() + 2, cell.right() - split - 2, cell.height() - 4);

    painter->save();
    painter->setClipRect(cell);
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
                      CAdvancedListCtrl::OmitString(text, option.fontMetrics, textRect.width()));
    const QColor colour = index.data(ColourRole).value<QColor>();
    // On a selected row the sample keeps its own background, so a line in
    // the highlight colour stays visible.
    if (selected) painter->fillRect(sampleRect, option.palette.color(QPalette::Base));
    if (kind == LineSample) {
        std::vector<double> pitch;
        for (const QVariant& v : index.data(PitchRole).toList()) pitch.push_back(v.toDouble());
        ZqSamplePainter::drawLineSample(*painter, sampleRect, index.data(LineWidthRole).toInt(), pitch,
                                        colour.isValid() ? colour : QColor(Qt::black));
    } else {
        ZqSamplePainter::drawColourSwatch(*painter, sampleRect, colour.isValid() ? colour : QColor(Qt::white));
    }
    painter->restore();
}
