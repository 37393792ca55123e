// The line width and colour pages of the system attribute sheet and their
// editors, on edit copies of the reference host's default figure.

#include <algorithm>
#include <string>
#include <vector>

#include "AttributeTestHarness.h"
#include "FigureTestSupport.h"
#include "attributes/AttributeNameCheck.h"
#include "attributes/CPageSysAttribute2.h"
#include "attributes/CPageSysAttribute3.h"

namespace {

// Default figure: widths THIN, MEDIUM (both used by pens), THICK, EXTRA;
// colours BLACK, RED, GREEN, BLUE, YELLOW, CYAN, MAGENTA, GRAY (GRAY and
// MAGENTA used by no pen).
constexpr int kThick = 3, kMagenta = 7, kGray = 8;
using Strings = std::vector<std::string>;

std::string shot(const char* name)
{
    return ::testing::TempDir() + name;
}

std::string widthName(void* widths, int width)
{
    char name[mobr::kHostNameBufferBytes] = {};
    hostapi::aatWidGetName(widths, width, name);
    return name;
}

class WidthColourPages : public AttributeTestHarness {
protected:
    WidthColourPages() : AttributeTestHarness(kPenCopy | kWidthCopy | kColourCopy | kPenColourCopy | kFontCopy) {}

    void SetUp() override
    {
        AttributeTestHarness::SetUp();
        ASSERT_EQ(widthPage_.SetPageData(30001, reinterpret_cast<std::intptr_t>(widths_)), 1);
        ASSERT_EQ(colourPage_.SetPageData(30001, reinterpret_cast<std::intptr_t>(colours_)), 1);
        ASSERT_EQ(colourPage_.SetPageData(30002, reinterpret_cast<std::intptr_t>(penColours_)), 1);
    }

    CPageSysAttribute2 widthPage_;
    CPageSysAttribute3 colourPage_;
};

TEST_F(WidthColourPages, WidthButtonsFollowUseAndTheLastWidth)
{
    EXPECT_EQ(widthPage_.SetPageData(30002, 0), 0) << "the width page takes one copy only";
    runSheet({&widthPage_}, ZqUiScript()
                          .read(1601).read(1502).read(1503)          // THIN: used by pens
                          .select(1601, 2).read(1503)                // THICK: free
                          .select(1601, 4).read(1501).read(1502).read(1503)  // the empty row
                          .select(1601, 2).click(1503).read(1601)    // delete THICK
                          .select(1601, 2).key(1601, "Delete").read(1601)  // EXTRA, by key
                          .read(1503)
                          .ok());
    EXPECT_EQ(readAt(0).items, (Strings{"THIN", "MEDIUM", "THICK", "EXTRA", ""}));
    EXPECT_EQ(readAt(0).selection, 0);
    // THIN: modify, delete (refused: a width used by a pen); THICK: delete;
    // the empty row: add, modify, delete.
    std::vector<bool> buttons;
    for (size_t i = 1; i <= 6; ++i) buttons.push_back(readAt(i).enabled);
    EXPECT_EQ(buttons, (std::vector<bool>{true, false, true, true, false, false}));
    EXPECT_EQ(readAt(7).items, (Strings{"THIN", "MEDIUM", "EXTRA", ""}));
    EXPECT_EQ(readAt(7).selection, 2) << "the same row index";
    EXPECT_EQ(readAt(8).items, (Strings{"THIN", "MEDIUM", ""}));
    EXPECT_EQ(readAt(8).selection, 1) << "the row before the empty row";
    EXPECT_FALSE(readAt(9).enabled);
    EXPECT_EQ(hostapi::aatWidGetCount(widths_), 2);
    EXPECT_EQ(callsAmong({"aatWidDeleteInfo"}).size(), 2u);
}

TEST_F(WidthColourPages, LastWidthStaysWhileTwoFreeWidthsMayGo)
{
    ASSERT_EQ(hostapi::aatWidDeleteInfo(widths_, 4), 0);
    ASSERT_EQ(hostapi::aatWidDeleteInfo(widths_, 3), 0);
    for (int w = 1; w <= 2; ++w) ASSERT_EQ(hostapi::aatWidSetAttrib(widths_, w, 0), 0);
    runSheet({&widthPage_}, ZqUiScript()
                          .read(1503)
                          .select(1601, 1).read(1503)
                          .click(1503)
                          .read(1601).read(1503)
                          .key(1601, "Delete").read(1601)
                          .ok());
    EXPECT_TRUE(readAt(0).enabled);
    EXPECT_TRUE(readAt(1).enabled);
    EXPECT_EQ(readAt(2).items, (Strings{"THIN", ""}));
    EXPECT_EQ(readAt(2).selection, 0);
    EXPECT_FALSE(readAt(3).enabled) << "the only width";
    EXPECT_EQ(readAt(4).items, (Strings{"THIN", ""})) << "the Delete key obeys the same rule";
    EXPECT_EQ(hostapi::aatWidGetCount(widths_), 1);
}

TEST_F(WidthColourPages, WidthEditorChecksInOrderThenAdds)
{
    runSheet({&widthPage_}, ZqUiScript()
                          .select(1601, 1)
                          .click(1501)
                          .type(1401, "  ").ok().read(1401)
                          .type(1401, "  ABCDEFGHIJKLMNOPQ ").ok().read(1401)
                          .type(1401, "FINE*").ok()
                          .type(1401, "thick").ok()
                          .type(1401, "FINE").type(1402, "5.01").ok().read(1402)
                          .type(1402, "5.0").type(1403, "10").ok().read(1403)
                          .type(1403, "9").ok()
                          .read(1601)
                          .ok());
    EXPECT_EQ(messageIds(), (std::vector<int>{7245, 7250, 7251, 7252, 7253, 7254}));
    EXPECT_EQ(transcript().messages().at(2).argument, "*");
    EXPECT_TRUE(readAt(0).focused);
    EXPECT_EQ(readAt(1).text, "ABCDEFGHIJKLMNOPQ") << "trimmed and written back";
    EXPECT_TRUE(readAt(2).focused);
    EXPECT_TRUE(readAt(3).focused);
    EXPECT_EQ(readAt(4).items, (Strings{"THIN", "MEDIUM", "THICK", "EXTRA", "FINE", ""}));
    EXPECT_EQ(readAt(4).selection, 4);

    EXPECT_EQ(callsAmong({"aatWidNewInfo", "aatWidSetWidth", "aatWidSetPlotPen"}),
              (Strings{"aatWidNewInfo", "aatWidSetWidth", "aatWidSetPlotPen"}));
    EXPECT_EQ(hostapi::aatWidFindName(widths_, "FINE"), 5);
    EXPECT_DOUBLE_EQ(hostapi::aatWidGetWidth(widths_, 5), 5.0);
    EXPECT_EQ(hostapi::aatWidGetPlotPen(widths_, 5), 9);
    EXPECT_TRUE(argsOf("AddWidthNameStringList").empty()) << "adding is no rename";
}

TEST_F(WidthColourPages, ModifyRecordsRealRenamesOnly)
{
    runSheet({&widthPage_, &colourPage_},
             ZqUiScript()
                 .select(1601, 0).click(1502).in("IDD_PROPS_002").read(1402).type(1402, "0.29").ok()
                 .dblclk(1601, 2).type(1401, " HEAVY").type(1402, "0.7").screenshot(shot("sysattr-width-edit.png")).ok()
                 .read(1601)
                 .screenshot(shot("sysattr-widths.png"))
                 .page(1)
                 .dblclk(1601, 7).type(1401, "SILVER").type(1404, "300").focus(1401)
                 .screenshot(shot("sysattr-colour-edit.png")).ok()
                 .read(1601)
                 .screenshot(shot("sysattr-colours.png"))
                 .ok());
    EXPECT_EQ(transcript().screenshots().size(), 4u);
    EXPECT_EQ(readAt(0).text, "0.13");
    EXPECT_EQ(readAt(1).items.at(2), "HEAVY");
    EXPECT_EQ(readAt(1).selection, 2);
    EXPECT_EQ(readAt(2).items.at(7), "SILVER");
    EXPECT_EQ(argsOf("AddWidthNameStringList"), (std::vector<Strings>{{"\"THICK\"", "\"HEAVY\""}}));
    EXPECT_EQ(argsOf("AddColorNameStringList"), (std::vector<Strings>{{"\"GRAY\"", "\"SILVER\""}}));
    EXPECT_DOUBLE_EQ(hostapi::aatWidGetWidth(widths_, 1), 0.29);
    // The sample asks for the width's dots in whole hundredths.
    const auto dots = argsOf("aatDrwGetWidthCount");
    EXPECT_NE(std::find(dots.begin(), dots.end(), Strings{"29"}), dots.end());
    EXPECT_EQ(std::find(dots.begin(), dots.end(), Strings{"28"}), dots.end());
    EXPECT_DOUBLE_EQ(hostapi::aatWidGetWidth(widths_, kThick), 0.7);
    EXPECT_EQ(widthName(widths_, kThick), "HEAVY");
    int r = 0, g = 0, b = 0;
    hostapi::aatColGetRGB(colours_, kGray, &r, &g, &b);
    EXPECT_EQ(b, 255) << "a component typed beyond 255 becomes 255";
}

TEST_F(WidthColourPages, ColourOfAPenAddedMeanwhileCannotBeDeleted)
{
    int pen = 0;
    runSheet({&widthPage_, &colourPage_},
             ZqUiScript()
                 .inspect([&](CZqWindow&) {
                     // What the line type page does when a pen is added.
                     pen = hostapi::aatPenNewInfo(pens_, "GREYLINE");
                     ASSERT_GT(pen, 0);
                     ASSERT_GE(hostapi::aatPenExNewInfo(penColours_, pens_, pen), 0);
                     ASSERT_EQ(hostapi::aatPenExSetColor(penColours_, pens_, pen, kGray), 0);
                     EXPECT_FALSE(hostapi::aatColGetAttrib(colours_, kGray) & 0x1) << "not refreshed yet";
                 })
                 .page(1)
                 .select(1601, kGray - 1).read(1503)
                 .key(1601, "Delete").read(1601)
                 .select(1601, kMagenta - 1).read(1503).click(1503).read(1601)
                 .ok());
    EXPECT_FALSE(readAt(0).enabled);
    EXPECT_EQ(readAt(1).items.size(), 9u) << "the Delete key deletes nothing either";
    EXPECT_TRUE(readAt(2).enabled);
    EXPECT_EQ(readAt(3).items.at(6), "GRAY");
    EXPECT_EQ(readAt(3).selection, 6);
    EXPECT_EQ(callsAmong({"aatColDeleteInfo", "aatPenExDeleteColor"}),
              (Strings{"aatColDeleteInfo", "aatPenExDeleteColor"}));
    EXPECT_EQ(argsOf("aatPenExDeleteColor").at(0).at(1), "7");
    EXPECT_EQ(hostapi::aatPenExGetColor(penColours_, pens_, pen), kGray - 1) << "GRAY moved down";
}

TEST_F(WidthColourPages, ColourEditorChecksAndClampsComponents)
{
    runSheet({&colourPage_}, ZqUiScript()
                          .click(1501)
                          .ok()
                          .type(1401, "ORANGE|").ok()
                          .type(1401, "red").ok()
                          .type(1401, "ORANGE").type(1402, "300").type(1403, "-5").type(1404, "x").focus(1401)
                          .read(1402).read(1403).read(1404)
                          .type(1404, "128")
                          .ok()
                          .read(1601)
                          .ok());
    EXPECT_EQ(messageIds(), (std::vector<int>{7255, 7257, 7258}));
    EXPECT_EQ(readAt(0).text, "255");
    EXPECT_EQ(readAt(1).text, "0");
    EXPECT_EQ(readAt(2).text, "0");
    EXPECT_EQ(readAt(3).items.at(8), "ORANGE");
    EXPECT_EQ(readAt(3).selection, 8);
    int r = -1, g = -1, b = -1;
    const int orange = hostapi::aatColFindName(colours_, "ORANGE");
    ASSERT_EQ(orange, 9);
    hostapi::aatColGetRGB(colours_, orange, &r, &g, &b);
    EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{255, 0, 128}));
    EXPECT_EQ(callsAmong({"aatColNewInfo", "aatColSetRGB"}), (Strings{"aatColNewInfo", "aatColSetRGB"}));
}

TEST_F(WidthColourPages, FailedAddsShowTheirMessageAndChangeNothing)
{
    mobrhost::ScopedHostOverride noWidth("aatWidNewInfo", +[](void*, const char*) -> int32_t { return -1; });
    mobrhost::ScopedHostOverride noColour("aatColNewInfo", +[](void*, const char*) -> int32_t { return 0; });
    runSheet({&widthPage_, &colourPage_},
             ZqUiScript()
                 .select(1601, 1).click(1501).type(1401, "FINE").ok().read(1601)
                 .page(1)
                 .select(1601, 2).click(1501).type(1401, "ORANGE").ok().read(1601)
                 .ok());
    EXPECT_EQ(messageIds(), (std::vector<int>{7267, 7268}));
    EXPECT_EQ(readAt(0).items.size(), 5u);
    EXPECT_EQ(readAt(0).selection, 1) << "the row chosen before";
    EXPECT_EQ(readAt(1).items.size(), 9u);
    EXPECT_EQ(readAt(1).selection, 2);
    EXPECT_TRUE(callsAmong({"aatWidSetWidth", "aatWidSetPlotPen", "aatColSetRGB"}).empty());
}

TEST_F(WidthColourPages, HelpTopicsOfPagesAndEditors)
{
    runSheet({&widthPage_, &colourPage_}, ZqUiScript()
                                            .click(1000)
                                            .click(1501).click(1000).cancel()
                                            .page(1)
                                            .click(1000)
                                            .click(1501).click(1000).cancel()
                                            .cancel());
    EXPECT_EQ(argsOf("aapRunDlgHelp"), (std::vector<Strings>{{"459"}, {"459"}, {"461"}, {"461"}}));
}

}  // namespace

TEST(AttributeNameCheck, ForbiddenCharactersMatchWholeCharactersOnly)
{
    // 0x83 0x7C is one double-byte character whose trail byte looks like '|'.
    const std::string forbidden = ",;\"'|*?";
    EXPECT_EQ(CAttributeNameCheck::forbiddenCharacter("PEN\x83\x7C", forbidden), "");
    EXPECT_EQ(CAttributeNameCheck::forbiddenCharacter("\x83\x7C|X;", forbidden), "|");
    EXPECT_EQ(CAttributeNameCheck::forbiddenCharacter("A?", forbidden), "?");
    EXPECT_EQ(CAttributeNameCheck::forbiddenCharacter("PLAIN", forbidden), "");
}

namespace {

using Pairs = mobrhost::RenameLists::Pairs;

const Pairs& widthRenames()
{
    return figtest::model().renames().pairs(mobrhost::RenameLists::Widths);
}

// Renames by row: select the row, Modify, type the name, OK.
ZqUiScript& rename(ZqUiScript& script, int row, const std::string& name)
{
    return script.select(1601, row).click(1502).type(1401, name).ok();
}

TEST_F(WidthColourPages, RenamesInOneSheetChainAndSwap)
{
    hostapi::ClearWidthNameStringList();
    ZqUiScript chain;
    rename(chain, 2, "HEAVY");
    rename(chain, 2, "HEAVIER");
    runSheet({&widthPage_}, chain.ok());
    EXPECT_EQ(widthRenames(), (Pairs{{"THICK", "HEAVIER"}})) << "A to B to C leaves A to C";

    // THIN and MEDIUM swap through a third name, then EXTRA goes there and back.
    hostapi::ClearWidthNameStringList();
    CPageSysAttribute2 page;
    ASSERT_EQ(page.SetPageData(30001, reinterpret_cast<std::intptr_t>(widths_)), 1);
    ZqUiScript swap;
    rename(swap, 0, "SPARE");
    rename(swap, 1, "THIN");
    rename(swap, 0, "MEDIUM");
    rename(swap, 3, "OTHER");
    rename(swap, 3, "EXTRA");
    runSheet({&page}, swap.ok());
    EXPECT_EQ(widthRenames(), (Pairs{{"THIN", "MEDIUM"}, {"MEDIUM", "THIN"}}));
    EXPECT_EQ(widthName(widths_, 1), "MEDIUM");
    EXPECT_EQ(widthName(widths_, 2), "THIN");
    hostapi::ClearWidthNameStringList();
}

TEST_F(WidthColourPages, DoubleClickModifiesAndDoesNothingOnTheEmptyRow)
{
    runSheet({&widthPage_}, ZqUiScript().dblclk(1601, 4).dblclk(1601, 1).cancel().in("IDD_S_011").ok());
    const auto& dialogs = transcript().dialogs();
    ASSERT_EQ(dialogs.size(), 2u) << "the sheet and one editor";
    EXPECT_EQ(dialogs[1].name, "IDD_S_011");
    EXPECT_EQ(hostapi::aatWidGetCount(widths_), 4) << "no width added";
    EXPECT_TRUE(mobrhost::journalEntries("aatWidNewInfo").empty());
}

}  // namespace
