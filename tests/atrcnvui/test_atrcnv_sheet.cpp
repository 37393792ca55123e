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

TEST_F(AtrCnvSheetTest, ExecuteWithADefinitionWhoseReferenceIsMissing)
{
    const std::string definition = tempPath("missing-ref.fac");
    std::ofstream(definition) << "[System]\nZqAtrCnv=zqv10_01\nRefFile=" << tempPath("gone.mfg") << "\n";
    run(ZqUiScript()
            .click(Page::kDefinitionMenu).pickMenu(Page::kCmdBrowseDefinition).pickFile(definition)
            .read(Page::kDefinitionReference, "named").click(Page::kExecute).answer(1).cancel());
    EXPECT_EQ(readOf("named").text, tempPath("gone.mfg"));
    EXPECT_EQ(messageIds(), std::vector<int>{Page::kMsgDefinitionReferenceMissing});
}

}  // namespace
