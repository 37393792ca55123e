#pragma once

#include <QStyledItemDelegate>

#include "mobr/export.h"

// Owner-drawn rows of the attribute lists (plain list widgets, combo boxes,
// tree widgets): the item's text, then a sample picture taken from the item's
// data roles. A row without a sample kind is painted as Qt paints it.
//
//   SampleKindRole  int: 0 none, 1 line sample, 2 colour swatch
//   LineWidthRole   int: line width in pixels
//   PitchRole       QVariantList of double: dash and gap lengths in pixels
//   ColourRole      QColor: the line's or the swatch's colour
//
// The sample occupies the cell from `sampleLeft` (pixels from the cell's left
// edge; lists align their samples to a label of the dialog) to the right
// edge; the text is cut with "..." before it.
class MOBR_API ZqSampleDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    enum Role : int {
        SampleKindRole = Qt::UserRole + 10,
        LineWidthRole,
        PitchRole,
        ColourRole,
    };
    enum Kind : int { NoSample = 0, LineSample = 1, ColourSwatch = 2 };

    explicit ZqSampleDelegate(QObject* parent = nullptr);

    void setSampleLeft(int pixels) { sampleLeft_ = pixels; }
    int sampleLeft() const { return sampleLeft_; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    int sampleLeft_ = 120;
};
