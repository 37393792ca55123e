// The colour, numeric parameter and sketch pages and their editors, through
// the options dialog opened by aapLopt and the host's journal.

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "OptionsHarness.h"
#include "api/HostRuntime.h"
#include "mobr/ComNumUs.h"
#include "optionpages/CColorEditDlg.h"
#include "optionpages/ComNumDialogs.h"
#include "optionpages/CUserOp05.h"
#include "optionpages/CUserOp09.h"
#include "optionpages/CUserOp15.h"
#include "optionpages/OptionText.h"
#include "options/UserOpValues.h"

namespace {

constexpr int kColourTab = 7;
constexpr int kNumericTab = 8;
constexpr int kSketchTab = 9;

}  // namespace

class MorePages : public OptionsHarness {};

// ---- Texts ----------------------------------------------------------------------------

TEST(OptionText, PlaceholdersWithoutArgumentsStayEmpty)
{
    using optiontext::fill;
    EXPECT_EQ(fill("%1 and %2", {"a", "b"}), "a and b");
    EXPECT_EQ(fill("%2 before %1", {"a", "b"}), "b before a");
    EXPECT_EQ(fill("%1, %2, %3 and %s%s%d", {"a"}), "a, ,  and a");
    EXPECT_EQ(fill("100%% of %9", {}), "100% of ");
    EXPECT_EQ(fill("ends with %", {"x"}), "ends with %");
}

TEST_F(MorePages, ValueTextsHaveFourteenSignificantDigitsWithoutTrailingZeros)
{
    const std::pair<double, const char*> cases[] = {
        {0.5, "0.5"}, {12.0, "12"}, {-3.25, "-3.25"}, {0.0, "0"}, {1.0 / 3.0, "0.333333"},
        {12345678901234.0, "12345678901234"}, {-0.0000001, "0"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(optiontext::valueText(value), text) << value;
}

// ---- Colours ------------------------------------------------------------------------

TEST_F(MorePages, AColourChangedTwiceIsWrittenOnceAndThePaperFrameTakesItsTwin)
{
    constexpr int kPaperFrameRow = 9;  // host colour 22
    ZqUiScript script;
    script.page(kColourTab).read(CUserOp09::kList, "rows");
    for (const char* red : {"300", "17"}) {
        script.select(CUserOp09::kList, kPaperFrameRow).click(CUserOp09::kChange)
            .type(CColorEditDlg::kRed, red).type(CColorEditDlg::kGreen, "-4").read(CColorEditDlg::kRed, "red").ok();
    }
    script.dblclk(CUserOp09::kList, 15).type(CColorEditDlg::kBlue, "200").ok().ok();
    EXPECT_EQ(runOptions(script), 18);

    EXPECT_EQ(readOf("rows").items.size(), 19u);
    EXPECT_EQ(readOf("rows").items[15], "Sketch colour 1");
    const auto setRgb = argsOf("aatSysColSetRGB");
    ASSERT_EQ(setRgb.size(), 2u);  // colour 23 first, then colour 22, each with the last value
    for (const auto& args : setRgb) {
        EXPECT_EQ(args[2], "17");
        EXPECT_EQ(args[3], "0");
    }
    EXPECT_EQ(setRgb[0][1], std::to_string(hostapi::aatColGetIndex(23)));
    EXPECT_EQ(setRgb[1][1], std::to_string(hostapi::aatColGetIndex(22)));
    const auto sketch = argsOf("aatSysSetSktColor");
    ASSERT_EQ(sketch.size(), 1u);
    EXPECT_EQ(sketch[0][0], "1");
    EXPECT_EQ(sketch[0][3], "200");
}

TEST_F(MorePages, ColourReportListsEveryRowWithItsComponents)
{
    CUserOp09 page;
    runPage(kSlotColours, page, ZqUiScript().cancel());
    std::vector<std::string> lines;
    page.WriteSettingReport(lines);
    ASSERT_EQ(lines.size(), 3u + 19u);
    EXPECT_EQ(lines[0], "  < Colours >\n");
    EXPECT_EQ(lines[1], "\n");
    const CSysColorData& first = page.colours()[0];
    char expected[128];
    std::snprintf(expected, sizeof expected, "%-35s: [%3d]  [%3d]  [%3d]\n", "Background", first.red(), first.green(),
                  first.blue());
    EXPECT_EQ(lines[3], expected);
}

// ---- Numeric parameters ------------------------------------------------------------

TEST_F(MorePages, TheParameterEditorRefusesBadNamesAndValuesWithItsMessages)
{
    struct Case {
        const char* name;
        const char* value;
        const char* status;
    };
    const Case cases[] = {
        {"", "1", "Enter a name for the new parameter."},
        {"1A", "1", "A parameter name may not start with a digit."},
        {"AB", "", "Enter a value for the parameter."},
        {"MX", "1", "This name is kept for the program's own parameters."},
    };
    for (const Case& c : cases) {
        runOptions(ZqUiScript()
                       .page(kNumericTab)
                       .click(CUserOp05::kAdd)
                       .type(CComNumEditDlg::kName, c.name)
                       .type(CComNumEditDlg::kValue, c.value)
                       .ok()
                       .read(CComNumEditDlg::kStatus, "status")
                       .read(CComNumEditDlg::kName, "name")
                       .cancel()
                       .cancel());
        EXPECT_EQ(shown("status"), c.status) << c.name;
    }
}

TEST_F(MorePages, RefusedTypingIsExplainedInTheStatusLine)
{
    const std::tuple<int, const char*, const char*> cases[] = {
        {CComNumEditDlg::kName, "ABCDEFGHIJ", "At most 8 characters can be typed."},
        {CComNumEditDlg::kValue, "12345678901234567", "At most 16 characters can be typed."},
        {CComNumEditDlg::kValue, "1x", "Only digits, a sign and a decimal point can be typed."},
        {CComNumEditDlg::kValue, "1.2.3", "A number has one decimal point."},
    };
    for (const auto& [control, typed, status] : cases) {
        runOptions(ZqUiScript()
                       .page(kNumericTab)
                       .click(CUserOp05::kAdd)
                       .type(control, typed)
                       .read(CComNumEditDlg::kStatus, "status")
                       .cancel()
                       .cancel());
        EXPECT_EQ(shown("status"), status) << typed;
    }
}

TEST_F(MorePages, AddedParametersGoToTheHostAndAFullTableDisablesAdd)
{
    // 39 used slots: one more fills the table.
    std::vector<unsigned char> table(comnum::kHostTableSlots * comnum::kRecordSize, 0);
    for (int i = 0; i < comnum::kHostTableSlots - 1; ++i) {
        unsigned char* r = table.data() + i * comnum::kRecordSize;
        mobr::bytes::put<int16_t>(r, 0, i == 0 ? 0 : 1);
        std::snprintf(reinterpret_cast<char*>(r + 2), 12, "P%d", i);
        mobr::bytes::put<double>(r, 14, i * 0.5);
    }
    hostapi::aatComNumUsInfo(119, table.data());
    const int result = runOptions(ZqUiScript()
                                      .page(kNumericTab)
                                      .read(CUserOp05::kChange, "changeConst")
                                      .read(CUserOp05::kNote, "note")
                                      .click(CUserOp05::kAdd)
                                      .type(CComNumEditDlg::kName, "P1")
                                      .type(CComNumEditDlg::kValue, "2")
                                      .ok()
                                      .read(CComNumEditDlg::kStatus, "used")
                                      .type(CComNumEditDlg::kName, "Last")
                                      .type(CComNumEditDlg::kValue, "12.000")
                                      .ok()
                                      .read(CUserOp05::kAdd, "add")
                                      .read(CUserOp05::kList, "list")
                                      .ok());
    EXPECT_EQ(result, 18);
    EXPECT_FALSE(readOf("changeConst").enabled);
    EXPECT_EQ(shown("note"), "Parameters of the program cannot be changed or deleted here.");
    EXPECT_EQ(shown("used"), "Another parameter already has this name.");
    EXPECT_FALSE(readOf("add").enabled);
    EXPECT_EQ(readOf("list").items.size(), 40u);
    hostapi::aatComNumUsInfo(114, table.data());
    const unsigned char* last = table.data() + 39 * comnum::kRecordSize;
    EXPECT_STREQ(reinterpret_cast<const char*>(last + 2), "Last");
    EXPECT_EQ(mobr::bytes::get<double>(last, 14), 12.0);
    EXPECT_EQ(mobr::bytes::i16(last, 0), 1);
}

namespace {

int32_t manyReferences() { return 30; }
// Writes a name and a caption far longer than the fields, the caption ending
// in the lead byte of a double-byte character at byte 16.
int32_t longReferenceName(int32_t, char* name)
{
    std::memset(name, 'N', 40);
    name[40] = '\0';
    return 0;
}
int32_t longCaption(const char*, char* caption, int32_t)
{
    std::memset(caption, 'c', 15);
    caption[15] = '\x82';
    caption[16] = '\xa0';
    caption[17] = '\0';
    return 0;
}

}  // namespace

TEST_F(MorePages, NumericReportListsTheParameters)
{
    CUserOp05 page;
    UserOpPages pages;
    pages.bySlot[kSlotNumeric] = &page;
    LoadUserOpValues(pages);
    runPage(kSlotNumeric, page, ZqUiScript().cancel());
    std::vector<std::string> lines;
    page.WriteSettingReport(lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"  < Numeric parameters >\n", "\n",
                                                "LEN                                : 100\n", "\n"}));
}

TEST_F(MorePages, ReferenceParametersAreClippedToTheListAndCutOnCharacters)
{
    mobrhost::ScopedHostOverride count("aatComNumRefNum", &manyReferences);
    mobrhost::ScopedHostOverride para("aatComNumRefPara", &longReferenceName);
    mobrhost::ScopedHostOverride caption("aatComNumGetParaCation", &longCaption);
    CComNumRefDlg list;
    UserOpPages pages;
    pages.numRef = &list;
    LoadUserOpValues(pages);
    ASSERT_EQ(list.entries().size(), 24u);
    EXPECT_EQ(list.entries()[0].name, std::string(11, 'N'));
    EXPECT_EQ(list.entries()[0].caption, std::string(15, 'c'));
}

TEST_F(MorePages, AReferenceValueChangedInItsEditorGoesToTheHost)
{
    ASSERT_GT(hostapi::aatComNumRefNum(), 0);
    char name[12] = {};
    hostapi::aatComNumRefPara(0, name);
    runOptions(ZqUiScript()
                   .page(kNumericTab)
                   .click(CUserOp05::kReferences)
                   .click(CComNumRefDlg::kChange)
                   .type(CComNumValDlg::kValue, "123456789012345")
                   .ok()
                   .answer(1)
                   .read(CComNumValDlg::kValue, "refused")
                   .type(CComNumValDlg::kValue, "2.5")
                   .ok()
                   .read(CComNumRefDlg::kList, "refs")
                   .cancel()
                   .ok());
    double value = 0;
    hostapi::aatComNumRefVal(name, &value);
    EXPECT_EQ(value, 2.5);
    EXPECT_EQ(readOf("refs").selection, 0);
    EXPECT_TRUE(readOf("refused").focused);
    EXPECT_EQ(readOf("refs").items.at(0).substr(0, 6), std::string(name) + "\t2.5");
}

// ---- Sketch -------------------------------------------------------------------------

TEST_F(MorePages, SketchValuesAreShownWithinTheirRangesAndGoBackAsGiven)
{
    CUserOp15 page;
    UserOpPages pages;
    pages.bySlot[kSlotSketch] = &page;
    LoadUserOpValues(pages);
    std::vector<unsigned char> block(sketchblock::kBytes);
    ASSERT_EQ(page.GetPageData(CUserOpPage::kItemBlock, block.data(), sketchblock::kBytes), 1);
    mobr::bytes::put<int32_t>(block.data(), sketchblock::kLimitDots, 0);
    mobr::bytes::put<int32_t>(block.data(), sketchblock::kCharSmall, 150);
    mobr::bytes::put<int32_t>(block.data(), sketchblock::kDimDigits, 7);
    mobr::bytes::put<double>(block.data(), sketchblock::kOriginX, 0.0005);
    mobr::bytes::put<int32_t>(block.data(), sketchblock::kGridShown, 0);
    mobr::bytes::put<int32_t>(block.data(), sketchblock::kGridSnap, 1);
    page.SetPageData(CUserOpPage::kItemBlock, reinterpret_cast<std::intptr_t>(block.data()));
    runPage(kSlotSketch, page,
            ZqUiScript()
                .read(CUserOp15::kLimitDots, "dots")
                .read(CUserOp15::kCharSmall, "small")
                .read(CUserOp15::kDimDigits, "digits")
                .read(CUserOp15::kOriginX, "origin")
                .read(CUserOp15::kGridSnap, "snap")
                .ok());
    EXPECT_EQ(shown("dots"), "1");
    EXPECT_EQ(shown("small"), "100");
    EXPECT_EQ(shown("digits"), "6");
    EXPECT_EQ(shown("origin"), "0.001");
    EXPECT_FALSE(readOf("snap").enabled);
    std::vector<unsigned char> untouched(sketchblock::kBytes);
    page.GetPageData(CUserOpPage::kItemBlock, untouched.data(), sketchblock::kBytes);
    EXPECT_EQ(mobr::bytes::i32(untouched.data(), sketchblock::kGridSnap), 1);  // as given
    // Once the grid switch is used, a hidden grid gives snapping off.
    runPage(kSlotSketch, page, ZqUiScript().click(CUserOp15::kGridShown).click(CUserOp15::kGridShown).ok());
    std::vector<unsigned char> back(sketchblock::kBytes);
    page.GetPageData(CUserOpPage::kItemBlock, back.data(), sketchblock::kBytes);
    EXPECT_EQ(mobr::bytes::get<double>(back.data(), sketchblock::kOriginX), 0.0005);
    EXPECT_EQ(mobr::bytes::i32(back.data(), sketchblock::kGridSnap), 0);
    EXPECT_EQ(mobr::bytes::i32(back.data(), sketchblock::kLimitDots), 1);
}

TEST_F(MorePages, SketchFieldsRefuseWhatTheHostWouldRefuse)
{
    // Text that is no number, or a negative pitch, cannot even be typed.
    for (const char* typed : {"abc", "-1"}) {
        runOptions(ZqUiScript().page(kSketchTab).type(CUserOp15::kPitchX, typed).read(CUserOp15::kPitchX, "field").cancel());
        EXPECT_NE(shown("field"), typed);
        EXPECT_EQ(shown("field").find_first_not_of("0123456789."), std::string::npos) << shown("field");
    }
    // Numbers beyond the ranges are refused on OK, with the focus on the field.
    const std::pair<int, const char*> cases[] = {
        {CUserOp15::kOriginX, "0.0005"}, {CUserOp15::kLimitDots, "101"},
    };
    for (const auto& [control, typed] : cases) {
        const int result = runOptions(
            ZqUiScript().page(kSketchTab).type(control, typed).ok().answer(1).read(control, "field").cancel());
        EXPECT_EQ(result, 18);
        EXPECT_EQ(transcript().messages().size(), 1u) << typed;
        EXPECT_TRUE(readOf("field").focused) << typed;
        EXPECT_TRUE(argsOf("aatSysSetSktGrid").empty()) << typed;
    }
}

TEST_F(MorePages, SketchPageReportsItsGroups)
{
    CUserOp15 page;
    UserOpPages pages;
    pages.bySlot[kSlotSketch] = &page;
    LoadUserOpValues(pages);
    runPage(kSlotSketch, page, ZqUiScript().cancel());
    std::vector<std::string> lines;
    page.WriteSettingReport(lines);
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[0], "  < Sketch >\n");
    EXPECT_EQ(lines[2], "[ Recognition ]\n");
    EXPECT_EQ(lines[3], "Limit dots                         : 5 dots\n");
    const auto grid = std::find(lines.begin(), lines.end(), "Pitch X                            : 10.000000 mm\n");
    EXPECT_NE(grid, lines.end());
}
