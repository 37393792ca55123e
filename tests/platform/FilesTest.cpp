#include <dirent.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "platform/Files.h"

namespace files = mobr::files;

namespace {

std::vector<std::string> readdirOrder(const std::string& folder)
{
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* e = ::readdir(dir))
            names.emplace_back(e->d_name);
        ::closedir(dir);
    }
    return names;
}

}  // namespace

TEST(Files, FindsFilesByPrefixAndExtensionInFileSystemOrder)
{
    TempFolder folder;
    for (const char* name : {"b.FTU", "a.ftu", "ab.FTU", "c.FTUX", "d.ORG", "FTU", "x.FTU.bak"})
        writeBytes(folder.file(name), "x");
    ::mkdir(folder.file("dir.FTU").c_str(), 0755);

    std::vector<std::string> found;
    ASSERT_EQ(files::findFiles(folder.path(), "FTU", found), 0);
    std::vector<std::string> expected;
    for (const std::string& name : readdirOrder(folder.path()))
        if (name == "b.FTU" || name == "a.ftu" || name == "ab.FTU")
            expected.push_back(name);
    EXPECT_EQ(found, expected);

    ASSERT_EQ(files::findFiles(folder.path() + "A", "ftu", found), 0);
    EXPECT_EQ(found.size(), 2u);
    // A backslash pattern works as a slash one.
    ASSERT_EQ(files::findFiles(folder.path() + "*.ORG", found), 0);
    EXPECT_EQ(found, std::vector<std::string>{"d.ORG"});

    EXPECT_EQ(files::findFiles(folder.file("missing/"), "FTU", found), ENOENT);
    EXPECT_TRUE(found.empty());
    EXPECT_EQ(files::findFiles(std::string(600, 'a'), "FTU", found), ENAMETOOLONG);
}

TEST(Files, ChecksDeletesAndResolvesNamesWithoutCase)
{
    TempFolder folder;
    writeBytes(folder.file("mobrstd.ini"), "x");
    EXPECT_TRUE(files::fileExists(folder.file("mobrstd.ini")));
    EXPECT_TRUE(files::fileExists(folder.file("MOBRSTD.INI")));
    EXPECT_FALSE(files::fileExists(folder.path()));
    EXPECT_TRUE(files::folderExists(folder.path()));
    EXPECT_EQ(files::resolveFileNameNoCase(folder.path(), "MobrStd.Ini"), folder.file("mobrstd.ini"));
    EXPECT_EQ(files::resolveFileNameNoCase(folder.path(), "new.ini"), folder.file("new.ini"));

    writeBytes(folder.file("MOBRSTD.INI"), "y");  // an exact match comes first
    EXPECT_EQ(files::resolveFileNameNoCase(folder.path(), "MOBRSTD.INI"), folder.file("MOBRSTD.INI"));

    EXPECT_EQ(files::deleteFile(folder.file("MOBRSTD.INI")), 0);
    EXPECT_EQ(files::deleteFile(folder.file("MOBRSTD.INI")), 0);  // now the lower-case one
    EXPECT_EQ(files::deleteFile(folder.file("MOBRSTD.INI")), ENOENT);
    EXPECT_EQ(files::deleteFile(folder.path() + std::string(530, 'x')), ENAMETOOLONG);
}

TEST(Files, CopiesWholeFilesAndReportsFailures)
{
    TempFolder folder;
    std::string content;
    for (int i = 0; i < 5000; ++i)
        content.push_back(char(i * 7));
    writeBytes(folder.file("src.fig"), content);
    writeBytes(folder.file("dst.fig"), "old target");
    EXPECT_EQ(files::copyFile(folder.file("src.fig"), folder.file("dst.fig")), 0);
    EXPECT_EQ(readBytes(folder.file("dst.fig")), content);
    EXPECT_EQ(files::copyFile(folder.file("src.fig"), folder.file("new.fig")), 0);
    EXPECT_EQ(readBytes(folder.file("new.fig")), content);

    // A missing source leaves the target as it was.
    EXPECT_EQ(files::copyFile(folder.file("none.fig"), folder.file("dst.fig")), ENOENT);
    EXPECT_EQ(readBytes(folder.file("dst.fig")), content);
    try {
        files::copyFileOrThrow(folder.file("none.fig"), folder.file("dst.fig"));
        ADD_FAILURE() << "no FileError";
    } catch (const mobr::FileError& e) {
        EXPECT_EQ(e.code(), ENOENT);
        EXPECT_EQ(e.operation(), "open");
        EXPECT_EQ(e.path(), folder.file("none.fig"));
    }
    try {
        files::copyFileOrThrow(folder.file("src.fig"), folder.file("no/dst.fig"));
        ADD_FAILURE() << "no FileError";
    } catch (const mobr::FileError& e) {
        EXPECT_EQ(e.operation(), "create");
    }
}

TEST(Files, HandsOutFolderTextsWithASeparator)
{
    const std::string temp = files::tempDirectory();
    ASSERT_FALSE(temp.empty());
    EXPECT_EQ(temp.back(), '/');
    EXPECT_EQ(files::currentDirectory().back(), '/');

    char buffer[520];
    const uint32_t n = GetTempPathA(sizeof buffer, buffer);
    EXPECT_EQ(std::string(buffer, n), temp);
    char small[2] = {'X', 'X'};
    EXPECT_EQ(GetTempPathA(sizeof small, small), temp.size() + 1);
    EXPECT_EQ(small[0], 'X');
    EXPECT_EQ(GetCurrentDirectoryA(sizeof buffer, buffer), files::currentDirectory().size());

    EXPECT_EQ(files::nativePath("C:\\a\\\x95\x5C\\b.ini"), "/a/\x95\x5C/b.ini");
    int error = 0;
    EXPECT_EQ(files::nativePath(std::string(520, 'a'), &error), "");
    EXPECT_EQ(error, ENAMETOOLONG);
    EXPECT_EQ(files::nativePath(std::string(519, 'a'), &error).size(), 519u);
}
