#pragma once

#include "optionpages/CUserOpPage.h"

// The operation page ("IDD_S_019", tab 1): recognition, picking, coordinate
// input and tool bars. Reads its values from the host when the options open
// and writes them back itself on OK.
class CUserOp13 : public CUserOpPage {
    Q_OBJECT
public:
    enum Control : int {
        kToolBarFlat = 1021,
        kToolBarCaptions = 1034,
        kGripToolBars = 1035,
        kGripMenuBar = 1036,
        kElemFlush = 1101,
        kRunButton = 1102,
        kPartsRecog = 1103,
        kAutoMove = 1104,
        kMoveWithWindow = 1105,
        kRecognition = 1301,   // 1301, 1302
        kCoordinates = 1303,   // 1303, 1304
        kCoordinateClass = 1305,  // 1305, 1306
        kPenType = 1308,       // 1308, 1309
        kPickDots = 1401,
        kTableMax = 1402,
    };
    static constexpr int kTitle = 7084;
    static constexpr int kHelpTopic = 473;
    static const std::vector<ZqField>& fieldTable();

    // The host's tool bar code for two boxes: 0 none, 2 only the second,
    // 3 only the first, 1 both; any other code shows both.
    static int toolBarCode(bool first, bool second);
    static void toolBarBoxes(int code, bool* first, bool* second);

    CUserOp13();
    void ApplyToHost(CUserOpApplyLog& log) override;

protected:
    void readHost() override;

private:
    void receiveToolBar(int code, int first, int second);
};
