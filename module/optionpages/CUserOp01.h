#pragma once

#include "optionpages/CUserOpPage.h"

// The general page ("IDD_S_018", tab 0): wait time, character box, ellipse
// division angle, display width, display switches, window title, line mode,
// point type and three modes. Reads its values from the host when the
// options open and writes them back itself on OK.
class CUserOp01 : public CUserOpPage {
    Q_OBJECT
public:
    enum Control : int {
        kPenPitch = 1004,
        kSearchBox = 1101,
        kWidthDisplay = 1103,
        kPenDisplay = 1104,
        kWindowTitle = 1201,
        kLineMode = 1203,
        kWidthSetting = 1204,
        kCharBoxMode = 1301,
        kPointType = 1304,     // 1304 to 1307
        kCharSizeMode = 1308,  // 1308, 1309
        kActiveChange = 1310,  // 1310, 1311
        kWaitTime = 1401,
        kCharBox = 1402,
        kEllipseAngle = 1403,
        kDisplayWidth = 1404,
    };
    static constexpr int kTitle = 7083;
    static constexpr int kHelpTopic = 473;
    static const std::vector<ZqField>& fieldTable();

    CUserOp01();
    void ApplyToHost(CUserOpApplyLog& log) override;

protected:
    void readHost() override;
    void fillLists() override;
    void afterShow() override;
    bool OnCommand(int id) override;

private:
    void enablePenPitch();
    bool sketchFixesActiveChange_ = false;
};
