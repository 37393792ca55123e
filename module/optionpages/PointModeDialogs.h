#pragma once

// The two editors of the point mode page: a search table ("IDD_S_009")
// and the point mode sequence of one input type ("IDD_S_030").

#include <vector>

#include "mobrdlg/ZqLinkDialog.h"
#include "optionpages/PointModes.h"

class CSchTableDlg : public CZqLinkDialog {
    Q_OBJECT
public:
    enum Control : int { kName = 1401, kDescription = 1701, kClear = 1509 };
    static constexpr int kHelpTopic = 486;
    static constexpr int kNameBytes = 10;  // five double-byte characters

    // `base`: the base table, whose name cannot be edited.
    CSchTableDlg(const pointmode::SearchTable& table, bool base, QWidget* parent = nullptr);
    ~CSchTableDlg() override;
    const pointmode::SearchTable& table() const { return table_; }
    // The kind a button adds, -1 for another control.
    static int kindOfButton(int id);
    // True when `table` holds a kind that disables button `id` (the grid
    // button also by any entry).
    static bool buttonBlocked(int id, const pointmode::SearchTable& table);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id) override;
    void OnEditChange(int id) override;
    void OnHelp() override;
    void OnOK() override;

private:
    void showTable();
    pointmode::SearchTable table_;
    bool base_;
};

class CPModeSeqDlg : public CZqLinkDialog {
    Q_OBJECT
public:
    static constexpr int kFirstList = 1201;
    static constexpr int kHelpTopic = 487;
    static constexpr int kTitle = 7121;
    static constexpr int kTypeNames = 7117;
    static constexpr int kFreeType = 3;

    CPModeSeqDlg(int inputType, const pointmode::Sequence& sequence, QWidget* parent = nullptr);
    ~CPModeSeqDlg() override;
    const pointmode::Sequence& sequence() const { return sequence_; }

protected:
    bool OnInitDialog() override;
    void OnHelp() override;
    void OnOK() override;

private:
    bool slotEditable(int slot) const;
    int type_;
    pointmode::Sequence sequence_;
    std::vector<char> codes_;
};

// Text of search kind `kind`; empty for a kind without one (9).
std::string SearchKindText(uint16_t kind);
// The texts of a table's kinds, in order.
std::string SearchTableDescription(const pointmode::SearchTable& table);
