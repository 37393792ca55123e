#pragma once

#include <vector>

#include <QIcon>

#include "atrcnv/AtrCnvTypes.h"
#include "mobrcctl/ZqListCtrl.h"
#include "mobrdlg/ZqPropertyPage.h"

class CAtrCnvSheet;
class CAtrCnvTargets;
class QTreeWidgetItem;

// What the pen, width and colour pages of the conversion share: the list of
// the current figure's entries with their targets (control 1601, owner-drawn
// samples), the details of the selected row on both sides, and the choice of
// another target (button 1501 or a double click). Each page gives its
// columns when it is made and says how a row and the details look and how a
// choice is made.
class CCnvTargetPage : public CZqPropertyPage {
    Q_OBJECT
public:
    enum Control : int { kChooseButton = 1501, kList = 1601 };
    static constexpr int kHelpTopic = 488;
    struct ColumnSpec {
        int title;     // string id
        double ratio;  // of the list's client width
        int sample;    // ZqSampleDelegate::Kind drawn in the cell (0: text only)
    };

    CCnvTargetPage(CAtrCnvSheet& sheet, const char* layoutName, std::vector<ColumnSpec> columns);
    ~CCnvTargetPage() override;

    // Refills the list from the tables and the target list (after a
    // reference load or a definition application).
    void rebuildList(bool selectFirst);
    // The list's current row, 0 when none.
    int currentRow() const;
    // Opens the choice dialog for the current row.
    virtual void chooseTarget() = 0;

protected:
    const std::vector<ColumnSpec>& columns() const { return columns_; }
    // Rows: the entries of the current figure's table.
    virtual int rowCount() const = 0;
    virtual void fillRow(QTreeWidgetItem* item, int row) = 0;
    virtual void showDetails() = 0;

    CAtrCnvTargets& targets() const;
    CAtrCnvSheet& sheet() const { return sheet_; }
    CZqListCtrl& list() { return list_; }
    const QIcon& inUseIcon() const { return inUseIcon_; }
    // Redraws every row (a choice may change other rows too) and the details.
    void refreshRows();

    bool OnInitDialog() override;
    bool OnCommand(int id) override;
    void OnSelChange(int id) override;
    void OnDblClk(int id) override;
    bool OnSetActive() override;
    void OnHelp() override;

private:
    void setUpColumns();

    CAtrCnvSheet& sheet_;
    const std::vector<ColumnSpec> columns_;
    CZqListCtrl list_;
    QIcon inUseIcon_;
};
