// The drawing size dialog, driven through the module's entry points as a
// host drives it, with the UI driver acting as the person.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QWidget>

#include "FieldTableWalk.h"
#include "ModuleFixture.h"
#include "TranscriptLookups.h"
#include "mobrdlg/ZqProcRegistry.h"
#include "mobrdlg/ZqUiDriver.h"
#include "mobrdlg/ZqWindow.h"

namespace {

// Controls of the dialog's layout.
constexpr int kHelpButton = 1000, kPaperList = 1201, kModeSize = 1301, kModeScale = 1302, kModeBoth = 1303,
              kScale = 1401, kResultWidth = 1402, kResultHeight = 1403, kStartWidth = 1404, kInputWidth = 1406,
              kInputHeight = 1407;

struct Outcome {
    int ran = -1;       // RunDialog's own result
    int result = 0;     // the modal result
    double width = 0, height = 0;
    int paper = -1;
};

class DrawingSize : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(moduletest::module().isLoaded()) << moduletest::module().error();
        moduletest::installRecordingHost();
        init_ = moduletest::entry<IDD_S_001InitFn>("IDD_S_001Init");
        term_ = moduletest::entry<IDD_S_001TermFn>("IDD_S_001Term");
        ASSERT_TRUE(init_ && term_);
    }

    // Creates the dialog, hands in a size, runs the script, reads back, destroys.
    Outcome run(int paper, double width, double height, ZqUiScript script)
    {
        CZqDataLink* dialog = init_();
        EXPECT_NE(dialog, nullptr);
        Outcome out;
        if (!dialog) return out;
        EXPECT_NE(dialog->SetPageInt(30001, paper), 0);
        EXPECT_NE(dialog->SetPageDouble(20102, width), 0);
        EXPECT_NE(dialog->SetPageDouble(20103, height), 0);
        {
            driver_.reset();  // drivers nest: end the previous one first
            driver_ = std::make_unique<CZqUiDriver>(std::move(script));
            out.ran = dialog->RunDialog(&out.result);
        }
        dialog->GetPageDouble(20102, &out.width);
        dialog->GetPageDouble(20103, &out.height);
        dialog->GetPageInt(30001, &out.paper);
        EXPECT_EQ(term_(dialog), 0);
        return out;
    }

    const ZqUiTranscript& transcript() const { return driver_->transcript(); }

    // The state a read labelled `label` recorded.
    const ZqControlState& readOf(const std::string& label) const
    {
        return transcriptlookup::readOf(transcript(), label);
    }

    IDD_S_001InitFn init_ = nullptr;
    IDD_S_001TermFn term_ = nullptr;
    std::unique_ptr<CZqUiDriver> driver_;
};

TEST_F(DrawingSize, OkFindsTheStandardPaperOfTheResultExactly)
{
    Outcome a4 = run(4, 297.0, 210.0, ZqUiScript().ok());
    EXPECT_EQ(a4.result, 1);
    EXPECT_EQ(a4.ran, 1);
    EXPECT_EQ(a4.paper, 4);
    EXPECT_DOUBLE_EQ(a4.width, 297.0);

    EXPECT_EQ(run(6, 210.0, 297.0, ZqUiScript().ok()).paper, 5);
    // Just off a standard size: the user's own size, and the exact value kept.
    Outcome off = run(4, 297.004, 210.0, ZqUiScript().ok());
    EXPECT_EQ(off.paper, 6);
    EXPECT_DOUBLE_EQ(off.width, 297.004);
    EXPECT_TRUE(transcript().errors().empty());
}

TEST_F(DrawingSize, HandedInSizesAreClampedAndShown)
{
    Outcome out = run(6, 0.0, 2e14,
                      ZqUiScript()
                          .read(kResultWidth, "result width").read(kResultHeight, "result height")
                          .read(kInputWidth, "input width")
                          .cancel());
    EXPECT_EQ(readOf("result width").text, "0.01");
    // Handed in up to 1e14, but a shown result never exceeds 1e13.
    EXPECT_EQ(readOf("result height").text, "10000000000000.00");
    EXPECT_EQ(readOf("input width").text, "0.01");
    EXPECT_EQ(out.result, 2);
}

TEST_F(DrawingSize, OpensWithTheListTheScaleAndTheStartingSize)
{
    run(4, 297.0, 210.0,
        ZqUiScript()
            .read(kPaperList, "papers").read(kScale, "scale").read(kStartWidth, "start width")
            .read(kInputWidth, "input width").read(kModeSize, "size mode")
            .cancel());
    const ZqControlState& list = readOf("papers");
    ASSERT_EQ(list.items.size(), 7u);
    EXPECT_EQ(list.selection, 4);
    EXPECT_NE(list.items[4].find("( 297.0 x 210.0)"), std::string::npos) << list.items[4];
    EXPECT_EQ(list.items[6].find('('), std::string::npos);
    EXPECT_EQ(readOf("scale").text, "1.000");
    EXPECT_FALSE(readOf("scale").enabled);  // size mode: no scale
    EXPECT_EQ(readOf("start width").text, "297.00");
    EXPECT_TRUE(readOf("input width").readOnly);  // a standard paper's size is fixed
    EXPECT_TRUE(readOf("size mode").checked);
}

TEST_F(DrawingSize, ScaleModeFollowsTheScaleAlone)
{
    Outcome out = run(4, 297.0, 210.0,
                      ZqUiScript()
                          .click(kModeScale).type(kScale, "2").key(kScale, "Enter")
                          .read(kResultWidth, "result width").read(kResultHeight, "result height")
                          .read(kInputWidth, "input width")
                          .ok());
    EXPECT_EQ(readOf("result width").text, "594.00");
    EXPECT_EQ(readOf("result height").text, "420.00");
    EXPECT_FALSE(readOf("input width").enabled);
    EXPECT_EQ(out.result, 1);
    EXPECT_DOUBLE_EQ(out.width, 594.0);
    EXPECT_EQ(out.paper, 2);  // 594 x 420 is a standard paper
}

TEST_F(DrawingSize, SizeAndScaleModeMultipliesTheInput)
{
    Outcome out = run(6, 100.0, 50.0,
                      ZqUiScript()
                          .click(kModeBoth).type(kInputWidth, "120").focus(kScale).type(kScale, "0.5")
                          .key(kScale, "Tab")
                          .ok());
    EXPECT_EQ(out.result, 1);
    EXPECT_DOUBLE_EQ(out.width, 60.0);
    EXPECT_DOUBLE_EQ(out.height, 25.0);
    EXPECT_EQ(out.paper, 6);
}

TEST_F(DrawingSize, PaperChangeSetsTheInputAndLocksIt)
{
    run(6, 100.0, 50.0,
        ZqUiScript()
            .select(kPaperList, 2)
            .read(kInputWidth, "A2 input width").read(kResultWidth, "A2 result width")
            .read(kResultHeight, "A2 result height")
            .select(kPaperList, 6).read(kInputWidth, "free input width")
            .cancel());
    EXPECT_EQ(readOf("A2 input width").text, "594.00");
    EXPECT_TRUE(readOf("A2 input width").readOnly);
    EXPECT_EQ(readOf("A2 result width").text, "594.00");
    EXPECT_EQ(readOf("A2 result height").text, "420.00");
    EXPECT_FALSE(readOf("free input width").readOnly);
}

TEST_F(DrawingSize, BadFieldIsRefusedOnLeavingAndKeepsTheFocus)
{
    Outcome out = run(6, 100.0, 50.0,
                      ZqUiScript()
                          .type(kInputWidth, "0").focus(kInputHeight).answer(1).read(kInputWidth, "refused width")
                          .type(kInputWidth, "80").focus(kInputHeight).read(kResultWidth, "result width")
                          .ok());
    const auto& messages = transcript().messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_GE(messages[0].messageId, 960);
    EXPECT_LE(messages[0].messageId, 979);
    EXPECT_TRUE(readOf("refused width").focused);
    EXPECT_EQ(readOf("result width").text, "80.00");
    EXPECT_EQ(out.result, 1);
    EXPECT_DOUBLE_EQ(out.width, 80.0);
}

TEST_F(DrawingSize, OutOfRangeSizeIsRefusedOnOk)
{
    Outcome out = run(6, 100.0, 50.0, ZqUiScript().type(kInputHeight, "0.001").ok().answer(1).cancel());
    ASSERT_EQ(transcript().messages().size(), 1u);
    EXPECT_EQ(transcript().messages()[0].messageId, 964);
    EXPECT_EQ(out.result, 2);
    EXPECT_DOUBLE_EQ(out.height, 50.0);
}

TEST_F(DrawingSize, LeavingForCancelDoesNotCheck)
{
    Outcome out = run(6, 100.0, 50.0, ZqUiScript().type(kInputWidth, "0").cancel());
    EXPECT_TRUE(transcript().messages().empty());
    EXPECT_EQ(out.result, 2);
}

TEST_F(DrawingSize, ScaleKeys)
{
    // A scale below its range is refused on Enter; Escape then cancels.
    Outcome out = run(4, 297.0, 210.0,
                      ZqUiScript()
                          .click(kModeBoth).type(kScale, "0").key(kScale, "Enter").answer(1)
                          .key(kScale, "Escape"));
    EXPECT_EQ(transcript().messages().size(), 1u);
    EXPECT_EQ(transcript().messages().at(0).messageId, 964);
    EXPECT_EQ(out.result, 2);
}

TEST_F(DrawingSize, ShiftTabLeavesTheScaleWithoutACheck)
{
    Outcome out =
        run(4, 297.0, 210.0, ZqUiScript().click(kModeBoth).type(kScale, "0").key(kScale, "Shift+Tab").cancel());
    EXPECT_TRUE(transcript().messages().empty());
    EXPECT_EQ(out.result, 2);
}

TEST_F(DrawingSize, TabFromHeightChecksIt)
{
    run(6, 100.0, 50.0,
        ZqUiScript().type(kInputHeight, "0").key(kInputHeight, "Tab").answer(1).read(kInputHeight, "height").cancel());
    EXPECT_EQ(transcript().messages().size(), 1u);
    EXPECT_TRUE(readOf("height").focused);
}

TEST_F(DrawingSize, HelpAsksTheHostForItsTopic)
{
    run(6, 100.0, 50.0, ZqUiScript().click(kHelpButton).cancel());
    ASSERT_EQ(moduletest::hostCalls().size(), 1u);
    EXPECT_EQ(moduletest::hostCalls()[0], "aapRunDlgHelp(472)");
}

TEST_F(DrawingSize, MissingHostFunctionEndsTheDialogWithoutACrash)
{
    aatDlgDllSetZqProcPtr("aapRunDlgHelp", nullptr);
    Outcome out = run(6, 100.0, 50.0, ZqUiScript().click(kHelpButton).ok());
    EXPECT_EQ(out.result, -1);
    EXPECT_EQ(out.ran, 0);
}

TEST_F(DrawingSize, DataLinkRefusesUnknownItemsAndBadIndexes)
{
    CZqDataLink* dialog = init_();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->SetPageInt(30001, 7), 0);
    EXPECT_EQ(dialog->SetPageInt(30001, -1), 0);
    EXPECT_EQ(dialog->SetPageInt(30002, 1), 0);
    EXPECT_EQ(dialog->SetPageDouble(20104, 1.0), 0);
    double value = 0;
    EXPECT_EQ(dialog->GetPageDouble(20101, &value), 0);
    term_(dialog);
}

// The dialog's field table as a host's tools see it: through the data link.
TEST_F(DrawingSize, EveryFieldOfTheTableRoundTrips)
{
    CZqDataLink* dialog = init_();
    ASSERT_NE(dialog, nullptr);
    auto* fields = dynamic_cast<CZqFieldLink*>(dialog);
    ASSERT_NE(fields, nullptr) << "the dialog lists its fields";
    const std::vector<ZqField> table = fields->fieldSet().fields();
    fieldwalk::expectItemsRoundTrip(*dialog, table);
    term_(dialog);

    constexpr double kWidth = 100.0, kHeight = 50.0;
    for (const fieldwalk::Case& c : fieldwalk::cases(table)) {
        // The scale counts in scale mode; the sizes are typed for a size of one's own.
        const bool scale = c.field->control == kScale;
        Outcome out = run(6, kWidth, kHeight, fieldwalk::scriptFor(c, scale ? ZqUiScript().click(kModeScale) : ZqUiScript()));
        EXPECT_TRUE(transcript().errors().empty()) << c.label;
        fieldwalk::expectOutcome(c, out.result, transcript(), [&] {
            if (scale) return out.width / kWidth;
            return c.field->control == kInputWidth ? out.width : out.height;
        });
    }
}

}  // namespace
