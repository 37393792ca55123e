#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "platform/PrivateProfile.h"

namespace {

class ProfileWrite : public ::testing::Test {
protected:
    int write(const char* section, const char* key, const char* value)
    {
        return WritePrivateProfileStringA(section, key, value, file.c_str());
    }
    std::string get(const char* section, const char* key)
    {
        char buffer[64];
        GetPrivateProfileStringA(section, key, "<none>", buffer, sizeof buffer, file.c_str());
        return buffer;
    }

    TempFolder folder;
    std::string file = folder.file("write.ini");
};

}  // namespace

TEST_F(ProfileWrite, CreatesAFileWithCrLf)
{
    EXPECT_EQ(write(" Sec ", " Key ", " value "), 1);
    EXPECT_EQ(write("Sec", "empty", ""), 1);
    EXPECT_EQ(write("Next", "k", "v"), 1);
    EXPECT_EQ(readBytes(file), "[Sec]\r\nKey= value \r\nempty=\r\n[Next]\r\nk=v\r\n");
    EXPECT_EQ(get("sec", "key"), "value");
    // A section read as missing just before is there once written.
    EXPECT_EQ(get("Late", "k"), "<none>");
    EXPECT_EQ(write("Late", "k", "here"), 1);
    EXPECT_EQ(get("Late", "k"), "here");
    EXPECT_EQ(write("Late", nullptr, nullptr), 1);
    EXPECT_EQ(get("Late", "k"), "<none>");
}

TEST_F(ProfileWrite, KeepsEveryByteItDoesNotTouch)
{
    const std::string original =
        "; settings\r\n"
        "[Main]\r\n"
        "  Width = 10 ; not a comment\r\n"
        "junk line\r\n"
        "\r\n"
        "; about Other\r\n"
        "[Other]\r\n"
        "x=\x82\xA0\r\n";
    writeBytes(file, original);
    EXPECT_EQ(write("MAIN", "WIDTH", "20"), 1);
    EXPECT_EQ(write("main", "Height", "5"), 1);
    EXPECT_EQ(write("New", "a", "b"), 1);
    EXPECT_EQ(readBytes(file),
              "; settings\r\n"
              "[Main]\r\n"
              "  Width = 20\r\n"
              "Height=5\r\n"
              "junk line\r\n"
              "\r\n"
              "; about Other\r\n"
              "[Other]\r\n"
              "x=\x82\xA0\r\n"
              "[New]\r\n"
              "a=b\r\n");
}

TEST_F(ProfileWrite, WritesLinesTheWayTheFileEndsThem)
{
    writeBytes(file, "[a]\nx=1\n\n[b]\ny=2");  // LF, no final line end
    EXPECT_EQ(write("a", "z", "3"), 1);
    EXPECT_EQ(write("b", "w", "4"), 1);
    EXPECT_EQ(readBytes(file), "[a]\nx=1\nz=3\n\n[b]\ny=2\nw=4\n");

    writeBytes(file, "[a]\rx=1");  // CR only
    EXPECT_EQ(write("c", "k", "v"), 1);
    EXPECT_EQ(readBytes(file), "[a]\rx=1\r[c]\rk=v\r");

    writeBytes(file, "[empty]");
    EXPECT_EQ(write("empty", "k", "v"), 1);
    EXPECT_EQ(readBytes(file), "[empty]\r\nk=v\r\n");
}

TEST_F(ProfileWrite, DeletesKeysAndSections)
{
    writeBytes(file, "[a]\r\nk=1\r\nK=dup\r\nm=2\r\n[b]\r\nx=1\r\n[A]\r\nk=3\r\n");
    EXPECT_EQ(write("a", "k", nullptr), 1);
    EXPECT_EQ(readBytes(file), "[a]\r\nm=2\r\n[b]\r\nx=1\r\n[A]\r\nk=3\r\n");
    EXPECT_EQ(write("A", nullptr, nullptr), 1);  // every section of the name
    EXPECT_EQ(readBytes(file), "[b]\r\nx=1\r\n");

    const ino_t before = inodeOf(file);
    EXPECT_EQ(write("b", "missing", nullptr), 1);
    EXPECT_EQ(write("missing", nullptr, nullptr), 1);
    EXPECT_EQ(write("b", "x", "1"), 1);  // same value
    EXPECT_EQ(inodeOf(file), before);
    EXPECT_EQ(readBytes(file), "[b]\r\nx=1\r\n");

    const std::string absent = folder.file("absent.ini");
    EXPECT_EQ(WritePrivateProfileStringA("s", "k", nullptr, absent.c_str()), 1);
    EXPECT_EQ(::access(absent.c_str(), F_OK), -1);
}

TEST_F(ProfileWrite, RefusesWritesThatCannotBeDone)
{
    const std::string original = "[s]\r\nk=v\r\n";
    writeBytes(file, original);
    EXPECT_EQ(write("s", "a=b", "1"), 0);
    EXPECT_EQ(write("s", "a\nb", "1"), 0);
    EXPECT_EQ(write("s\r", "a", "1"), 0);
    EXPECT_EQ(write("s]x", "a", "1"), 0);
    EXPECT_EQ(write("s", ";a", "1"), 0);
    EXPECT_EQ(write("s", "k", "two\r\nlines"), 0);
    EXPECT_EQ(write("s\x82", "a", "1"), 0);  // broken double-byte character
    EXPECT_EQ(write(nullptr, "a", "1"), 0);
    EXPECT_EQ(readBytes(file), original);

    EXPECT_EQ(WritePrivateProfileStringA("s", "k", "v", folder.file("no/such.ini").c_str()), 0);
    const std::string longPath = folder.path() + std::string(520, 'p');
    EXPECT_EQ(WritePrivateProfileStringA("s", "k", "v", longPath.c_str()), 0);

    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    EXPECT_EQ(write("s", "k", "new"), 0);
    EXPECT_EQ(readBytes(file), original);
    EXPECT_EQ(get("s", "k"), "v");

    // Nothing but the file itself is ever left in the folder.
    std::vector<std::string> entries;
    for (const auto& e : std::filesystem::directory_iterator(folder.path()))
        entries.push_back(e.path().filename().string());
    EXPECT_EQ(entries, std::vector<std::string>{"write.ini"});
}

TEST_F(ProfileWrite, KeepsTheFileModeAndSeesItsOwnWrites)
{
    writeBytes(file, "[s]\nk=1\n");
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    EXPECT_EQ(get("s", "k"), "1");
    EXPECT_EQ(write("s", "k", "2"), 1);
    EXPECT_EQ(get("s", "k"), "2");
    struct stat st;
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(ProfileWrite, WritesABatchInOneReplace)
{
    writeBytes(file, "[keep]\r\nx=1\r\n");
    mobr::ProfileBatch batch(file);
    batch.write("list", "Ref001", "a");
    batch.write("list", "Ref002", "b");
    batch.write("keep", nullptr, nullptr);
    EXPECT_EQ(readBytes(file), "[keep]\r\nx=1\r\n");  // nothing before commit
    EXPECT_EQ(batch.commit(), 1);
    EXPECT_EQ(readBytes(file), "[list]\r\nRef001=a\r\nRef002=b\r\n");

    batch.write("list", "Ref003", "c");
    batch.write("list", "bad=key", "d");
    EXPECT_EQ(batch.commit(), 0);
    EXPECT_EQ(readBytes(file), "[list]\r\nRef001=a\r\nRef002=b\r\n");
    EXPECT_EQ(batch.size(), 0u);
}

TEST_F(ProfileWrite, UsesAFileThatDiffersOnlyInCase)
{
    const std::string actual = folder.file("mobrstd.ini");
    writeBytes(actual, "[s]\r\nk=lower\r\n");
    const std::string wanted = folder.file("MOBRSTD.INI");
    char buffer[16];
    GetPrivateProfileStringA("s", "k", "", buffer, sizeof buffer, wanted.c_str());
    EXPECT_STREQ(buffer, "lower");
    EXPECT_EQ(WritePrivateProfileStringA("s", "k", "upper", wanted.c_str()), 1);
    EXPECT_EQ(readBytes(actual), "[s]\r\nk=upper\r\n");
    EXPECT_EQ(::access(wanted.c_str(), F_OK), -1);
}

TEST_F(ProfileWrite, AppendsToHugeAndBinaryFilesSafely)
{
    const std::string huge = std::string("[s]\nk=") + std::string(10 << 20, '\0') + "\n";
    writeBytes(file, huge);
    EXPECT_EQ(write("s", "n", "1"), 1);
    EXPECT_EQ(readBytes(file), huge + "n=1\n");
    EXPECT_EQ(get("s", "n"), "1");
}
