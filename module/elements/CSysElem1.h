#pragma once

#include "elements/CodedRadio.h"
#include "elements/ElementLinkParts.h"
#include "mobrdlg/ZqFieldLink.h"
#include "mobrdlg/ZqPropertyPage.h"

// The line page ("IDD_PROPS_010") of the element settings: pen, colour and
// the two tips of new lines, point type, curve kind, division count and
// tolerance, hatch pattern ratio and the centre-line pen.
class CSysElem1 : public CZqPropertyPage, public CZqFieldLink, private CElementLinkParts {
    Q_OBJECT
public:
    enum Control : int {
        kPenList = 1201,
        kColourList = 1202,
        kFirstTipList = 1203,
        kSecondTipList = 1204,
        kCentrePenList = 1205,
        kPointType = 1301,      // buttons 1301-1304: point types 1, 2, 5, 6
        kCurveKind = 1305,      // buttons 1305-1307: curve kinds 2, 3, 4
        kDivisions = 1401,      // spin edit, 2 to 20
        kTolerance = 1402,      // spin edit, -8 to 8
        kHatchRatio = 1403,
    };
    enum Item : int {
        kItemPen = 30001,
        kItemColour = 30002,
        kItemFirstTip = 30003,
        kItemSecondTip = 30004,
        kItemPointType = 30005,
        kItemCurveKind = 30006,
        kItemLayerFlag = 30007,
        kItemLayerColour = 30008,
        kItemDivisions = 20101,
        kItemTolerance = 20102,
        kItemHatchRatio = 20103,
        kItemPenTable = 20501,
        kItemColourTable = 20502,
        kItemTipTable = 20503,
        kItemPenExTable = 20504,
        kItemCentrePen = 20505,
    };
    static constexpr int kHelpTopic = 466;
    static const std::vector<ZqField>& fieldTable();

    CSysElem1();
    ~CSysElem1() override;

    int SetPageData(int item, std::intptr_t value) override;
    int SetPageInt(int item, int value) override;
    int GetPageInt(int item, int* value) override;

protected:
    bool OnInitDialog() override;
    bool OnKillActive() override;
    void OnSelChange(int id) override;
    void OnHelp() override;
    void OnOK() override;

private:
    CCodedRadio pointType_;
    CCodedRadio curveKind_;
};
