// The option pages on their own: the blocks they take and give back, what
// they show of values from the host, their checks, enable rules and report
// lines, each page inside an options dialog run by the UI driver.

#include <QWidget>

#include <cstring>
#include <functional>

#include "FieldTableWalk.h"
#include "OptionsHarness.h"
#include "mobrdlg/ZqUiTranscript.h"
#include "optionpages/CUserOp01.h"
#include "optionpages/CUserOp02.h"
#include "optionpages/CUserOp03.h"
#include "optionpages/CUserOp04.h"
#include "optionpages/CUserOp13.h"
#include "optionpages/CUserOp16.h"
#include "options/CUserOpSheet.h"
#include "options/UserOpApplyLog.h"
#include "options/UserOpValues.h"

namespace {

using Block = std::vector<unsigned char>;

// A block as LoadUserOpValues gives it for the bundled settings.
Block loadedBlock(UserOpSlot slot, CUserOpPage& page)
{
    UserOpPages pages;
    pages.bySlot[slot] = &page;
    LoadUserOpValues(pages);
    Block block(static_cast<std::size_t>(page.blockBytes()));
    if (!block.empty()) {
        EXPECT_EQ(page.GetPageData(CUserOpPage::kItemBlock, block.data(), int(block.size())), 1);
    }
    return block;
}

using OptionPages = OptionsHarness;

TEST_F(OptionPages, UntouchedBlockFedPagesGiveTheirBlocksBackByteForByte)
{
    CUserOp02 drawing;
    CUserOp03 input;
    CUserOp04 editing;
    const std::pair<UserOpSlot, CUserOpPage*> pages[] = {
        {kSlotDrawing, &drawing}, {kSlotInput, &input}, {kSlotEditing, &editing}};
    for (const auto& [slot, page] : pages) {
        const Block before = loadedBlock(slot, *page);
        EXPECT_EQ(runPage(slot, *page, ZqUiScript().ok()), 1);
        Block after(before.size());
        page->GetPageData(CUserOpPage::kItemBlock, after.data(), int(after.size()));
        EXPECT_EQ(after, before) << "page " << page->title();
    }
    EXPECT_EQ(drawing.blockBytes(), 76);
    EXPECT_EQ(input.blockBytes(), 60);
    EXPECT_EQ(editing.blockBytes(), 52);
}

TEST_F(OptionPages, ValuesFromTheBlockAreShownWithinTheirRanges)
{
    struct Case {
        std::function<CUserOpPage*()> make;
        UserOpSlot slot;
        int offset;
        double given;
        int control;
        std::string shows;
    };
    const Case cases[] = {
        {[] { return new CUserOp02; }, kSlotDrawing, userop02::kSymbolSize, 1000.0, CUserOp02::kSymbolSize, "999.00"},
        {[] { return new CUserOp02; }, kSlotDrawing, userop02::kSymbolSize, 0.0, CUserOp02::kSymbolSize, "0.01"},
        {[] { return new CUserOp02; }, kSlotDrawing, userop02::kDisplayDots, 99.0, CUserOp02::kMarkerDots, "99"},
        {[] { return new CUserOp02; }, kSlotDrawing, userop02::kDisplayDots, 150.5, CUserOp02::kMarkerDots, "99"},
        {[] { return new CUserOp02; }, kSlotDrawing, userop02::kDisplayDots, 7.9, CUserOp02::kMarkerDots, "7"},
        {[] { return new CUserOp02; }, kSlotDrawing, userop02::kRatio3, 0.5, CUserOp02::kZoomOut, "1.1"},
        {[] { return new CUserOp03; }, kSlotInput, userop03::kCentreLine, 0.0, CUserOp03::kCentreLine, "4.00"},
        {[] { return new CUserOp03; }, kSlotInput, userop03::kArcTolerance, 0.5, CUserOp03::kArcTolerance, "0.50000000"},
        {[] { return new CUserOp04; }, kSlotEditing, userop04::kExtensionDistance, 0.00005, CUserOp04::kExtensionDistance, "1.0"},
    };
    for (const Case& c : cases) {
        std::unique_ptr<CUserOpPage> page(c.make());
        Block block = loadedBlock(c.slot, *page);
        mobr::bytes::put<double>(block.data(), c.offset, c.given);
        ASSERT_EQ(page->SetPageData(CUserOpPage::kItemBlock, reinterpret_cast<std::intptr_t>(block.data())), 1);
        runPage(c.slot, *page, ZqUiScript().read(c.control, "shown").cancel());
        EXPECT_EQ(shown("shown"), c.shows) << c.given;
    }
}

TEST_F(OptionPages, ReplacedAndTruncatedValuesGoBackAsThePageHoldsThem)
{
    CUserOp03 input;
    Block block = loadedBlock(kSlotInput, input);
    mobr::bytes::put<double>(block.data(), userop03::kCentreLine, 0.0);
    mobr::bytes::put<int32_t>(block.data(), userop03::kBiArc, 5);
    input.SetPageData(CUserOpPage::kItemBlock, reinterpret_cast<std::intptr_t>(block.data()));
    EXPECT_EQ(runPage(kSlotInput, input, ZqUiScript().ok()), 1);
    Block back(60);
    input.GetPageData(CUserOpPage::kItemBlock, back.data(), 60);
    EXPECT_EQ(mobr::bytes::get<double>(back.data(), userop03::kCentreLine), 4.0);
    EXPECT_EQ(mobr::bytes::i32(back.data(), userop03::kBiArc), 1);

    // Only the leading bytes for a smaller count; other ids are not the page's.
    Block lead(8, 0xEE);
    EXPECT_EQ(input.GetPageData(CUserOpPage::kItemBlock, lead.data(), 4), 1);
    EXPECT_EQ(std::memcmp(lead.data(), back.data(), 4), 0);
    EXPECT_EQ(lead[4], 0xEE);
    EXPECT_EQ(input.GetPageData(30002, lead.data(), 4), 0);
    EXPECT_EQ(input.SetPageData(30002, reinterpret_cast<std::intptr_t>(block.data())), 0);
}

TEST_F(OptionPages, ChecksRefuseValuesBeyondTheirRanges)
{
    struct Case {
        std::function<CUserOpPage*()> make;
        UserOpSlot slot;
        int control;
        std::string typed;
    };
    const Case cases[] = {
        {[] { return new CUserOp01; }, kSlotGeneral, CUserOp01::kWaitTime, "60.01"},
        {[] { return new CUserOp01; }, kSlotGeneral, CUserOp01::kWaitTime, "0.09"},
        {[] { return new CUserOp01; }, kSlotGeneral, CUserOp01::kEllipseAngle, "5.5"},
        {[] { return new CUserOp02; }, kSlotDrawing, CUserOp02::kZoomIn, "8.1"},
        {[] { return new CUserOp03; }, kSlotInput, CUserOp03::kArcTolerance, "0.2"},
        {[] { return new CUserOp04; }, kSlotEditing, CUserOp04::kExtensionDistance, "0.00005"},
        {[] { return new CUserOp13; }, kSlotOperation, CUserOp13::kTableMax, "51"},
        {[] { return new CUserOp16; }, kSlotDimension, CUserOp16::kDecimals, "6"},
    };
    for (const Case& c : cases) {
        std::unique_ptr<CUserOpPage> page(c.make());
        loadedBlock(c.slot, *page);
        const int result = runPage(c.slot, *page, ZqUiScript().type(c.control, c.typed).ok().answer(1).read(c.control, "field").cancel());
        EXPECT_EQ(result, 2) << c.typed;
        ASSERT_EQ(transcript().messages().size(), 1u) << c.typed;
        EXPECT_TRUE(readOf("field").focused) << c.typed;
    }
}

TEST_F(OptionPages, GeneralPageClampsHostValuesAndFollowsItsEnableRules)
{
    unsigned char block[64] = {};
    mobr::bytes::put<double>(block, 0, 75.0);
    hostapi::aatSysInfWaittime(119, block);
    mobr::bytes::put<int16_t>(block, 0, 100);
    hostapi::aatSysInfCharBox(119, block);
    CUserOp01 page;
    const int result = runPage(kSlotGeneral, page,
                               ZqUiScript()
                                   .read(CUserOp01::kWaitTime, "wait")
                                   .read(CUserOp01::kCharBox, "box")
                                   .click(CUserOp01::kPenDisplay)
                                   .read(CUserOp01::kPenPitch, "pitch")
                                   .type(CUserOp01::kDisplayWidth, "0.5")
                                   .ok());
    EXPECT_EQ(result, 1);
    EXPECT_EQ(shown("wait"), "60.00");
    EXPECT_EQ(shown("box"), "99");
    EXPECT_FALSE(readOf("pitch").enabled);
    int32_t hundredths = 0;
    int32_t setting = 0;
    hostapi::aatDrwGetDispWidthDot(&hundredths, &setting);
    EXPECT_EQ(hundredths, 50);
    EXPECT_EQ(hostapi::aatDrwGetPenMode(), 0);
    EXPECT_EQ(first16(hostapi::aatSysInfCharBox), 99);
    unsigned char pitch[64] = {};
    hostapi::aatSysInfDrwPenPitchMode(114, pitch);
    EXPECT_EQ(mobr::bytes::i32(pitch, 0), 0) << "no pen display, no pen pitch";
}

TEST_F(OptionPages, OperationPageCodesToolBarsAndDimensionPageCodesItsFlags)
{
    unsigned char block[64] = {};
    mobr::bytes::put<int16_t>(block, 0, 5);
    hostapi::aatSysInfToolBarStyle(119, block);
    unsigned char dim[184] = {};
    hostapi::aatSysInfCdim(114, dim);
    mobr::bytes::put<int16_t>(dim, 180, 3);
    hostapi::aatSysInfCdim(119, dim);

    CUserOp13 operation;
    runPage(kSlotOperation, operation,
            ZqUiScript().read(CUserOp13::kToolBarCaptions, "captions").read(CUserOp13::kToolBarFlat, "flat").ok());
    EXPECT_TRUE(readOf("captions").checked && readOf("flat").checked);
    EXPECT_EQ(first16(hostapi::aatSysInfToolBarStyle), 1);
    CUserOp16 dimension;
    runPage(kSlotDimension, dimension,
            ZqUiScript().read(CUserOp16::kValueFrame, "frame").click(CUserOp16::kExtensionLines).ok());
    EXPECT_TRUE(readOf("frame").checked);
    hostapi::aatSysInfCdim(114, dim);
    EXPECT_EQ(mobr::bytes::i16(dim, 180), 2);

    for (int code : {0, 1, 2, 3}) {
        bool first = false, second = false;
        CUserOp13::toolBarBoxes(code, &first, &second);
        EXPECT_EQ(CUserOp13::toolBarCode(first, second), code);
    }
}

TEST_F(OptionPages, ConstructionMarksComeFromTheHostsMarkKinds)
{
    CUserOp03 input;
    loadedBlock(kSlotInput, input);
    runPage(kSlotInput, input, ZqUiScript().read(CUserOp03::kMarkKind, "kinds").select(CUserOp03::kMarkKind, 4).ok());
    EXPECT_EQ(readOf("kinds").items.size(), 6u);
    EXPECT_EQ(readOf("kinds").selection, 1) << "the host's '+'";
    UserOpPages pages;
    pages.bySlot[kSlotInput] = &input;
    CUserOpApplyLog log;
    ApplyUserOpValues(pages, log);
    unsigned char atr[32] = {};
    hostapi::aatSysInfAtrMode(114, atr);
    EXPECT_EQ(atr[1], 'x');
    EXPECT_FALSE(log.anyRefused());
}

TEST_F(OptionPages, ReportLinesFollowTheLayout)
{
    CUserOp01 page;
    runPage(kSlotGeneral, page, ZqUiScript().check(CUserOp01::kSearchBox, false).ok());
    std::vector<std::string> lines;
    page.WriteSettingReport(lines);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], "  < General >\n");
    EXPECT_EQ(lines[1], "\n");
    EXPECT_EQ(lines[2], "[ Timing and sizes ]\n");
    const auto has = [&lines](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    char expected[128];
    std::snprintf(expected, sizeof expected, "%-35s: %s %s\n", "Wait time", "0.50", "s");
    EXPECT_TRUE(has(expected));
    std::snprintf(expected, sizeof expected, "%-35s: %s\n", "Show the search box", "Off");
    EXPECT_TRUE(has(expected));
    std::snprintf(expected, sizeof expected, "%-35s: %s\n", "Point type", "Cross");
    EXPECT_TRUE(has(expected));
    std::snprintf(expected, sizeof expected, "%-35s: %s\n", "Window title", "File name");
    EXPECT_TRUE(has(expected));
}

}  // namespace

namespace {

// Every page's table walked through the page itself: each edited field
// takes values inside and at both ends of its range and refuses values just
// beyond them; every button and row it declares can be chosen.
TEST_F(OptionPages, EveryPageWalksItsFieldTable)
{
    struct PageCase {
        std::function<CUserOpPage*()> make;
        UserOpSlot slot;
        const std::vector<ZqField>& table;
    };
    const PageCase pages[] = {
        {[] { return new CUserOp01; }, kSlotGeneral, CUserOp01::fieldTable()},
        {[] { return new CUserOp13; }, kSlotOperation, CUserOp13::fieldTable()},
        {[] { return new CUserOp02; }, kSlotDrawing, CUserOp02::fieldTable()},
        {[] { return new CUserOp03; }, kSlotInput, CUserOp03::fieldTable()},
        {[] { return new CUserOp04; }, kSlotEditing, CUserOp04::fieldTable()},
        {[] { return new CUserOp16; }, kSlotDimension, CUserOp16::fieldTable()},
    };
    for (const PageCase& p : pages) {
        for (const fieldwalk::Case& c : fieldwalk::cases(p.table)) {
            // The mark kinds are as many as the host has (six), not the bound the table allows.
            if (c.field->control == CUserOp03::kMarkKind && c.action.number >= 6) continue;
            // Each case starts from the bundled options (OK wrote the last case's).
            ASSERT_EQ(hostapi::aatLoadIniFile(1, (systemFolder() + "MOBRSTD.INI").c_str()), 0);
            std::unique_ptr<CUserOpPage> page(p.make());
            loadedBlock(p.slot, *page);
            const int result = runPage(p.slot, *page, fieldwalk::scriptFor(c));
            fieldwalk::expectOutcome(c, result, transcript(),
                                     [&] { return page->fieldSet().valueOf(c.field->control); });
        }
    }
}

}  // namespace

namespace {

TEST_F(OptionPages, HostValuesOutsideTheRangesAndASketchFigure)
{
    mobrhost::ScopedHostOverride tableMax("aatSchGetTableMax", +[]() -> int32_t { return 80; });
    mobrhost::ScopedHostOverride sketch("aatFigIsExistSktFigure", +[]() -> int32_t { return 1; });
    unsigned char block[64] = {};
    mobr::bytes::put<int16_t>(block, 0, 100);
    hostapi::aatSysInfRdot(119, block);

    CUserOp13 operation;
    runPage(kSlotOperation, operation,
            ZqUiScript().read(CUserOp13::kTableMax, "table").read(CUserOp13::kPickDots, "dots").cancel());
    EXPECT_EQ(shown("table"), "50");
    EXPECT_EQ(shown("dots"), "99");
    CUserOp01 general;
    runPage(kSlotGeneral, general,
            ZqUiScript().read(CUserOp01::kActiveChange, "first").read(CUserOp01::kActiveChange + 1, "second").cancel());
    EXPECT_FALSE(readOf("first").enabled);
    EXPECT_TRUE(readOf("second").checked) << "a sketch figure fixes the active change mode at 1";
}

}  // namespace
