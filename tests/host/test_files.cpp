// Settings files: the system folder and its default files, option files
// saved and loaded, the system settings file, the user-template check,
// damaged files, folder lists, JSON export and import.

#include <QFile>
#include <cstring>
#include <fstream>
#include <sstream>

#include <nlohmann/json.hpp>

#include "HostFixture.h"
#include "frame/HostApi.h"
#include "model/HostSession.h"
#include "platform/PrivateProfile.h"
#include "store/SettingsJson.h"

namespace {

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string profile(const std::string& file, const char* section, const char* key)
{
    char buffer[600];
    GetPrivateProfileStringA(section, key, "<none>", buffer, sizeof buffer, file.c_str());
    return buffer;
}

std::string crpath()
{
    char buffer[520];
    return hostapi::aatFilCrpath(buffer, sizeof buffer) ? buffer : std::string();
}

}  // namespace

class FilesTest : public HostFixture {};

TEST_F(FilesTest, FreshSystemFolderHoldsTheDefaultFilesAndFolderTextsEndWithSeparator)
{
    const std::string folder = crpath();
    EXPECT_EQ(folder + "/", systemFolder());
    for (const char* name : {"MOBR.SYS", "MOBRSTD.INI", "MOBRDFLT.INI", "MOBRINI.SYS"}) {
        EXPECT_TRUE(QFile::exists(QString::fromStdString(folder + "/" + name))) << name;
    }
    char small[8];
    EXPECT_EQ(hostapi::aatFilCrpath(small, sizeof small), nullptr);   // never cut

    void* list = hostapi::aatSysGetUserTempDrive();
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(hostapi::aatDrvGetCount(list), 2);
    for (int n = 1; n <= 2; ++n) {
        char dir[520];
        ASSERT_EQ(hostapi::aatDrvGetDirectory(list, n, dir), 1);
        EXPECT_EQ(dir[std::strlen(dir) - 1], '/');
        EXPECT_EQ(std::string(dir).rfind(systemFolder(), 0), 0u);
    }
    char dir[520];
    EXPECT_EQ(hostapi::aatDrvGetDirectory(list, 3, dir), 0);
    EXPECT_EQ(hostapi::aatDrvGetDirectory(&dir, 1, dir), 0);
    for (void* other : {hostapi::aatSysGetWorkDrive(), hostapi::aatSysGetFigTempDrive()}) {
        ASSERT_NE(other, nullptr);
        ASSERT_EQ(hostapi::aatDrvGetDirectory(other, 1, dir), 1);
        EXPECT_EQ(dir[std::strlen(dir) - 1], '/');
    }
    char name[520];
    EXPECT_EQ(hostapi::aatDrvGetName(list, 2, name), 0);
    EXPECT_STREQ(name, "Work");

    // The work folder of the defaults holds a work option set.
    hostapi::aatDrvGetDirectory(list, 2, dir);
    EXPECT_EQ(hostapi::aatUserTemplateCheck((std::string(dir) + "WHITE.FTU").c_str()), 1);
}

TEST_F(FilesTest, OptionFileRoundTripRestoresEveryChangedValue)
{
    const std::string file = tempPath("opt.INI");
    ASSERT_EQ(hostapi::aatSaveIniFile(1, file.c_str()), 0);
    const std::string before = mobrhost::SettingsJson::exportSettings(mobrhost::HostSession::instance().settings());

    // Change one value of every kind.
    short delconf = 0;
    hostapi::aatSysInfDelconf(119, &delconf);
    double r1 = 3, r2 = 4, r3 = 5;
    hostapi::aatSysInfVratio(119, &r1, &r2, &r3);
    hostapi::aatSysSetSktColor(1, 9, 9, 9);
    hostapi::aatSysColSetRGB(hostapi::aatSysGetColInfo(), 2, 0, 0, 0);
    hostapi::aatComNumSetPara("PI", 3);
    hostapi::aatAtrPntMode_SetSort("A");
    hostapi::aasSchBaseTableInit();
    hostapi::aasSchTableCreate();
    unsigned char input[16] = {'Z'};
    hostapi::aasPModeInpTableAllSet(0, input);
    ASSERT_NE(mobrhost::SettingsJson::exportSettings(mobrhost::HostSession::instance().settings()), before);

    ASSERT_EQ(hostapi::aatLoadIniFile(1, file.c_str()), 0);
    EXPECT_EQ(mobrhost::SettingsJson::exportSettings(mobrhost::HostSession::instance().settings()), before);

    // The background colour in the form a work set is read in.
    EXPECT_EQ(profile(file, "SysAtrib", "SysCol2"), "COL2 255 255 255");
    // A loaded option file never moves the current template or folder.
    EXPECT_EQ(profile(file, "Values", "UserTempCurDir"), "<none>");
}

TEST_F(FilesTest, SystemFileKeepsTheStartUpRecordAndFolders)
{
    hostapi::aatSysSetUserTempCurDir(2);
    hostapi::aatSysSetUserTemplete("MINE.INI");
    hostapi::aapLFigRName(3, "/a/b.fig");
    const std::string sys = crpath() + "/MOBR.SYS";
    ASSERT_EQ(hostapi::aatSaveIniFile(0, sys.c_str()), 0);
    EXPECT_EQ(profile(sys, "File", "UserTempCurDir"), "2");
    EXPECT_EQ(profile(sys, "Whole", "UserTemp"), "MINE.INI");
    EXPECT_EQ(profile(sys, "File", "TemplateFolderDir1"), "template/");   // relative to the system folder

    hostapi::aatSysSetUserTempCurDir(1);
    hostapi::aatSysSetUserTemplete("OTHER.INI");
    ASSERT_EQ(hostapi::aatLoadIniFile(0, sys.c_str()), 0);
    EXPECT_EQ(hostapi::aatSysGetUserTempCurDir(), 2);
    char file[520];
    hostapi::aatSysGetUserTemplete(file);
    EXPECT_STREQ(file, "MINE.INI");
    std::array<unsigned char, 1024> status{};
    hostapi::aatSysStsFile(114, 3, status.data());
    EXPECT_STREQ(reinterpret_cast<const char*>(status.data() + 768), "/a/b.fig");
}

TEST_F(FilesTest, TemplateCheckTellsOptionFilesFromTextAndDamagedFiles)
{
    const std::string good = tempPath("GOOD.INI");
    ASSERT_EQ(hostapi::aatSaveIniFile(1, good.c_str()), 0);
    EXPECT_EQ(hostapi::aatUserTemplateCheck(good.c_str()), 1);

    const std::string text = tempPath("TEXT.INI");
    writeFile(text, "Just some notes\r\nabout nothing\r\n[Section]\r\nkey=value\r\n");
    EXPECT_EQ(hostapi::aatUserTemplateCheck(text.c_str()), 0);

    const std::string damaged = tempPath("DAMAGED.INI");
    std::string bytes = readFile(good);
    const auto at = bytes.find("aatSysInfFlags=");
    ASSERT_NE(at, std::string::npos);
    bytes.replace(at + 15, 4, "ZZZZ");
    writeFile(damaged, bytes);
    EXPECT_EQ(hostapi::aatUserTemplateCheck(damaged.c_str()), 0);
    // A file checked before is checked again once it changed, either way.
    writeFile(good, bytes + "\r\n");
    EXPECT_EQ(hostapi::aatUserTemplateCheck(good.c_str()), 0);
    writeFile(damaged, readFile(text) + readFile(tempPath("GOOD.INI")));
    ASSERT_EQ(hostapi::aatSaveIniFile(1, damaged.c_str()), 0);
    EXPECT_EQ(hostapi::aatUserTemplateCheck(damaged.c_str()), 1);
    EXPECT_EQ(hostapi::aatUserTemplateCheck(tempPath("MISSING.INI").c_str()), 0);
    EXPECT_EQ(hostapi::aatUserTemplateCheck(nullptr), 0);
}

TEST_F(FilesTest, DamagedFilesAreRefusedWithTheirNameAndNothingIsLost)
{
    const std::string damaged = tempPath("DAMAGED.INI");
    ASSERT_EQ(hostapi::aatSaveIniFile(1, damaged.c_str()), 0);
    std::string bytes = readFile(damaged);
    bytes.replace(bytes.find("SysCol5="), 8, "SysCol5=COL5 1 2\r\nX=");
    writeFile(damaged, bytes);

    hostapi::aatSysSetSktLimitDots(77);
    const std::string before = mobrhost::SettingsJson::exportSettings(mobrhost::HostSession::instance().settings());
    EXPECT_EQ(hostapi::aatLoadIniFile(1, damaged.c_str()), -1);
    EXPECT_EQ(mobrhost::SettingsJson::exportSettings(mobrhost::HostSession::instance().settings()), before);
    EXPECT_EQ(readFile(damaged), bytes);
    const std::string message = mobrhost::HostSession::instance().lastMessage();
    EXPECT_NE(message.find("DAMAGED.INI"), std::string::npos) << message;
    EXPECT_NE(message.find("SysCol5"), std::string::npos) << message;
    EXPECT_EQ(mobrhost::journalEntries("message").size(), 1u);

    const std::string sys = tempPath("BROKEN.SYS");
    writeFile(sys, "[File]\r\nTemplateFolderCount=many\r\n[Whole]\r\nUserTemp=A.INI\r\n");
    EXPECT_EQ(hostapi::aatLoadIniFile(0, sys.c_str()), -1);
    EXPECT_NE(mobrhost::HostSession::instance().lastMessage().find("TemplateFolderCount"), std::string::npos);
    EXPECT_EQ(hostapi::aatLoadIniFile(0, tempPath("NONE.SYS").c_str()), -1);
    EXPECT_EQ(hostapi::aatLoadIniFile(2, damaged.c_str()), -1);
}

TEST_F(FilesTest, CurrentTemplateLoadsFromItsFolderAndWarnsWhenItCannot)
{
    // A template in folder 2 with a changed value.
    void* list = hostapi::aatSysGetUserTempDrive();
    char dir[520];
    hostapi::aatDrvGetDirectory(list, 2, dir);
    hostapi::aatSysSetSktLimitDots(42);
    const std::string path = std::string(dir) + "MINE.INI";
    ASSERT_EQ(hostapi::aatSaveIniFile(1, path.c_str()), 0);
    hostapi::aatSysSetSktLimitDots(5);

    hostapi::aatSysSetUserTemplete("mine.ini");   // found without regard to case
    hostapi::aatSysSetUserTempCurDir(2);
    EXPECT_EQ(hostapi::aagUserTemplateLoad(), 0);
    EXPECT_EQ(hostapi::aatSysGetSktLimitDots(), 42);
    char found[520];
    EXPECT_EQ(hostapi::aatSysFindUtmpFile("MINE.INI", found), 2);
    EXPECT_STREQ(found, dir);

    hostapi::aatSysSetUserTemplete("GONE.INI");
    hostapi::aagUserTempSetWarMsg(0);
    EXPECT_EQ(hostapi::aagUserTemplateLoad(), -1);
    EXPECT_TRUE(mobrhost::journalEntries("warning").empty());
    hostapi::aagUserTempSetWarMsg(1);
    EXPECT_EQ(hostapi::aagUserTemplateLoad(), -1);
    EXPECT_EQ(mobrhost::journalEntries("warning").size(), 1u);
    EXPECT_EQ(hostapi::aatSysFindUtmpFile("GONE.INI", found), 0);
}

TEST_F(FilesTest, SystemFileNamesExtensionsAndTemplateMenu)
{
    char name[520];
    ASSERT_EQ(hostapi::aapGetSysFileName(1, name), 0);
    EXPECT_STREQ(name, "MOBRSTD.INI");
    ASSERT_EQ(hostapi::aapGetSysFileName(3, name), 0);
    EXPECT_STREQ(name, "MOBRDFLT.INI");
    EXPECT_EQ(hostapi::aapGetSysFileName(99, name), -1);
    char ext[64];
    ASSERT_EQ(hostapi::aapGetSysFileExt(2, ext), 0);
    EXPECT_STREQ(ext, "INI");

    const std::string path = tempPath("T.INI");
    EXPECT_EQ(hostapi::aatNewUserTemplateMenuSection(path.c_str()), 0);
    EXPECT_EQ(hostapi::aatNewUserTemplateMenuSection(path.c_str()), 0);
    EXPECT_EQ(mobrhost::HostSession::instance().settings().templateMenu().size(), 1u);
    EXPECT_EQ(hostapi::aatRemoveUserTemplateMenuSection(path.c_str(), 1), 0);
    EXPECT_EQ(hostapi::aatRemoveUserTemplateMenuSection(path.c_str(), 1), -1);

    char login[520];
    ASSERT_EQ(hostapi::aatGetLoginUserTemplete(login), 0);
    EXPECT_EQ(std::string(login), systemFolder() + "template/USER.INI");
}

TEST_F(FilesTest, JsonImportTakesEverythingOrNothing)
{
    auto& settings = mobrhost::HostSession::instance().settings();
    hostapi::aatSysSetExtDist(12.5);
    hostapi::aapLFigRName(0, "\x90\xd4.fig");
    const std::string json = mobrhost::SettingsJson::exportSettings(settings);
    const auto parsed = nlohmann::json::parse(json);
    EXPECT_EQ(parsed["system"]["blocks"]["aatSysInfDelconf"], "0100");
    EXPECT_EQ(parsed["system"]["numbers"]["ExtDist"], 12.5);
    EXPECT_EQ(parsed["system"]["recentFiles"][0], "\xe8\xb5\xa4.fig");

    mobrhost::SystemSettings fresh;
    std::string error;
    ASSERT_TRUE(mobrhost::SettingsJson::importSettings(fresh, json, &error)) << error;
    EXPECT_EQ(mobrhost::SettingsJson::exportSettings(fresh), json);

    auto bad = parsed;
    bad["system"]["numbers"]["ExtDist"] = 1.0;
    bad["system"]["blocks"]["aatSysInfMdgt"] = "01";   // one byte short
    EXPECT_FALSE(mobrhost::SettingsJson::importSettings(fresh, bad.dump(), &error));
    EXPECT_NE(error.find("aatSysInfMdgt"), std::string::npos);
    EXPECT_EQ(fresh.number("ExtDist"), 12.5);
}
