// The element database through the named functions (reads, updates, hatch
// attribute words, the status block), record layouts, tips, extended
// characters and rename lists.

#include "FigureTestSupport.h"
#include "HostFixture.h"

using namespace figtest;
namespace el = mobrhost::element;

namespace {

class DatabaseTest : public HostFixture {};

}  // namespace

TEST_F(DatabaseTest, ReadsAnswerSkipCodesForDeletedEmptyAndPurgedSlots)
{
    const int32_t a = addElement(0, el::Line, 1, 0);
    const int32_t b = addElement(0, el::Line, 1, 0);
    model().figure(0)->elements.appendState(0, 1, el::Empty);
    model().figure(0)->elements.appendState(0, 1, el::Purged);
    ASSERT_TRUE(model().figure(0)->elements.erase(b));
    unsigned char r[128] = {};
    EXPECT_EQ(hostapi::aatDbRead(0, a, r), 0);
    EXPECT_EQ(mobrhost::bytes::i32(r, el::kId), a);
    EXPECT_EQ(hostapi::aatDbRead(0, b, r), 612);
    EXPECT_EQ(hostapi::aatDbRead(0, 3, r), 620);
    EXPECT_EQ(hostapi::aatDbRead(0, 4, r), 625);
    EXPECT_EQ(hostapi::aatDbRead(0, 5, r), 602);
    EXPECT_EQ(hostapi::aatDbRead(0, 1 | (2 << 24), r), 602) << "no space 2";
    EXPECT_EQ(hostapi::aatDbRead(3, a, r), 602) << "no figure 3";

    unsigned char status[64];
    ASSERT_EQ(hostapi::aatDbStatus(0, status), 0);
    EXPECT_EQ(mobrhost::bytes::i32(status, 8), 4);
    EXPECT_EQ(mobrhost::bytes::i32(status, 22), 0);
    EXPECT_EQ(mobrhost::bytes::i32(status, 0), 1);
}

TEST_F(DatabaseTest, UpdatesAreCheckedAgainstTheFiguresTables)
{
    int32_t id = addElement(0, el::Circle, 2, 0);
    unsigned char r[128];
    ASSERT_EQ(hostapi::aatDbRead(0, id, r), 0);
    r[el::kPen] = 6;   // the figure has five pens
    EXPECT_EQ(hostapi::aatDbUpdate2(0, 0, &id, r, 1), 630);
    r[el::kPen] = 3;
    r[el::kColour] = 9;   // eight colours
    EXPECT_EQ(hostapi::aatDbUpdate2(0, 0, &id, r, 1), 630);
    r[el::kColour] = 8;
    EXPECT_EQ(hostapi::aatDbUpdate2(0, 1, &id, r, 1), 602) << "wrong space";
    EXPECT_EQ(hostapi::aatDbUpdate2(0, 0, &id, r, 1), 0);
    unsigned char back[128];
    ASSERT_EQ(hostapi::aatDbRead(0, id, back), 0);
    EXPECT_EQ(back[el::kPen], 3);
    EXPECT_EQ(back[el::kColour], 8);

    int32_t added = 0;
    EXPECT_EQ(hostapi::aatDbUpdate2(0, 1, &added, r, 0), 0);
    EXPECT_EQ(added, 1 | (1 << 24));
    EXPECT_EQ(hostapi::aatFigIsExistSktFigure(), 1);
}

// The recolour pass itself is tested against this host in tests/attributes;
// here the hatch attribute word it goes through.
TEST_F(DatabaseTest, HatchAttributeWordsBelongToHatchParentsAndTakeKnownColours)
{
    const int32_t line = addElement(0, el::Line, 2, 1);
    const int32_t hatch = addElement(0, el::Hatch, 3, 1);
    int32_t a = -1, b = 1, word = 0;
    ASSERT_EQ(hostapi::aatHatInfoAtrbGet(0, hatch, 1, &a, &b, &word), 0);
    EXPECT_EQ(word, 3 | (1 << 16));
    EXPECT_EQ(hostapi::aatHatInfoAtrbGet(0, line, 1, &a, &b, &word), 640) << "not a hatch";
    word = 3 | (4 << 16);
    EXPECT_EQ(hostapi::aatHatInfoAtrbSet(0, hatch, 1, &a, &b, &word), 0);
    EXPECT_EQ(colourNameOf(0, hatch), "BLUE");
    word = 3 | (200 << 16);
    EXPECT_EQ(hostapi::aatHatInfoAtrbSet(0, hatch, 1, &a, &b, &word), 630) << "no colour 200";
}

TEST_F(DatabaseTest, PenRecordsCarryStyleMaskAndPitch)
{
    void* pens = hostapi::aatFigEditPenInfo(0);
    const double pitch[6] = {6.0, 1.0, 0.5, 1.0, 199.9, 0.1};
    ASSERT_EQ(hostapi::aatPenSetPitch(pens, 4, pitch, 6), 0);
    ASSERT_EQ(hostapi::aatPenSetMask(pens, 4, 0x5), 0);
    ASSERT_EQ(hostapi::aatPenSetPlotStyle(pens, 4, 5), 0);
    const unsigned char* record = static_cast<const unsigned char*>(hostapi::aatPenGetInfo(pens, 4));
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(record)), "CHAIN");
    EXPECT_EQ(mobrhost::bytes::u16(record, 18), 1) << "width number at 18";
    EXPECT_EQ(hostapi::aatPenGetPlotStyleEx(record) & 0xFFFF, 5);
    EXPECT_EQ(hostapi::aatPenGetMaskEx(record), 5);
    double back[10] = {};
    ASSERT_EQ(hostapi::aatPenGetPitchEx(record, back, 10), 6);
    for (int i = 0; i < 6; ++i) EXPECT_DOUBLE_EQ(back[i], pitch[i]) << i;
    EXPECT_EQ(hostapi::aatPenGetPitchEx(record, back, 3), 3) << "never more than the capacity";

    void* widths = hostapi::aatFigEditWidInfo(0);
    const unsigned char* w = static_cast<const unsigned char*>(hostapi::aatWidGetInfo(widths, 3));
    EXPECT_EQ(mobrhost::bytes::u16(w, 16), 50);
    EXPECT_EQ(mobrhost::bytes::u16(w, 18), 3);
    EXPECT_DOUBLE_EQ(hostapi::aatWidGetWidthEx(w), 0.5);
    void* colours = hostapi::aatFigEditColInfo(0);
    const unsigned char* c = static_cast<const unsigned char*>(hostapi::aatColGetInfo(colours, 6));
    EXPECT_EQ(mobrhost::bytes::u32(c, 16), 0xFFFF00u) << "CYAN: red low byte";
    // A new entry from another table's record whose name fills all 16
    // bytes: the name ends at the field, not at the colour value after it.
    ASSERT_EQ(hostapi::aatColSetName(colours, 8, "SIXTEENBYTENAME!"), 0);
    ASSERT_EQ(hostapi::aatColSetRGB(colours, 8, 0x41, 0x42, 0x43), 0);
    void* fresh = hostapi::aatColOpen();
    const int32_t n = hostapi::aatColNewInfo(fresh, static_cast<const char*>(hostapi::aatColGetInfo(colours, 8)));
    char name[17] = {};
    ASSERT_EQ(hostapi::aatColGetName(fresh, n, name), 0);
    EXPECT_EQ(std::string(name), "SIXTEENBYTENAME!");
    EXPECT_EQ(hostapi::aatColClose(fresh), 0);
    EXPECT_EQ(hostapi::aatFigRestoreColInfo(0, colours, 1), 1);
    EXPECT_EQ(hostapi::aatFigRestoreWidInfo(0, widths, 1), 1);
    EXPECT_EQ(hostapi::aatFigRestorePenInfo(0, pens, 1), 1);
}

TEST_F(DatabaseTest, TipsKeepBuiltInsAndReservedSlots)
{
    void* tips = hostapi::aatFigEditTipInfo(0);
    EXPECT_EQ(hostapi::aatTipGetCount(tips), 9);
    mobrhost::TipTable* t = model().tips(tips);
    ASSERT_EQ(t->addUser("USER1", "", {0, 0, 1, 1}, {0, 0, -1, -1}), 17);
    ASSERT_EQ(t->addUser("USER2", "", {}, {}), 18);
    EXPECT_EQ(hostapi::aatTipGetCount(tips), 18);
    char name[17] = {};
    EXPECT_EQ(hostapi::aatTipGetLocalName(tips, 12, name), -1) << "reserved slot";
    EXPECT_EQ(hostapi::aatTipSetName(tips, 3, "MINE"), -1) << "built-in names stay";
    EXPECT_EQ(hostapi::aatTipSetName(tips, 17, "arrow"), -1) << "another tip's name";
    EXPECT_EQ(hostapi::aatTipSetName(tips, 17, "HOOK"), 0);
    EXPECT_EQ(hostapi::aatTipFindLocalName(tips, "hook"), 17);
    EXPECT_EQ(hostapi::aatTipDeleteInfo(tips, 5), -1);
    double shape[64];
    EXPECT_EQ(hostapi::aatTipGetDataSt2(tips, 17, shape, 64), 4);
    EXPECT_EQ(hostapi::aatTipGetDataSt2(tips, 17, shape, 3), 2) << "whole pairs within the capacity";
    EXPECT_EQ(hostapi::aatTipSetMask(tips, 1, 0x7), 0);
    EXPECT_EQ(hostapi::aatTipGetMask(tips, 1), 0x3);
    EXPECT_EQ(hostapi::aatTipSetLength(tips, 4.0), 0);
    EXPECT_EQ(hostapi::aatTipDeleteInfo(tips, 17), 0);
    EXPECT_EQ(hostapi::aatFigRestoreTipInfo(0, tips, 0), 1);
    void* committed = hostapi::aatFigGetTipInfo(0);
    EXPECT_EQ(hostapi::aatTipGetCount(committed), 17);
    EXPECT_EQ(hostapi::aatTipFindName(committed, "USER2"), 17);
    EXPECT_DOUBLE_EQ(hostapi::aatTipGetLength(committed), 4.0);
}

TEST_F(DatabaseTest, ExtendedCharactersCombineIntoOneModeWord)
{
    void* copy = hostapi::aatFigEditCharExInfo(0);
    ASSERT_EQ(hostapi::aatCharExGetCount(copy), 1);
    EXPECT_EQ(hostapi::aatCharExAddInfoMode(copy, 0x80 | 0x4, "\x82\xa0\x82\xa2"), 0);
    EXPECT_EQ(hostapi::aatCharExAddInfoMode(copy, 0x2, ""), 0);
    EXPECT_EQ(hostapi::aatCharExInfoSort(copy), 0);
    char text[520];
    EXPECT_EQ(hostapi::aatCharExGetInfoMode(copy, text, 520), 0x87);
    EXPECT_EQ(std::string(text), "\x82\xa0\x82\xa2");
    char small[4];
    hostapi::aatCharExGetInfoMode(copy, small, 4);
    EXPECT_EQ(std::string(small), "\x82\xa0") << "cut within the size, not through a character";
    for (int n = hostapi::aatCharExGetCount(copy); n >= 1; --n) EXPECT_EQ(hostapi::aatCharExDelete(copy, n), 0);
    EXPECT_EQ(hostapi::aatCharExGetInfoMode(copy, text, 520), 0);
    EXPECT_EQ(hostapi::aatFigRestoreCharExInfo(0, copy, 0), 1);
    EXPECT_EQ(hostapi::aatCharExGetCount(hostapi::aatFigEditCharExInfo(0)), 0);
    model().reset();   // the copy taken for the last check is not ended on purpose
}

TEST_F(DatabaseTest, RenameListsApplyAllPairsAtOnce)
{
    // Swapping two names through the list renames each reference once.
    ASSERT_EQ(hostapi::AddPenNameStringList("SOLID", "CHAIN"), 0);
    ASSERT_EQ(hostapi::AddPenNameStringList("CHAIN", "SOLID"), 0);
    ASSERT_EQ(hostapi::AddWidthNameStringList("MEDIUM", "NORMAL"), 0);
    ASSERT_EQ(hostapi::AddColorNameStringList("cyan", "SKY"), 0);
    EXPECT_EQ(hostapi::AddPenNameStringList("", "X"), -1);

    void* widths = hostapi::aatFigEditWidInfo(0);
    ASSERT_EQ(hostapi::aatWidSetName(widths, 2, "NORMAL"), 0);
    EXPECT_EQ(hostapi::ChangeSketchWidthName(0, widths), 1);
    EXPECT_EQ(hostapi::ChangeSketchPenName(0, hostapi::aatFigGetPenInfo(0), widths), 1);
    EXPECT_EQ(hostapi::ChangeSketchColorName(0, hostapi::aatFigGetColInfo(0)), 1);
    EXPECT_EQ(hostapi::ChangeSketchColorName(0, nullptr), 0);
    EXPECT_EQ(hostapi::ChangeSketchPenName(5, hostapi::aatFigGetPenInfo(0), widths), 0);
    EXPECT_EQ(hostapi::aatFigRestoreWidInfo(0, widths, 0), 1);

    const auto& sketch = model().figure(0)->sketch;
    EXPECT_EQ(sketch[0].name, "CHAIN");
    EXPECT_EQ(sketch[0].widthName, "THIN") << "the pen now named CHAIN has width THIN";
    EXPECT_EQ(sketch[1].name, "SOLID");
    EXPECT_EQ(sketch[2].name, "NORMAL");
    EXPECT_EQ(sketch[4].name, "SKY");

    EXPECT_EQ(hostapi::ClearPenNameStringList(), 0);
    EXPECT_TRUE(model().renames().pairs(mobrhost::RenameLists::Pens).empty());
    EXPECT_FALSE(model().renames().pairs(mobrhost::RenameLists::Widths).empty());
}

TEST_F(DatabaseTest, FigureBlocksAndValues)
{
    unsigned char dim[184];
    ASSERT_EQ(hostapi::aatFigGetDimInfo(0, dim), 0);
    EXPECT_FLOAT_EQ(mobrhost::bytes::f32(dim, 44), 30.0f);
    mobrhost::bytes::setF32(dim, 40, 0.01f);
    ASSERT_EQ(hostapi::aatFigSetDimInfo(0, dim), 0);
    unsigned char again[184];
    ASSERT_EQ(hostapi::aatFigGetDimInfo(0, again), 0);
    EXPECT_EQ(std::memcmp(dim, again, 184), 0);
    EXPECT_EQ(hostapi::aatFigSetDrwOrder(0, 3, 3), -1);
    EXPECT_EQ(hostapi::aatFigSetDrwOrder(0, 3, 2), 0);
    int32_t order = -1;
    EXPECT_EQ(hostapi::aatFigGetDrwOrder(0, 3, &order), 0);
    EXPECT_EQ(order, 2);
    EXPECT_EQ(hostapi::aatImageSetBitCount(0, 2), -1);
    EXPECT_EQ(hostapi::aatFigSetFontType(0, 2), -1);
    EXPECT_EQ(hostapi::aatFigSetErrDist(0, 0.0), -1);
    int32_t pen = 9;
    EXPECT_EQ(hostapi::aauFigCLinePen(1, 0, &pen), -1);
    pen = 2;
    EXPECT_EQ(hostapi::aauFigCLinePen(1, 0, &pen), 0);
    pen = 0;
    EXPECT_EQ(hostapi::aauFigCLinePen(0, 0, &pen), 0);
    EXPECT_EQ(pen, 2);
    model().figure(0)->layers->setColour(2, 3, 4);
    EXPECT_EQ(hostapi::aatLayGetColor(hostapi::aatFigLayGetInfo(0), 2, 3), 4);
    EXPECT_EQ(hostapi::aatLayGetColor(hostapi::aatFigLayGetInfo(0), 16, 0), -1);
}
