#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "optionpages/CUserOpPage.h"

// One row of the colour page: a system colour (its index in the host's
// system colour table) or a sketch colour, RGB packed as
// red + green * 256 + blue * 65536.
struct CSysColorData {
    int32_t index = 0;
    std::string name;  // host code page
    uint32_t rgb = 0;
    bool changed = false;

    int red() const { return static_cast<int>(rgb & 0xFF); }
    int green() const { return static_cast<int>((rgb >> 8) & 0xFF); }
    int blue() const { return static_cast<int>((rgb >> 16) & 0xFF); }
};

// The colour page ("IDD_S_023", tab 7): the host's fifteen system colours
// and the four sketch colours in a fixed order, each changed with the
// colour editor. The page writes nothing itself: ApplyUserOpValues writes
// the changed rows.
class CUserOp09 : public CUserOpPage {
    Q_OBJECT
public:
    enum Control : int { kList = 1601, kChange = 1501 };
    static constexpr int kTitle = 7088;
    static constexpr int kHelpTopic = 477;
    static constexpr int kReportHeading = 7208;
    static constexpr int kSystemColours = 15;
    static constexpr int kSketchColours = 4;

    CUserOp09();
    const std::vector<CSysColorData>& colours() const { return colours_; }
    void WriteSettingReport(std::vector<std::string>& lines) override;

protected:
    void readHost() override;
    void fillLists() override;
    bool OnCommand(int id) override;
    void OnDblClk(int id) override;

private:
    void editSelected();
    void showRow(int row);
    std::vector<CSysColorData> colours_;
};
