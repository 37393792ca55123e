#pragma once

#include "optionpages/CUserOpPage.h"

// The editing page ("IDD_S_022", tab 5), fed by the UserOp04Values block
// (52 bytes, data id 30001): attribute modes of editing commands, delete
// confirmation, group editing, dimension hold and the extension distance.
// Bytes 12 to 19 of the block are not the page's: it neither reads nor sets them.
class CUserOp04 : public CUserOpPage {
    Q_OBJECT
public:
    enum Control : int {
        kDimensionHold = 1101,
        kAtr13 = 1201,
        kAtr21 = 1202,
        kAtr3 = 1208,
        kAtr20 = 1209,
        kAtr30 = 1210,
        kAtr31 = 1212,
        kDeleteConfirm = 1301,  // 1301, 1302
        kAtr25 = 1307,          // 1307, 1308
        kExtensionDistance = 1403,
    };
    static constexpr int kTitle = 7087;
    static constexpr int kHelpTopic = 476;
    static const std::vector<ZqField>& fieldTable();

    CUserOp04();
    int SetPageData(int item, std::intptr_t value) override;

protected:
    const std::vector<BlockSlot>& blockLayout() const override;
    void afterShow() override;

private:
    bool distanceReplaced_ = false;
};
