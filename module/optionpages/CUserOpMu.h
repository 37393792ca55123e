#pragma once

#include <array>
#include <vector>

#include "optionpages/CUserOpPage.h"
#include "optionpages/PointModes.h"

// The point mode page ("IDD_S_029", tab 2): the search tables, the table
// choices and sequence of the input type, the default mode, which point
// modes are offered and in what order, and navigation. It reads the host
// when it opens and writes back in ApplyToHost.
class CUserOpMu : public CUserOpPage {
    Q_OBJECT
public:
    enum Control : int {
        kNaviOn = 1101,
        kNaviCursor = 1102,
        kChoice1 = 1201,  // 1201 .. 1203 the input table's choices, 1204 the default mode
        kDefaultMode = 1204,
        kInputType = 1205,
        kNaviMode = 1206,
        kEditBase = 1501,  // 1501 .. 1505 tables 0 .. 4
        kEditSequence = 1506,
        kTakeAgain = 1507,
        kAllOn = 1508,
        kMoveUp = 1509,
        kMoveDown = 1042,
        kOffered = 1041,
        kInUse = 1601,
        kTableName = 1702,  // 1702 .. 1706
        kTableKinds = 1707, // 1707 .. 1711
        kSequenceLine = 1719,
        kInUseCaption = 1722,
    };
    static constexpr int kTitle = 7116;
    static constexpr int kHelpTopic = 473;
    static const std::vector<ZqField>& fieldTable();

    CUserOpMu();
    void ApplyToHost(CUserOpApplyLog& log) override;
    void WriteSettingReport(std::vector<std::string>& lines) override;
    const pointmode::State& state() const { return state_; }

protected:
    void readHost() override;
    void fillLists() override;
    bool OnCommand(int id) override;
    void OnSelChange(int id) override;

private:
    void fillChoiceList(int list);
    void fillChoiceLists();
    void showTables();
    void showInUse();
    void showOffered(int select);
    void showSequenceLine();
    std::string modeName(char code) const;
    std::vector<char> forcedCodes() const;
    char choiceCode(int list) const;
    void inUseChanged();
    void editTable(int table);
    void editSequence();
    void takeAgain();
    void move(bool up);

    pointmode::State state_;
    std::array<std::vector<char>, 4> choiceCodes_;
    int16_t naviValue_ = 0;  // the host's value, kept while its row is unchanged
    bool readDone_ = false;
};
