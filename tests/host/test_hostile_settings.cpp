// Settings files made to hurt: numbers that are not numbers or
// outside their range, template names and folders that lead elsewhere. Each
// file is refused whole with a message naming the file and the key.

#include <filesystem>
#include <fstream>

#include "HostFixture.h"
#include "frame/HostApi.h"
#include "model/HostSession.h"
#include "store/SettingsJson.h"
#include "store/SystemFile.h"

namespace {

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string settingsJson()
{
    return mobrhost::SettingsJson::exportSettings(mobrhost::HostSession::instance().settings());
}

}  // namespace

class HostileSettingsTest : public HostFixture {};

// 10. NaN, infinity, fractions where the host keeps integers and values
// outside a setter's range are refused; nothing is taken from the file.
TEST_F(HostileSettingsTest, NumbersAreFiniteAndInRangeOrTheFileIsRefused)
{
    const struct {
        const char* lines;
        const char* key;
    } cases[] = {
        {"[Values]\r\nApproxArcTol=nan\r\n", "ApproxArcTol"},
        {"[Values]\r\nExtDist=inf\r\n", "ExtDist"},
        {"[Values]\r\nSktGrid1=-infinity\r\n", "SktGrid1"},
        {"[Values]\r\nApproxArcTol=-1\r\n", "ApproxArcTol"},
        {"[Values]\r\nDimVaryLay=1.5\r\n", "DimVaryLay"},
        {"[Values]\r\nPointType=9\r\n", "PointType"},
        {"[Values]\r\nSomeFutureKey=1e300\r\n", "SomeFutureKey"},
        {"[ComNum]\r\nRefCount=nan\r\n", "RefCount"},
        {"[ComNum]\r\nRefCount=2.5\r\n", "RefCount"},
    };
    for (const auto& c : cases) {
        const std::string path = tempPath("HOSTILE.INI");
        writeFile(path, std::string("[UserOption]\r\nFormat=MOBR options 1\r\n") + c.lines);
        const std::string before = settingsJson();
        EXPECT_EQ(hostapi::aatLoadIniFile(1, path.c_str()), -1) << c.lines;
        EXPECT_EQ(settingsJson(), before) << c.lines;
        const std::string message = mobrhost::HostSession::instance().lastMessage();
        EXPECT_NE(message.find("HOSTILE.INI"), std::string::npos) << message;
        EXPECT_NE(message.find(c.key), std::string::npos) << c.lines << " -> " << message;
        EXPECT_EQ(hostapi::aatUserTemplateCheck(path.c_str()), 0) << c.lines;
    }
    const std::string sys = tempPath("NAN.SYS");
    writeFile(sys, "[File]\r\nTemplateFolderCount=nan\r\n[Whole]\r\nUserTemp=A.INI\r\n");
    EXPECT_EQ(hostapi::aatLoadIniFile(0, sys.c_str()), -1);
    EXPECT_NE(mobrhost::HostSession::instance().lastMessage().find("TemplateFolderCount"), std::string::npos);
}

// 12. A template name is a file name; a template folder below the system
// folder stays below it, and an absolute one must be a folder.
TEST_F(HostileSettingsTest, TemplateNamesAndFoldersNeverLeadElsewhere)
{
    const struct {
        const char* text;
        const char* key;
    } cases[] = {
        {"[File]\r\n[Whole]\r\nUserTemp=../../../etc/passwd\r\n", "UserTemp"},
        {"[File]\r\n[Whole]\r\nUserTemp=/etc/passwd\r\n", "UserTemp"},
        {"[File]\r\n[Whole]\r\nUserTemp=..\\..\\x.INI\r\n", "UserTemp"},
        {"[File]\r\nTemplateFolderCount=1\r\nTemplateFolderDir1=../../../etc/\r\n[Whole]\r\nUserTemp=A.INI\r\n",
         "TemplateFolderDir1"},
        {"[File]\r\nTemplateFolderCount=1\r\nTemplateFolderDir1=template\\..\\..\\\r\n[Whole]\r\nUserTemp=A.INI\r\n",
         "TemplateFolderDir1"},
        {"[File]\r\nTemplateFolderCount=1\r\nTemplateFolderDir1=/no/such/folder/\r\n[Whole]\r\nUserTemp=A.INI\r\n",
         "TemplateFolderDir1"},
    };
    for (const auto& c : cases) {
        const std::string sys = tempPath("HOSTILE.SYS");
        writeFile(sys, c.text);
        const std::string before = settingsJson();
        EXPECT_EQ(hostapi::aatLoadIniFile(0, sys.c_str()), -1) << c.text;
        EXPECT_EQ(settingsJson(), before) << c.text;
        EXPECT_NE(mobrhost::HostSession::instance().lastMessage().find(c.key), std::string::npos)
            << c.text << " -> " << mobrhost::HostSession::instance().lastMessage();
    }
    // An absolute folder the user made is theirs to use.
    const std::string own = tempPath("own-templates");
    std::filesystem::create_directories(own);
    const std::string sys = tempPath("OWN.SYS");
    writeFile(sys, "[File]\r\nTemplateFolderCount=1\r\nTemplateFolderDir1=" + own + "/\r\n[Whole]\r\nUserTemp=A.INI\r\n");
    EXPECT_EQ(hostapi::aatLoadIniFile(0, sys.c_str()), 0) << mobrhost::HostSession::instance().lastMessage();

    // Names from callers: a path is not a template name.
    EXPECT_FALSE(mobrhost::SystemFile::isTemplateName("../../../etc/passwd"));
    EXPECT_FALSE(mobrhost::SystemFile::isTemplateName(".."));
    EXPECT_TRUE(mobrhost::SystemFile::isTemplateName("\x83\x5c.INI")) << "a 0x5C trail byte is part of its character";
    EXPECT_EQ(hostapi::aatSysSetUserTemplete("../x.INI"), -1);
    char dir[520];
    EXPECT_EQ(hostapi::aatSysFindUtmpFile("../MOBR.SYS", dir), 0) << "no file outside the template folders is found";
}
