#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <QPointer>

#include "mobr/export.h"

class CZqWindow;
#include <QTreeWidget>

// Multi-column list of a dialog, attached by id to the layout's QTreeWidget
// (shown flat, one selectable row per entry). Texts are in host code page;
// a row given as one text (a C string, so that a braced list of texts always
// means columns) is split into columns at its tabs.
class MOBR_API CZqListCtrl {
public:
    CZqListCtrl();
    virtual ~CZqListCtrl();
    CZqListCtrl(const CZqListCtrl&) = delete;
    CZqListCtrl& operator=(const CZqListCtrl&) = delete;

    // Attaches to list `controlId` of `parent`; 1, or 0 when it has none.
    int SubclassListCtrl(int controlId, CZqWindow* parent);
    int attach(QTreeWidget* tree);
    QTreeWidget* tree() const { return tree_.data(); }

    // Column titles; their number sets the number of columns.
    void SetColumnString(const std::vector<std::string>& titles);
    // Title of one column (columns up to it are created).
    void SetColumnString(int column, const std::string& title);
    // Extended style bits, the values the dialogs pass: 0x20 selects whole
    // rows (otherwise single cells), 0x10 lets the user drag the column
    // headers into another order. The list starts with whole-row selection.
    enum : uint32_t { LVS_EX_HEADERDRAGDROP = 0x10, LVS_EX_FULLROWSELECT = 0x20 };
    void SetExtendedStyle(uint32_t style);
    uint32_t GetExtendedStyle() const { return extendedStyle_; }
    // Column width as a fraction (0 to 1) of the list's client width.
    void SetColumnWidthRatio(int column, double ratio);

    // Appends a row; returns its index, -1 when not attached.
    int AddString(const std::vector<std::string>& columns);
    int AddString(const char* tabbedText);
    // Inserts a row before `index` (at the end when index is out of range);
    // returns its index, -1 when not attached.
    int InsertString(int index, const std::vector<std::string>& columns);
    int InsertString(int index, const char* tabbedText);
    // Removes row `index`; returns the rows left, -1 for a bad index.
    int DeleteString(int index);
    void ResetContent();

    int GetCount() const;
    // The selected row, -1 when none.
    int GetCurSel() const;
    // Selects row `index` (-1 clears the selection) and shows it; returns
    // the index, -1 for a bad index (the selection is then cleared).
    int SetCurSel(int index);
    std::string GetText(int row, int column) const;
    void SetText(int row, int column, const std::string& text);
    // A value carried by a row (0 when none or bad index).
    void SetItemData(int row, std::intptr_t data);
    std::intptr_t GetItemData(int row) const;

private:
    QPointer<QTreeWidget> tree_;
    uint32_t extendedStyle_ = LVS_EX_FULLROWSELECT;
};
