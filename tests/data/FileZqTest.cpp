#include <sqlite3.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "mobrdata/FigureFileFormat.h"
#include "mobrdata/FileZq.h"

namespace {

constexpr uint32_t kUntouched = 0xDEADBEEFu;

// Writes a figure file the way a writer of the format does; `fill` rows of
// padding make it span many pages.
void writeFigure(const std::string& path, long long control, int appId = figfile::kApplicationId,
                 int version = figfile::kFormatVersion, int fill = 0, const char* valueSql = nullptr) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    auto exec = [&](const std::string& sql) {
        char* err = nullptr;
        ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err), SQLITE_OK) << (err ? err : "") << sql;
    };
    exec("PRAGMA page_size=1024");
    exec("PRAGMA application_id=" + std::to_string(appId));
    exec("PRAGMA user_version=" + std::to_string(version));
    exec(figfile::kCreateMetaSql);
    exec(std::string("INSERT INTO figure_meta VALUES('control', ") +
         (valueSql ? std::string(valueSql) : std::to_string(control)) + ")");
    exec("INSERT INTO figure_meta VALUES('name', 'sample')");
    if (fill > 0) {
        exec("CREATE TABLE padding(data BLOB)");
        exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<" + std::to_string(fill) +
             ") INSERT INTO padding SELECT randomblob(600) FROM n");
    }
    sqlite3_close(db);
}

QByteArray readAll(const std::string& path) {
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const std::string& path, const QByteArray& bytes) {
    QFile f(QString::fromStdString(path));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

class LoadFigCtrlTest : public ::testing::Test {
protected:
    std::string file(const char* name) const { return QDir(dir.path()).filePath(name).toStdString(); }
    QTemporaryDir dir;
};

TEST_F(LoadFigCtrlTest, ReadsTheControlWordOfARealFile) {
    const std::string path = file("plan.fig");
    writeFigure(path, 0x80000001LL, figfile::kApplicationId, figfile::kFormatVersion, 50);
    const QByteArray before = readAll(path);
    uint32_t control = 1;  // callers hand in 1
    EXPECT_NE(aCFileZq::LoadFigCtrl(path.c_str(), &control), 0);
    EXPECT_EQ(control, 0x80000001u);
    EXPECT_EQ(readAll(path), before) << "reading never changes the file";
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path + "-journal")));

    writeFigure(file("max.fig"), 4294967295LL);
    EXPECT_NE(aCFileZq::LoadFigCtrl(file("max.fig").c_str(), &control), 0);
    EXPECT_EQ(control, 0xFFFFFFFFu);
}

TEST_F(LoadFigCtrlTest, HostPathsFindTheFileWhateverTheCase) {
    writeFigure(file("Plan.FIG"), 7);
    uint32_t control = kUntouched;
    const std::string other = file("plan.fig");
    EXPECT_NE(aCFileZq::LoadFigCtrl(other.c_str(), &control), 0);
    EXPECT_EQ(control, 7u);
}

TEST_F(LoadFigCtrlTest, RefusesFilesThatAreNotFigureFiles) {
    {
        std::ofstream text(file("notes.txt"));
        text << "This is a text file, not a figure.\n";
    }
    writeAll(file("empty.fig"), QByteArray());
    writeFigure(file("otherapp.fig"), 5, 0x12345678);
    writeFigure(file("unfinished.fig"), 5, figfile::kApplicationId, 0);
    writeFigure(file("texty.fig"), 0, figfile::kApplicationId, figfile::kFormatVersion, 0, "'12'");
    writeFigure(file("negative.fig"), -1);
    writeFigure(file("wide.fig"), 4294967296LL);
    {
        // A figure file without a control row.
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(file("nocontrol.fig").c_str(), &db), SQLITE_OK);
        sqlite3_exec(db, "PRAGMA application_id=1297039942; PRAGMA user_version=1;", nullptr, nullptr, nullptr);
        sqlite3_exec(db, figfile::kCreateMetaSql, nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    for (const char* name : {"notes.txt", "empty.fig", "otherapp.fig", "unfinished.fig", "texty.fig",
                             "negative.fig", "wide.fig", "nocontrol.fig", "missing.fig"}) {
        uint32_t control = kUntouched;
        EXPECT_EQ(aCFileZq::LoadFigCtrl(file(name).c_str(), &control), 0) << name;
        EXPECT_EQ(control, kUntouched) << name;
    }
    uint32_t control = kUntouched;
    EXPECT_EQ(aCFileZq::LoadFigCtrl(nullptr, &control), 0);
    EXPECT_EQ(aCFileZq::LoadFigCtrl("", &control), 0);
    EXPECT_EQ(aCFileZq::LoadFigCtrl(file("notes.txt").c_str(), nullptr), 0);
    EXPECT_EQ(control, kUntouched);
}

TEST_F(LoadFigCtrlTest, RefusesANewerFormatVersion) {
    writeFigure(file("future.fig"), 3, figfile::kApplicationId, figfile::kFormatVersion + 1);
    uint32_t control = kUntouched;
    EXPECT_EQ(aCFileZq::LoadFigCtrl(file("future.fig").c_str(), &control), 0);
    EXPECT_EQ(control, kUntouched);
}

TEST_F(LoadFigCtrlTest, RefusesTruncatedAndDamagedFiles) {
    const std::string whole = file("whole.fig");
    writeFigure(whole, 9, figfile::kApplicationId, figfile::kFormatVersion, 200);
    const QByteArray bytes = readAll(whole);
    ASSERT_GT(bytes.size(), 100 * 1024);
    uint32_t control = kUntouched;
    ASSERT_NE(aCFileZq::LoadFigCtrl(whole.c_str(), &control), 0) << "the intact file reads";

    // Cut on a page boundary (the size alone looks plausible) and off one.
    writeAll(file("cut.fig"), bytes.left(bytes.size() / 2 / 1024 * 1024));
    writeAll(file("cutodd.fig"), bytes.left(bytes.size() / 2 + 17));
    writeAll(file("header.fig"), bytes.left(60));
    // Overwrite pages in the middle of the padding table.
    QByteArray damaged = bytes;
    for (int i = 40 * 1024; i < 44 * 1024; ++i) damaged[i] = static_cast<char>(0xA5);
    writeAll(file("damaged.fig"), damaged);

    for (const char* name : {"cut.fig", "cutodd.fig", "header.fig", "damaged.fig"}) {
        control = kUntouched;
        EXPECT_EQ(aCFileZq::LoadFigCtrl(file(name).c_str(), &control), 0) << name;
        EXPECT_EQ(control, kUntouched) << name;
    }
}

}  // namespace
