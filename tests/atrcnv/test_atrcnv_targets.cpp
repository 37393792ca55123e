// The target lists: loading the reference, resolving definition entries by
// name with their skip rules, the append limit and compaction.

#include "ConversionFixture.h"

using namespace cnvtest;
using atrcnv::SkipReason;

namespace {

class TargetsTest : public ConversionFixture {};

std::vector<std::string> widthNamesOfPens(const CAtrCnvTargets& t)
{
    std::vector<std::string> names;
    for (const auto& item : t.penTargets()) names.push_back(item.width.name());
    return names;
}

TEST_F(TargetsTest, LoadingMakesEveryEntryTargetItselfAndReloadingResets)
{
    load();
    ASSERT_EQ(targets_.penTargets().size(), 5u);
    ASSERT_EQ(targets_.widthTargets().size(), 4u);
    ASSERT_EQ(targets_.colourTargets().size(), 8u);
    EXPECT_EQ(targets_.penTargets()[kDashed - 1].colour.name(), "RED");
    EXPECT_FALSE(targets_.colourChanged() || targets_.widthChanged() || targets_.penChanged());
    EXPECT_EQ(listener_.rebuilt, 3);

    targets_.setWidthTarget(0, targets_.widthTargets()[1]);
    EXPECT_TRUE(targets_.widthChanged());
    ASSERT_EQ(targets_.loadReference(ref_), CAtrCnvTargets::kLoaded);
    EXPECT_FALSE(targets_.widthChanged());
}

TEST_F(TargetsTest, AFailedLoadKeepsThePreviousReferenceWhole)
{
    writeBytes(tempPath("not-a-figure.fig"), "just text");
    ASSERT_GE(targets_.prepare(), 0);
    EXPECT_EQ(targets_.loadReference(tempPath("not-a-figure.fig")), CAtrCnvTargets::kLoadFailed);
    EXPECT_FALSE(targets_.referenceLoaded());
    EXPECT_FALSE(targets_.hasTargets());

    ASSERT_EQ(targets_.loadReference(ref_), CAtrCnvTargets::kLoaded);
    const short figure = targets_.referenceFigure();
    targets_.setColourTarget(0, targets_.colourTargets()[1]);
    EXPECT_EQ(targets_.loadReference(tempPath("not-a-figure.fig")), CAtrCnvTargets::kLoadFailed);
    EXPECT_EQ(targets_.referenceFigure(), figure);
    EXPECT_EQ(targets_.referencePath(), ref_);
    EXPECT_EQ(targets_.colourTargets()[0].name(), "RED");
}

TEST_F(TargetsTest, AReferenceWhoseTablesCannotAllBeCopiedIsHandedBackAndClosed)
{
    ASSERT_GE(targets_.prepare(), 0);
    // The current copies are taken; the reference's colours cannot be.
    mobrhost::ScopedHostOverride noColours("aatFigEditColInfo", +[](short) -> void* { return nullptr; });
    EXPECT_EQ(targets_.loadReference(ref_), CAtrCnvTargets::kLoadFailed);
    EXPECT_EQ(figtest::model().figureNumbers(), std::vector<short>{0});
    EXPECT_FALSE(targets_.referenceLoaded());
}

TEST_F(TargetsTest, WidthEntriesReachThePensThatUsedTheSourceWidth)
{
    writeDefinition("[WidCnvAtr]\r\nWid001=THIN /#,#/ HAIR\r\nWid002=NOPE /#,#/ THIN\r\nWid003=MEDIUM /#,#/ NOPE\r\n");
    load();
    const atrcnv::ApplyReport report = targets_.applyWidthEntries(def_);
    EXPECT_EQ(report.read, 3);
    EXPECT_EQ(report.applied, 1);
    ASSERT_EQ(report.skipped.size(), 2u);
    EXPECT_EQ(report.skipped[0].reason, SkipReason::SourceNotInFigure);
    EXPECT_EQ(report.skipped[1].reason, SkipReason::TargetNotInReference);
    EXPECT_EQ(targets_.widthTargets()[kThin - 1].name(), "HAIR");
    EXPECT_EQ(widthNamesOfPens(targets_), (std::vector<std::string>{"MEDIUM", "MEDIUM", "HAIR", "HAIR", "HAIR"}));
}

TEST_F(TargetsTest, PenEntriesApplyWholeOrAreSkippedWithTheirReason)
{
    writeDefinition("[PenCnvAtr]\r\n"
                    "Pen001=DASHED /#,#/ x /#,#/ x /#,#/ PHANTOM /#,#/ HAIR /#,#/ ORANGE\r\n"
                    "Pen002=SOLID /#,#/ x /#,#/ x /#,#/ CHAIN /#,#/ THICK /#,#/ GREEN\r\n"
                    "Pen003=DOTTED /#,#/ x /#,#/ x /#,#/ CHAIN /#,#/ THIN /#,#/ #_NO_PEN_COLOR_#\r\n"
                    "Pen004=CHAIN /#,#/ x /#,#/ x /#,#/ PHANTOM /#,#/ HAIR /#,#/ GREEN\r\n");
    load();
    const std::vector<atrcnv::PenTargetItem> before = targets_.penTargets();
    const atrcnv::ApplyReport report = targets_.applyPenEntries(def_);
    EXPECT_EQ(report.applied, 1);
    ASSERT_EQ(report.skipped.size(), 3u);
    EXPECT_EQ(report.skipped[0].reason, SkipReason::TargetWidthDiffers);
    EXPECT_EQ(report.skipped[1].reason, SkipReason::TargetColourDiffers);
    EXPECT_EQ(report.skipped[2].reason, SkipReason::TargetColourDiffers);
    const atrcnv::PenTargetItem& dashed = targets_.penTargets()[kDashed - 1];
    EXPECT_EQ(dashed.pen.name(), "PHANTOM");
    EXPECT_EQ(dashed.width.name(), "HAIR");
    EXPECT_EQ(dashed.colour.name(), "ORANGE");
    // The width and colour of the new target pen became extra targets.
    EXPECT_EQ(targets_.widthTargets().back().name(), "HAIR");
    EXPECT_EQ(targets_.colourTargets().back().name(), "ORANGE");
    // Skipped entries left their pens untouched.
    for (int p : {kSolid, kDotted, kChain}) EXPECT_EQ(targets_.penTargets()[p - 1].pen, before[p - 1].pen);
}

class AppendLimitTest : public ConversionFixture {
protected:
    void editReference(const Tables& t) override
    {
        addColour(t, "LIME", 128, 255, 0);
        addPen(t, "GHOST", 2, "THIN", "LIME");
    }
};

TEST_F(AppendLimitTest, AppendsStopAt255DistinctNamesAndWarnOncePerRun)
{
    editFigure(0, [](const Tables& t) {
        for (int k = 0; k < 246; ++k) addColour(t, ("C" + std::to_string(k)).c_str(), k, 0, 0);
    });
    writeDefinition("[PenCnvAtr]\r\n"
                    "Pen001=DASHED /#,#/ x /#,#/ x /#,#/ PHANTOM /#,#/ HAIR /#,#/ ORANGE\r\n"
                    "Pen002=DOTTED /#,#/ x /#,#/ x /#,#/ GHOST /#,#/ THIN /#,#/ LIME\r\n"
                    "Pen003=CHAIN /#,#/ x /#,#/ x /#,#/ GHOST /#,#/ THIN /#,#/ LIME\r\n");
    load();  // 254 colours: ORANGE takes the 255th name, LIME is refused
    EXPECT_EQ(targets_.applyPenEntries(def_).applied, 3);
    EXPECT_EQ(listener_.warnings, std::vector<int>{atrcnv::kMsgColourTargetsFull});
    EXPECT_EQ(targets_.penTargets()[kDashed - 1].colour.name(), "ORANGE");
    EXPECT_EQ(targets_.penTargets()[kDotted - 1].pen.name(), "GHOST");
    EXPECT_EQ(targets_.penTargets()[kDotted - 1].colour.name(), "BLUE");  // kept
    EXPECT_EQ(targets_.colourTargets().size(), 255u);
}

TEST_F(TargetsTest, CompactionDropsExtrasThatRepeatOrThatNothingUses)
{
    load();
    atrcnv::WidthRecord medium = targets_.widthTargets()[kMedium - 1];
    atrcnv::WidthRecord hair = atrcnv::WidthRecord::from(
        hostapi::aatWidGetInfo(reference(Table::Width), hostapi::aatWidFindName(reference(Table::Width), "HAIR")));
    ASSERT_EQ(targets_.appendWidthTarget(hair, false), 1);
    ASSERT_EQ(targets_.appendWidthTarget(medium, false), 1);
    targets_.compactWidthList();
    ASSERT_EQ(targets_.widthTargets().size(), 4u);  // MEDIUM repeats, HAIR is unused

    atrcnv::PenTargetItem item = targets_.penTargets()[0];
    item.width = hair;
    targets_.setPenTarget(0, item);
    ASSERT_EQ(targets_.appendWidthTarget(hair, false), 1);
    targets_.compactWidthList();
    EXPECT_EQ(targets_.widthTargets().size(), 5u);  // a pen target uses HAIR
}

}  // namespace
