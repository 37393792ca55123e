// The whole attribute conversion call against the reference host, with the UI
// driver acting as the person: the reference figure loaded through the menu,
// targets chosen in the dialogs, OK and Cancel, and the files and tables
// afterwards.

#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "AttributeTestHarness.h"
#include "FigureTestSupport.h"
#include "atrcnv/CAtrCnvFile.h"
#include "atrcnv/CAtrCnvSheet.h"
#include "atrcnv/CCnvSettingPage.h"
#include "store/FigureFile.h"
#include "store/FigureJson.h"
#include "platform/Files.h"

namespace {

using Page = CCnvSettingPage;

std::string colourName(void* colours, int colour)
{
    char name[mobr::kHostNameBufferBytes] = {};
    hostapi::aatColGetName(colours, colour, name);
    return name;
}

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class AtrCnvSheetTest : public AttributeTestHarness {
protected:
    void SetUp() override
    {
        AttributeTestHarness::SetUp();
        reference_ = tempPath("reference.mfg");
        std::string error;
        ASSERT_TRUE(mobrhost::FigureFile::save(*figtest::model().figure(0), reference_, &error)) << error;
        automatic_ = CAtrCnvFile::automaticFilePath();
        history_ = CAtrCnvFile::historyFilePath();
        mobr::files::deleteFile(automatic_);
        mobr::files::deleteFile(history_);
    }

    // Runs the entry point's whole call with `script`.
    void run(ZqUiScript script)
    {
        driver_ = std::make_unique<CZqUiDriver>(std::move(script));
        mobrhost::journalClear();
        CAtrCnvSheet::runConversion();
        for (const auto& error : transcript().errors()) ADD_FAILURE() << error.message;
    }

    // Loads the reference through the reference menu's browse item.
    ZqUiScript withReference(const std::string& path) const
    {
        return ZqUiScript().click(Page::kReferenceMenu).pickMenu(Page::kCmdBrowseReference).pickFile(path);
    }
    // On the colour page: row 0 takes the reference colour of dialog line `line`.
    static ZqUiScript& chooseColour(ZqUiScript& script, int line)
    {
        return script.page("IDD_ATRCNVP_004").dblclk(1601, 0).select(1601, line).in("IDD_ATRCNVD_003").ok();
    }

    std::string reference_, automatic_, history_;
};

TEST_F(AtrCnvSheetTest, CancelChangesNothingAndWritesOnlyWhatWasSavedByHand)
{
    void* before = hostapi::aatFigGetColInfo(0);
    const int count = hostapi::aatColGetCount(before);
    const std::string first = colourName(before, 1), second = colourName(before, 2);
    ZqUiScript script = withReference(reference_);
    chooseColour(script, 2).page("IDD_ATRCNVP_001").click(Page::kSaveAs).pickFile(tempPath("mine")).cancel();
    run(std::move(script));

    // Save as gives a name without extension the definition's extension.
    const std::string saved = readAll(tempPath("mine.fac"));
    EXPECT_NE(saved.find("[ColCnvAtr]"), std::string::npos) << saved;
    EXPECT_NE(saved.find("Col001=" + first + " /#,#/ " + second), std::string::npos) << saved;

    void* after = hostapi::aatFigGetColInfo(0);
    EXPECT_EQ(hostapi::aatColGetCount(after), count);
    EXPECT_EQ(colourName(after, 1), first);
    EXPECT_FALSE(mobr::files::fileExists(automatic_));
    EXPECT_FALSE(mobr::files::fileExists(history_));
    EXPECT_TRUE(mobrhost::journalEntries("aatFigUflgSetup").empty());
    EXPECT_EQ(mobrhost::journalEntries("aatFigClose").size(), 1u) << "the reference figure is closed";
}

TEST_F(AtrCnvSheetTest, OkConvertsTheChosenColourAndRecordsOnlyWhatWasInEffect)
{
    void* colours = hostapi::aatFigGetColInfo(0);
    const int count = hostapi::aatColGetCount(colours);
    ASSERT_GE(count, 3);
    const std::string first = colourName(colours, 1), second = colourName(colours, 2);
    // A second reference is loaded and then replaced: only the one in effect
    // at OK reaches the history.
    const std::string abandoned = tempPath("abandoned.mfg");
    std::string error;
    ASSERT_TRUE(mobrhost::FigureFile::save(*figtest::model().figure(0), abandoned, &error)) << error;
    ZqUiScript script = withReference(abandoned);
    script.click(Page::kReferenceMenu).pickMenu(Page::kCmdBrowseReference).pickFile(reference_);
    chooseColour(script, 2).ok();
    run(std::move(script));

    colours = hostapi::aatFigGetColInfo(0);
    EXPECT_EQ(hostapi::aatColGetCount(colours), count - 1) << "both old colours map to one entry";
    EXPECT_EQ(hostapi::aatColFindName(colours, first.c_str()), -1);
    EXPECT_GE(hostapi::aatColFindName(colours, second.c_str()), 1);
    EXPECT_EQ(mobrhost::journalEntries("aatFigUflgSetup").size(), 1u);

    const std::string definition = readAll(automatic_);
    EXPECT_NE(definition.find("Col001=" + first + " /#,#/ " + second), std::string::npos) << definition;
    EXPECT_NE(definition.find("RefFile=" + reference_), std::string::npos) << definition;
    std::vector<std::string> references, definitions;
    CAtrCnvFile(history_).readHistory(references, definitions);
    EXPECT_EQ(references, std::vector<std::string>{reference_});
    EXPECT_TRUE(definitions.empty());
}

TEST_F(AtrCnvSheetTest, TheSettingsPageCannotBeLeftWithoutAReference)
{
    run(ZqUiScript().page("IDD_ATRCNVP_002").answer(1).ok().answer(1).cancel());
    EXPECT_EQ(messageIds(), (std::vector<int>{Page::kMsgNoReference, Page::kMsgNoReference}));
    EXPECT_EQ(driver_->transcript().dialogs().front().result, 2);
}

TEST_F(AtrCnvSheetTest, AReferenceThatFailsToOpenKeepsThePreviousOne)
{
    const std::string broken = tempPath("second.mfg");
    std::string error;
    ASSERT_TRUE(mobrhost::FigureFile::save(*figtest::model().figure(0), broken, &error)) << error;
    std::unique_ptr<mobrhost::ScopedHostOverride> refuse;
    ZqUiScript script = withReference(reference_);
    // The second figure passes the file check, but the host refuses to open it.
    script.inspect([&refuse](CZqWindow&) {
        refuse = std::make_unique<mobrhost::ScopedHostOverride>(
            "aatFigOpen", +[](int32_t, const double*, const char*, short*) -> int32_t { return 1; });
    });
    script.click(Page::kReferenceMenu).pickMenu(Page::kCmdBrowseReference).pickFile(broken).answer(1);
    script.read(Page::kReferencePath, "reference").read(Page::kSaveAs, "save").cancel();
    run(std::move(script));
    EXPECT_EQ(messageIds(), std::vector<int>{Page::kMsgReferenceNotLoaded});
    EXPECT_EQ(readOf("reference").text, reference_);
    EXPECT_TRUE(readOf("save").enabled) << "the first reference still counts as loaded";
}

TEST_F(AtrCnvSheetTest, SaveAsWithNothingChangedOpensNoFileDialog)
{
    ZqUiScript script = withReference(reference_);
    script.click(Page::kSaveAs).answer(1).cancel();
    run(std::move(script));
    EXPECT_EQ(messageIds(), std::vector<int>{Page::kMsgNothingToSave});
}

TEST_F(AtrCnvSheetTest, PenChoiceFollowsTheStyleRulesAndBringsItsWidthAndColour)
{
    ZqUiScript script = withReference(reference_);
    script.page("IDD_ATRCNVP_002")
        // SOLID is the only solid target: only solid reference pens are offered.
        .dblclk(1601, 0).read(1601, "solid choices").in("IDD_ATRCNVD_001").cancel()
        // DASHED may take any pen: keep line, then the five reference pens.
        .select(1601, 1).click(1501).read(1601, "dashed choices").select(1601, 4).read(1702, "dialog width").ok()
        .read(1714, "target width").read(1715, "target style").read(1735, "target red").read(1736, "target green")
        .ok();
    run(std::move(script));

    EXPECT_EQ(readOf("solid choices").items, (std::vector<std::string>{"*Keep the line type - SOLID", "SOLID"}));
    EXPECT_EQ(readOf("solid choices").selection, 0) << "the target equals the source: the keep line";
    EXPECT_EQ(readOf("dashed choices").items.size(), 6u);
    EXPECT_EQ(readOf("dialog width").text, "THIN");
    EXPECT_EQ(readOf("target width").text, "THIN");
    EXPECT_EQ(readOf("target style").text, "Chain");
    EXPECT_EQ(readOf("target red").text, "0");
    EXPECT_EQ(readOf("target green").text, "160");

    void* pens = hostapi::aatFigGetPenInfo(0);
    EXPECT_EQ(hostapi::aatPenGetCount(pens), 4);
    EXPECT_EQ(hostapi::aatPenFindName(pens, "DASHED"), -1);
}

// Execute: which reference is used, and what is said, by the definition's
// "RefFile", the option to use it and whether a reference is loaded.
TEST_F(AtrCnvSheetTest, ExecuteBranches)
{
    const std::string other = tempPath("other.mfg");
    std::string error;
    ASSERT_TRUE(mobrhost::FigureFile::save(*figtest::model().figure(0), other, &error)) << error;
    const std::string notAFigure = tempPath("not-a-figure.mfg");
    std::ofstream(notAFigure) << "not a figure";
    struct Case {
        const char* what;
        std::string named;   // "RefFile" of the definition
        bool useNamed;       // check 1104
        bool loadFirst;      // a reference is loaded before executing
        std::vector<int> messages;
        std::string referenceAfter;
    };
    const Case cases[] = {
        {"no reference, none named", "", true, false, {Page::kMsgNoReference}, ""},
        {"no reference, named one missing", tempPath("gone.mfg"), true, false, {Page::kMsgDefinitionReferenceMissing}, ""},
        {"no reference, named one broken", notAFigure, true, false, {Page::kMsgDefinitionReferenceFailed}, ""},
        {"no reference, named one loads", other, true, false, {}, other},
        {"option off, no reference", other, false, false, {Page::kMsgNoReference}, ""},
        {"loaded, none named", "", true, true, {Page::kMsgDefinitionReferenceNotUsed}, reference_},
        {"loaded, named one missing", tempPath("gone.mfg"), true, true, {Page::kMsgDefinitionReferenceNotUsed}, reference_},
        {"loaded, named one broken", notAFigure, true, true, {Page::kMsgDefinitionReferenceKept}, reference_},
        {"loaded, named one loads", other, true, true, {}, other},
        {"loaded, the same named", reference_, true, true, {}, reference_},
        {"option off, loaded", other, false, true, {}, reference_},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string definition = tempPath("branch.fac");
        std::ofstream(definition) << "[System]\nZqAtrCnv=ZQV10_01\nRefFile=" << c.named << "\n";
        ZqUiScript script = c.loadFirst ? withReference(reference_) : ZqUiScript();
        script.click(Page::kDefinitionMenu).pickMenu(Page::kCmdBrowseDefinition).pickFile(definition);
        if (!c.useNamed) script.check(Page::kUseDefinitionReference, false);
        script.click(Page::kExecute);
        for (size_t i = 0; i < c.messages.size(); ++i) script.answer(1);
        script.read(Page::kReferencePath, "reference").cancel();
        run(std::move(script));
        EXPECT_EQ(messageIds(), c.messages);
        EXPECT_EQ(readOf("reference").text, c.referenceAfter);
    }
}

TEST_F(AtrCnvSheetTest, MenusShowTheHistoryWithAcceleratorsAndGrayAStrangeAutomaticFile)
{
    std::vector<std::string> references, definitions;
    for (int i = 1; i <= 11; ++i) definitions.push_back("/defs/d" + std::to_string(i) + ".fac");
    references.push_back("/home/user/drawings/old/reference.mfg");
    CAtrCnvFile(history_).writeHistory(references, definitions);
    std::ofstream(automatic_) << "[System]\nZqAtrCnv=ZQV09_99\n";

    std::vector<ZqMenuItem> definitionMenu, referenceMenu;
    run(ZqUiScript()
            .inspect([&](CZqWindow& window) {
                auto& sheet = dynamic_cast<CAtrCnvSheet&>(window);
                definitionMenu = sheet.settingPage().definitionMenu();
                referenceMenu = sheet.settingPage().referenceMenu();
            })
            .click(Page::kReferenceMenu).pickMenu(Page::kCmdFirstReferenceHistory).answer(1)
            .cancel());
    EXPECT_EQ(messageIds(), std::vector<int>{Page::kMsgReferenceMissing}) << "a history entry that no longer exists";
    ASSERT_EQ(definitionMenu.size(), 2u + 1u + 11u);
    EXPECT_FALSE(definitionMenu[1].enabled) << "the automatic file carries another version tag";
    EXPECT_EQ(definitionMenu[2].id, 0) << "a separator before the history";
    EXPECT_EQ(definitionMenu[3].text, "&1 /defs/d1.fac");
    EXPECT_EQ(definitionMenu[12].text, "&0 /defs/d10.fac");
    EXPECT_EQ(definitionMenu[13].text, "&A /defs/d11.fac");
    EXPECT_EQ(definitionMenu[13].id, Page::kCmdFirstDefinitionHistory + 10);
    ASSERT_EQ(referenceMenu.size(), 3u);
    EXPECT_EQ(referenceMenu[2].text, "&1 /home/.../old/reference.mfg");
    EXPECT_EQ(readAll(history_).find("d1.fac") != std::string::npos, true) << "Cancel leaves the history as it was";
}

TEST_F(AtrCnvSheetTest, ReloadingTheReferenceResetsTheTargetsButExecutingWithItDoesNot)
{
    const std::string definition = tempPath("empty.fac");
    std::ofstream(definition) << "[System]\nZqAtrCnv=ZQV10_01\nRefFile=" << reference_ << "\n";
    ZqUiScript script = withReference(reference_);
    chooseColour(script, 2).page("IDD_ATRCNVP_001");
    script.click(Page::kDefinitionMenu).pickMenu(Page::kCmdBrowseDefinition).pickFile(definition).click(Page::kExecute);
    script.page("IDD_ATRCNVP_004").read(1711, "red after execute").page("IDD_ATRCNVP_001");
    script.click(Page::kReferenceMenu).pickMenu(Page::kCmdFirstReferenceHistory).page("IDD_ATRCNVP_004");
    script.read(1711, "red after reload").cancel();
    run(std::move(script));
    EXPECT_EQ(readOf("red after execute").text, "255") << "the chosen target (RED) stays";
    EXPECT_EQ(readOf("red after reload").text, "0") << "every target back to its source (BLACK)";
}

TEST_F(AtrCnvSheetTest, APenTargetKeepsItsOwnWidthWhenTheFigureHasNoRoomForAnother)
{
    // The bundled reference's line types use widths the figure does not have.
    std::ifstream in(MOBR_SAMPLES_DIR "/conversion/reference.json");
    std::stringstream text;
    text << in.rdbuf();
    std::string error;
    auto figure = mobrhost::FigureJson::importText(text.str(), &error);
    ASSERT_TRUE(figure) << error;
    ASSERT_TRUE(mobrhost::FigureFile::save(*figure, reference_, &error)) << error;
    void* widths = hostapi::aatFigEditWidInfo(0);
    for (int n = hostapi::aatWidGetCount(widths) + 1; n <= 255; ++n)
        ASSERT_GE(hostapi::aatWidNewInfo(widths, ("W" + std::to_string(n)).c_str()), 1);
    ASSERT_EQ(hostapi::aatFigRestoreWidInfo(0, widths, 0), 1);

    ZqUiScript script = withReference(reference_);
    // DASHED (width MEDIUM) takes CENTRE (width FINE; line 3 after the keep line, CONTOUR and HIDDEN).
    script.page("IDD_ATRCNVP_002").select(1601, 1).click(1501).select(1601, 3).ok().answer(1);
    script.read(1714, "target width").read(1715, "target style").cancel();
    run(std::move(script));
    EXPECT_EQ(messageIds(), std::vector<int>{7290});
    EXPECT_EQ(readOf("target width").text, "MEDIUM");
    EXPECT_EQ(readOf("target style").text, "Chain") << "the pen itself is still the chosen one";
}

TEST_F(AtrCnvSheetTest, TheKeepLineRestoresAWidthAndThePensThatUseIt)
{
    ZqUiScript script = withReference(reference_);
    // MEDIUM (width row 1) takes THICK (line 3), which SOLID and DASHED follow; then it is kept again.
    script.page("IDD_ATRCNVP_003").select(1601, 1).click(1501).select(1601, 3).ok();
    script.page("IDD_ATRCNVP_002").read(1714, "solid width changed").page("IDD_ATRCNVP_003");
    script.select(1601, 1).click(1501).read(1601, "width choices").select(1601, 0).ok();
    script.page("IDD_ATRCNVP_002").read(1714, "solid width kept").select(1601, 1).read(1714, "dashed width kept");
    script.page("IDD_ATRCNVP_003").read(1702, "target width").cancel();
    run(std::move(script));
    EXPECT_EQ(readOf("solid width changed").text, "THICK");
    EXPECT_EQ(readOf("width choices").selection, 3) << "the current target is selected";
    EXPECT_EQ(readOf("solid width kept").text, "MEDIUM");
    EXPECT_EQ(readOf("dashed width kept").text, "MEDIUM");
    EXPECT_EQ(readOf("target width").text, "0.25");
}

TEST_F(AtrCnvSheetTest, ANameThatWouldNotReadBackIsReportedWhenSaving)
{
    void* colours = hostapi::aatFigEditColInfo(0);
    const std::string odd = "A /#,#/ B";
    ASSERT_GE(hostapi::aatColNewInfo(colours, odd.c_str()), 1);
    ASSERT_EQ(hostapi::aatFigRestoreColInfo(0, colours, 0), 1);
    std::string error;
    ASSERT_TRUE(mobrhost::FigureFile::save(*figtest::model().figure(0), reference_, &error)) << error;

    ZqUiScript script = withReference(reference_);
    // The odd colour (the last row) and BLACK (row 0) both get new targets.
    const int oddRow = hostapi::aatColGetCount(hostapi::aatFigGetColInfo(0)) - 1;
    script.page("IDD_ATRCNVP_004").select(1601, oddRow).click(1501).select(1601, 1).ok();
    chooseColour(script, 2).page("IDD_ATRCNVP_001").click(Page::kSaveAs).pickFile(tempPath("odd.fac")).answer(1).cancel();
    run(std::move(script));

    ASSERT_EQ(messageIds(), std::vector<int>{Page::kMsgNamesLeftOut});
    EXPECT_EQ(transcript().messages().front().argument, odd);
    const std::string saved = readAll(tempPath("odd.fac"));
    EXPECT_NE(saved.find("Col001=BLACK /#,#/ RED"), std::string::npos) << saved;
    EXPECT_EQ(saved.find(odd), std::string::npos) << saved;
}

TEST_F(AtrCnvSheetTest, EveryPageAndDialogAsksForItsHelpTopic)
{
    ZqUiScript script = withReference(reference_);
    script.click(1000);
    for (const char* page : {"IDD_ATRCNVP_002", "IDD_ATRCNVP_003", "IDD_ATRCNVP_004"})
        script.page(page).click(1000).click(1501).click(1000).cancel();
    run(std::move(script.cancel()));
    std::vector<std::string> topics;
    for (const auto& args : argsOf("aapRunDlgHelp")) topics.push_back(args.at(0));
    EXPECT_EQ(topics, (std::vector<std::string>{"488", "488", "489", "488", "490", "488", "491"}));
}

TEST_F(AtrCnvSheetTest, NoSheetWhenATableCannotBeCopied)
{
    mobrhost::ScopedHostOverride refuse("aatFigEditColInfo", +[](short) -> void* { return nullptr; });
    run(ZqUiScript());
    EXPECT_TRUE(transcript().dialogs().empty());
    EXPECT_TRUE(mobrhost::journalEntries("aatFigOpen").empty());
}

TEST_F(AtrCnvSheetTest, TheRefusedOkWritesNothingAndEndsEveryCopy)
{
    driver_ = std::make_unique<CZqUiDriver>(ZqUiScript());
    {
        CAtrCnvSheet sheet;
        ASSERT_TRUE(sheet.prepare());
        sheet.applyAccepted();  // no reference was loaded: there are no target lists
    }
    EXPECT_EQ(messageIds(), std::vector<int>{7289});
    EXPECT_FALSE(mobr::files::fileExists(automatic_));
    EXPECT_FALSE(mobr::files::fileExists(history_));
    EXPECT_TRUE(mobrhost::journalEntries("aatFigUflgSetup").empty());
}

}  // namespace
