#pragma once

#include <array>
#include <memory>
#include <string>

#include "mobrdlg/ZqFieldLink.h"
#include "mobrdlg/ZqPropertyPage.h"

class CAdvancedListCtrl;
class CPVControl;
class CZqFieldBinder;

// The arrow tip page ("IDD_PROPS_006") of the system attribute sheet: lists
// the figure's arrow tips (built-in tips 1 to 9, user tips from 17), lets the
// user rename and delete user tips and set their two mask flags, and edits
// three dimension values and the tip length. Tip changes go straight into
// the tip copy (a host edit copy); the four numbers are read back by the
// sheet after OK.
class CPageSysAttribute6 : public CZqPropertyPage, public CZqFieldLink {
    Q_OBJECT
public:
    enum Control : int {
        kMaskBox1 = 1101,     // ticked: mask bit 0x1 clear
        kMaskBox2 = 1102,     // ticked: mask bit 0x2 clear
        kFirstValue = 1401,   // numeric edits 1401 to 1404
        kRename = 1502,
        kDelete = 1503,
        kStartPreview = 1701,
        kEndPreview = 1702,
        kRenameResult = 1703,
        kStartIcon = 1704,
        kEndIcon = 1705,
        kTipList = 1801,
    };
    // Items: 30001 tip copy (SetPageData); 30001 to 30004 the four numbers
    // (SetPageDouble, GetPageValue).
    enum Item : int { kItemFirst = 30001, kItemAngle = 30002, kItemLength = 30004 };
    static constexpr int kValueCount = 4;
    static constexpr int kHelpTopic = 484;
    // The four numbers.
    static const std::vector<ZqField>& fieldTable();

    CPageSysAttribute6();
    ~CPageSysAttribute6() override;

    int SetPageData(int item, std::intptr_t value) override;
    // The number of item 30001 to 30004; 0.0 for any other item.
    double GetPageValue(int item) const;
    // The tip number row `row` of the list carries; 0 for no such row.
    int GetRowTip(int row) const;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id) override;
    void OnSelChange(int id) override;
    bool OnKillActive() override;
    void OnHelp() override;
    void OnFieldReceived(const ZqField& field) override;

private:
    void fillTipList();
    // Tip number of the selected row, 0 when none.
    int selectedTip() const;
    void updateControls();
    void drawShapes();
    void toggleMask(int box, int bit);
    void startRename();
    bool renameEdited(int row, const std::string& typed);
    void deleteSelected();

    void* tips_ = nullptr;
    std::unique_ptr<CZqFieldBinder> binder_;
    std::unique_ptr<CAdvancedListCtrl> list_;
    std::unique_ptr<CPVControl> startPreview_;
    std::unique_ptr<CPVControl> endPreview_;
};
