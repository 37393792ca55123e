#pragma once

#include <array>

#include "optionpages/CUserOpPage.h"

// The sketch page ("IDD_S_027", tab 9), fed by the SketchValues block
// (64 bytes, data id 30001): limit dots, character sizes, dimension value
// digits, rubber-band value, the grid and the tip.
class CUserOp15 : public CUserOpPage {
    Q_OBJECT
public:
    enum Control : int {
        kRubberValue = 1018,
        kGridShown = 1019,
        kGridSnap = 1020,
        kTip = 1021,
        kLimitDots = 1401,
        kCharSmall = 1402,
        kCharLarge = 1403,
        kDimDigits = 1404,
        kPitchX = 1405,
        kPitchY = 1406,
        kOriginX = 1407,
        kOriginY = 1408,
    };
    static constexpr int kTitle = 7113;
    static constexpr int kHelpTopic = 478;
    static constexpr int kTipRows = 4;
    static const std::vector<ZqField>& fieldTable();

    CUserOp15();
    int SetPageData(int item, std::intptr_t value) override;
    int GetPageData(int item, void* buffer, int size) override;

protected:
    const std::vector<BlockSlot>& blockLayout() const override;
    void afterShow() override;
    bool OnCommand(int id) override;

private:
    void enableSnap();
    // The grid origins as the host gave them: shown brought into their
    // range, they go back as given while the page still holds that value.
    std::array<double, 2> givenOrigin_{};
    // Until the user sets a grid switch, the switches go back as given, even
    // a snap without a shown grid.
    bool gridTouched_ = false;
};
