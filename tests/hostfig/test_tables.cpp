// Index tables, the pen colour table, in-use marks, merges into a figure,
// several figures at once, and the journal's names for handed-out tables.

#include "FigureTestSupport.h"
#include "HostFixture.h"

using namespace figtest;
namespace el = mobrhost::element;

namespace {

class TableTest : public HostFixture {};

std::vector<int32_t> entries(void* index, int32_t count)
{
    std::vector<int32_t> out;
    for (int32_t j = 0; j < count; ++j) out.push_back(hostapi::as_GetTableIndex(index, j));
    return out;
}

}  // namespace

TEST_F(TableTest, IndexTablesFollowPositionsThroughEdits)
{
    int32_t count = 6;
    int32_t out = 0;
    void* index = hostapi::as_MakeTable(&count, &out);
    ASSERT_NE(index, nullptr);
    EXPECT_EQ(out, 6);
    EXPECT_EQ(entries(index, 6), (std::vector<int32_t>{0, 1, 2, 3, 4, 5}));

    // Insert in the middle: the old table stays valid and unchanged.
    void* grown = hostapi::as_TableAddIndex(index, 2);
    ASSERT_NE(grown, nullptr);
    ASSERT_NE(grown, index);
    EXPECT_EQ(entries(index, 6), (std::vector<int32_t>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(entries(grown, 6), (std::vector<int32_t>{0, 1, 3, 4, 5, 6}));
    EXPECT_EQ(hostapi::as_FreeTable(index), 0);

    EXPECT_EQ(hostapi::as_TableDeleteIndex(grown, 0), 0);   // old 0 gone, the rest move down
    EXPECT_EQ(entries(grown, 6), (std::vector<int32_t>{-1, 0, 2, 3, 4, 5}));
    EXPECT_EQ(hostapi::as_TableSwapIndex(grown, 0, 5), 0);   // positions, not old entries
    EXPECT_EQ(entries(grown, 6), (std::vector<int32_t>{-1, 5, 2, 3, 4, 0}));
    EXPECT_EQ(hostapi::as_TableSwapIndex(grown, 0, 6), -1) << "only six positions are left";
    EXPECT_EQ(hostapi::as_TableDeleteIndex(grown, 6), -1);
    EXPECT_EQ(hostapi::as_TableAddIndex(grown, 8), nullptr);
    EXPECT_EQ(hostapi::as_GetTableIndex(grown, 6), -1);
    EXPECT_EQ(hostapi::as_GetTableIndex(grown, -1), -1);

    // Merged and sparse values, then packed.
    EXPECT_EQ(hostapi::as_SetTableIndex(grown, 1, 9), 0);
    EXPECT_EQ(hostapi::as_SetTableIndex(grown, 2, 9), 0);
    EXPECT_EQ(hostapi::as_SetTableIndex(grown, 6, 0), -1);
    EXPECT_EQ(hostapi::as_PackTableIndex(grown), 0);
    EXPECT_EQ(entries(grown, 6), (std::vector<int32_t>{-1, 3, 3, 1, 2, 0}));
    EXPECT_EQ(hostapi::as_FreeTable(grown), 0);

    EXPECT_EQ(hostapi::as_MakeTable(nullptr, &out), nullptr);
    int32_t negative = -3;
    EXPECT_EQ(hostapi::as_MakeTable(&negative, &out), nullptr);
    EXPECT_EQ(hostapi::as_GetTableIndex(hostapi::aatFigGetPenInfo(0), 0), -1) << "a pen table is not an index table";
}

TEST_F(TableTest, PenColoursStayWithTheirPens)
{
    void* pens = hostapi::aatFigEditPenInfo(0);
    void* penEx = hostapi::aatFigEditPenExInfo(0);
    EXPECT_EQ(hostapi::aatPenExGetColor(penEx, pens, 2), 2);
    ASSERT_EQ(hostapi::aatPenSwapInfo(pens, 1, 2), 0);
    EXPECT_EQ(hostapi::aatPenExGetColor(penEx, pens, 1), 2) << "DASHED, now first, keeps RED";
    EXPECT_EQ(hostapi::aatPenExGetColor(penEx, pens, 2), 1);
    // The name kept in the pen colour table follows the pen numbers of the
    // table it was last used with.
    ASSERT_EQ(hostapi::aatPenExSetName(penEx, 1, "BROKEN"), 0);
    const mobrhost::PenColourTable* x = model().penColours(penEx);
    const mobrhost::PenTable* p = model().pens(pens);
    EXPECT_EQ(const_cast<mobrhost::PenColourTable*>(x)->entryOf(p->at(1)->uid)->name, "BROKEN");

    ASSERT_EQ(hostapi::aatPenExDeleteColor(penEx, 2), 0);   // RED goes: DASHED none, higher colours down
    EXPECT_EQ(hostapi::aatPenExGetColor(penEx, pens, 1), 0);
    EXPECT_EQ(hostapi::aatPenExGetColor(penEx, pens, 3), 3) << "DOTTED was BLUE (4)";
    EXPECT_EQ(hostapi::aatPenExGetColor(penEx, pens, 9), -1);
    EXPECT_EQ(hostapi::aatPenExSetColor(penEx, pens, 1, 9), -1) << "the figure has 8 colours";
    EXPECT_EQ(hostapi::aatPenExSetColor(penEx, pens, 1, -1), 0);
    EXPECT_EQ(hostapi::aatPenExGetColor(penEx, pens, 1), 0);
    EXPECT_EQ(hostapi::aatFigRestorePenExInfo(0, penEx, 1), 1);
    EXPECT_EQ(hostapi::aatFigRestorePenInfo(0, pens, 1), 1);
}

TEST_F(TableTest, InUseMarksComeFromElementsAndPens)
{
    addElement(0, el::Line, 4, 8);   // CHAIN, GRAY
    void* pens = hostapi::aatFigEditPenInfo(0);
    void* widths = hostapi::aatFigEditWidInfo(0);
    void* colours = hostapi::aatFigEditColInfo(0);
    void* penEx = hostapi::aatFigEditPenExInfo(0);
    EXPECT_EQ(hostapi::aatPenGetAttrib(pens, 4) & 0x1, 0x1);
    EXPECT_EQ(hostapi::aatPenGetAttrib(pens, 1) & 0x1, 0);
    EXPECT_EQ(hostapi::aatWidGetAttrib(widths, 2) & 0x10, 0x10) << "MEDIUM is on SOLID";
    EXPECT_EQ(hostapi::aatWidGetAttrib(widths, 3) & 0x10, 0) << "THICK is on no pen";
    EXPECT_EQ(hostapi::aatColGetAttrib(colours, 8) & 0x1, 0x1) << "GRAY is on an element";
    EXPECT_EQ(hostapi::aatColGetAttrib(colours, 5) & 0x1, 0) << "YELLOW is nowhere";
    ASSERT_EQ(hostapi::aatPenExSetColor(penEx, pens, 1, 5), 0);
    ASSERT_EQ(hostapi::aatColSetUseFlgPenEx(penEx, colours), 0);
    EXPECT_EQ(hostapi::aatColGetAttrib(colours, 5) & 0x1, 0x1);
    EXPECT_EQ(hostapi::aatColGetAttrib(colours, 1) & 0x1, 0) << "BLACK was SOLID's only";
    EXPECT_EQ(hostapi::aatColGetAttrib(colours, 8) & 0x1, 0x1) << "the element keeps GRAY in use";
    EXPECT_EQ(hostapi::aatPenGetSolidIndex(pens, 0, 0), 1);
    EXPECT_EQ(hostapi::aatPenGetAssistIndex(pens, 0, 0), 1);
    EXPECT_EQ(hostapi::aatFigRestorePenInfo(0, pens, 1), 1);
    EXPECT_EQ(hostapi::aatFigRestoreWidInfo(0, widths, 1), 1);
    EXPECT_EQ(hostapi::aatFigRestoreColInfo(0, colours, 1), 1);
    EXPECT_EQ(hostapi::aatFigRestorePenExInfo(0, penEx, 1), 1);
}

TEST_F(TableTest, MergingAReferenceFiguresPenAddsItsWidthAndColour)
{
    // A second figure (as a reference figure would be) with a pen whose
    // width and colour the current figure lacks.
    auto other = mobrhost::Figure::makeDefault();
    const int32_t w = other->widths->add("HAIR");
    other->widths->at(w)->width = 0.05;
    const int32_t c = other->colours->add("ORANGE");
    other->colours->at(c)->red = 255;
    other->colours->at(c)->green = 128;
    const int32_t p = other->pens->add("FINE");
    other->pens->at(p)->width = w;
    other->pens->at(p)->widthUid = other->widths->at(w)->uid;
    other->penColours->setColour(*other->pens, p, c, other->colours->at(c)->uid);
    const short ref = model().addFigure(std::move(other), true);
    ASSERT_EQ(ref, 1);
    const int32_t line = addElement(0, el::Line, 5, 6);

    void* refPens = hostapi::aatFigEditPenInfo(ref);
    void* refWidths = hostapi::aatFigEditWidInfo(ref);
    void* refColours = hostapi::aatFigEditColInfo(ref);
    void* refPenEx = hostapi::aatFigEditPenExInfo(ref);
    void* pens = hostapi::aatFigEditPenInfo(0);
    void* penEx = hostapi::aatFigEditPenExInfo(0);
    void* colours = hostapi::aatFigEditColInfo(0);
    void* widths = hostapi::aatFigEditWidInfo(0);

    const int32_t k = hostapi::aatPenFindName(refPens, "FINE");
    char name[17] = {};
    ASSERT_EQ(hostapi::aatWidGetName(refWidths, hostapi::aatPenGetWidth(refPens, k), name), 0);
    const int32_t newWidth = hostapi::aatWidNewInfo(widths, name);
    ASSERT_EQ(newWidth, 5);
    ASSERT_EQ(hostapi::aatWidSetWidth(widths, newWidth, hostapi::aatWidGetWidth(refWidths, hostapi::aatPenGetWidth(refPens, k))), 0);
    const int32_t refColour = hostapi::aatPenExGetColor(refPenEx, refPens, k);
    ASSERT_EQ(hostapi::aatColGetName(refColours, refColour, name), 0);
    const int32_t newColour = hostapi::aatColNewInfo(colours, name);
    ASSERT_EQ(newColour, 9);
    const int32_t newPen = hostapi::aatPenNewInfo(pens, "FINE");
    ASSERT_EQ(hostapi::aatPenSetWidth(pens, newPen, newWidth), 0);
    ASSERT_GE(hostapi::aatPenExNewInfo(penEx, pens, newPen), 0);
    ASSERT_EQ(hostapi::aatPenExSetColor(penEx, pens, newPen, newColour), 0);

    EXPECT_EQ(hostapi::aatFigRestoreColInfo(0, colours, 0), 1);
    EXPECT_EQ(hostapi::aatFigRestoreWidInfo(0, widths, 0), 1);
    EXPECT_EQ(hostapi::aatFigRestorePenInfo(0, pens, 0), 1);
    EXPECT_EQ(hostapi::aatFigRestorePenExInfo(0, penEx, 0), 1);
    for (auto [copy, restore] : {std::pair{refPens, &hostapi::aatFigRestorePenInfo},
                                 std::pair{refWidths, &hostapi::aatFigRestoreWidInfo},
                                 std::pair{refColours, &hostapi::aatFigRestoreColInfo},
                                 std::pair{refPenEx, &hostapi::aatFigRestorePenExInfo}})
        EXPECT_EQ(restore(ref, copy, 1), 1);
    EXPECT_EQ(hostapi::aatFigClose(ref), 0);

    EXPECT_EQ(penWidthName(0, "FINE"), "HAIR");
    EXPECT_EQ(penColourName(0, "FINE"), "ORANGE");
    EXPECT_EQ(penNameOf(0, line), "ASSIST");
    EXPECT_EQ(colourNameOf(0, line), "CYAN");
}

TEST_F(TableTest, CopiesOfOneFigureNeverReachAnother)
{
    const short ref = model().addFigure(mobrhost::Figure::makeDefault(), true);
    void* copy = hostapi::aatFigEditPenInfo(ref);
    ASSERT_EQ(hostapi::aatPenSetName(copy, 1, "ONLYREF"), 0);
    EXPECT_EQ(hostapi::aatFigRestorePenInfo(ref, copy, 0), 1);
    EXPECT_EQ(hostapi::aatPenFindName(hostapi::aatFigGetPenInfo(ref), "ONLYREF"), 1);
    EXPECT_EQ(hostapi::aatPenFindName(hostapi::aatFigGetPenInfo(0), "ONLYREF"), -1);
    EXPECT_NE(hostapi::aatFigGetPenInfo(ref), hostapi::aatFigGetPenInfo(0));
    short current = -1;
    hostapi::aatSysInfCFigno(82, &current);
    EXPECT_EQ(current, 0);

    std::vector<short> opened;
    for (int i = 0; i < 20; ++i) {
        const short n = model().addFigure(mobrhost::Figure::makeDefault(), true);
        if (n < 0) break;
        opened.push_back(n);
    }
    EXPECT_EQ(opened.size(), 14u) << "16 figures at most";
    for (short n : opened) EXPECT_EQ(hostapi::aatFigClose(n), 0);
    EXPECT_EQ(hostapi::aatFigClose(ref), 0);
}

TEST_F(TableTest, JournalNamesTheTablesItHandsOut)
{
    void* pens = hostapi::aatFigEditPenInfo(0);
    void* widths = hostapi::aatFigEditWidInfo(0);
    int32_t out = 0;
    void* order = hostapi::as_MakeTable(countWord(pens), &out);
    EXPECT_EQ(hostapi::aatFigRestorePenInfoEx(0, pens, 1, order), 1);
    EXPECT_EQ(hostapi::as_FreeTable(order), 0);
    EXPECT_EQ(hostapi::aatFigRestoreWidInfo(0, widths, 1), 1);
    const auto restores = mobrhost::journalEntries("aatFigRestorePenInfoEx");
    ASSERT_EQ(restores.size(), 1u);
    EXPECT_EQ(restores[0].args[1], "pen#1");
    EXPECT_EQ(restores[0].args[3], "index#1");
    EXPECT_EQ(restores[0].result, "1");
    const auto widthEnds = mobrhost::journalEntries("aatFigRestoreWidInfo");
    ASSERT_EQ(widthEnds.size(), 1u);
    EXPECT_EQ(widthEnds[0].args[1], "width#1");
}

TEST_F(TableTest, SolidPenMaskRepairAsTheConversionMakesIt)
{
    // Every solid pen has bit 0x2 set: the repair clears it in the first.
    void* pens = hostapi::aatFigEditPenInfo(0);
    ASSERT_EQ(hostapi::aatPenSetMask(pens, 1, 0x2), 0);
    ASSERT_EQ(hostapi::aatFigRestorePenInfo(0, pens, 0), 1);
    pens = hostapi::aatFigEditPenInfo(0);
    int first = 0, firstMask = 0, clear = 0;
    for (int32_t n = 1; n <= hostapi::aatPenGetCount(pens); ++n) {
        const int32_t mask = hostapi::aatPenGetMask(pens, n);
        if (hostapi::aatPenGetPlotStyle(pens, n) != 1 || mask == -1) continue;
        if (!first) {
            first = n;
            firstMask = mask;
        }
        clear |= ~mask & 0x7;
    }
    ASSERT_EQ(first, 1);
    ASSERT_EQ(hostapi::aatPenSetMask(pens, first, firstMask & clear), 0);
    EXPECT_EQ(hostapi::aatFigRestorePenInfo(0, pens, clear == 0x7 ? 1 : 0), 1);
    EXPECT_EQ(hostapi::aatPenGetMask(hostapi::aatFigGetPenInfo(0), 1), 0);
}
