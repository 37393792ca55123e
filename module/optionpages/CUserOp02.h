#pragma once

#include "optionpages/CUserOpPage.h"

// The drawing aids page ("IDD_S_020", tab 3), fed by the UserOp02Values
// block (76 bytes, data id 30001): attribute modes, symbol mode and size,
// digits, marker size, display ratio and zoom factors, close mode and the
// file extension check.
class CUserOp02 : public CUserOpPage {
    Q_OBJECT
public:
    enum Control : int {
        kAtr18 = 1101,
        kAtr4 = 1102,
        kCloseMode = 1103,
        kExtensionCheck = 1104,
        kAtr29 = 1105,
        kAtr22 = 1201,
        kAtr28 = 1202,
        kSymbolMode = 1203,
        kSymbolSize = 1401,
        kDigits = 1402,
        kMarkerDots = 1403,
        kRatio = 1404,
        kZoomIn = 1405,
        kZoomOut = 1406,
    };
    static constexpr int kTitle = 7085;
    static constexpr int kHelpTopic = 474;
    static const std::vector<ZqField>& fieldTable();

    CUserOp02();

protected:
    const std::vector<BlockSlot>& blockLayout() const override;
};
