#pragma once

#include "elements/ElementLinkParts.h"
#include "mobrdlg/ZqLinkDialog.h"

// The dimension line dialog ("IDD_S_015"): pen, colour and four tips of the
// dimension line, and whether its auxiliary ends (the third and fourth tips)
// are drawn. The element settings' dimension page drives it through the data
// link.
class CDimLineDlg : public CZqLinkDialog, private CElementLinkParts {
    Q_OBJECT
public:
    enum Control : int {
        kAuxiliaryEnds = 1101,
        kPenList = 1201,
        kColourList = 1202,
        kFirstTipList = 1203,   // 1203-1206: tips for items 30003-30006
        kThirdTipList = 1205,
        kFourthTipList = 1206,
        kThirdTipLabel = 1701,
        kFourthTipLabel = 1702,
    };
    enum Item : int {
        kItemPen = 30001,
        kItemColour = 30002,
        kItemFirstTip = 30003,   // 30003-30006
        kItemLayerFlag = 30007,
        kItemLayerColour = 30008,
        kItemAuxiliaryEnds = 20301,
        kItemPenTable = 20501,
        kItemColourTable = 20502,
        kItemTipTable = 20503,
        kItemPenExTable = 20504,
    };
    static constexpr int kTips = 4;
    static constexpr int kHelpTopic = 468;
    static const std::vector<ZqField>& fieldTable();

    explicit CDimLineDlg(QWidget* parent = nullptr);
    ~CDimLineDlg() override;

    int SetPageData(int item, std::intptr_t value) override;
    int SetPageInt(int item, int value) override;
    int GetPageInt(int item, int* value) override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id) override;
    void OnSelChange(int id) override;
    void OnHelp() override;
    void OnOK() override;

private:
    void enableAuxiliaryEnds();
};
