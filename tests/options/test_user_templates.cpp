// User templates: saving the options as a template from the options dialog,
// choosing, editing and deleting templates, and the start-up record.

#include <QDir>

#include "OptionsHarness.h"
#include "mobrdlg/ZqMessageBox.h"
#include "options/CUserOpSheet.h"
#include "options/CUserTempSaveDlg.h"
#include "options/CUserTempSelDlg.h"
#include "options/TemplateFolders.h"
#include "platform/Files.h"
#include "platform/PrivateProfile.h"

extern "C" int aapLSelUserOpt(void);

namespace {

const std::string kJapanese = "\x93\xfa\x96\x7b\x8c\xea";  // three kanji, host code page
const std::string kJapaneseUtf8 = "\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e";  // the same, as a script types it

std::string profile(const std::string& file, const char* section, const char* key)
{
    char value[600] = {};
    GetPrivateProfileStringA(section, key, "", value, sizeof value, file.c_str());
    return value;
}

class UserTemplates : public OptionsHarness {
protected:
    std::string folder1() const { return systemFolder() + "template/"; }
    std::string folder2() const { return systemFolder() + "work/"; }

    // Saves the options under `name` in folder `folder` (1-based) from the
    // options dialog; `more` acts after OK (answers), then the options close.
    void saveTemplate(const std::string& name, int folder, const ZqUiScript& more = {}, bool thenCancel = false)
    {
        ZqUiScript script;
        script.click(CUserOpSheet::kSaveTemplate).select(CUserTempSaveDlg::kFolder, folder - 1);
        script.type(CUserTempSaveDlg::kName, name).ok();
        for (const ZqUiAction& a : more.actions()) script.add(a);
        if (thenCancel) script.cancel().in("IDD_S_007");
        runOptions(script.cancel().in("IDD_S_017"));
    }
    int runSelect(ZqUiScript script)
    {
        driver_ = std::make_unique<CZqUiDriver>(std::move(script));
        mobrhost::journalClear();
        const int result = aapLSelUserOpt();
        for (const auto& error : driver_->transcript().errors()) ADD_FAILURE() << error.message;
        return result;
    }
};

TEST_F(UserTemplates, AJapaneseNameIsSavedListedFirstByNameAndChosen)
{
    ASSERT_TRUE(mobr::files::copyFile(systemFolder() + "MOBRSTD.INI", folder1() + "zeta.INI") == 0);
    saveTemplate(kJapaneseUtf8, 1);
    EXPECT_TRUE(messageIds().empty());
    const std::string path = folder1() + kJapanese + ".INI";
    EXPECT_TRUE(mobr::files::fileExists(path));
    const auto menu = mobrhost::journalEntries("aatNewUserTemplateMenuSection");
    ASSERT_EQ(menu.size(), 1u);

    ZqUiScript pick;
    pick.inspect([](CZqWindow& dialog) {
        ASSERT_EQ(dialog.GetCount(CUserTempSelDlg::kTemplates), 4);
        EXPECT_EQ(dialog.GetItemText(CUserTempSelDlg::kTemplates, 0), "<Standard>");
        EXPECT_EQ(dialog.GetItemText(CUserTempSelDlg::kTemplates, 1), "<Default>");
        EXPECT_EQ(dialog.GetItemText(CUserTempSelDlg::kTemplates, 2), "zeta");
        EXPECT_EQ(dialog.GetItemText(CUserTempSelDlg::kTemplates, 3), kJapanese);
        EXPECT_FALSE(dialog.IsItemEnabled(CUserTempSelDlg::kDelete));  // the standard entry
    });
    EXPECT_EQ(runSelect(pick.select(CUserTempSelDlg::kTemplates, 3).ok()), 1);
    EXPECT_EQ(profile(systemFolder() + "MOBR.SYS", "Whole", "UserTemp"), kJapanese + ".INI");
    EXPECT_EQ(profile(systemFolder() + "MOBR.SYS", "File", "UserTempCurDir"), "1");
}

TEST_F(UserTemplates, RefusedNamesKeepTheDialogOpenAndWriteNothing)
{
    const struct {
        std::string name;
        int folder;
        int message;
    } cases[] = {
        {"", 1, 7223},          {"   ", 1, 7240},      {"<Default>", 2, 7272}, {"<Standard>", 1, 7203},
        {"a/b", 1, 7352},       {"a\\b", 1, 7352},     {"a|b", 1, 7352},       {"a:b", 1, 7352},
    };
    for (const auto& c : cases) {
        saveTemplate(c.name, c.folder, {}, true);
        EXPECT_EQ(messageIds(), std::vector<int>{c.message}) << c.name;
        EXPECT_TRUE(mobrhost::journalEntries("aatSaveIniFile").size() <= 1u) << "only the options' backup";
        EXPECT_TRUE(mobrhost::journalEntries("aatNewUserTemplateMenuSection").empty());
    }
    EXPECT_TRUE(QDir(QString::fromStdString(folder1())).entryList(QDir::Files).isEmpty());
}

TEST_F(UserTemplates, ReplacingAsksAndTheDefaultSetGoesToTheSystemFolder)
{
    saveTemplate("Plan", 1);
    ZqUiScript no;
    no.answer(ZQ_ID_NO);
    saveTemplate("plan", 1, no, true);  // differs in case: 7202, declined
    EXPECT_EQ(messageIds(), std::vector<int>{7202});
    ZqUiScript yes;
    yes.answer(ZQ_ID_YES);
    saveTemplate("Plan", 1, yes);
    EXPECT_EQ(messageIds(), std::vector<int>{7201});

    std::remove((systemFolder() + "MOBRDFLT.INI").c_str());
    saveTemplate("<Default>", 1);
    EXPECT_TRUE(mobr::files::fileExists(systemFolder() + "MOBRDFLT.INI"));
}

TEST_F(UserTemplates, ASaveTheHostRefusesLeavesTheDialogOpenWithoutAMenuEntry)
{
    QDir().mkpath(QString::fromStdString(folder1() + "Busy.INI"));  // a folder where the file should go
    saveTemplate("Busy", 1, {}, true);
    EXPECT_EQ(messageIds(), std::vector<int>{7353});
    EXPECT_TRUE(mobrhost::journalEntries("aatNewUserTemplateMenuSection").empty());
}

TEST_F(UserTemplates, DeletingTheLastTemplateOfAFolderMakesTheStandardSetCurrent)
{
    ASSERT_EQ(mobr::files::copyFile(systemFolder() + "MOBRSTD.INI", folder2() + "Only.INI"), 0);
    ZqUiScript script;
    script.select(CUserTempSelDlg::kFolder, 1).key(CUserTempSelDlg::kTemplates, "Delete").answer(ZQ_ID_YES);
    script.inspect([](CZqWindow& dialog) {
        auto& select = dynamic_cast<CUserTempSelDlg&>(dialog);
        EXPECT_EQ(select.currentFolder(), 1);
        EXPECT_EQ(select.currentFile(), "MOBRSTD.INI");
        EXPECT_TRUE(dialog.IsItemEnabled(IDOK));
    });
    runSelect(script.ok());
    EXPECT_FALSE(mobr::files::fileExists(folder2() + "Only.INI"));
    EXPECT_EQ(mobrhost::journalEntries("aatRemoveUserTemplateMenuSection").size(), 1u);
}

TEST_F(UserTemplates, CancelSetsTheTemplateBackAndEditShowsTheTemplateEditor)
{
    ASSERT_EQ(mobr::files::copyFile(systemFolder() + "MOBRSTD.INI", folder1() + "Edit.INI"), 0);
    ZqUiScript script;
    script.select(CUserTempSelDlg::kTemplates, 1).click(CUserTempSelDlg::kEdit);
    script.inspect([](CZqWindow& sheet) {
        EXPECT_FALSE(sheet.IsItemEnabled(IDCANCEL));
        EXPECT_EQ(sheet.GetDlgItemText(IDOK), "Close");
    });
    script.ok().in("IDD_S_017");
    EXPECT_EQ(runSelect(script.cancel().in("IDD_S_008")), 1);
    const auto set = mobrhost::journalEntries("aatSysSetUserTemplete");
    ASSERT_FALSE(set.empty());
    EXPECT_EQ(set.back().args[0], "\"MOBRSTD.INI\"");
    EXPECT_TRUE(mobrhost::journalEntries("aatSaveIniFile").empty()) << "only OK saves the system file";
}

TEST_F(UserTemplates, TheStartUpRecordNamesAMissingTemplateAndWarns)
{
    const std::string sys = systemFolder() + "MOBR.SYS";
    WritePrivateProfileStringA("Whole", "UserTemp", "Gone.INI", sys.c_str());
    WritePrivateProfileStringA("File", "UserTempCurDir", "12", sys.c_str());
    ZqUiScript script;
    script.inspect([](CZqWindow& dialog) {
        EXPECT_EQ(dialog.GetDlgItemText(CUserTempSelDlg::kStartTemplate), "Missing (Gone)");
        EXPECT_EQ(dialog.GetDlgItemText(CUserTempSelDlg::kStartFolder), "Standard");  // "12" is folder 1
        EXPECT_TRUE(dialog.GetDlgItem(CUserTempSelDlg::kWarning)->isVisibleTo(dialog.rootWidget()));
    });
    script.select(CUserTempSelDlg::kTemplates, 0).ok();
    runSelect(script);
    script = ZqUiScript();
    script.inspect([](CZqWindow& dialog) {
        EXPECT_EQ(dialog.GetDlgItemText(CUserTempSelDlg::kStartTemplate), "<Standard>");
        EXPECT_FALSE(dialog.GetDlgItem(CUserTempSelDlg::kWarning)->isVisibleTo(dialog.rootWidget()));
    });
    runSelect(script.cancel());
}

class LoginUserTemplates : public UserTemplates {
protected:
    void adjustStart(mobrhost::HostStart& start) override
    {
        start.platformKind = 0;
        start.loginUser = 1;
    }
};

TEST_F(LoginUserTemplates, DeletingTheCurrentTemplateAsksOtherwiseAndCancelGoes)
{
    ASSERT_EQ(mobr::files::copyFile(systemFolder() + "MOBRSTD.INI", folder1() + "Mine.INI"), 0);
    hostapi::aatSysSetUserTemplete("Mine.INI");
    ZqUiScript script;
    script.inspect([](CZqWindow& dialog) {
        EXPECT_EQ(dialog.GetDlgItemText(CUserTempSelDlg::kStartCaption), "This user starts with:");
        EXPECT_EQ(dialog.GetItemText(CUserTempSelDlg::kTemplates, dialog.GetCurSel(CUserTempSelDlg::kTemplates)), "Mine");
    });
    script.click(CUserTempSelDlg::kDelete).answer(ZQ_ID_YES);
    script.inspect([](CZqWindow& dialog) { EXPECT_FALSE(dialog.IsItemEnabled(IDCANCEL)); });
    runSelect(script.ok());
    EXPECT_EQ(messageIds(), std::vector<int>{7220});
    EXPECT_FALSE(mobr::files::fileExists(folder1() + "Mine.INI"));
}

TEST(StartFolder, TheWholeValueIsANumberInRange)
{
    EXPECT_EQ(CUserTempSelDlg::StartFolderNumber("10", 10), 10);
    EXPECT_EQ(CUserTempSelDlg::StartFolderNumber("12", 10), 1);
    EXPECT_EQ(CUserTempSelDlg::StartFolderNumber("2", 10), 2);
    EXPECT_EQ(CUserTempSelDlg::StartFolderNumber("0", 10), 1);
    EXPECT_EQ(CUserTempSelDlg::StartFolderNumber("2x", 10), 1);
    EXPECT_EQ(CUserTempSelDlg::StartFolderNumber("", 10), 1);
    EXPECT_EQ(CUserTempSelDlg::StartFolderNumber("99999999999", 10), 1);
}

TEST(TemplateName, SeparatorsControlCharactersAndRefusedCharactersAreNamed)
{
    EXPECT_EQ(templates::refusedCharacter("Plan 2"), "");
    EXPECT_EQ(templates::refusedCharacter("\x95\x5c"), "") << "a trail byte 0x5C is no separator";
    EXPECT_EQ(templates::refusedCharacter("a\tb"), "^I");
    EXPECT_EQ(templates::refusedCharacter("a\x7f"), "^?");
    EXPECT_EQ(templates::refusedCharacter("a?"), "?");
}

}  // namespace
