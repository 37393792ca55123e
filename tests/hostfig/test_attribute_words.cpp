// The attribute words of new elements and of the dimension block: commits of
// pens, colours, fonts and tips renumber exactly their own bit fields, and
// figures stored in the first layout (pen and colour halves, font in the
// character block) are converted when they are read, never misread.

#include <sqlite3.h>

#include <cstdio>
#include <cstring>
#include <ostream>

#include "FigureTestSupport.h"
#include "HostFixture.h"
#include "store/FigureFile.h"
#include "store/FigureJson.h"

using namespace figtest;
namespace aw = mobr::attrword;
namespace bytes = mobr::bytes;

namespace {

// Which figure block holds a word: the line, point or character attribute
// block or the dimension block.
enum class Block { Line, Point, Char, Dim };

struct FieldAt {
    Block block;
    std::size_t offset;
    aw::Field field;
};

unsigned char* blockOf(mobrhost::Figure& f, Block b)
{
    switch (b) {
    case Block::Line: return f.lineAttrib.data();
    case Block::Point: return f.pointAttrib.data();
    case Block::Char: return f.charAttrib.data();
    case Block::Dim: return f.dim.data();
    }
    return nullptr;
}

// The figure's blocks as they are, for a before/after comparison.
std::vector<unsigned char> snapshot(mobrhost::Figure& f)
{
    std::vector<unsigned char> out;
    for (Block b : {Block::Line, Block::Point, Block::Char}) out.insert(out.end(), blockOf(f, b), blockOf(f, b) + 16);
    out.insert(out.end(), f.dim.begin(), f.dim.end());
    out.insert(out.end(), f.charInfo.begin(), f.charInfo.end());
    return out;
}

std::size_t snapshotOffset(Block b, std::size_t offset)
{
    return b == Block::Dim ? 48 + offset : 16 * static_cast<std::size_t>(b) + offset;
}

struct CommitCase {
    const char* name;
    std::vector<FieldAt> fields;   // every field holding a number of this table
    int32_t before;                // the number every field holds
    int32_t after;                 // what it must hold after the commit
    void (*commit)();              // renumbers `before` to `after`
};

void commitPenSwap()
{
    void* pens = hostapi::aatFigEditPenInfo(0);
    ASSERT_EQ(hostapi::aatPenSwapInfo(pens, 1, 2), 0);
    ASSERT_EQ(hostapi::aatFigRestorePenInfo(0, pens, 0), 1);
}

void commitColourSwapThroughIndex()
{
    void* colours = hostapi::aatFigEditColInfo(0);
    int32_t out = 0;
    void* index = hostapi::as_MakeTable(countWord(colours), &out);
    ASSERT_NE(index, nullptr);
    ASSERT_EQ(hostapi::as_SetTableIndex(index, 0, 1), 0);
    ASSERT_EQ(hostapi::as_SetTableIndex(index, 1, 0), 0);
    ASSERT_EQ(hostapi::aatFigRestoreColInfoEx(0, colours, 0, index), 1);
    ASSERT_EQ(hostapi::as_FreeTable(index), 0);
}

void commitFirstFontDeleted()
{
    void* fonts = hostapi::aatFigEditFntInfo(0);
    ASSERT_EQ(hostapi::aatFntDeleteInfo(fonts, 1), 0);
    ASSERT_EQ(hostapi::aatFigRestoreFntInfo(0, fonts, 0), 1);
}

void commitFirstUserTipDeleted()
{
    void* tips = hostapi::aatFigEditTipInfo(0);
    ASSERT_EQ(hostapi::aatTipDeleteInfo(tips, 17), 0);
    ASSERT_EQ(hostapi::aatFigRestoreTipInfo(0, tips, 0), 1);
}

const CommitCase kCommits[] = {
    {"pens", {{Block::Line, 0, aw::kPen}, {Block::Char, 0, aw::kPen}, {Block::Dim, 24, aw::kPen}, {Block::Dim, 80, aw::kPen}},
     2, 1, commitPenSwap},
    {"colours",
     {{Block::Line, 0, aw::kColour}, {Block::Point, 0, aw::kColour}, {Block::Char, 0, aw::kColour},
      {Block::Dim, 24, aw::kColour}, {Block::Dim, 80, aw::kColour}},
     2, 1, commitColourSwapThroughIndex},
    {"fonts", {{Block::Char, 0, aw::kFont}, {Block::Dim, 24, aw::kFont}}, 3, 2, commitFirstFontDeleted},
    {"tips",
     {{Block::Line, 0, aw::kFirstTip}, {Block::Line, 0, aw::kSecondTip}, {Block::Dim, 80, aw::kFirstTip},
      {Block::Dim, 80, aw::kSecondTip}, {Block::Dim, 164, {0, 16}}, {Block::Dim, 164, {16, 16}}},
     18, 17, commitFirstUserTipDeleted},
};

// gtest names a case by its table in listings and failures, not by its bytes.
void PrintTo(const CommitCase& c, std::ostream* out)
{
    *out << c.name;
}

class AttributeWordTest : public HostFixture, public ::testing::WithParamInterface<CommitCase> {};

}  // namespace

TEST_P(AttributeWordTest, CommitRenumbersExactlyItsOwnFields)
{
    const CommitCase& c = GetParam();
    mobrhost::Figure& f = *model().figure(0);
    f.tips->addUser("HOOK", "HOOK", {0, 0, 1, 1}, {});
    f.tips->addUser("FORK", "FORK", {0, 0, 1, -1}, {});
    // Every other bit set, so that a commit that touches a neighbour shows.
    for (Block b : {Block::Line, Block::Point, Block::Char}) bytes::setU32(blockOf(f, b), 0, 0xFFFFFFFFu);
    for (std::size_t off : {24u, 80u, 164u}) bytes::setU32(f.dim.data(), off, 0xFFFFFFFFu);
    bytes::setI16(f.charInfo.data(), mobr::charblock::kHundredths, 125);
    for (const FieldAt& at : c.fields) {
        unsigned char* b = blockOf(f, at.block);
        bytes::setU32(b, at.offset, aw::put(bytes::u32(b, at.offset), at.field, c.before));
    }
    std::vector<unsigned char> expected = snapshot(f);
    for (const FieldAt& at : c.fields) {
        unsigned char* e = expected.data() + snapshotOffset(at.block, 0);
        bytes::setU32(e, at.offset, aw::put(bytes::u32(e, at.offset), at.field, c.after));
    }

    c.commit();

    const std::vector<unsigned char> got = snapshot(*model().figure(0));
    for (std::size_t i = 0; i < got.size(); i += 4)
        EXPECT_EQ(bytes::u32(got.data(), i), bytes::u32(expected.data(), i)) << c.name << ": byte " << i;
}

INSTANTIATE_TEST_SUITE_P(Tables, AttributeWordTest, ::testing::ValuesIn(kCommits),
                         [](const auto& info) { return std::string(info.param.name); });

class FirstLayoutTest : public HostFixture {};

TEST_F(FirstLayoutTest, VersionOneDocumentsAndFilesAreConverted)
{
    // Pen 2 and colour 3 in halves, font 3 in the character block, CHAIN as
    // 1-based pen 4, display colours white, black, red, green as RGB.
    auto hexWord = [](uint32_t w) {
        char s[33] = {};
        std::snprintf(s, sizeof s, "%02x%02x%02x%02x000000000000000000000000", w & 0xFF, (w >> 8) & 0xFF,
                      (w >> 16) & 0xFF, w >> 24);
        return std::string(s);
    };
    const std::string charInfo = "000060400000404000000000000000000000803f0300" + std::string(20, '0');
    nlohmann::json doc = {{"format", "mobr-figure"},
                          {"version", 1},
                          {"blocks",
                           {{"lineAttrib", hexWord(0x00030002)},
                            {"pointAttrib", hexWord(0x00030002)},
                            {"charAttrib", hexWord(0x00030002)},
                            {"charInfo", charInfo}}},
                          {"centreLinePen", 4},
                          {"displayColours", {0xFFFFFF, 0x000000, 0x0000FF, 0x00A000}}};
    std::string error;
    std::unique_ptr<mobrhost::Figure> f = mobrhost::FigureJson::fromJson(doc, &error);
    ASSERT_TRUE(f) << error;
    const uint32_t lw = bytes::u32(f->lineAttrib.data(), 0), pw = bytes::u32(f->pointAttrib.data(), 0),
                   cw = bytes::u32(f->charAttrib.data(), 0);
    EXPECT_EQ(lw, 0x0302u) << "pen 2, colour 3, no tips";
    EXPECT_EQ(aw::get(pw, aw::kColour), 3);
    EXPECT_EQ(aw::get(pw, aw::kPointType), 1);
    EXPECT_EQ(cw, aw::put(0x0302u, aw::kFont, 3));
    EXPECT_EQ(bytes::i16(f->charInfo.data(), mobr::charblock::kHundredths), 0);
    EXPECT_EQ(f->centreLinePen, 3);
    EXPECT_EQ(f->displayColours, (std::array<int32_t, 4>{8, 1, 2, 3})) << "nearest: GRAY, BLACK, RED, GREEN";
    const mobrhost::Figure defaults;
    EXPECT_EQ(std::memcmp(f->dim.data(), defaults.dim.data(), f->dim.size()), 0) << "unused dimension fields get defaults";

    // Written again it is version 2 and reads back the same.
    const nlohmann::json again = mobrhost::FigureJson::toJson(*f);
    EXPECT_EQ(again["version"], 2);
    std::unique_ptr<mobrhost::Figure> back = mobrhost::FigureJson::fromJson(again, &error);
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(bytes::u32(back->charAttrib.data(), 0), cw);
    EXPECT_EQ(back->centreLinePen, 3);
    EXPECT_EQ(back->displayColours, f->displayColours);

    // Version 2 refuses an RGB value where a colour number belongs.
    nlohmann::json rgb = again;
    rgb["displayColours"] = {0xFFFFFF, 0, 1, 2};
    EXPECT_FALSE(mobrhost::FigureJson::fromJson(rgb, &error));
    EXPECT_NE(error.find("displayColours"), std::string::npos) << error;
}

TEST_F(FirstLayoutTest, FigureFileOfHostFormatOneIsConvertedAndAMismatchRefused)
{
    mobrhost::Figure& f = *model().figure(0);
    const std::string path = tempPath("old.mfg");
    std::string error;
    ASSERT_TRUE(mobrhost::FigureFile::saveFile(f, path, &error)) << error;
    // Turn the file into one of host format 1 holding first-layout tables.
    auto rewrite = [&](int tablesVersion) {
        nlohmann::json tables = mobrhost::FigureJson::toJson(f, false);
        tables["version"] = tablesVersion;
        tables["blocks"]["charAttrib"] = "02000300000000000000000000000000";
        tables["centreLinePen"] = 2;
        tables["displayColours"] = {0, 0, 0, 0};
        sqlite3* db = nullptr;
        if (sqlite3_open(path.c_str(), &db) != SQLITE_OK) return false;
        sqlite3_stmt* st = nullptr;
        const std::string text = tables.dump();
        bool ok = sqlite3_exec(db, "UPDATE figure_meta SET value = 1 WHERE key = 'host_format'", nullptr, nullptr,
                               nullptr) == SQLITE_OK &&
                  sqlite3_prepare_v2(db, "UPDATE figure_meta SET value = ? WHERE key = 'tables'", -1, &st, nullptr) ==
                      SQLITE_OK;
        if (ok) {
            sqlite3_bind_text(st, 1, text.c_str(), -1, SQLITE_TRANSIENT);
            ok = sqlite3_step(st) == SQLITE_DONE;
        }
        sqlite3_finalize(st);
        sqlite3_close(db);
        return ok;
    };
    ASSERT_TRUE(rewrite(1));
    std::unique_ptr<mobrhost::Figure> old = mobrhost::FigureFile::loadFile(path, &error);
    ASSERT_TRUE(old) << error;
    EXPECT_EQ(bytes::u32(old->charAttrib.data(), 0), aw::put(0x0302u, aw::kFont, 1));
    EXPECT_EQ(old->centreLinePen, 1);
    EXPECT_EQ(old->displayColours, (std::array<int32_t, 4>{1, 1, 1, 1}));

    ASSERT_TRUE(rewrite(2));
    EXPECT_FALSE(mobrhost::FigureFile::loadFile(path, &error));
    EXPECT_NE(error.find("newer than its host format"), std::string::npos) << error;
}

TEST_F(FirstLayoutTest, CentreLinePenAndDisplayColoursAreNumbersOfTheTables)
{
    int32_t pen = 0;
    ASSERT_EQ(hostapi::aauFigCLinePen(1, 0, &pen), 0) << "the first pen is 0";
    pen = -1;
    ASSERT_EQ(hostapi::aauFigCLinePen(0, 0, &pen), 0);
    EXPECT_EQ(pen, 0);
    pen = 5;
    EXPECT_EQ(hostapi::aauFigCLinePen(1, 0, &pen), -1) << "five pens: 0 to 4";
    EXPECT_EQ(hostapi::aatFigSetDispColor(0, 0, 8), 0);
    EXPECT_EQ(hostapi::aatFigGetDispColor(0, 0), 8);
    EXPECT_EQ(hostapi::aatFigSetDispColor(0, 0, 9), -1) << "eight colours";
}
