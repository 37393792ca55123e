// The element settings sheet as aapLelm runs it: what it reads and writes,
// the order of the writes, what happens when the host fails, and the mended
// faults (rounding of hundredths, unchanged fields, radio values outside
// their buttons, a write that fails part-way, the hatch ratio fallback).

#include <cmath>
#include <cstring>
#include <fstream>
#include <sstream>

#include "ElementTestHarness.h"
#include "elements/CSysElem1.h"
#include "elements/CSysElem2.h"
#include "elements/CSysElem3.h"
#include "model/HostSession.h"

namespace aw = mobr::attrword;
namespace bytes = mobr::bytes;

namespace {

// Visits every page and opens and confirms both dimension dialogs.
ZqUiScript walkEverything()
{
    return ZqUiScript()
        .page("IDD_PROPS_011")
        .click(CSysElem2::kLineButton)
        .ok()
        .in("IDD_S_015")
        .click(CSysElem2::kTextButton)
        .ok()
        .in("IDD_S_016")
        .page("IDD_PROPS_012")
        .page("IDD_PROPS_013")
        .ok();
}

class ElementSheetTest : public ElementTestHarness {};

class UntouchedSheetTest : public ElementTestHarness, public ::testing::WithParamInterface<const char*> {};

}  // namespace

TEST_P(UntouchedSheetTest, OkWritesEveryValueBackUnchangedInOrder)
{
    if (std::string(GetParam()) == "sample") {
        std::ifstream in(MOBR_SAMPLE_FIGURE);
        std::stringstream text;
        text << in.rdbuf();
        std::string error;
        auto sample = mobrhost::FigureJson::importText(text.str(), &error);
        ASSERT_TRUE(sample) << error;
        ASSERT_TRUE(figtest::model().replaceFigure(0, std::move(sample)));
    }
    // In-use marks are worked out whenever the host hands a table out.
    figtest::model().refreshInUse(figure());
    const std::string before = figureJson();
    runSheet(walkEverything());
    EXPECT_EQ(figureJson(), before);
    const std::vector<std::string> writes = {"aatFigSetLineAttrib", "aatFigSetPntAttrib", "aatFigSetCurvInfo",
                                             "aatFigSetCurvTole",   "aatFigSetHatPtnRatu", "aauFigCLinePen",
                                             "aatFigSetDimInfo",    "aatFigSetFontSlant",  "aatFigSetFontType",
                                             "aatFigSetCharAttrib", "aatFigSetCharInfo",   "aatFigSetDispColor",
                                             "aatAtrDisp"};
    std::vector<std::string> seen;
    const std::vector<std::string> calls = callNames();
    const auto firstWrite = std::find(calls.begin(), calls.end(), writes.front());
    for (const std::string& name : std::vector<std::string>(firstWrite, calls.end())) {
        if (std::find(writes.begin(), writes.end(), name) != writes.end() && (seen.empty() || seen.back() != name))
            seen.push_back(name);
    }
    EXPECT_EQ(seen, writes);
    EXPECT_EQ(callCount("aatFigSetDispColor"), 4);
    EXPECT_EQ(callCount("aapLcom_mwar"), 0);
}

INSTANTIATE_TEST_SUITE_P(Figures, UntouchedSheetTest, ::testing::Values("default", "sample"));

TEST_F(ElementSheetTest, HundredthsAreRoundedAndUntouchedNumbersKeepTheirStoredValue)
{
    unsigned char* info = figure().charInfo.data();
    bytes::setI16(info, mobr::charblock::kHundredths, 115);
    bytes::setF32(info, 0, 12345.67f);
    bytes::setI16(figure().dim.data(), 20, 115);
    runSheet(ZqUiScript()
                 .page("IDD_PROPS_012")
                 .read(CSysElem3::kHeight, "height")
                 .read(CSysElem3::kHundredths, "hundredths")
                 .page("IDD_PROPS_011")
                 .click(CSysElem2::kTextButton)
                 .read(1408, "dialog hundredths")
                 .in("IDD_S_016")
                 .ok()
                 .in("IDD_S_016")
                 .ok());
    EXPECT_EQ(readOf("height").text, "12345.6") << "cut to 7 characters";
    EXPECT_EQ(readOf("hundredths").text, "1.15");
    EXPECT_EQ(readOf("dialog hundredths").text, "1.15");
    EXPECT_EQ(bytes::i16(info, mobr::charblock::kHundredths), 115) << "1.15 is 114.999... hundredths as a double";
    EXPECT_EQ(bytes::f32(info, 0), 12345.67f) << "not re-read from its shown text";
    EXPECT_EQ(bytes::i16(figure().dim.data(), 20), 115);

    runSheet(ZqUiScript().page("IDD_PROPS_012").type(CSysElem3::kHundredths, "-0.29").ok());
    EXPECT_EQ(bytes::i16(info, mobr::charblock::kHundredths), -29);
}

TEST_F(ElementSheetTest, RadioValuesOutsideTheirButtonsSelectNoneAndGoBackUnchanged)
{
    struct Case {
        int pointType, curveKind;
        ZqUiScript extra;
        int expectedPoint, expectedCurve;
        std::vector<bool> pointButtons;
    };
    const Case cases[] = {
        {3, 9, ZqUiScript(), 3, 9, {false, false, false, false}},
        {5, 2, ZqUiScript(), 5, 2, {false, false, true, false}},
        {5, 9, ZqUiScript().click(CSysElem1::kPointType + 3).click(CSysElem1::kCurveKind + 2), 6, 4,
         {false, false, true, false}},
    };
    for (const Case& c : cases) {
        bytes::setU32(figure().pointAttrib.data(), 0, aw::put(0xF00000FFu, aw::kPointType, c.pointType));
        figure().curveA = c.curveKind;
        ZqUiScript script;
        for (int i = 0; i < 4; ++i) script.read(CSysElem1::kPointType + i, "point" + std::to_string(i));
        script.read(CSysElem1::kCurveKind, "curve");
        for (const ZqUiAction& a : c.extra.actions()) script.add(a);
        runSheet(script.ok());
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(readOf("point" + std::to_string(i)).checked, c.pointButtons[static_cast<std::size_t>(i)])
                << c.pointType << " button " << i;
        EXPECT_EQ(readOf("curve").checked, c.curveKind == 2);
        const uint32_t pw = word(figure().pointAttrib);
        EXPECT_EQ(aw::get(pw, aw::kPointType), c.expectedPoint);
        EXPECT_EQ(pw & ~aw::mask(aw::kPointType) & ~aw::mask(aw::kColour), 0xF00000FFu) << "other bits kept";
        EXPECT_EQ(figure().curveA, c.expectedCurve);
    }
}

TEST_F(ElementSheetTest, FailedWriteKeepsEarlierPagesRefreshesAndWarns)
{
    mobrhost::ScopedHostOverride failDim("aatFigSetDimInfo", +[](short, const void*) -> int32_t { return -1; });
    const uint32_t charBefore = word(figure().charAttrib);
    runSheet(ZqUiScript().select(CSysElem1::kPenList, 1).ok());
    EXPECT_EQ(aw::get(word(figure().lineAttrib), aw::kPen), 2) << "page 1 stays written";
    EXPECT_EQ(word(figure().charAttrib), charBefore);
    EXPECT_EQ(callCount("aatFigSetCharAttrib"), 0) << "the pages after the failure are not written";
    ASSERT_EQ(callCount("aapLcom_mwar"), 1);
    EXPECT_EQ(mobrhost::journalEntries("aapLcom_mwar")[0].args[0], "9000");
    EXPECT_EQ(callCount("aatAtrDisp"), 1);
}

TEST_F(ElementSheetTest, FailedReadShowsNoSheetAndRefreshesNothing)
{
    mobrhost::ScopedHostOverride failTolerance("aatFigGetCurvTole", +[](short, int32_t*) -> int32_t { return -1; });
    runSheet(ZqUiScript());
    EXPECT_TRUE(transcript().dialogs().empty());
    EXPECT_EQ(callCount("aatAtrDisp"), 0);
    EXPECT_EQ(callCount("aapLcom_mwar"), 0);
}

TEST_F(ElementSheetTest, SheetThatCannotBeShownWarns)
{
    struct Unshowable : CElementSheet {
        int runSheet() override { return -1; }
    };
    runSheet(ZqUiScript(), Unshowable());
    ASSERT_EQ(callCount("aapLcom_mwar"), 1);
    EXPECT_EQ(callCount("aatAtrDisp"), 0);
    EXPECT_EQ(callCount("aatFigSetLineAttrib"), 0);
}

TEST(ElementSheetHatchRatio, OutOfRangeRatioFallsBackToAFinitePositiveScale)
{
    struct Case {
        double stored;
        int32_t numerator, denominator;
        double shown;
    };
    const Case cases[] = {
        {0.01, 1, 50, 0.01}, {999999.0, 1, 50, 999999.0}, {0.009, 1, 50, 0.02}, {1000000.0, 2, 1, 2.0},
        {0.009, 1, 0, 1.0},  {0.009, 0, 5, 1.0},          {NAN, 1, 50, 0.02},   {-3.0, -1, 4, 1.0},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(CElementSheet::hatchRatio(c.stored, c.numerator, c.denominator), c.shown) << c.stored;
}

TEST_F(ElementSheetTest, LinePageValuesTravelWithTheirRules)
{
    figure().curveTolerance = 5;
    bytes::setU32(figure().lineAttrib.data(), 0, aw::put(aw::put(0xF0000001u, aw::kFirstTip, 12), aw::kSecondTip, 3));
    bytes::setU32(figure().pointAttrib.data(), 0, aw::put(0x000F0000u, aw::kColour, 0));
    runSheet(ZqUiScript()
                 .read(CSysElem1::kTolerance, "tolerance")
                 .read(CSysElem1::kFirstTipList, "tip 12")
                 .read(CSysElem1::kColourList, "colours")
                 .select(CSysElem1::kPenList, 4)   // ASSIST (CYAN)
                 .read(CSysElem1::kColourList, "assist colours")
                 .ok());
    EXPECT_EQ(readOf("tolerance").text, "-5");
    EXPECT_EQ(readOf("tip 12").selection, 0);
    EXPECT_EQ(readOf("tip 12").text, "(no tip)");
    EXPECT_EQ(readOf("colours").items, std::vector<std::string>{"BLACK"}) << "SOLID has a colour of its own";
    EXPECT_EQ(readOf("assist colours").items, std::vector<std::string>{"CYAN"});
    EXPECT_EQ(figure().curveTolerance, 5);
    const uint32_t lw = word(figure().lineAttrib);
    EXPECT_EQ(aw::get(lw, aw::kFirstTip), 0) << "a reserved tip goes back as no tip";
    EXPECT_EQ(aw::get(lw, aw::kSecondTip), 3);
    EXPECT_EQ(aw::get(lw, aw::kPen), 5);
    EXPECT_EQ(aw::get(lw, aw::kColour), 6);
    EXPECT_EQ(lw & 0xF0000000u, 0xF0000000u);
    EXPECT_EQ(aw::get(word(figure().pointAttrib), aw::kColour), 6) << "points take the colour of lines";
    EXPECT_EQ(word(figure().pointAttrib) & ~aw::mask(aw::kColour), 0x000F0000u);
}

TEST_F(ElementSheetTest, LayerColourModeIsWorkedOutAtEveryOpening)
{
    figure().colourMode = 'L';
    figure().layers->setColour(0, 0, 3);
    runSheet(ZqUiScript().read(CSysElem1::kColourList, "layer").page("IDD_PROPS_012").read(CSysElem3::kColourList, "chars").cancel());
    EXPECT_EQ(readOf("layer").items, std::vector<std::string>{"GREEN"});
    EXPECT_EQ(readOf("chars").items, std::vector<std::string>{"GREEN"});

    figure().colourMode = 'P';
    figure().penColours->setColour(*figure().pens, 1, 0, 0);
    figure().tips->at(4)->mask = 0x1;   // DOT: not offered
    runSheet(ZqUiScript()
                 .read(CSysElem1::kColourList, "pen")
                 .read(CSysElem1::kFirstTipList, "tips")
                 .page("IDD_PROPS_012")
                 .read(CSysElem3::kPenList, "plot style 1")
                 .cancel());
    EXPECT_EQ(readOf("pen").items.size(), 8u) << "a pen without a colour of its own offers every colour";
    EXPECT_EQ(readOf("tips").items, (std::vector<std::string>{"(no tip)", "ARROW", "ARROW_FILLED", "ARROW_WIDE",
                                                               "SLASH", "CIRCLE", "BAR", "DOUBLE_ARROW", "DATUM"}));
    EXPECT_EQ(readOf("plot style 1").items, std::vector<std::string>{"SOLID"});
}

TEST_F(ElementSheetTest, CharacterSizesAreShownInPaperUnitsInModeOne)
{
    bytes::setI16(mobrhost::HostSession::instance().settings().block("aatSysInfCharSizeMode"), 0, 1);
    figure().scaleNumerator = 1;
    figure().scaleDenominator = 50;
    bytes::setF32(figure().charInfo.data(), 0, 100.0f);
    runSheet(ZqUiScript().page("IDD_PROPS_012").read(CSysElem3::kHeight, "height").type(CSysElem3::kHeight, "3").ok());
    EXPECT_EQ(readOf("height").text, "2.00");
    EXPECT_FLOAT_EQ(bytes::f32(figure().charInfo.data(), 0), 150.0f);
}

TEST_F(ElementSheetTest, DimensionDialogsWriteTheirFieldsAndKeepTheOtherBits)
{
    unsigned char* dim = figure().dim.data();
    bytes::setU32(dim, mobr::dimblock::kLineWord, 0xF0000001u);
    bytes::setU32(dim, mobr::dimblock::kTextWord, aw::put(0x00010001u, aw::kFont, 1));
    bytes::setI16(dim, 94, 0);
    runSheet(ZqUiScript()
                 .page("IDD_PROPS_011")
                 .click(CSysElem2::kLineButton)
                 .read(1205, "aux off")
                 .in("IDD_S_015")
                 .select(1203, 2)
                 .in("IDD_S_015")
                 .click(1101)
                 .in("IDD_S_015")
                 .read(1205, "aux on")
                 .in("IDD_S_015")
                 .select(1206, 1)
                 .in("IDD_S_015")
                 .ok()
                 .in("IDD_S_015")
                 .click(CSysElem2::kTextButton)
                 .read(1103, "switch 3 off")
                 .in("IDD_S_016")
                 .click(1302)
                 .in("IDD_S_016")
                 .read(1103, "switch 3 on")
                 .in("IDD_S_016")
                 .select(1202, 2)
                 .in("IDD_S_016")
                 .type(1405, "ABC")
                 .in("IDD_S_016")
                 .ok()
                 .in("IDD_S_016")
                 .ok());
    EXPECT_FALSE(readOf("aux off").enabled);
    EXPECT_TRUE(readOf("aux on").enabled);
    EXPECT_FALSE(readOf("switch 3 off").enabled);
    EXPECT_TRUE(readOf("switch 3 on").enabled);
    const uint32_t line = bytes::u32(dim, mobr::dimblock::kLineWord);
    EXPECT_EQ(aw::get(line, aw::kFirstTip), 2) << "row 2 of the tip list: the second tip";
    EXPECT_EQ(line & 0xF0000000u, 0xF0000000u);
    EXPECT_EQ(bytes::i16(dim, 94), 1);
    EXPECT_EQ(bytes::i16(dim, mobr::dimblock::kFourthTip), 1);
    const uint32_t text = bytes::u32(dim, mobr::dimblock::kTextWord);
    EXPECT_EQ(aw::get(text, aw::kFont), 3);
    EXPECT_EQ(text & 0x00010000u, 0x00010000u) << "bit 16 kept";
    EXPECT_EQ(aw::get(bytes::u32(dim, 84), {12, 4}), 1);
    EXPECT_STREQ(reinterpret_cast<const char*>(dim + 98), "ABC");
}

TEST_F(ElementSheetTest, EditsAreSwitchedByTheirChoicesAndCheckedOnLeaving)
{
    figure().fonts->at(2)->attrib |= CSysElem3::kSlantFontBit;
    runSheet(ZqUiScript()
                 .type(CSysElem1::kDivisions, "25")
                 .page("IDD_PROPS_011")
                 .read(CSysElem1::kDivisions, "refused")
                 .type(CSysElem1::kDivisions, "20")
                 .page("IDD_PROPS_011")
                 .read(CSysElem2::kExtension, "extension off")
                 .click(CSysElem2::kExtensionOn)
                 .type(CSysElem2::kExtension, "x")
                 .click(CSysElem2::kExtensionOff)
                 .read(CSysElem2::kExtension, "extension reverted")
                 .page("IDD_PROPS_012")
                 .read(CSysElem3::kSlant, "slant STANDARD")
                 .select(CSysElem3::kFontList, 1)
                 .read(CSysElem3::kSlant, "slant MONO")
                 .cancel());
    ASSERT_GE(transcript().messages().size(), 1u);
    EXPECT_TRUE(readOf("refused").focused) << "the page was not left";
    EXPECT_FALSE(readOf("extension off").enabled);
    EXPECT_FALSE(readOf("extension reverted").enabled);
    EXPECT_EQ(readOf("extension reverted").text, "0.00");
    EXPECT_FALSE(readOf("slant STANDARD").enabled);
    EXPECT_TRUE(readOf("slant MONO").enabled);
    EXPECT_EQ(callCount("aatFigSetLineAttrib"), 0) << "Cancel writes nothing";
    EXPECT_EQ(callCount("aatAtrDisp"), 1);
}

TEST_F(ElementSheetTest, EveryPageAndDialogAsksForItsOwnHelpTopic)
{
    runSheet(ZqUiScript()
                 .click(IDHELP_ZQ)
                 .page("IDD_PROPS_011")
                 .click(IDHELP_ZQ)
                 .click(CSysElem2::kLineButton)
                 .click(IDHELP_ZQ)
                 .in("IDD_S_015")
                 .cancel()
                 .in("IDD_S_015")
                 .click(CSysElem2::kTextButton)
                 .click(IDHELP_ZQ)
                 .in("IDD_S_016")
                 .cancel()
                 .in("IDD_S_016")
                 .page("IDD_PROPS_012")
                 .click(IDHELP_ZQ)
                 .page("IDD_PROPS_013")
                 .click(IDHELP_ZQ)
                 .cancel());
    std::vector<std::string> topics;
    for (const auto& e : mobrhost::journalEntries("aapRunDlgHelp")) topics.push_back(e.args.at(0));
    EXPECT_EQ(topics, (std::vector<std::string>{"466", "467", "468", "469", "470", "471"}));
}
