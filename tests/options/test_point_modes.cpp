// The point mode page: the rules of its in-use state and offered order, the
// search table editor, the sequence editor and the write-back, against the
// reference host.

#include <gtest/gtest.h>

#include <cstring>

#include "OptionsHarness.h"
#include "api/HostRuntime.h"
#include "optionpages/CUserOpMu.h"
#include "optionpages/PointModeDialogs.h"
#include "optionpages/PointModes.h"

using namespace pointmode;

namespace {

State stateWithUserTables(std::initializer_list<const char*> names)
{
    State s;
    int t = 1;
    for (const char* n : names) {
        s.tables[static_cast<std::size_t>(t)].name = n;
        if (*n) s.tables[static_cast<std::size_t>(t)].add(3);
        ++t;
    }
    return s;
}

}  // namespace

TEST(PointModeState, OfferedOrderFollowsTheMaskAndTheSortString)
{
    struct Case {
        bool ratio;
        uint32_t mask;
        std::string sort;
        std::string offered;
        uint32_t maskAfter;
    };
    const Case cases[] = {
        {false, 0, "", "AFPXSGM0", 0x17F},                 // opening default, table 0 defined
        {true, 0, "", "AFPXSGMR0", 0x1FF},
        {false, 0x0F, "XAFS", "XAFP", 0x0F},               // S out of use leaves, P appended
        {false, 0x80, "R", "A", 0x80},                    // "R" unavailable: nothing listed but "A"
        {false, 0x101, "0M", "0A", 0x101},
        {false, 0x201, "1A", "A", 0x201},                  // user table 1 undefined is not offered
    };
    for (const Case& c : cases) {
        State s = stateWithUserTables({"Mine", "", "", ""});
        s.ratioAvailable = c.ratio;
        s.mask = c.mask;
        s.sort = c.sort;
        EXPECT_EQ(s.offered(), c.offered) << c.sort;
        EXPECT_EQ(s.mask, c.maskAfter) << c.sort;
    }
}

TEST(PointModeState, InUseChangesKeepForcedModesAndNeverLeaveNothing)
{
    State s = stateWithUserTables({"Mine", "", "", ""});
    s.sort = "GA";
    s.setInUse({}, {});
    EXPECT_EQ(s.mask, 1u);
    EXPECT_EQ(s.sort, "A");

    s.setInUse({'S', 'F'}, {'0', 'N'});
    EXPECT_EQ(s.mask, bit('S') | bit('F') | bit('0'));
    EXPECT_EQ(s.sort, "FS0");

    EXPECT_FALSE(s.moveUp(0));
    EXPECT_FALSE(s.moveDown(2));
    EXPECT_TRUE(s.moveDown(0));
    EXPECT_EQ(s.sort, "SF0");

    s.switchAllOn();
    EXPECT_EQ(s.sort, "AFPXSGM0");
    EXPECT_EQ(s.availableCodes(), (std::vector<char>{'A', 'F', 'P', 'X', 'S', 'G', 'M', '0'}));
}

TEST(PointModeState, ClosingAGapMovesTheNextTableDownAndRenamesItsCode)
{
    State s = stateWithUserTables({"First", "", "Third", ""});
    s.tables[3].add(4);
    s.input[11] = '2';
    s.input[1] = '2';
    s.sequences[0] = {'C', '2', 'N', 'C', 'N', 'N'};
    s.defaultCode = '2';
    s.sort = "A2";
    s.mask = bit('A') | bit('2');
    EXPECT_TRUE(s.closeGaps());
    EXPECT_EQ(s.tables[2].name, "Third");
    EXPECT_TRUE(s.tables[2].has(4));
    EXPECT_EQ(s.tables[3].name, "");
    EXPECT_EQ(s.tables[3].count(), 0);
    EXPECT_EQ(s.input[11], '1');
    EXPECT_EQ(s.input[1], '1');
    EXPECT_EQ(s.sequences[0][1], '1');
    EXPECT_EQ(s.defaultCode, '1');
    EXPECT_EQ(s.sort, "A1");
    EXPECT_EQ(s.mask, bit('A') | bit('1'));
}

TEST(PointModeState, AnUndefinedTableLeavesTheSequenceAndItsBit)
{
    State s = stateWithUserTables({"First", "Second", "", ""});
    s.sequences[0] = {'1', '1', 'A', 'C', '1', 'N'};
    s.mask = bit('1') | 1;
    s.tables[2].name.clear();
    s.userTableAccepted(1);
    EXPECT_EQ(s.sequences[0], (Sequence{'C', 'N', 'A', 'C', 'N', 'N'}));
    EXPECT_EQ(s.mask, 1u);
    EXPECT_TRUE(s.changed);
}

TEST(PointModeState, SearchTablesTakeEachKindOnceAndAtMostSixteen)
{
    SearchTable t;
    EXPECT_TRUE(t.add(2));
    EXPECT_EQ(t.count(), 2);
    EXPECT_EQ(t.kinds[1], 9);
    EXPECT_FALSE(t.add(2));
    EXPECT_EQ(t.count(), 2);
    for (uint16_t k = 100; t.count() < kKinds; ++k) ASSERT_TRUE(t.add(k));
    EXPECT_FALSE(t.add(3));
    EXPECT_EQ(t.count(), kKinds);

    // The editor's button rules.
    SearchTable end;
    end.add(3);
    EXPECT_TRUE(CSchTableDlg::buttonBlocked(1501, end));
    EXPECT_FALSE(CSchTableDlg::buttonBlocked(1502, end));
    EXPECT_TRUE(CSchTableDlg::buttonBlocked(1507, end));  // grid only in an empty table
    EXPECT_FALSE(CSchTableDlg::buttonBlocked(1505, end));
}

class PointModePage : public OptionsHarness {};

TEST_F(PointModePage, ANewUserTableIsOfferedAndWrittenBack)
{
    CUserOpMu page;
    const int result = runPage(kSlotPointModes, page,
                               ZqUiScript()
                                   .click(1503)  // user table 1
                                   .type(CSchTableDlg::kName, "Mid")
                                   .click(1502)  // points on lines: 2 and 9
                                   .click(1503)  // centre points
                                   .read(CSchTableDlg::kDescription, "kinds")
                                   .read(1502, "onLine")
                                   .ok()
                                   .read(CUserOpMu::kInUse, "inUse")
                                   .ok());
    ASSERT_EQ(result, 1);
    CUserOpApplyLog log;
    page.ApplyToHost(log);
    EXPECT_FALSE(log.anyRefused()) << log.refusedText();
    EXPECT_EQ(shown("kinds"), "Points on lines, Centre points");
    EXPECT_FALSE(readOf("onLine").enabled);
    EXPECT_EQ(readOf("inUse").items.back(), "Mid");
    EXPECT_STREQ(hostapi::aasPModeUserNameGet(1), "Mid");
    const auto* kinds = static_cast<const uint16_t*>(hostapi::aasPModeUsetTableGet(1));
    EXPECT_EQ(kinds[0], 2);
    EXPECT_EQ(kinds[1], 9);
    EXPECT_EQ(kinds[2], 4);
    EXPECT_NE(hostapi::aatAtrPntMode_GetUsed() & bit('1'), 0);
}

TEST_F(PointModePage, DeletingATableNameClosesTheGap)
{
    // Tables 0 and 1 defined; deleting the name of table 0 moves table 1 down.
    CUserOpMu first;
    runPage(kSlotPointModes, first, ZqUiScript().click(1503).type(CSchTableDlg::kName, "Two").click(1501).ok().ok());
    CUserOpApplyLog log;
    first.ApplyToHost(log);
    const std::string tableZero = hostapi::aasPModeUserNameGet(0);
    ASSERT_FALSE(tableZero.empty());

    CUserOpMu page;
    runPage(kSlotPointModes, page, ZqUiScript().click(1502).type(CSchTableDlg::kName, "").ok().ok());
    page.ApplyToHost(log);
    EXPECT_STREQ(hostapi::aasPModeUserNameGet(0), "Two");
    EXPECT_STREQ(hostapi::aasPModeUserNameGet(1), "");
    char sort[17] = {};
    hostapi::aatAtrPntMode_GetSort(sort);
    EXPECT_EQ(std::string(sort).find('1'), std::string::npos) << sort;
}

TEST_F(PointModePage, RatioModeNeedsItsCommandStatusAndTheSequenceEditorItsType)
{
    for (bool ratio : {false, true}) {
        start_.commandStatus = ratio ? 0x20 : 0;
        std::string error;
        ASSERT_TRUE(mobrhost::startHost(start_, &error)) << error;
        hostapi::aatAtrPntMode_SetUsed(0x1FF);
        CUserOpMu page;
        runPage(kSlotPointModes, page,
                ZqUiScript()
                    .read(CUserOpMu::kInUse, "inUse")
                    .click(CUserOpMu::kEditSequence)
                    .read(CPModeSeqDlg::kFirstList, "slot0")
                    .read(CPModeSeqDlg::kFirstList + 1, "slot1")
                    .cancel()
                    .ok());
        CUserOpApplyLog log;
        page.ApplyToHost(log);
        const auto& items = readOf("inUse").items;
        EXPECT_EQ(std::find(items.begin(), items.end(), "Ratio point") != items.end(), ratio);
        EXPECT_EQ((hostapi::aatAtrPntMode_GetUsed() & 0x80) != 0, ratio);
        EXPECT_FALSE(readOf("slot0").enabled);  // input type 0: the first point is not the sequence's
        EXPECT_TRUE(readOf("slot1").enabled);
    }
}

TEST_F(PointModePage, AllOnTakeAgainAndMovesRebuildTheOfferedList)
{
    hostapi::aatAtrPntMode_SetUsed(0x0F);
    hostapi::aatAtrPntMode_SetSort("XAFP");
    CUserOpMu page;
    runPage(kSlotPointModes, page,
            ZqUiScript()
                .read(CUserOpMu::kOffered, "opened")
                .click(CUserOpMu::kAllOn)
                .read(CUserOpMu::kOffered, "allOn")
                .click(CUserOpMu::kTakeAgain)
                .select(CUserOpMu::kOffered, 2)
                .click(CUserOpMu::kMoveUp)
                .read(CUserOpMu::kOffered, "moved")
                .read(CUserOpMu::kMoveDown, "down")
                .ok());
    using Items = std::vector<std::string>;
    EXPECT_EQ(readOf("opened").items, (Items{"Intersection", "Any point", "Free point", "End point"}));
    // Taken again, the table named by the first choice list stays in use too.
    EXPECT_EQ(readOf("allOn").items.size(), 8u);
    EXPECT_EQ(readOf("moved").items, (Items{"Intersection", "Free point", "Any point", "End point", "User0"}));
    EXPECT_EQ(readOf("moved").selection, 1);
    EXPECT_TRUE(readOf("down").enabled);
    CUserOpApplyLog log;
    page.ApplyToHost(log);
    char sort[17] = {};
    hostapi::aatAtrPntMode_GetSort(sort);
    EXPECT_STREQ(sort, "XFAP0");
}

TEST_F(PointModePage, ReportListsEveryModeWithItsState)
{
    hostapi::aatAtrPntMode_SetUsed(0x103);
    CUserOpMu page;
    runPage(kSlotPointModes, page, ZqUiScript().cancel());
    std::vector<std::string> lines;
    page.WriteSettingReport(lines);
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[0], "  < Point modes >\n");
    EXPECT_EQ(lines[2], "Modes in use                       : Any point- in use\n");
    EXPECT_EQ(lines[4], "                                   : End point- not in use\n");
    EXPECT_EQ(lines.back(), "\n");
}
