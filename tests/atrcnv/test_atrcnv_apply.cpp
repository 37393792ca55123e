// Applying a conversion to the figure: new tables and renumbered elements,
// a kind that cannot be converted keeps its table, mask repair, merges and
// their messages, the changed mark, and the batch run.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "ConversionFixture.h"
#include "atrcnv/AtrCnvApply.h"
#include "atrcnv/AtrCnvBatch.h"

using namespace cnvtest;
namespace el = mobrhost::element;

namespace {

class ApplyTest : public ConversionFixture {
protected:
    void SetUp() override
    {
        ConversionFixture::SetUp();
        solidBlack_ = figtest::addElement(0, el::Line, kSolid, kBlack);
        dashedRed_ = figtest::addElement(0, el::Line, kDashed, kRed);
        chainGreen_ = figtest::addElement(0, el::Arc, kChain, kGreen);
        figtest::model().figure(0)->changed = false;
    }
    atrcnv::CommitReport commit(atrcnv::CommitOptions options = {})
    {
        return atrcnv::commitConversion(targets_, options);
    }
    int count(int32_t (*get)(void*), void* (*table)(short)) { return get(table(0)); }
    bool marked() { return figtest::model().figure(0)->changed; }

    int32_t solidBlack_ = 0, dashedRed_ = 0, chainGreen_ = 0;
};

TEST_F(ApplyTest, ADefinitionConvertsTablesAndRenumbersEveryElement)
{
    writeDefinition("[ColCnvAtr]\r\nCol001=RED /#,#/ ORANGE\r\nCol002=GREEN /#,#/ ORANGE\r\n"
                    "[PenCnvAtr]\r\nPen001=DASHED /#,#/ x /#,#/ x /#,#/ PHANTOM /#,#/ HAIR /#,#/ ORANGE\r\n"
                    "Pen002=CHAIN /#,#/ x /#,#/ x /#,#/ PHANTOM /#,#/ HAIR /#,#/ ORANGE\r\n");
    load();
    targets_.applyWidthEntries(def_);
    targets_.applyColourEntries(def_);
    targets_.applyPenEntries(def_);
    const atrcnv::CommitReport report = commit();
    EXPECT_TRUE(report.coloursConverted && report.widthsConverted && report.pensConverted);
    EXPECT_TRUE(marked());

    // RED and GREEN both became the one ORANGE.
    void* colours = hostapi::aatFigGetColInfo(0);
    EXPECT_EQ(hostapi::aatColGetCount(colours), 7);
    EXPECT_EQ(figtest::colourNameOf(0, dashedRed_), "ORANGE");
    EXPECT_EQ(figtest::colourNameOf(0, chainGreen_), "ORANGE");
    EXPECT_EQ(figtest::colourNameOf(0, solidBlack_), "BLACK");
    EXPECT_EQ(figtest::penNameOf(0, dashedRed_), "PHANTOM");
    EXPECT_EQ(figtest::penNameOf(0, solidBlack_), "SOLID");
    EXPECT_EQ(figtest::penWidthName(0, "PHANTOM"), "HAIR");
    EXPECT_EQ(figtest::penColourName(0, "PHANTOM"), "ORANGE");
    EXPECT_EQ(figtest::penNameOf(0, chainGreen_), "PHANTOM");
    EXPECT_EQ(hostapi::aatPenFindName(hostapi::aatFigGetPenInfo(0), "CHAIN"), -1);
    // The sketch data follows the renames: CHAIN/THIN became PHANTOM/HAIR.
    bool renamed = false;
    for (const mobrhost::SketchRef& r : figtest::model().figure(0)->sketch)
        renamed |= r.kind == mobrhost::SketchRef::PenRef && r.name == "PHANTOM" && r.widthName == "HAIR";
    EXPECT_TRUE(renamed);
    // Each renumbering ran in conversion mode.
    const auto modes = mobrhost::journalEntries("aatFigColSetCnvMode");
    ASSERT_EQ(modes.size(), 2u);
    EXPECT_EQ(modes[0].args, std::vector<std::string>{"1"});
    EXPECT_EQ(modes[1].args, std::vector<std::string>{"0"});
}

TEST_F(ApplyTest, AKindWhoseNewEntryCannotBeMadeKeepsItsTable)
{
    load();
    atrcnv::ColourRecord orange = atrcnv::ColourRecord::from(
        hostapi::aatColGetInfo(reference(Table::Colour), hostapi::aatColFindName(reference(Table::Colour), "ORANGE")));
    targets_.setColourTarget(kRed - 1, orange);
    mobrhost::ScopedHostOverride refuse("aatColNewInfo", +[](void*, const char*) -> int32_t { return -1; });
    const atrcnv::CommitReport report = commit();
    EXPECT_TRUE(report.coloursChanged);
    EXPECT_FALSE(report.coloursConverted);
    EXPECT_EQ(hostapi::aatColGetCount(hostapi::aatFigGetColInfo(0)), 8);
    EXPECT_EQ(figtest::colourNameOf(0, dashedRed_), "RED");
    EXPECT_EQ(figtest::colourNameOf(0, solidBlack_), "BLACK");
    EXPECT_TRUE(mobrhost::journalEntries("ChangeSketchColorName").empty());
}

TEST_F(ApplyTest, MaskRepairClearsABitThatNoSolidPenHadClear)
{
    editFigure(0, [](const Tables& t) {
        for (int p = 1; p <= hostapi::aatPenGetCount(t.pens); ++p)
            if (hostapi::aatPenGetPlotStyle(t.pens, p) == 1) hostapi::aatPenSetMask(t.pens, p, 0x2);
    });
    atrcnv::fixSolidPenMasks(0);
    EXPECT_EQ(hostapi::aatPenGetMask(hostapi::aatFigGetPenInfo(0), kSolid), 0);
    mobrhost::journalClear();
    atrcnv::fixSolidPenMasks(0);  // nothing to repair: the copy is thrown away
    EXPECT_EQ(mobrhost::journalEntries("aatFigRestorePenInfo").at(0).args.back(), "1");
}

TEST_F(ApplyTest, MaskRepairFollowsAPenConversionWithAndWithoutAPenMerge)
{
    for (const bool merge : {false, true}) {
        figtest::model().replaceFigure(0, mobrhost::Figure::makeDefault());
        editFigure(0, [](const Tables& t) { hostapi::aatPenSetMask(t.pens, kSolid, 0x2); });
        writeDefinition("[PenCnvAtr]\r\nPen001=DASHED /#,#/ x /#,#/ x /#,#/ PHANTOM /#,#/ HAIR /#,#/ ORANGE\r\n");
        CAtrCnvTargets targets(listener_);
        ASSERT_GE(targets.prepare(), 0);
        ASSERT_EQ(targets.loadReference(ref_), CAtrCnvTargets::kLoaded);
        targets.applyPenEntries(def_);
        atrcnv::CommitOptions options;
        options.mergePens = merge;
        EXPECT_TRUE(atrcnv::commitConversion(targets, options).pensConverted);
        EXPECT_EQ(hostapi::aatPenGetMask(hostapi::aatFigGetPenInfo(0), kSolid), 0) << merge;
    }
}

TEST_F(ApplyTest, AColourMergeIntoAFullTableWarnsOnceAndAddsNothing)
{
    editFigure(0, [](const Tables& t) {
        for (int k = 0; k < 247; ++k) addColour(t, ("C" + std::to_string(k)).c_str(), k, 0, 0);
    });
    figtest::model().figure(0)->changed = false;
    load();
    atrcnv::CommitOptions options;
    options.mergeColours = true;
    const atrcnv::CommitReport report = commit(options);
    EXPECT_FALSE(report.merged || report.figureMarked);
    EXPECT_EQ(listener_.messages, std::vector<int>{atrcnv::kMsgColourTableFull});
    EXPECT_EQ(hostapi::aatColGetCount(hostapi::aatFigGetColInfo(0)), 255);
    EXPECT_FALSE(marked());
}

TEST_F(ApplyTest, AGrowingMergeMarksTheFigureWhateverTheMergesAfterItSay)
{
    load();
    atrcnv::CommitOptions options;
    options.mergeColours = true;  // adds ORANGE
    options.mergePens = true;     // refused below: adds nothing
    mobrhost::ScopedHostOverride refuse("aatPenNewInfo", +[](void*, const char*) -> int32_t { return -1; });
    const atrcnv::CommitReport report = commit(options);
    EXPECT_TRUE(report.merged);
    EXPECT_TRUE(marked());
    EXPECT_GT(hostapi::aatColFindName(hostapi::aatFigGetColInfo(0), "ORANGE"), 0);
}

TEST_F(ApplyTest, APenMergeThatCannotAddItsPenTakesBackItsWidthAndColour)
{
    load();
    atrcnv::CommitOptions options;
    options.mergePens = true;
    mobrhost::ScopedHostOverride refuse("aatPenNewInfo", +[](void*, const char*) -> int32_t { return -1; });
    const atrcnv::CommitReport report = commit(options);
    EXPECT_FALSE(report.merged);
    EXPECT_EQ(listener_.messages, std::vector<int>{atrcnv::kMsgPenTableFull});
    EXPECT_EQ(hostapi::aatWidFindName(hostapi::aatFigGetWidInfo(0), "HAIR"), -1);
    EXPECT_EQ(hostapi::aatColFindName(hostapi::aatFigGetColInfo(0), "ORANGE"), -1);
    EXPECT_FALSE(marked());
}

TEST_F(ApplyTest, APenMergeAddsThePenWithItsWidthAndColour)
{
    load();
    atrcnv::CommitOptions options;
    options.mergePens = true;
    EXPECT_TRUE(commit(options).merged);
    EXPECT_EQ(figtest::penWidthName(0, "PHANTOM"), "HAIR");
    EXPECT_EQ(figtest::penColourName(0, "PHANTOM"), "ORANGE");
    EXPECT_TRUE(marked());
}

TEST_F(ApplyTest, NothingChangedStillRefreshesButSetsNoMark)
{
    load();
    mobrhost::journalClear();
    commit();
    EXPECT_FALSE(marked());
    EXPECT_TRUE(mobrhost::journalEntries("aatFigUflgSetup").empty());
    EXPECT_EQ(mobrhost::journalEntries("aatAtrUpdate").size(), 5u);
    EXPECT_EQ(mobrhost::journalEntries("aatDrwFigView").size(), 1u);
}

TEST_F(ApplyTest, MissingTablesShow7289AndChangeNothing)
{
    ASSERT_GE(targets_.prepare(), 0);  // no reference: no target lists
    const atrcnv::CommitReport report = commit();
    EXPECT_TRUE(report.missingTables);
    EXPECT_EQ(listener_.messages, std::vector<int>{atrcnv::kMsgMissingTables});
}

TEST_F(ApplyTest, TheBatchRunReportsWhatItAppliedAndSkipped)
{
    writeDefinition("[WidCnvAtr]\r\nWid001=THICK /#,#/ THICK\r\nWid002=NONE /#,#/ THIN\r\n"
                    "[PenCnvAtr]\r\nPen001=DASHED /#,#/ x /#,#/ x /#,#/ PHANTOM /#,#/ HAIR /#,#/ ORANGE\r\n");
    const atrcnv::BatchReport report = atrcnv::runBatchConversion(ref_, def_);
    EXPECT_EQ(report.status, atrcnv::kBatchConverted);
    EXPECT_EQ(figtest::penNameOf(0, dashedRed_), "PHANTOM");
    const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(atrcnv::batchReportJson(report))).object();
    EXPECT_EQ(json["widths"].toObject()["applied"].toInt(), 1);
    EXPECT_EQ(json["widths"].toObject()["skipped"].toArray().at(0).toObject()["reason"].toString(),
              "source not in the drawing");
    EXPECT_EQ(json["pens"].toObject()["applied"].toInt(), 1);

    EXPECT_EQ(atrcnv::runBatchConversion(tempPath("none.fig"), def_).status, atrcnv::kBatchReferenceFailed);
    EXPECT_EQ(atrcnv::runBatchConversion(ref_, tempPath("none.fac")).status, atrcnv::kBatchDefinitionRefused);
}

}  // namespace
