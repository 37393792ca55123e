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
                                .type(1401, "   ")
                                .type(1201, "NOWIDTH")
                                .type(1402, "9")
                                .ok().read(1401)
                                .type(1401, "dotted")  // another pen's name, other case
                                .ok().read(1401)
                                .type(1401, "MY;PEN")
                                .ok().read(1401)
                                .type(1401, "MYPEN")
                                .ok().read(1201)
                                .select(1201, 0)
                                .ok().read(1402)
                                .type(1402, "1")
                                .select(1202, 0)  // solid style with a pair
                                .ok().read(1402)
                                .select(1202, 1)
                                .type(1404, "200.5")
                                .ok().read(1404)
                                .type(1404, "0.1")
                                .ok());
    EXPECT_EQ(messageIds(), (std::vector<int>{7241, 7244, 7243, 7245, 7246, 7247, 7248}));
    EXPECT_EQ(transcript().messages().at(2).argument, ";");
    const int focused[] = {1401, 1401, 1401, 1201, 1402, 1402, 1404};
    for (size_t i = 0; i < std::size(focused); ++i) {
        EXPECT_EQ(readAt(i).id, focused[i]);
        EXPECT_TRUE(readAt(i).focused) << "failure " << i;
    }
    EXPECT_EQ(out.result, 1);
    EXPECT_EQ(out.name, "MYPEN");
    EXPECT_EQ(out.width, 1);
    EXPECT_EQ(out.pitch, (std::vector<double>{3.0, 0.1}));
}

TEST_F(PenEdit, NameIsTrimmedShownAndLimitedTo16Bytes)
{
    run(kDashed, Mode::Modify, ZqUiScript().type(1401, "  ABCDEFGHIJKLMNOPQ ").ok().read(1401).cancel());
    EXPECT_EQ(messageIds(), std::vector<int>{7242});
    EXPECT_EQ(readAt(0).text, "ABCDEFGHIJKLMNOPQ");
    EXPECT_TRUE(readAt(0).focused);

    const Outcome fits = run(kDashed, Mode::Modify, ZqUiScript().type(1401, " ABCDEFGHIJKLMNOP  ").ok());
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
                      ZqUiScript().read(1101).read(1102).read(1103).check(1101, false).check(1102, true).ok());
    EXPECT_TRUE(readAt(0).checked);
    EXPECT_FALSE(readAt(1).checked);
    EXPECT_FALSE(readAt(2).checked);
    EXPECT_FALSE(readAt(2).enabled) << "bit 0x4 belongs to plot style 1";
    EXPECT_EQ(out.mask, 0x1);

    // Choosing plot style 1 frees the third box; unticking it sets bit 0x4.
    out = run(kDashed, Mode::Modify,
              ZqUiScript().select(1202, 0).type(1402, "0").read(1103).check(1103, false).ok());
    EXPECT_TRUE(readAt(0).enabled);
    EXPECT_TRUE(readAt(0).checked);
    EXPECT_EQ(out.style, 1);
    EXPECT_EQ(out.mask, 0x2 | 0x4);
    EXPECT_TRUE(out.pitch.empty());
}

TEST_F(PenEdit, LastSolidPenKeepsItsClearBitsAndItsStyle)
{
    // SOLID is the only plot style 1 pen: nothing may change its style or mask.
    run(kSolid, Mode::Modify, ZqUiScript().read(1101).read(1102).read(1103).read(1202).read(1402).cancel());
    for (size_t i = 0; i < 5; ++i) EXPECT_FALSE(readAt(i).enabled) << readAt(i).id;
    EXPECT_TRUE(readAt(2).checked);

    // A second solid pen with bit 0x1 set: only box 1101 stays locked.
    ASSERT_EQ(hostapi::aatPenSetPlotStyle(pens_, kDotted, 1), 0);
    ASSERT_EQ(hostapi::aatPenSetMask(pens_, kDotted, 0x1), 0);
    run(kSolid, Mode::Modify, ZqUiScript().read(1101).read(1102).read(1103).read(1202).read(1402).cancel());
    EXPECT_FALSE(readAt(0).enabled);
    EXPECT_TRUE(readAt(1).enabled);
    EXPECT_TRUE(readAt(2).enabled);
    EXPECT_FALSE(readAt(3).enabled) << "a locked bit locks the plot style";
    EXPECT_TRUE(readAt(4).enabled) << "not the last solid pen";
}

TEST_F(PenEdit, NewPenSeededFromTheLastSolidPenIsFree)
{
    // The seed guards the clear bits; the new pen guards nothing.
    Outcome out = run(kSolid, Mode::New,
                      ZqUiScript()
                          .read(1101).read(1102).read(1103).read(1202)
                          .type(1401, "SECOND").check(1101, false).select(1202, 1).ok());
    for (size_t i = 0; i < 4; ++i) EXPECT_TRUE(readAt(i).enabled) << readAt(i).id;
    EXPECT_EQ(out.result, 1);
    EXPECT_EQ(out.mask & 0x1, 0x1) << "box 1101 unticked sets bit 0x1";
    EXPECT_EQ(out.style, 2);
}

TEST_F(PenEdit, LastOrUsedPensCannotChangeKind)
{
    run(kAssist, Mode::Modify, ZqUiScript().read(1202).cancel());
    EXPECT_FALSE(readAt(0).enabled);
    EXPECT_EQ(readAt(0).items.size(), 6u);
    run(kChain, Mode::Modify, ZqUiScript().read(1202).cancel());
    EXPECT_TRUE(readAt(0).enabled);
    EXPECT_EQ(readAt(0).items.size(), 6u);

    // A pen in use may not become an assist line (a pen copy taken after the
    // element exists sees the use).
    figtest::addElement(0, el::Line, kChain, 0);
    hostapi::aatFigRestorePenInfo(0, pens_, 1);
    pens_ = hostapi::aatFigEditPenInfo(0);
    run(kChain, Mode::Modify, ZqUiScript().read(1202).cancel());
    EXPECT_TRUE(readAt(0).enabled);
    ASSERT_EQ(readAt(0).items.size(), 5u);
    EXPECT_EQ(readAt(0).selection, 3);
    run(kChain, Mode::New, ZqUiScript().read(1202).cancel());
    EXPECT_EQ(readAt(0).items.size(), 6u) << "only an existing pen is protected";
}

TEST_F(PenEdit, GoodEditReturnsEveryValue)
{
    const double pitch[] = {3.25, 1.0};
    ASSERT_EQ(hostapi::aatPenSetPitch(pens_, kDashed, pitch, 2), 0);
    const std::string shot = ::testing::TempDir() + "pen_edit.png";
    const Outcome out = run(kDashed, Mode::Modify,
                            ZqUiScript()
                                .read(1403).read(1405)
                                .type(1401, " LONGDASH ")
                                .select(1201, 2)
                                .select(1203, 4)
                                .type(1402, "2")
                                .read(1405)
                                .type(1405, "0.5")
                                .type(1406, "1.5")
                                .screenshot(shot)
                                .ok());
    EXPECT_EQ(readAt(0).text, "3.2");
    EXPECT_FALSE(readAt(1).enabled) << "beyond the pair count";
    EXPECT_TRUE(readAt(2).enabled);
    EXPECT_EQ(out.result, 1);
    EXPECT_EQ(out.name, "LONGDASH");
    EXPECT_EQ(out.width, 3);
    EXPECT_EQ(out.style, 2);
    EXPECT_EQ(out.colour, 4);
    EXPECT_EQ(out.mask, 0);
    // An untouched length keeps its exact value, not the one-decimal text.
    EXPECT_EQ(out.pitch, (std::vector<double>{3.25, 1.0, 0.5, 1.5}));
    EXPECT_TRUE(std::filesystem::exists(shot));

    const Outcome none = run(kDashed, Mode::Modify, ZqUiScript().select(1203, 0).ok());
    EXPECT_EQ(none.colour, 0);
}

}  // namespace
