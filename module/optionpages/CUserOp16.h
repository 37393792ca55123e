#pragma once

#include "optionpages/CUserOpPage.h"

// The dimension page ("IDD_S_031", tab 6): value kind and decimals, the
// marks of four attribute-mode slots, the dimension layer, placement and
// flags. Reads its values from the host when the options open and writes
// them back itself on OK.
class CUserOp16 : public CUserOpPage {
    Q_OBJECT
public:
    enum Control : int {
        kExtensionLines = 1101,
        kValueFrame = 1102,
        kFollowDrag = 1103,
        kValueKind = 1201,
        kEndMark = 1202,       // attribute-mode slot 7
        kLayer = 1203,
        kStartSide = 1204,     // slot 8
        kValueSide = 1205,     // slot 23
        kTextSide = 1206,      // slot 24
        kLinePlacement = 1301, // 1301, 1302
        kValuePlacement = 1303,// 1303, 1304
        kDecimals = 1401,
    };
    static constexpr int kTitle = 7140;
    static constexpr int kHelpTopic = 476;
    static const std::vector<ZqField>& fieldTable();

    CUserOp16();
    void ApplyToHost(CUserOpApplyLog& log) override;

protected:
    void readHost() override;
};
