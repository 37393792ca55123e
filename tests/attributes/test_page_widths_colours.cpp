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
#include "attributes/ColourEditDlg.h"
#include "attributes/WidthEditDlg.h"

namespace {

// Default figure: widths THIN, MEDIUM (both used by pens), THICK, EXTRA;
// colours BLACK, RED, GREEN, BLUE, YELLOW, CYAN, MAGENTA, GRAY (GRAY and
// MAGENTA used by no pen).
constexpr int kThick = 3, kMagenta = 7, kGray = 8;
using Strings = std::vector<std::string>;
constexpr int kAdd = CAttributeListPage::kAdd, kModify = CAttributeListPage::kModify,
              kDelete = CAttributeListPage::kDelete, kList = CAttributeListPage::kList;
constexpr int kName = CAttributeEditDlg::kNameEdit, kWidthEdit = CWidthEditDlg::kWidthEdit,
              kPlotPen = CWidthEditDlg::kPlotPenEdit, kRed = CColourEditDlg::kRedEdit,
              kGreen = CColourEditDlg::kGreenEdit, kBlue = CColourEditDlg::kBlueEdit;
constexpr int kHelpButton = 1000;

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
                          .read(kList, "list")
                          .read(kModify, "THIN modify").read(kDelete, "THIN delete")  // used by pens
                          .select(kList, 2).read(kDelete, "THICK delete")               // free
                          .select(kList, 4)                                             // the empty row
                          .read(kAdd, "empty add").read(kModify, "empty modify").read(kDelete, "empty delete")
                          .select(kList, 2).click(kDelete).read(kList, "without THICK")
                          .select(kList, 2).key(kList, "Delete").read(kList, "without EXTRA")  // by key
                          .read(kDelete, "last two delete")
                          .ok());
    EXPECT_EQ(readOf("list").items, (Strings{"THIN", "MEDIUM", "THICK", "EXTRA", ""}));
    EXPECT_EQ(readOf("list").selection, 0);
    EXPECT_TRUE(readOf("THIN modify").enabled);
    EXPECT_FALSE(readOf("THIN delete").enabled) << "a width used by a pen";
    EXPECT_TRUE(readOf("THICK delete").enabled);
    EXPECT_TRUE(readOf("empty add").enabled);
    EXPECT_FALSE(readOf("empty modify").enabled);
    EXPECT_FALSE(readOf("empty delete").enabled);
    EXPECT_EQ(readOf("without THICK").items, (Strings{"THIN", "MEDIUM", "EXTRA", ""}));
    EXPECT_EQ(readOf("without THICK").selection, 2) << "the same row index";
    EXPECT_EQ(readOf("without EXTRA").items, (Strings{"THIN", "MEDIUM", ""}));
    EXPECT_EQ(readOf("without EXTRA").selection, 1) << "the row before the empty row";
    EXPECT_FALSE(readOf("last two delete").enabled);
    EXPECT_EQ(hostapi::aatWidGetCount(widths_), 2);
    EXPECT_EQ(callsAmong({"aatWidDeleteInfo"}).size(), 2u);
}

TEST_F(WidthColourPages, LastWidthStaysWhileTwoFreeWidthsMayGo)
{
    ASSERT_EQ(hostapi::aatWidDeleteInfo(widths_, 4), 0);
    ASSERT_EQ(hostapi::aatWidDeleteInfo(widths_, 3), 0);
    for (int w = 1; w <= 2; ++w) ASSERT_EQ(hostapi::aatWidSetAttrib(widths_, w, 0), 0);
    runSheet({&widthPage_}, ZqUiScript()
                          .read(kDelete, "THIN delete")
                          .select(kList, 1).read(kDelete, "MEDIUM delete")
                          .click(kDelete)
                          .read(kList, "one left").read(kDelete, "last delete")
                          .key(kList, "Delete").read(kList, "after the Delete key")
                          .ok());
    EXPECT_TRUE(readOf("THIN delete").enabled);
    EXPECT_TRUE(readOf("MEDIUM delete").enabled);
    EXPECT_EQ(readOf("one left").items, (Strings{"THIN", ""}));
    EXPECT_EQ(readOf("one left").selection, 0);
    EXPECT_FALSE(readOf("last delete").enabled) << "the only width";
    EXPECT_EQ(readOf("after the Delete key").items, (Strings{"THIN", ""})) << "the Delete key obeys the same rule";
    EXPECT_EQ(hostapi::aatWidGetCount(widths_), 1);
}

TEST_F(WidthColourPages, WidthEditorChecksInOrderThenAdds)
{
    runSheet({&widthPage_}, ZqUiScript()
                          .select(kList, 1)
                          .click(kAdd)
                          .type(kName, "  ").ok().read(kName, "blank name")
                          .type(kName, "  ABCDEFGHIJKLMNOPQ ").ok().read(kName, "long name")
                          .type(kName, "FINE*").ok()
                          .type(kName, "thick").ok()
                          .type(kName, "FINE").type(kWidthEdit, "5.01").ok().read(kWidthEdit, "wide")
                          .type(kWidthEdit, "5.0").type(kPlotPen, "10").ok().read(kPlotPen, "pen 10")
                          .type(kPlotPen, "9").ok()
                          .read(kList, "list")
                          .ok());
    EXPECT_EQ(messageIds(), (std::vector<int>{7245, 7250, 7251, 7252, 7253, 7254}));
    EXPECT_EQ(transcript().messages().at(2).argument, "*");
    EXPECT_TRUE(readOf("blank name").focused);
    EXPECT_EQ(readOf("long name").text, "ABCDEFGHIJKLMNOPQ") << "trimmed and written back";
    EXPECT_TRUE(readOf("wide").focused);
    EXPECT_TRUE(readOf("pen 10").focused);
    EXPECT_EQ(readOf("list").items, (Strings{"THIN", "MEDIUM", "THICK", "EXTRA", "FINE", ""}));
    EXPECT_EQ(readOf("list").selection, 4);

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
                 .select(kList, 0).click(kModify).in("IDD_PROPS_002").read(kWidthEdit, "THIN width")
                 .type(kWidthEdit, "0.29").ok()
                 .dblclk(kList, 2).type(kName, " HEAVY").type(kWidthEdit, "0.7")
                 .screenshot(shot("sysattr-width-edit.png")).ok()
                 .read(kList, "widths")
                 .screenshot(shot("sysattr-widths.png"))
                 .page(1)
                 .dblclk(kList, 7).type(kName, "SILVER").type(kBlue, "300").focus(kName)
                 .screenshot(shot("sysattr-colour-edit.png")).ok()
                 .read(kList, "colours")
                 .screenshot(shot("sysattr-colours.png"))
                 .ok());
    EXPECT_EQ(transcript().screenshots().size(), 4u);
    EXPECT_EQ(readOf("THIN width").text, "0.13");
    EXPECT_EQ(readOf("widths").items.at(2), "HEAVY");
    EXPECT_EQ(readOf("widths").selection, 2);
    EXPECT_EQ(readOf("colours").items.at(7), "SILVER");
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
                 .select(kList, kGray - 1).read(kDelete, "GRAY delete")
                 .key(kList, "Delete").read(kList, "after the Delete key")
                 .select(kList, kMagenta - 1).read(kDelete, "MAGENTA delete").click(kDelete)
                 .read(kList, "without MAGENTA")
                 .ok());
    EXPECT_FALSE(readOf("GRAY delete").enabled);
    EXPECT_EQ(readOf("after the Delete key").items.size(), 9u) << "the Delete key deletes nothing either";
    EXPECT_TRUE(readOf("MAGENTA delete").enabled);
    EXPECT_EQ(readOf("without MAGENTA").items.at(6), "GRAY");
    EXPECT_EQ(readOf("without MAGENTA").selection, 6);
    EXPECT_EQ(callsAmong({"aatColDeleteInfo", "aatPenExDeleteColor"}),
              (Strings{"aatColDeleteInfo", "aatPenExDeleteColor"}));
    EXPECT_EQ(argsOf("aatPenExDeleteColor").at(0).at(1), "7");
    EXPECT_EQ(hostapi::aatPenExGetColor(penColours_, pens_, pen), kGray - 1) << "GRAY moved down";
}

TEST_F(WidthColourPages, ColourEditorChecksAndClampsComponents)
{
    runSheet({&colourPage_}, ZqUiScript()
                          .click(kAdd)
                          .ok()
                          .type(kName, "ORANGE|").ok()
                          .type(kName, "red").ok()
                          .type(kName, "ORANGE").type(kRed, "300").type(kGreen, "-5").type(kBlue, "x").focus(kName)
                          .read(kRed, "red").read(kGreen, "green").read(kBlue, "blue")
                          .type(kBlue, "128")
                          .ok()
                          .read(kList, "list")
                          .ok());
    EXPECT_EQ(messageIds(), (std::vector<int>{7255, 7257, 7258}));
    EXPECT_EQ(readOf("red").text, "255");
    EXPECT_EQ(readOf("green").text, "0");
    EXPECT_EQ(readOf("blue").text, "0");
    EXPECT_EQ(readOf("list").items.at(8), "ORANGE");
    EXPECT_EQ(readOf("list").selection, 8);
    int r = -1, g = -1, b = -1;
    const int orange = hostapi::aatColFindName(colours_, "ORANGE");
    ASSERT_EQ(orange, 9);
    hostapi::aatColGetRGB(colours_, orange, &r, &g, &b);
    EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{255, 0, 128}));
    EXPECT_EQ(callsAmong({"aatColNewInfo", "aatColSetRGB"}), (Strings{"aatColNewInfo", "aatColSetRGB"}));
}

TEST_F(WidthColourPages, FailedAddsShowTheirMessageChangeNothingAndHelpHasItsTopics)
{
    mobrhost::ScopedHostOverride noWidth("aatWidNewInfo", +[](void*, const char*) -> int32_t { return -1; });
    mobrhost::ScopedHostOverride noColour("aatColNewInfo", +[](void*, const char*) -> int32_t { return 0; });
    runSheet({&widthPage_, &colourPage_},
             ZqUiScript()
                 .select(kList, 1).click(kHelpButton)
                 .click(kAdd).click(kHelpButton).type(kName, "FINE").ok().read(kList, "widths")
                 .page(1)
                 .select(kList, 2).click(kHelpButton)
                 .click(kAdd).click(kHelpButton).type(kName, "ORANGE").ok().read(kList, "colours")
                 .ok());
    EXPECT_EQ(messageIds(), (std::vector<int>{7267, 7268}));
    EXPECT_EQ(readOf("widths").items.size(), 5u);
    EXPECT_EQ(readOf("widths").selection, 1) << "the row chosen before";
    EXPECT_EQ(readOf("colours").items.size(), 9u);
    EXPECT_EQ(readOf("colours").selection, 2);
    EXPECT_TRUE(callsAmong({"aatWidSetWidth", "aatWidSetPlotPen", "aatColSetRGB"}).empty());
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
    return script.select(kList, row).click(kModify).type(kName, name).ok();
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
    runSheet({&widthPage_}, ZqUiScript().dblclk(kList, 4).dblclk(kList, 1).cancel().in("IDD_S_011").ok());
    const auto& dialogs = transcript().dialogs();
    ASSERT_EQ(dialogs.size(), 2u) << "the sheet and one editor";
    EXPECT_EQ(dialogs[1].name, "IDD_S_011");
    EXPECT_EQ(hostapi::aatWidGetCount(widths_), 4) << "no width added";
    EXPECT_TRUE(mobrhost::journalEntries("aatWidNewInfo").empty());
}

}  // namespace
