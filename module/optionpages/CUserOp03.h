#pragma once

#include "optionpages/CUserOpPage.h"

// The construction page ("IDD_S_021", tab 4), fed by the UserOp03Values
// block (60 bytes, data id 30001): construction marks and their kind, the
// rubber-band angle, construction points and lines, input direction, arc
// input, spline mode, the centre-line distance and the arc tolerance.
class CUserOp03 : public CUserOpPage {
    Q_OBJECT
public:
    enum Control : int {
        kAtr16 = 1101,
        kAtr15 = 1102,
        kAtr26 = 1103,
        kAtr27 = 1104,
        kMarkKind = 1201,     // attribute-mode slot 1: the host's mark kinds
        kRubberAngle = 1202,
        kAtr2 = 1301,         // 1301, 1302
        kFlagB = 1303,        // 1303, 1304
        kFlagA = 1305,        // 1305, 1306
        kSplineMode = 1307,   // 1307, 1308
        kCentreLine = 1402,
        kArcTolerance = 1403,
        kBiArc = 9001,        // not a control of the layout: a flag carried through
    };
    static constexpr int kTitle = 7086;
    static constexpr int kHelpTopic = 475;
    static constexpr int kMarkClass = 2;
    static const std::vector<ZqField>& fieldTable();

    CUserOp03();
    int SetPageData(int item, std::intptr_t value) override;

protected:
    void fillLists() override;
    const std::vector<BlockSlot>& blockLayout() const override;
};
