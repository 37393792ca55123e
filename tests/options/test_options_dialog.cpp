// aapLopt and the options dialog against the reference host, with the UI
// driver acting as the person.

#include <QTabBar>
#include <QTabWidget>

#include "OptionsHarness.h"
#include "mobr/host_types.h"
#include "optionpages/CUserOp01.h"
#include "optionpages/CUserOp02.h"
#include "optionpages/CUserOp13.h"
#include "optionpages/CUserOp05.h"
#include "optionpages/CUserOp09.h"
#include "optionpages/CUserOp15.h"
#include "optionpages/CUserOp16.h"
#include "optionpages/CUserOpMu.h"
#include "options/CUserOpSheet.h"
#include "options/RunUserOpSheet.h"
#include "platform/Files.h"

namespace {

constexpr int kMsgNoBackup = 7340;
constexpr int kMsgRefused = 7341;

// The slot shown when the inspect action runs.
ZqUiScript expectSlot(int slot)
{
    return ZqUiScript().inspect([slot](CZqWindow& window) {
        auto& sheet = dynamic_cast<CUserOpSheet&>(window);
        EXPECT_EQ(sheet.currentSlot(), slot);
    });
}

class OptionsDialog : public OptionsHarness {};

TEST_F(OptionsDialog, OkOnTheUntouchedDialogChangesNothingAndLeavesNoBackup)
{
    const QByteArray before = optionBytes();
    ZqUiScript script;
    for (int tab = 1; tab < kSlotCount; ++tab) script.page(tab);
    EXPECT_EQ(runOptions(script.ok()), 18);
    EXPECT_EQ(optionBytes(), before);
    EXPECT_TRUE(messageIds().empty());
    EXPECT_FALSE(mobr::files::fileExists(systemFolder() + "MOBRCUR.INI"));
    // The host's values are read in their fixed order before the dialog shows.
    const std::vector<std::string> reads = {
        "aatSysInfFlags", "aatSysInfAtrMode", "aatSysInfSymb", "aatSysInfMdgt", "aatSysInfEDsp", "aatSysInfVratio",
        "aatRubAngMode", "aatSysGetSplMode", "aatSysInfDelconf", "aatSysInfMdclose", "aauSysCLineDist",
        "aatSysGetSaveFileExtCheck", "aatSysInfDimFigureHold", "aatSysGetExtDist", "aatSysGetApproxArcTol",
        "aatSysGetApproxBiArc"};
    std::vector<std::string> seen = callsAmong(reads);
    seen.erase(std::unique(seen.begin(), seen.end()), seen.end());
    ASSERT_GE(seen.size(), reads.size());
    EXPECT_EQ(std::vector<std::string>(seen.begin(), seen.begin() + long(reads.size())), reads);
    // The number-frame type is written as 0; the tool bars get style and grip.
    const auto frame = mobrhost::journalEntries("aatSysInfNumFrmType");
    ASSERT_EQ(frame.size(), 1u);
    EXPECT_EQ(mobrhost::journalEntries("aatTbarStyleSet").at(0).args, (std::vector<std::string>{"1", "1"}));
}

TEST_F(OptionsDialog, CancelAfterChangesOnEveryPagePutsEverythingBack)
{
    const QByteArray before = optionBytes();
    ZqUiScript script;
    script.type(CUserOp01::kWaitTime, "12.5").click(CUserOp01::kPenDisplay);
    script.page(1).type(CUserOp13::kTableMax, "20").click(CUserOp13::kToolBarFlat);
    script.page(2).click(CUserOpMu::kAllOn).click(CUserOpMu::kEditBase + 2).type(1401, "Cut").click(1501).ok();
    script.page(3).type(CUserOp02::kSymbolSize, "5.5").click(CUserOp02::kAtr18);
    script.page(4).click(1102).select(1202, 2);
    script.page(5).click(1302).type(1403, "7.5");
    script.page(6).select(CUserOp16::kEndMark, 3).type(CUserOp16::kDecimals, "4");
    script.page(7).select(CUserOp09::kList, 0).click(CUserOp09::kChange).type(1401, "7").ok();
    script.page(8).click(CUserOp05::kAdd).type(1401, "NEW").type(1402, "1").ok();
    script.page(9).type(CUserOp15::kPitchX, "5").click(CUserOp15::kGridShown);
    EXPECT_EQ(runOptions(script.cancel()), 18);
    EXPECT_EQ(optionBytes(), before);
    EXPECT_FALSE(mobrhost::journalEntries("aatLoadIniFile").empty()) << "the backup comes back";
    EXPECT_FALSE(mobr::files::fileExists(systemFolder() + "MOBRCUR.INI"));
}

TEST_F(OptionsDialog, OkWritesWhatThePagesShowAndTheWidthKeepsItsHundredths)
{
    for (int run = 0; run < 3; ++run) {
        ZqUiScript script;
        if (run == 0) {
            // Enter on a page presses the dialog's OK.
            script.type(CUserOp01::kDisplayWidth, "0.29").type(CUserOp01::kWaitTime, "60.00");
            script.key(CUserOp01::kWaitTime, "Enter");
        } else {
            script.ok();
        }
        EXPECT_EQ(runOptions(script), 18);
        int32_t hundredths = 0;
        int32_t setting = 0;
        hostapi::aatDrwGetDispWidthDot(&hundredths, &setting);
        EXPECT_EQ(hundredths, 29) << "after OK number " << run + 1;
    }
    unsigned char wait[64] = {};
    hostapi::aatSysInfWaittime(114, wait);
    EXPECT_EQ(mobr::bytes::get<double>(wait, 0), 60.0);
}

TEST_F(OptionsDialog, AnInvalidFieldKeepsTheUserOnItsTab)
{
    ZqUiScript script;
    script.page(1).type(CUserOp13::kTableMax, "51").page(2).answer(1).read(CUserOp13::kTableMax, "kept");
    script.add(expectSlot(kSlotOperation).actions()[0]);
    script.ok().answer(1).type(CUserOp13::kTableMax, "50").ok();
    EXPECT_EQ(runOptions(script), 18);
    EXPECT_TRUE(readOf("kept").focused);
    EXPECT_EQ(hostapi::aatSchGetTableMax(), 50);
}

TEST_F(OptionsDialog, TabKeysWrapAtBothEnds)
{
    ZqUiScript script;
    script.key(CUserOp01::kWaitTime, "Ctrl+PageUp");
    script.add(expectSlot(kSlotSketch).actions()[0]);
    script.key(CUserOp15::kLimitDots, "Ctrl+Tab");
    script.add(expectSlot(kSlotGeneral).actions()[0]);
    script.key(CUserOp01::kWaitTime, "Ctrl+Shift+Tab");
    script.add(expectSlot(kSlotSketch).actions()[0]);
    script.key(CUserOp15::kLimitDots, "Ctrl+PageDown");
    script.add(expectSlot(kSlotGeneral).actions()[0]);
    EXPECT_EQ(runOptions(script.cancel()), 18);
}

TEST_F(OptionsDialog, HelpGoesThroughThePageShown)
{
    ZqUiScript script;
    script.click(IDHELP_ZQ).page(3).click(IDHELP_ZQ).page(4).key(1402, "F1").page(kSlotSketch).click(IDHELP_ZQ);
    runOptions(script.cancel());
    std::vector<std::string> topics;
    for (const auto& e : mobrhost::journalEntries("aapRunDlgHelp")) topics.push_back(e.args.at(0));
    EXPECT_EQ(topics, (std::vector<std::string>{"473", "474", "475", "478"}));
}

TEST_F(OptionsDialog, AStaleOrMissingBackupIsNeverLoaded)
{
    // An old backup lies in the system folder and today's cannot be written.
    ASSERT_EQ(mobr::files::writeFileAtomically(systemFolder() + "MOBRCUR.INI", "[UserOption]\nFormat=MOBR options 1\n"), 0);
    mobrhost::ScopedHostOverride refuse("aatSaveIniFile", +[](int32_t, const char*) -> int32_t { return -1; });
    EXPECT_EQ(runOptions(ZqUiScript().type(CUserOp01::kCharBox, "42").cancel()), 18);
    EXPECT_TRUE(mobrhost::journalEntries("aatLoadIniFile").empty());
    ASSERT_EQ(messageIds(), std::vector<int>{kMsgNoBackup});
    EXPECT_FALSE(mobr::files::fileExists(systemFolder() + "MOBRCUR.INI")) << "the stale backup went first";
}

TEST_F(OptionsDialog, ARefusedSettingIsReportedOnceByName)
{
    mobrhost::ScopedHostOverride refuse("aatSysSetExtDist", +[](double) -> int32_t { return -1; });
    mobrhost::ScopedHostOverride refuse2("aatSysInfVratio", +[](int32_t mode, double*, double*, double*) -> int32_t {
        return mode == 119 ? -1 : 0;
    });
    EXPECT_EQ(runOptions(ZqUiScript().ok()), 18);
    ASSERT_EQ(messageIds(), std::vector<int>{kMsgRefused});
    const std::string& argument = transcript().messages()[0].argument;
    EXPECT_EQ(argument, "aatSysInfVratio, aatSysSetExtDist");
}

TEST_F(OptionsDialog, AnIndexWithoutACharacterKeepsTheCharacterRead)
{
    unsigned char before[32] = {};
    hostapi::aatSysInfAtrMode(114, before);
    mobrhost::ScopedHostOverride lost("aatAtrMakMode1_IdxToChr", +[](int32_t, int32_t, char*) -> int32_t { return -1; });
    EXPECT_EQ(runOptions(ZqUiScript().page(2).click(CUserOp02::kAtr18).ok()), 18);
    unsigned char after[32] = {};
    hostapi::aatSysInfAtrMode(114, after);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(after), 32), std::string(reinterpret_cast<char*>(before), 32));
}

TEST_F(OptionsDialog, SixteenBitValuesKeepTheirSignThroughTheBlocks)
{
    unsigned char minusOne[2] = {0xFF, 0xFF};
    hostapi::aatSysInfDelconf(119, minusOne);
    hostapi::aatSysInfDimFigureHold(119, minusOne);
    const QByteArray before = optionBytes();
    EXPECT_EQ(runOptions(ZqUiScript().page(4).ok()), 18);
    EXPECT_EQ(optionBytes(), before);
    unsigned char back[2] = {};
    hostapi::aatSysInfDelconf(114, back);
    EXPECT_EQ(mobr::bytes::i16(back, 0), -1);
}

TEST_F(OptionsDialog, ToolBarStyleAndGripComeFromTheWholeBlocks)
{
    // A host whose blocks fill all 64 bytes: the first 16-bit field counts.
    mobrhost::ScopedHostOverride style("aatSysInfToolBarStyle", +[](int32_t mode, void* block) -> int32_t {
        if (mode == 114) {
            std::memset(block, 0x7F, 64);
            mobr::bytes::put<int16_t>(block, 0, 2);
        }
        return 0;
    });
    EXPECT_EQ(runOptions(ZqUiScript().ok()), 18);
    EXPECT_EQ(mobrhost::journalEntries("aatTbarStyleSet").at(0).args.at(0), "2");
}

TEST_F(OptionsDialog, ADialogThatCannotBeShownWarns)
{
    for (int result : {-1, 3}) {
        static int given;
        given = result;
        SetUserOpSheetRunner(+[](CUserOpSheet&) { return given; });
        EXPECT_EQ(runOptions({}), 18);
        SetUserOpSheetRunner(nullptr);
        const auto warnings = mobrhost::journalEntries("aapLcom_mwar");
        ASSERT_EQ(warnings.size(), 1u) << result;
        EXPECT_EQ(warnings[0].args.at(0), "9000");
    }
}

TEST_F(OptionsDialog, TemplateModeHasOneClosingButtonThatWritesNothing)
{
    const QByteArray before = optionBytes();
    driver_ = std::make_unique<CZqUiDriver>(ZqUiScript()
                                                .read(IDCANCEL, "cancel")
                                                .read(IDOK, "close")
                                                .type(CUserOp01::kCharBox, "42")
                                                .ok());
    EXPECT_EQ(RunUserOpSheet(0, "", "A.INI"), -2);
    EXPECT_FALSE(readOf("cancel").visible);
    EXPECT_EQ(readOf("close").text, GetString(CUserOpSheet::kTemplateCloseText));
    EXPECT_EQ(optionBytes(), before);
}

}  // namespace
