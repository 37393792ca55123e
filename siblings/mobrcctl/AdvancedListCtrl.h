#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <QObject>
#include <QPixmap>
#include <QPointer>

#include "mobr/export.h"

class CZqWindow;
class QFontMetrics;
class QPainter;
class QRect;
#include <QTreeWidget>
class QTreeWidgetItem;

// Report-style list with per-cell images, owner-drawn cells and in-place
// editing of a row's label (first column), attached by id to the layout's
// QTreeWidget. A derived list paints its own cells by overriding DrawSubItem;
// OmitString shortens a text to a cell's width.
class MOBR_API CAdvancedListCtrl : public QObject {
    Q_OBJECT
public:
    enum Align : int { AlignLeft = 0, AlignRight = 1, AlignCenter = 2 };

    explicit CAdvancedListCtrl(QObject* parent = nullptr);
    ~CAdvancedListCtrl() override;

    int SubclassListCtrl(int controlId, CZqWindow* parent);
    int attach(QTreeWidget* tree);
    QTreeWidget* tree() const { return tree_.data(); }

    // Inserts column `column` with a title (host code page), alignment and
    // width in pixels; returns its index, -1 when not attached.
    int InsertColumn(int column, const std::string& title, int align = AlignLeft, int width = 80);
    // Removes every column (and every row).
    void DeleteAllColumns();
    int GetColumnCount() const;

    // Inserts a row before `row` (appended when out of range) with the text
    // of its first column; returns its index, -1 when not attached.
    int InsertItem(int row, const std::string& text);
    bool SetItemText(int row, int column, const std::string& text);
    std::string GetItemText(int row, int column) const;
    bool DeleteItem(int row);
    bool DeleteAllItems();
    int GetItemCount() const;
    void SetItemData(int row, std::intptr_t data);
    std::intptr_t GetItemData(int row) const;
    int GetCurSel() const;
    int SetCurSel(int row);

    // The images of the cells: `strip` cut into images `imageWidth` wide,
    // with `transparent` made see-through. Returns the number of images.
    int SetSubImageList(const QPixmap& strip, int imageWidth, QRgb transparent);
    int SetSubImageList(const std::vector<QPixmap>& images);
    // Shows image `image` of the list in a cell; -1 shows none.
    bool SetSubItemImage(int row, int column, int image);
    int GetSubItemImage(int row, int column) const;

    // Starts the in-place edit of the label of `row`; false when the row does
    // not exist or editing is refused by the label handler's absence.
    bool EditLabel(int row);
    // Called with the row and the new label (host code page) when an in-place
    // edit ends with Enter or a focus change; return true to accept (the row
    // then shows the text), false to keep the old label. Escape cancels.
    void setLabelEditHandler(std::function<bool(int, const std::string&)> handler) {
        labelHandler_ = std::move(handler);
    }

    // The list's advanced-style word: kept for the owner, nothing else.
    uint32_t GetAdvancedStyle() const;
    void SetAdvancedStyle(uint32_t style);

    // `text` shortened with "..." so that it fits `width` pixels in `metrics`
    // (the text itself when it fits; "..." alone, or nothing, when even that
    // is too wide).
    static QString OmitString(const QString& text, const QFontMetrics& metrics, int width);
    // The same for a host-code-page text (never splits a double-byte character).
    static std::string OmitString(const std::string& text, const QFontMetrics& metrics, int width);

    // Owner draw: paints cell (`row`, `column`) into `rect` after the row's
    // background (selection included) was painted; returns true when it drew
    // the cell, false to let the list draw its text and image.
    virtual bool DrawSubItem(QPainter& painter, const QRect& rect, int row, int column, bool selected);
    // Repaints every row.
    void RedrawItems();

    // Called by the delegate when an in-place edit ends.
    bool labelEdited(int row, const QString& text);
    const std::vector<QPixmap>& images() const { return images_; }

private:
    QTreeWidgetItem* item(int row) const;

    QPointer<QTreeWidget> tree_;
    std::vector<QPixmap> images_;
    std::function<bool(int, const std::string&)> labelHandler_;
    std::vector<int> columnAlign_;  // Qt horizontal alignment per column
    int columnsMade_ = 0;
    uint32_t advancedStyle_ = 0;
};
