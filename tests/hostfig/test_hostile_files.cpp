// Figure files made to hurt the readers: views in place of
// tables, counts that the file cannot hold, journals and WAL files beside
// it, leftovers of killed saves and symbolic links. Both readers (the host's
// loader and the module's LoadFigCtrl) refuse quickly and write nothing.

#include <sqlite3.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "FigureTestSupport.h"
#include "HostFixture.h"
#include "mobrdata/FileZq.h"
#include "store/FigureFile.h"
#include "store/FigureJson.h"

using namespace figtest;
namespace fs = std::filesystem;
using mobrhost::FigureFile;

namespace {

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void sql(const std::string& path, const std::string& statement)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, statement.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

class HostileFileTest : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        fs::create_directories(folder());
        addElement(0, mobrhost::element::Line, 1, 1);
        ASSERT_TRUE(FigureFile::save(*model().figure(0), good(), nullptr));
    }
    std::string folder() const { return tempPath("hostile"); }
    std::string file(const std::string& name) const { return folder() + "/" + name; }
    std::string good() const { return file("good.fig"); }
    std::string copyOfGood(const std::string& name) const
    {
        fs::copy_file(good(), file(name), fs::copy_options::overwrite_existing);
        return file(name);
    }
};

}  // namespace

// 6. Views in place of the tables (a recursive one runs for ever), counts
// beyond the file's size, and a hot journal beside the file.
TEST_F(HostileFileTest, ViewsCountsAndJournalsAreRefusedQuickly)
{
    const std::string endless =
        "WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM r) ";
    const std::string metaView = copyOfGood("meta-view.fig");
    sql(metaView, "ALTER TABLE figure_meta RENAME TO m; CREATE VIEW figure_meta(key, value) AS " + endless +
                      "SELECT CASE WHEN n = 1 THEN 'control' ELSE 'x' END, n FROM r");
    const std::string chunkView = copyOfGood("chunk-view.fig");
    sql(chunkView, "ALTER TABLE element_chunks RENAME TO c; CREATE VIEW element_chunks(space, first, count, records) AS " +
                       endless + "SELECT 0, n, 1, zeroblob(128) FROM r");
    const std::string huge = copyOfGood("huge.fig");
    sql(huge, "UPDATE figure_meta SET value = 16777215 WHERE key = 'space0_slots'");
    const std::string hot = copyOfGood("hot.fig");
    {
        std::ofstream journal(hot + "-journal", std::ios::binary);
        journal << std::string("\xd9\xd5\x05\xf9\x20\xa1\x63\xd7", 8) << std::string(1016, '\0');
    }
    const struct {
        std::string path;
        const char* expected;
    } cases[] = {{metaView, "figure_meta is not a table"},
                 {chunkView, "element_chunks is not a table"},
                 {huge, "element slots, more than its"},
                 {hot, "unfinished change"}};
    for (const auto& c : cases) {
        const auto started = std::chrono::steady_clock::now();
        std::string error;
        EXPECT_EQ(FigureFile::load(c.path, &error), nullptr) << c.path;
        EXPECT_NE(error.find(c.expected), std::string::npos) << error;
        uint32_t control = 7;
        // The module's reader reads only figure_meta.
        if (c.path == metaView || c.path == hot) {
            EXPECT_EQ(aCFileZq::LoadFigCtrl(c.path.c_str(), &control), 0) << c.path;
        }
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(3)) << c.path;
    }
    // A journal that is not hot (empty, or not a journal) does not matter.
    const std::string cold = copyOfGood("cold.fig");
    std::ofstream(cold + "-journal").close();
    std::string error;
    EXPECT_NE(FigureFile::load(cold, &error), nullptr) << error;
}

// 7. Reading never writes beside the file, not even for a file in WAL mode.
TEST_F(HostileFileTest, ReadingWritesNothingBesideTheFile)
{
    const std::string wal = copyOfGood("wal.fig");
    sql(wal, "PRAGMA journal_mode=WAL");
    ASSERT_FALSE(fs::exists(wal + "-wal"));
    const std::string before = readAll(wal);
    std::string error;
    EXPECT_NE(FigureFile::load(wal, &error), nullptr) << error;
    uint32_t control = 0;
    EXPECT_EQ(aCFileZq::LoadFigCtrl(wal.c_str(), &control), 1);
    for (const char* suffix : {"-wal", "-shm", "-journal"})
        EXPECT_FALSE(fs::exists(wal + suffix)) << suffix << " written beside the file";
    EXPECT_EQ(readAll(wal), before);
}

// 11. Leftovers of killed saves go at the next save of that file (a save
// still running keeps its own); a symbolic link keeps pointing at the
// figure it names.
TEST_F(HostileFileTest, SavesClearLeftoversAndKeepSymbolicLinks)
{
    const std::string target = file("drawing.fig");
    const std::string left = target + ".saving-Ab12Cd";
    std::ofstream(left) << std::string(4096, 'x');
    std::ofstream(left + "-journal") << "j";
    const std::string running = target + ".saving-Zz99Yy";
    std::ofstream(running) << "busy";
    const int held = ::open(running.c_str(), O_RDONLY);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    const std::string other = file("other.fig.saving-Ab12Cd");
    std::ofstream(other) << "another file's";

    std::string error;
    ASSERT_TRUE(FigureFile::save(*model().figure(0), target, &error)) << error;
    EXPECT_FALSE(fs::exists(left));
    EXPECT_FALSE(fs::exists(left + "-journal"));
    EXPECT_TRUE(fs::exists(running)) << "a save that still runs keeps its temporary";
    EXPECT_TRUE(fs::exists(other)) << "only temporaries of the file saved";
    ::close(held);

    // Saving onto a symbolic link replaces its target and keeps the link.
    const std::string real = file("real.fig");
    const std::string link = file("link.fig");
    ASSERT_TRUE(FigureFile::save(*model().figure(0), real, &error)) << error;
    fs::create_symlink(real, link);
    model().figure(0)->control = 0x1234;
    ASSERT_TRUE(FigureFile::save(*model().figure(0), link, &error)) << error;
    EXPECT_TRUE(fs::is_symlink(link));
    auto back = FigureFile::load(real, &error);
    ASSERT_NE(back, nullptr) << error;
    EXPECT_EQ(back->control, 0x1234u);

    // A FIFO is refused at once by both readers.
    const std::string fifo = file("pipe.fig");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(FigureFile::load(fifo, &error), nullptr);
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
    uint32_t control = 0;
    EXPECT_EQ(aCFileZq::LoadFigCtrl(fifo.c_str(), &control), 0);
}

// 8. One set of rules for the loader, the import and the export: a record
// that the import would refuse does not load either, so whatever loads can
// be exported and imported again.
TEST_F(HostileFileTest, WhatLoadsCanBeExportedAndImportedAgain)
{
    namespace el = mobrhost::element;
    using mobrhost::bytes::setF64;
    using mobrhost::bytes::setU16;
    using mobrhost::bytes::setU32;
    struct Case {
        const char* name;
        uint16_t kind;
        void (*spoil)(unsigned char* r);
        const char* expected;
    };
    const Case cases[] = {
        {"layer group 300", el::Line, [](unsigned char* r) { setU16(r, el::kLayerGroup, 300); }, "outside 0 to 15"},
        {"layer 65535", el::Line, [](unsigned char* r) { setU16(r, el::kLayer, 65535); }, "outside 0 to 15"},
        {"tip 65535", el::Line, [](unsigned char* r) { setU16(r, el::kEndTip, 65535); }, "refers to tip 65535"},
        {"NaN", el::Line, [](unsigned char* r) { setF64(r, el::kGeometry, std::nan("")); }, "not a finite number"},
        {"infinity", el::Line, [](unsigned char* r) { setF64(r, el::kGeometry + 8, HUGE_VAL); }, "not a finite number"},
        {"1e308", el::Line, [](unsigned char* r) { setF64(r, el::kGeometry, 1e308); }, "within 1e300"},
        {"text without terminator", el::Text, [](unsigned char* r) { std::memset(r + el::kText, 'a', el::kTextBytes); },
         "without its terminator"},
        {"text ending in a lead byte", el::Text, [](unsigned char* r) { std::memcpy(r + el::kText, "ab\x82", 4); },
         "half a double-byte character"},
        {"hatch attribute 0xFFFFFFFF", el::Hatch, [](unsigned char* r) { setU32(r, el::kHatchAttrib, 0xFFFFFFFFu); },
         "hatch attribute"},
        // Found by fuzz_figure_file: the word named colour 10, the element colour 0.
        {"hatch attribute of another colour", el::Hatch, [](unsigned char* r) { setU32(r, el::kHatchAttrib, 1u | (10u << 16)); },
         "names another pen or colour"},
    };
    for (const Case& c : cases) {
        auto f = mobrhost::Figure::makeDefault();
        mobrhost::ElementDatabase::Record r{};
        setU16(r.data(), el::kKind, c.kind);
        mobrhost::bytes::setI32(r.data(), el::kOwner, -1);
        r[el::kPen] = 1;
        if (c.kind == el::Text) setU16(r.data(), el::kFont, 1);
        if (c.kind == el::Hatch) setU32(r.data(), el::kHatchAttrib, 1);
        c.spoil(r.data());
        f->elements.append(0, r);
        std::string error;
        EXPECT_FALSE(mobrhost::FigureJson::checkElements(*f, &error)) << c.name << ": the export refuses it";
        const std::string path = file("spoiled.fig");
        ASSERT_TRUE(FigureFile::save(*f, path, &error)) << error;
        EXPECT_EQ(FigureFile::load(path, &error), nullptr) << c.name;
        EXPECT_NE(error.find("element 1 "), std::string::npos) << c.name << ": " << error;
        EXPECT_NE(error.find(c.expected), std::string::npos) << c.name << ": " << error;
    }
}

// 9. Names and numbers are taken as given or refused with the member named,
// never changed without a word.
TEST_F(HostileFileTest, ImportRefusesWhatItWouldOtherwiseChange)
{
    const struct {
        const char* document;
        const char* expected;
    } cases[] = {
        {R"({"pens": [{"name": "a\u0000b"}]})", "pens[0].name: contains a NUL character"},
        {R"({"pens": [{"name": "\u0000"}]})", "pens[0].name: contains a NUL character"},
        {R"({"colours": [{"name": "caf\u00e9", "rgb": [1, 2, 3]}]})", "colours[0].name: has characters the host's code page lacks"},
        {R"({"elements": [{"id": 1, "kind": "text", "text": "ab\u0000cd"}]})", "elements[0].text: contains a NUL character"},
        {R"({"colours": [{"name": "c", "rgb": [1.5, 0, 0]}]})", "colours[0].rgb[0]: expected an integer"},
        {R"({"displayColours": [1, 2, 3]})", "displayColours: expected 4 colour values"},
        {R"({"fonts": [], "elements": [{"id": 1, "kind": "text", "text": "a"}]})", "element 1 refers to font 1"},
        {R"({"elements": [{"id": 1, "kind": "text", "font": 99}]})", "element 1 refers to font 99"},
        {R"({"elements": [{"id": 1, "kind": "line", "tips": [40, 0]}]})", "element 1 refers to tip 40"},
        {R"({"pens": null})", "pens: null is not a value"},
        {R"({"paper": {"index": null}})", "paper.index: null is not a value"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_EQ(mobrhost::FigureJson::importText(c.document, &error), nullptr) << c.document;
        EXPECT_NE(error.find(c.expected), std::string::npos) << c.document << " -> " << error;
    }
    // What the code page has goes through unchanged.
    std::string error;
    auto f = mobrhost::FigureJson::importText(R"({"colours": [{"name": "\u8d64", "rgb": [255, 0, 0]}]})", &error);
    ASSERT_NE(f, nullptr) << error;
    EXPECT_EQ(f->colours->at(1)->name, "\x90\xd4");
}
