// Figure files made to hurt the readers (issue 10): views in place of
// tables, counts that the file cannot hold, journals and WAL files beside
// it, leftovers of killed saves and symbolic links. Both readers (the host's
// loader and the module's LoadFigCtrl) refuse quickly and write nothing.

#include <sqlite3.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "FigureTestSupport.h"
#include "HostFixture.h"
#include "mobrdata/FileZq.h"
#include "store/FigureFile.h"

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
