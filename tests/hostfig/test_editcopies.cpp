// Edit copies of a figure's tables: commit and discard, renumbering of every
// reference through index tables after swaps, additions, deletions and
// merges, conversion of whole tables, and handles that are ended exactly once.

#include <map>

#include "FigureTestSupport.h"
#include "HostFixture.h"

using namespace figtest;
using mobrhost::element::Hatch;
using mobrhost::element::Line;
using mobrhost::element::Text;

namespace {

class EditCopyTest : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        solid_ = addElement(0, Line, 1, 1);
        dashed_ = addElement(0, Line, 2, 2);
        dotted_ = addElement(0, Line, 3, 4);
        assist_ = addElement(0, Hatch, 5, 6);
        sketchLine_ = addElement(0, Line, 2, 3, -1, 1);
    }

    int32_t solid_ = 0, dashed_ = 0, dotted_ = 0, assist_ = 0, sketchLine_ = 0;
};

}  // namespace

TEST_F(EditCopyTest, DiscardLeavesTheFigureAndCommitReplacesIt)
{
    void* pens = hostapi::aatFigEditPenInfo(0);
    ASSERT_NE(pens, nullptr);
    EXPECT_NE(pens, hostapi::aatFigGetPenInfo(0));
    EXPECT_EQ(hostapi::aatPenSetName(pens, 1, "RENAMED"), 0);
    EXPECT_EQ(hostapi::aatFigRestorePenInfo(0, pens, 1), 1);
    EXPECT_EQ(hostapi::aatPenFindName(hostapi::aatFigGetPenInfo(0), "RENAMED"), -1);

    pens = hostapi::aatFigEditPenInfo(0);
    EXPECT_EQ(hostapi::aatPenSetName(pens, 1, "RENAMED"), 0);
    EXPECT_EQ(hostapi::aatFigRestorePenInfo(0, pens, 0), 1);
    EXPECT_EQ(hostapi::aatPenFindName(hostapi::aatFigGetPenInfo(0), "renamed"), 1);
    EXPECT_EQ(penNameOf(0, solid_), "RENAMED");
}

TEST_F(EditCopyTest, PenPageEditsKeepEveryElementOnItsPen)
{
    // The sequence of the line type page: copies, an order table over the
    // pen copy, then swap, delete, add, and the commit with the order table.
    void* pens = hostapi::aatFigEditPenInfo(0);
    void* penEx = hostapi::aatFigEditPenExInfo(0);
    int32_t out = 0;
    void* order = hostapi::as_MakeTable(countWord(pens), &out);
    ASSERT_NE(order, nullptr);
    EXPECT_EQ(out, 5);

    ASSERT_EQ(hostapi::aatPenSwapInfo(pens, 1, 3), 0);   // DOTTED, DASHED, SOLID, CHAIN, ASSIST
    ASSERT_EQ(hostapi::as_TableSwapIndex(order, 0, 2), 0);
    ASSERT_EQ(hostapi::aatPenSwapInfo(pens, 2, 3), 0);   // DOTTED, SOLID, DASHED, CHAIN, ASSIST
    ASSERT_EQ(hostapi::as_TableSwapIndex(order, 1, 2), 0);
    ASSERT_EQ(hostapi::aatPenExDeleteInfo(penEx, pens, 4), 0);
    ASSERT_EQ(hostapi::aatPenDeleteInfo(pens, 4), 0);    // CHAIN goes: DOTTED, SOLID, DASHED, ASSIST
    ASSERT_EQ(hostapi::as_TableDeleteIndex(order, 3), 0);
    const int32_t added = hostapi::aatPenNewInfo(pens, "NEWPEN");
    ASSERT_EQ(added, 5);
    void* grown = hostapi::as_TableAddIndex(order, added - 1);
    ASSERT_NE(grown, nullptr);
    EXPECT_EQ(hostapi::as_FreeTable(order), 0);
    order = grown;
    ASSERT_GE(hostapi::aatPenExNewInfo(penEx, pens, added), 0);
    ASSERT_EQ(hostapi::aatPenExSetColor(penEx, pens, added, 7), 0);

    EXPECT_EQ(hostapi::as_GetTableIndex(order, 0), 1);   // old SOLID now second
    EXPECT_EQ(hostapi::as_GetTableIndex(order, 3), -1);  // old CHAIN deleted
    EXPECT_EQ(hostapi::as_GetTableIndex(order, 4), 3);   // old ASSIST now fourth

    EXPECT_EQ(hostapi::aatFigRestorePenInfoEx(0, pens, 0, order), 1);
    EXPECT_EQ(hostapi::aatFigRestorePenExInfo(0, penEx, 0), 1);
    EXPECT_EQ(hostapi::as_FreeTable(order), 0);

    EXPECT_EQ(penNameOf(0, solid_), "SOLID");
    EXPECT_EQ(penNameOf(0, dashed_), "DASHED");
    EXPECT_EQ(penNameOf(0, dotted_), "DOTTED");
    EXPECT_EQ(penNameOf(0, assist_), "ASSIST");
    EXPECT_EQ(penNameOf(0, sketchLine_), "DASHED");
    int32_t first = -1, second = 1, word = 0;
    ASSERT_EQ(hostapi::aatHatInfoAtrbGet(0, assist_, 1, &first, &second, &word), 0);
    EXPECT_EQ(word & 0xFFFF, 4) << "the hatch attribute word follows its pen";
    EXPECT_EQ(penColourName(0, "SOLID"), "BLACK");
    EXPECT_EQ(penColourName(0, "DASHED"), "RED");
    EXPECT_EQ(penColourName(0, "NEWPEN"), "MAGENTA");
    EXPECT_EQ(penWidthName(0, "SOLID"), "MEDIUM");
}

TEST_F(EditCopyTest, PlainCommitAfterReorderingStillKeepsReferences)
{
    void* pens = hostapi::aatFigEditPenInfo(0);
    ASSERT_EQ(hostapi::aatPenSwapInfo(pens, 1, 2), 0);
    ASSERT_EQ(hostapi::aatPenDeleteInfo(pens, 4), 0);
    EXPECT_EQ(hostapi::aatFigRestorePenInfo(0, pens, 0), 1);
    EXPECT_EQ(penNameOf(0, solid_), "SOLID");
    EXPECT_EQ(penNameOf(0, dashed_), "DASHED");
    EXPECT_EQ(penNameOf(0, assist_), "ASSIST");
    EXPECT_EQ(penColourName(0, "DASHED"), "RED");
}

TEST_F(EditCopyTest, PensInUseCannotBeDeleted)
{
    void* pens = hostapi::aatFigEditPenInfo(0);
    EXPECT_EQ(hostapi::aatPenGetAttrib(pens, 1) & 0x1, 0x1);
    EXPECT_EQ(hostapi::aatPenGetAttrib(pens, 4) & 0x1, 0);
    EXPECT_EQ(hostapi::aatPenDeleteInfo(pens, 1), -1);
    EXPECT_EQ(hostapi::aatPenGetCount(pens), 5);
    EXPECT_EQ(hostapi::aatFigRestorePenInfo(0, pens, 1), 1);
}

TEST_F(EditCopyTest, WidthAndColourPagesKeepPensAndElementsRight)
{
    // Sheet order: pens (using the width copy's numbers), pen colours, then
    // widths and colours, each committed plainly.
    void* pens = hostapi::aatFigEditPenInfo(0);
    void* penEx = hostapi::aatFigEditPenExInfo(0);
    void* widths = hostapi::aatFigEditWidInfo(0);
    void* colours = hostapi::aatFigEditColInfo(0);
    int32_t word = 0;
    void* order = hostapi::as_MakeTable(countWord(pens), &word);

    ASSERT_EQ(hostapi::aatWidDeleteInfo(widths, 1), 0);   // THIN goes: MEDIUM 1, THICK 2, EXTRA 3
    const int32_t wide = hostapi::aatWidNewInfo(widths, "WIDE");
    ASSERT_EQ(wide, 4);
    ASSERT_EQ(hostapi::aatWidSetWidth(widths, wide, 2.0), 0);
    ASSERT_EQ(hostapi::aatPenSetWidth(pens, 3, wide), 0);   // DOTTED uses the new width

    ASSERT_EQ(hostapi::aatColDeleteInfo(colours, 2), -1) << "RED is on an element";
    ASSERT_EQ(hostapi::aatColDeleteInfo(colours, 5), 0);    // YELLOW goes
    ASSERT_EQ(hostapi::aatPenExDeleteColor(penEx, 5), 0);
    ASSERT_EQ(hostapi::aatPenExSetColor(penEx, pens, 1, 6), 0);   // SOLID takes MAGENTA (6 after the delete)

    EXPECT_EQ(hostapi::aatFigRestorePenInfoEx(0, pens, 0, order), 1);
    EXPECT_EQ(hostapi::aatFigRestorePenExInfo(0, penEx, 0), 1);
    EXPECT_EQ(hostapi::aatFigRestoreWidInfo(0, widths, 0), 1);
    EXPECT_EQ(hostapi::aatFigRestoreColInfo(0, colours, 0), 1);
    EXPECT_EQ(hostapi::as_FreeTable(order), 0);

    EXPECT_EQ(penWidthName(0, "SOLID"), "MEDIUM");
    EXPECT_EQ(penWidthName(0, "DOTTED"), "WIDE");
    EXPECT_EQ(penWidthName(0, "CHAIN"), "MEDIUM") << "a pen on a deleted width falls back to width 1";
    EXPECT_EQ(penColourName(0, "SOLID"), "MAGENTA");
    EXPECT_EQ(penColourName(0, "DASHED"), "RED");
    EXPECT_EQ(penColourName(0, "ASSIST"), "CYAN");
    EXPECT_EQ(colourNameOf(0, dotted_), "BLUE");
    EXPECT_EQ(colourNameOf(0, assist_), "CYAN");
    EXPECT_EQ(colourNameOf(0, sketchLine_), "GREEN");
}

TEST_F(EditCopyTest, ColourConversionMergesTargetsAndRenumbersEverything)
{
    // Old colours 1..8 -> targets: BLACK and RED both become INK, the rest
    // keep their names; the new table is built with aatColOpen.
    void* copy = hostapi::aatFigEditColInfo(0);
    const int32_t n = hostapi::aatColGetCount(copy);
    ASSERT_EQ(n, 8);
    std::vector<std::string> targets;
    for (int32_t i = 1; i <= n; ++i) {
        char name[17] = {};
        hostapi::aatColGetName(copy, i, name);
        targets.push_back(i <= 2 ? std::string("INK") : name17(name));
        ASSERT_EQ(hostapi::AddColorNameStringList(name, targets.back().c_str()), 0);
    }
    int32_t out = 0;
    void* index = hostapi::as_MakeTable(countWord(copy), &out);
    ASSERT_NE(index, nullptr);
    ASSERT_EQ(hostapi::aatFigRestoreColInfo(0, copy, 1), 1);
    void* fresh = hostapi::aatColOpen();
    for (int32_t j = 0; j < n; ++j) {
        int32_t k = hostapi::aatColFindName(fresh, targets[static_cast<std::size_t>(j)].c_str());
        if (k < 1) {
            k = hostapi::aatColNewInfo(fresh, targets[static_cast<std::size_t>(j)].c_str());
            ASSERT_EQ(hostapi::aatColSetRGB(fresh, k, 10 * j, 0, 0), 0);
        }
        ASSERT_EQ(hostapi::as_SetTableIndex(index, j, k - 1), 0);
    }
    EXPECT_EQ(hostapi::ChangeSketchColorName(0, fresh), 1);
    EXPECT_EQ(hostapi::ClearColorNameStringList(), 0);
    EXPECT_EQ(hostapi::aatFigColSetCnvMode(1), 0);
    EXPECT_EQ(hostapi::aatFigRestoreColInfoEx(0, fresh, 0, index), 1);
    EXPECT_EQ(hostapi::aatFigColSetCnvMode(0), 0);
    EXPECT_EQ(hostapi::as_FreeTable(index), 0);

    EXPECT_EQ(hostapi::aatColGetCount(hostapi::aatFigGetColInfo(0)), 7);
    EXPECT_EQ(colourNameOf(0, solid_), "INK");
    EXPECT_EQ(colourNameOf(0, dashed_), "INK");
    EXPECT_EQ(colourNameOf(0, dotted_), "BLUE");
    EXPECT_EQ(colourNameOf(0, assist_), "CYAN");
    EXPECT_EQ(penColourName(0, "SOLID"), "INK");
    EXPECT_EQ(penColourName(0, "DASHED"), "INK");
    EXPECT_EQ(penColourName(0, "CHAIN"), "GREEN");
    const mobrhost::Figure* f = model().figure(0);
    EXPECT_EQ(f->sketch[3].name, "INK") << "sketch colour reference renamed";
}

TEST_F(EditCopyTest, PenConversionThroughANewTableKeepsElementsOnTheirTargets)
{
    void* pens = hostapi::aatFigEditPenInfo(0);
    void* penEx = hostapi::aatFigEditPenExInfo(0);
    const int32_t n = hostapi::aatPenGetCount(pens);
    // DASHED and DOTTED both become BROKEN; the others keep their pens.
    std::vector<std::string> targets = {"SOLID", "BROKEN", "BROKEN", "CHAIN", "ASSIST"};
    int32_t out = 0;
    void* index = hostapi::as_MakeTable(countWord(pens), &out);
    ASSERT_EQ(hostapi::aatFigRestorePenInfo(0, pens, 1), 1);
    void* fresh = hostapi::aatPenOpen();
    for (int32_t j = 0; j < n; ++j) {
        const char* name = targets[static_cast<std::size_t>(j)].c_str();
        int32_t k = hostapi::aatPenFindName(fresh, name);
        if (k < 1) {
            k = hostapi::aatPenNewInfo(fresh, name);
            ASSERT_GE(k, 1);
            ASSERT_EQ(hostapi::aatPenSetWidth(fresh, k, j == 1 ? 3 : 1), 0);
        }
        ASSERT_EQ(hostapi::as_SetTableIndex(index, j, k - 1), 0);
    }
    EXPECT_EQ(hostapi::aatFigPenSetCnvMode(1), 0);
    EXPECT_EQ(hostapi::aatFigRestorePenInfoEx(0, fresh, 0, index), 1);
    EXPECT_EQ(hostapi::aatFigPenSetCnvMode(0), 0);
    EXPECT_EQ(hostapi::as_FreeTable(index), 0);
    // The old pen colour copy is rebuilt for the new pens, then committed.
    void* newPens = hostapi::aatFigEditPenInfo(0);
    ASSERT_EQ(hostapi::aatPenExCreateInfo(penEx, newPens, 1), 0);
    EXPECT_EQ(hostapi::aatPenExGetColor(penEx, newPens, 2), 0);
    ASSERT_EQ(hostapi::aatPenExSetColor(penEx, newPens, 2, 8), 0);
    EXPECT_EQ(hostapi::aatFigRestorePenInfo(0, newPens, 1), 1);
    EXPECT_EQ(hostapi::aatFigRestorePenExInfo(0, penEx, 0), 1);

    EXPECT_EQ(hostapi::aatPenGetCount(hostapi::aatFigGetPenInfo(0)), 4);
    EXPECT_EQ(penNameOf(0, solid_), "SOLID");
    EXPECT_EQ(penNameOf(0, dashed_), "BROKEN");
    EXPECT_EQ(penNameOf(0, dotted_), "BROKEN");
    EXPECT_EQ(penNameOf(0, assist_), "ASSIST");
    EXPECT_EQ(penWidthName(0, "BROKEN"), "THICK");
    EXPECT_EQ(penColourName(0, "BROKEN"), "GRAY");
}

TEST_F(EditCopyTest, WidthConversionRenumbersThePensWidths)
{
    void* widths = hostapi::aatFigEditWidInfo(0);
    int32_t out = 0;
    void* index = hostapi::as_MakeTable(countWord(widths), &out);
    ASSERT_EQ(out, 4);
    ASSERT_EQ(hostapi::aatFigRestoreWidInfo(0, widths, 1), 1);
    void* fresh = hostapi::aatWidOpen();
    // THIN, MEDIUM, THICK, EXTRA -> FINE, BOLD, BOLD, FINE
    const char* targets[] = {"FINE", "BOLD", "BOLD", "FINE"};
    for (int32_t j = 0; j < 4; ++j) {
        int32_t k = hostapi::aatWidFindName(fresh, targets[j]);
        if (k < 1) k = hostapi::aatWidNewInfo(fresh, targets[j]);
        ASSERT_EQ(hostapi::as_SetTableIndex(index, j, k - 1), 0);
    }
    EXPECT_EQ(hostapi::aatFigWidSetCnvMode(1), 0);
    EXPECT_EQ(hostapi::aatFigRestoreWidInfoEx(0, fresh, 0, index), 1);
    EXPECT_EQ(hostapi::aatFigWidSetCnvMode(0), 0);
    EXPECT_EQ(hostapi::as_FreeTable(index), 0);
    EXPECT_EQ(penWidthName(0, "SOLID"), "BOLD");
    EXPECT_EQ(penWidthName(0, "DOTTED"), "FINE");
}

TEST_F(EditCopyTest, FontAndTipCommitsFollowTheirEntries)
{
    const int32_t text = addElement(0, Text, 1, 0);
    unsigned char* r = model().figure(0)->elements.slot(text);
    mobrhost::bytes::setU16(r, mobrhost::element::kFont, 3);   // HEADING
    void* fonts = hostapi::aatFigEditFntInfo(0);
    EXPECT_EQ(hostapi::aatFntGetAttrib(fonts, 3) & 0x10000, 0x10000);
    EXPECT_EQ(hostapi::aatFntDeleteInfo(fonts, 3), -1) << "a font in use stays";
    ASSERT_EQ(hostapi::aatFntDeleteInfo(fonts, 1), 0);
    EXPECT_EQ(hostapi::aatFigRestoreFntInfo(0, fonts, 0), 1);
    unsigned char record[128];
    ASSERT_EQ(hostapi::aatDbRead(0, text, record), 0);
    char name[17] = {};
    hostapi::aatFntGetName(hostapi::aatFigGetFntInfo(0), mobrhost::bytes::u16(record, mobrhost::element::kFont), name);
    EXPECT_EQ(name17(name), "HEADING");
}

TEST_F(EditCopyTest, EveryHandleEndsExactlyOnce)
{
    void* pens = hostapi::aatFigEditPenInfo(0);
    EXPECT_EQ(model().liveHandles(), 1);
    EXPECT_EQ(hostapi::aatFigRestoreWidInfo(0, pens, 1), 0) << "a pen copy is not a width copy";
    EXPECT_EQ(hostapi::aatFigRestorePenInfo(7, pens, 0), 0) << "no figure 7";
    EXPECT_EQ(hostapi::aatFigRestorePenInfo(0, pens, 0), 1);
    EXPECT_EQ(hostapi::aatFigRestorePenInfo(0, pens, 0), 0) << "ended twice";
    int32_t out = 0;
    void* index = hostapi::as_MakeTable(countWord(hostapi::aatFigGetColInfo(0)), &out);
    EXPECT_EQ(hostapi::as_FreeTable(index), 0);
    EXPECT_EQ(hostapi::as_FreeTable(index), -1);
    EXPECT_EQ(hostapi::aatFigClose(0), -1) << "the main figure is not a reference figure";

    int bad = 0;
    for (const auto& c : model().handleCounts()) {
        EXPECT_EQ(c.open, 0) << c.kind;
        bad += c.badEnds;
    }
    EXPECT_EQ(bad, 4);
    EXPECT_FALSE(mobrhost::unendedResources().empty());
    model().reset();   // the refused ends were the point of this test
}

TEST_F(EditCopyTest, CallsOnEndedCopiesAreRefusedAndCounted)
{
    // Thrown away, and committed: the committed table lives on at the
    // copy's address, but the copy's handle is still ended.
    void* discarded = hostapi::aatFigEditColInfo(0);
    void* committed = hostapi::aatFigEditWidInfo(0);
    ASSERT_EQ(hostapi::aatFigRestoreColInfo(0, discarded, 1), 1);
    ASSERT_EQ(hostapi::aatFigRestoreWidInfo(0, committed, 0), 1);
    EXPECT_EQ(hostapi::aatColGetCount(discarded), -1);
    EXPECT_EQ(hostapi::aatWidGetCount(committed), -1);
    EXPECT_EQ(hostapi::aatWidSetName(committed, 1, "LATE"), -1);

    std::map<std::string, int> uses;
    for (const auto& c : model().handleCounts()) uses[c.kind] = c.usesAfterEnd;
    EXPECT_EQ(uses["colour edit copy"], 1);
    EXPECT_EQ(uses["width edit copy"], 2);
    const auto problems = mobrhost::unendedResources();
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_NE(problems[0].find("calls on an ended"), std::string::npos) << problems[0];

    // Handed out again as the figure's table, the address is a live handle.
    EXPECT_EQ(hostapi::aatFigGetWidInfo(0), committed);
    EXPECT_GT(hostapi::aatWidGetCount(committed), 0);
    model().reset();  // the late calls were the point of this test
}

TEST_F(EditCopyTest, FailureAnswers)
{
    EXPECT_EQ(hostapi::aatFigEditPenInfo(9), nullptr);
    EXPECT_EQ(hostapi::aatFigGetColInfo(9), nullptr);
    void* pens = hostapi::aatFigEditPenInfo(0);
    EXPECT_EQ(hostapi::aatPenNewInfo(pens, "solid"), -1) << "names are unique without regard to case";
    EXPECT_EQ(hostapi::aatPenNewInfo(pens, ""), -1);
    EXPECT_EQ(hostapi::aatPenSetName(pens, 2, "SOLID"), -1);
    EXPECT_EQ(hostapi::aatPenSetPlotStyle(pens, 1, 7), -1);
    const double pitch[11] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    EXPECT_EQ(hostapi::aatPenSetPitch(pens, 1, pitch, 11), -1);
    const double tooShort[2] = {0.05, 1.0};
    EXPECT_EQ(hostapi::aatPenSetPitch(pens, 1, tooShort, 2), -1);
    for (int i = 6; i <= 255; ++i) ASSERT_EQ(hostapi::aatPenNewInfo(pens, ("P" + std::to_string(i)).c_str()), i);
    EXPECT_EQ(hostapi::aatPenNewInfo(pens, "ONEMORE"), -1) << "255 pens at most";
    EXPECT_EQ(hostapi::aatFigRestorePenInfo(0, pens, 1), 1);

    void* widths = hostapi::aatFigEditWidInfo(0);
    EXPECT_EQ(hostapi::aatWidSetWidth(widths, 1, 5.0), 0);
    EXPECT_EQ(hostapi::aatWidSetWidth(widths, 1, 5.01), -1);
    EXPECT_EQ(hostapi::aatWidSetPlotPen(widths, 1, 10), -1);
    EXPECT_EQ(hostapi::aatWidGetCount(nullptr), -1);
    EXPECT_EQ(hostapi::aatFigRestoreWidInfo(0, widths, 1), 1);
}
