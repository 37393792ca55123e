// The work option set at start-up: when it is offered, what OK and Cancel
// copy over the standard system files, and the start-up menu flag.

#include <fstream>
#include <sstream>

#include "OptionsHarness.h"
#include "options/CWorkUserOptDlg.h"
#include "platform/PrivateProfile.h"

extern "C" int aapLSelWorkUserOpt(void);

namespace {

std::string bytesOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string profile(const std::string& file, const char* section, const char* key)
{
    char value[64] = {};
    GetPrivateProfileStringA(section, key, "", value, sizeof value, file.c_str());
    return value;
}

class WorkUserOpt : public OptionsHarness {
protected:
    void adjustStart(mobrhost::HostStart& start) override
    {
        start.bootState = boot_;
        start.commandStatus = status_;
    }
    int run(ZqUiScript script)
    {
        driver_ = std::make_unique<CZqUiDriver>(std::move(script));
        const int result = aapLSelWorkUserOpt();
        for (const auto& error : driver_->transcript().errors()) ADD_FAILURE() << error.message;
        return result;
    }
    std::string bootMenu() const { return profile(systemFolder() + "MOBRINI.SYS", "SYSINIT", "BOOTMENU"); }

    int boot_ = 1;
    int status_ = 0x01;
};

class WorkUserOptNotBooting : public WorkUserOpt {
protected:
    void SetUp() override
    {
        boot_ = 0;
        WorkUserOpt::SetUp();
    }
};

class WorkUserOptNotAsked : public WorkUserOpt {
protected:
    void SetUp() override
    {
        status_ = 0x20;
        WorkUserOpt::SetUp();
    }
};

TEST_F(WorkUserOptNotBooting, NothingIsShownAndTheFlagStays)
{
    EXPECT_EQ(run({}), 0);
    EXPECT_TRUE(transcript().dialogs().empty());
    EXPECT_EQ(bootMenu(), "1");
}

TEST_F(WorkUserOptNotAsked, NoDialogButTheFlagIsCleared)
{
    EXPECT_EQ(run({}), 0);
    EXPECT_TRUE(transcript().dialogs().empty());
    EXPECT_EQ(bootMenu(), "0");
}

TEST_F(WorkUserOpt, OkTakesTheChosenSetAndItsFilesAndSavesTheSystemFile)
{
    const std::string sys = systemFolder();
    ASSERT_NE(bytesOf(sys + "MOBRSTD.FIG"), bytesOf(sys + "mobrwhit.fig"));
    ZqUiScript script;
    script.inspect([](CZqWindow& dialog) {
        ASSERT_EQ(dialog.GetCount(CWorkUserOptDlg::kSets), 2);
        EXPECT_EQ(dialog.GetItemText(CWorkUserOptDlg::kSets, 0), "BLACK");
        EXPECT_EQ(dialog.GetCurSel(CWorkUserOptDlg::kSets), 0);
    });
    EXPECT_EQ(run(script.select(CWorkUserOptDlg::kSets, 1).ok()), 1);
    EXPECT_EQ(bytesOf(sys + "MOBRSTD.ORG"), bytesOf(sys + "work/WHITE.ORG"));
    EXPECT_EQ(bytesOf(sys + "MOBRSTD.FIG"), bytesOf(sys + "mobrwhit.fig"));
    EXPECT_EQ(profile(sys + "MOBR.SYS", "Whole", "UserTemp"), "WHITE.FTU");
    EXPECT_EQ(profile(sys + "MOBR.SYS", "File", "UserTempCurDir"), "2");
    EXPECT_EQ(bootMenu(), "0");
}

TEST_F(WorkUserOpt, CancelRestoresTheFactoryFilesAndAFailedCopyIsNamed)
{
    const std::string sys = systemFolder();
    std::remove((sys + "MOBRSTDO.FIG").c_str());
    const std::string figure = bytesOf(sys + "MOBRSTD.FIG");
    EXPECT_EQ(run(ZqUiScript().cancel()), 1);
    EXPECT_EQ(bytesOf(sys + "MOBRSTD.ORG"), bytesOf(sys + "MOBRSTDO.ORG"));
    EXPECT_EQ(bytesOf(sys + "MOBRSTD.FIG"), figure) << "a missing source leaves the target whole";
    EXPECT_EQ(messageIds(), std::vector<int>{7351});
    EXPECT_EQ(profile(sys + "MOBR.SYS", "Whole", "UserTemp"), "MOBRSTD.INI");
    EXPECT_EQ(bootMenu(), "0");
}

TEST(WorkSetColour, OnlyThreeNumbersFrom0To255AfterANameCount)
{
    QTemporaryDir dir;
    const std::string file = dir.filePath("set.FTU").toStdString();
    const struct {
        const char* value;
        uint32_t colour;
    } cases[] = {
        {"COL2 255 255 255", 0xFFFFFF}, {"COL2 1 2 3", 0x030201}, {"!COL2 255 255 255", 0},
        {"COL2 256 255 255", 0},        {"COL2 255 255", 0},      {"COL2 -1 255 255", 0},
        {"COL2 99999999999 0 0", 0},    {nullptr, 0},
    };
    for (const auto& c : cases) {
        WritePrivateProfileStringA("SysAtrib", "SysCol2", c.value, file.c_str());
        EXPECT_EQ(CWorkUserOptDlg::BackgroundColour(file), c.colour) << (c.value ? c.value : "(missing)");
    }
}

}  // namespace
