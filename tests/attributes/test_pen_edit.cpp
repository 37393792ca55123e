// The pen editor dialog on edit copies of the reference host's default
// figure, with the UI driver acting as the person.

#include <QWidget>
#include <filesystem>
#include <memory>

#include "AttributeTestHarness.h"
#include "FigureTestSupport.h"
#include "attributes/PenEditDlg.h"
#include "mobrdlg/ZqUiDriver.h"
#include "mobrdlg/ZqWindow.h"

namespace el = mobrhost::element;

namespace {

// Default figure: SOLID (style 1), DASHED (2), DOTTED (3), CHAIN (4),
// ASSIST (6); widths THIN, MEDIUM, THICK, EXTRA; colours BLACK, RED, GREEN,
// BLUE, YELLOW, CYAN, MAGENTA, GRAY.
constexpr int kSolid = 1, kDashed = 2, kDotted = 3, kChain = 4, kAssist = 5;
using Mode = CPenEditDlg::Mode;
using Dlg = CPenEditDlg;
constexpr int kName = Dlg::kNameEdit, kWidths = Dlg::kWidthList, kStyles = Dlg::kStyleList,
              kColours = Dlg::kColourList, kPairs = Dlg::kPairCount, kLength1 = Dlg::kFirstLength,
              kBox1 = Dlg::kMaskBox1, kBox2 = Dlg::kMaskBox2, kBox4 = Dlg::kMaskBox4;

struct Outcome {
    int result = 0;
    std::string name;
    int width = 0, style = 0, colour = -1, mask = -1;
    std::vector<double> pitch;
};

class PenEdit : public AttributeTestHarness {
protected:
    PenEdit() : AttributeTestHarness(kPenCopy | kWidthCopy | kColourCopy | kPenColourCopy) {}

    Outcome run(int pen, Mode mode, ZqUiScript script)
    {
        CPenEditDlg dialog(CPenEditDlg::Copies{pens_, widths_, colours_, penColours_, nullptr}, pen, mode);
        driver_.reset();
        driver_ = std::make_unique<CZqUiDriver>(std::move(script));
        Outcome out;
        dialog.RunDialog(&out.result);
        out.name = dialog.name();
        out.width = dialog.widthNumber();
        out.style = dialog.plotStyle();
        out.colour = dialog.colourNumber();
        out.mask = dialog.mask();
        out.pitch = dialog.pitch();
        return out;
    }
};

TEST_F(PenEdit, OkChecksRunInOrderAndKeepTheFocusOnTheField)
{
    // Every field wrong at first; each OK reports only the first failing check.
    const Outcome out = run(kDashed, Mode::Modify,
                            ZqUiScript()
                                .type(kName, "   ")
                                .type(kWidths, "NOWIDTH")
                                .type(kPairs, "9")
                                .ok().read(kName, "blank name")
                                .type(kName, "dotted")  // another pen's name, other case
                                .ok().read(kName, "taken name")
                                .type(kName, "MY;PEN")
                                .ok().read(kName, "forbidden character")
                                .type(kName, "MYPEN")
                                .ok().read(kWidths, "unknown width")
                                .select(kWidths, 0)
                                .ok().read(kPairs, "too many pairs")
                                .type(kPairs, "1")
                                .select(kStyles, 0)  // solid style with a pair
                                .ok().read(kPairs, "solid with a pair")
                                .select(kStyles, 1)
                                .type(kLength1 + 1, "200.5")
                                .ok().read(kLength1 + 1, "long gap")
                                .type(kLength1 + 1, "0.1")
                                .ok());
    EXPECT_EQ(messageIds(), (std::vector<int>{7241, 7244, 7243, 7245, 7246, 7247, 7248}));
    EXPECT_EQ(transcript().messages().at(2).argument, ";");
    const std::pair<const char*, int> refused[] = {
        {"blank name", kName},           {"taken name", kName},        {"forbidden character", kName},
        {"unknown width", kWidths},      {"too many pairs", kPairs},   {"solid with a pair", kPairs},
        {"long gap", kLength1 + 1}};
    for (const auto& [label, field] : refused) {
        EXPECT_EQ(readOf(label).id, field) << label;
        EXPECT_TRUE(readOf(label).focused) << label;
    }
    EXPECT_EQ(out.result, 1);
    EXPECT_EQ(out.name, "MYPEN");
    EXPECT_EQ(out.width, 1);
    EXPECT_EQ(out.pitch, (std::vector<double>{3.0, 0.1}));
}

TEST_F(PenEdit, NameIsTrimmedShownAndLimitedTo16Bytes)
{
    run(kDashed, Mode::Modify, ZqUiScript().type(kName, "  ABCDEFGHIJKLMNOPQ ").ok().read(kName, "name").cancel());
    EXPECT_EQ(messageIds(), std::vector<int>{7242});
    EXPECT_EQ(readOf("name").text, "ABCDEFGHIJKLMNOPQ");
    EXPECT_TRUE(readOf("name").focused);

    const Outcome fits = run(kDashed, Mode::Modify, ZqUiScript().type(kName, " ABCDEFGHIJKLMNOP  ").ok());
    EXPECT_TRUE(messageIds().empty());
    EXPECT_EQ(fits.result, 1);
    EXPECT_EQ(fits.name, "ABCDEFGHIJKLMNOP");
}

TEST_F(PenEdit, OwnNameIsFreeOnlyWhenModifying)
{
    EXPECT_EQ(run(kDashed, Mode::Modify, ZqUiScript().ok()).result, 1);
    EXPECT_TRUE(messageIds().empty());
    // New mode seeded with the same pen: its name belongs to another pen now.
    EXPECT_EQ(run(kDashed, Mode::New, ZqUiScript().ok().cancel()).result, 2);
    EXPECT_EQ(messageIds(), std::vector<int>{7244});
}

TEST_F(PenEdit, CaptionFollowsTheMode)
{
    QString captions[2];
    run(0, Mode::New, ZqUiScript().inspect([&](CZqWindow& w) { captions[0] = w.rootWidget()->window()->windowTitle(); }));
    run(kDotted, Mode::Modify,
        ZqUiScript().inspect([&](CZqWindow& w) { captions[1] = w.rootWidget()->window()->windowTitle(); }));
    EXPECT_EQ(captions[0], ZqGetQString(7054));
    EXPECT_EQ(captions[1], ZqGetQString(7055));
    EXPECT_NE(captions[0], captions[1]);
}

TEST_F(PenEdit, MaskBoxesAreTickedForClearBitsAndBuildTheMask)
{
    ASSERT_EQ(hostapi::aatPenSetMask(pens_, kDashed, 0x2), 0);
    Outcome out = run(kDashed, Mode::Modify,
                      ZqUiScript()
                          .read(kBox1, "box 1").read(kBox2, "box 2").read(kBox4, "box 4")
                          .check(kBox1, false).check(kBox2, true).ok());
    EXPECT_TRUE(readOf("box 1").checked);
    EXPECT_FALSE(readOf("box 2").checked);
    EXPECT_FALSE(readOf("box 4").checked);
    EXPECT_FALSE(readOf("box 4").enabled) << "bit 0x4 belongs to plot style 1";
    EXPECT_EQ(out.mask, 0x1);

    // Choosing plot style 1 frees the third box; unticking it sets bit 0x4.
    out = run(kDashed, Mode::Modify,
              ZqUiScript().select(kStyles, 0).type(kPairs, "0").read(kBox4, "box 4").check(kBox4, false).ok());
    EXPECT_TRUE(readOf("box 4").enabled);
    EXPECT_TRUE(readOf("box 4").checked);
    EXPECT_EQ(out.style, 1);
    EXPECT_EQ(out.mask, 0x2 | 0x4);
    EXPECT_TRUE(out.pitch.empty());
}

// Reads the three mask boxes, the style list and the pair count, then cancels.
ZqUiScript readLocks(ZqUiScript script = {})
{
    return script.read(kBox1, "box 1").read(kBox2, "box 2").read(kBox4, "box 4").read(kStyles, "styles")
        .read(kPairs, "pairs");
}

TEST_F(PenEdit, LastSolidPenKeepsItsClearBitsAndItsStyle)
{
    // SOLID is the only plot style 1 pen: nothing may change its style or mask.
    run(kSolid, Mode::Modify, readLocks().cancel());
    for (const char* label : {"box 1", "box 2", "box 4", "styles", "pairs"}) EXPECT_FALSE(readOf(label).enabled) << label;
    EXPECT_TRUE(readOf("box 4").checked);

    // A second solid pen with bit 0x1 set: only box 1101 stays locked.
    ASSERT_EQ(hostapi::aatPenSetPlotStyle(pens_, kDotted, 1), 0);
    ASSERT_EQ(hostapi::aatPenSetMask(pens_, kDotted, 0x1), 0);
    run(kSolid, Mode::Modify, readLocks().cancel());
    EXPECT_FALSE(readOf("box 1").enabled);
    EXPECT_TRUE(readOf("box 2").enabled);
    EXPECT_TRUE(readOf("box 4").enabled);
    EXPECT_FALSE(readOf("styles").enabled) << "a locked bit locks the plot style";
    EXPECT_TRUE(readOf("pairs").enabled) << "not the last solid pen";
}

TEST_F(PenEdit, NewPenSeededFromTheLastSolidPenIsFree)
{
    // The seed guards the clear bits; the new pen guards nothing.
    Outcome out = run(kSolid, Mode::New,
                      readLocks().type(kName, "SECOND").check(kBox1, false).select(kStyles, 1).ok());
    for (const char* label : {"box 1", "box 2", "box 4", "styles", "pairs"}) EXPECT_TRUE(readOf(label).enabled) << label;
    EXPECT_EQ(out.result, 1);
    EXPECT_EQ(out.mask & 0x1, 0x1) << "box 1101 unticked sets bit 0x1";
    EXPECT_EQ(out.style, 2);
}

TEST_F(PenEdit, LastOrUsedPensCannotChangeKind)
{
    const ZqUiScript readStyles = ZqUiScript().read(kStyles, "styles").cancel();
    run(kAssist, Mode::Modify, readStyles);
    EXPECT_FALSE(readOf("styles").enabled);
    EXPECT_EQ(readOf("styles").items.size(), 6u);
    run(kChain, Mode::Modify, readStyles);
    EXPECT_TRUE(readOf("styles").enabled);
    EXPECT_EQ(readOf("styles").items.size(), 6u);

    // A pen in use may not become an assist line (a pen copy taken after the
    // element exists sees the use).
    figtest::addElement(0, el::Line, kChain, 0);
    hostapi::aatFigRestorePenInfo(0, pens_, 1);
    pens_ = hostapi::aatFigEditPenInfo(0);
    run(kChain, Mode::Modify, readStyles);
    EXPECT_TRUE(readOf("styles").enabled);
    ASSERT_EQ(readOf("styles").items.size(), 5u);
    EXPECT_EQ(readOf("styles").selection, 3);
    run(kChain, Mode::New, readStyles);
    EXPECT_EQ(readOf("styles").items.size(), 6u) << "only an existing pen is protected";
}

TEST_F(PenEdit, GoodEditReturnsEveryValue)
{
    const double pitch[] = {3.25, 1.0};
    ASSERT_EQ(hostapi::aatPenSetPitch(pens_, kDashed, pitch, 2), 0);
    const std::string shot = ::testing::TempDir() + "pen_edit.png";
    const Outcome out = run(kDashed, Mode::Modify,
                            ZqUiScript()
                                .read(kLength1, "first dash")
                                .read(kLength1 + 2, "second dash before")
                                .type(kName, " LONGDASH ")
                                .select(kWidths, 2)
                                .select(kColours, 4)
                                .type(kPairs, "2")
                                .read(kLength1 + 2, "second dash after")
                                .type(kLength1 + 2, "0.5")
                                .type(kLength1 + 3, "1.5")
                                .screenshot(shot)
                                .ok());
    EXPECT_EQ(readOf("first dash").text, "3.2");
    EXPECT_FALSE(readOf("second dash before").enabled) << "beyond the pair count";
    EXPECT_TRUE(readOf("second dash after").enabled);
    EXPECT_EQ(out.result, 1);
    EXPECT_EQ(out.name, "LONGDASH");
    EXPECT_EQ(out.width, 3);
    EXPECT_EQ(out.style, 2);
    EXPECT_EQ(out.colour, 4);
    EXPECT_EQ(out.mask, 0);
    // An untouched length keeps its exact value, not the one-decimal text.
    EXPECT_EQ(out.pitch, (std::vector<double>{3.25, 1.0, 0.5, 1.5}));
    EXPECT_TRUE(std::filesystem::exists(shot));

    const Outcome none = run(kDashed, Mode::Modify, ZqUiScript().select(kColours, 0).ok());
    EXPECT_EQ(none.colour, 0);
}

}  // namespace
