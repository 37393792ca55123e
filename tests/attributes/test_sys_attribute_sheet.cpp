// The whole system attribute call against the reference host: what it reads,
// what it commits or throws away, what it writes and refreshes, in order,
// with the UI driver acting as the person.

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "AttributeTestHarness.h"
#include "FigureTestSupport.h"
#include "attributes/SysAttributeSheet.h"
#include "mobrdlg/ZqProcRegistry.h"

namespace el = mobrhost::element;

namespace {

constexpr const char* kRestores[] = {
    "aatFigRestorePenInfoEx", "aatFigRestorePenExInfo", "aatFigRestoreWidInfo", "aatFigRestoreColInfo",
    "aatFigRestoreFntInfo",   "aatFigRestoreTipInfo",   "aatFigRestoreCharExInfo"};

class SysAttributeSheetTest : public AttributeTestHarness {
protected:
    // Runs the call with `script`; the driver stays for the transcript.
    void run(ZqUiScript script)
    {
        mobrhost::journalClear();
        driver_ = std::make_unique<CZqUiDriver>(std::move(script));
        EXPECT_EQ(CSysAttributeSheet().run(), 0);
    }

    static std::vector<std::string> names()
    {
        std::vector<std::string> out;
        for (const auto& entry : mobrhost::journalEntries()) out.push_back(entry.name);
        return out;
    }
    static size_t count(const char* name) { return mobrhost::journalEntries(name).size(); }
    // Discard flags given to the seven restore calls, in call order.
    static std::vector<std::string> restoreFlags()
    {
        std::vector<std::string> flags;
        for (const auto& entry : mobrhost::journalEntries())
            if (std::find(std::begin(kRestores), std::end(kRestores), entry.name) != std::end(kRestores))
                flags.push_back(entry.args.at(2));
        return flags;
    }
    static std::vector<std::string> restoreNames()
    {
        return callsAmong(std::vector<std::string>(std::begin(kRestores), std::end(kRestores)));
    }
    size_t dialogsShown() const { return driver_->transcript().dialogs().size(); }

    static float dimValue(int offset)
    {
        unsigned char dim[mobr::kHostDimBlockBytes];
        EXPECT_EQ(hostapi::aatFigGetDimInfo(0, dim), 0);
        float value = 0;
        std::memcpy(&value, dim + offset, sizeof value);
        return value;
    }
    static void setDimValue(int offset, float value)
    {
        unsigned char dim[mobr::kHostDimBlockBytes];
        ASSERT_EQ(hostapi::aatFigGetDimInfo(0, dim), 0);
        std::memcpy(dim + offset, &value, sizeof value);
        ASSERT_EQ(hostapi::aatFigSetDimInfo(0, dim), 0);
    }
    static double errorDistance()
    {
        double d = 0;
        EXPECT_EQ(hostapi::aatSysInfErrdst(114, &d), 0);
        return d;
    }
};

const std::vector<std::string> kSeven(std::begin(kRestores), std::end(kRestores));
const std::vector<std::string> kOneCommitted = {"1", "1", "1", "1", "1", "1", "1"};

TEST_F(SysAttributeSheetTest, ReadsInOrderAndCancelThrowsEveryCopyAway)
{
    run(ZqUiScript().cancel());
    ASSERT_EQ(dialogsShown(), 1u);
    EXPECT_EQ(driver_->transcript().dialogs()[0].result, 2);

    const std::vector<std::string> reading = {
        "aatSysInfCFigno",      "aatFigEditPenInfo",   "as_MakeTable",        "aatFigEditPenExInfo",
        "aatFigEditWidInfo",    "aatFigEditColInfo",   "aatFigEditFntInfo",   "aatFigEditTipInfo",
        "aatFigGetDimInfo",     "aatSysInfErrdst",     "aatImageGetBitCount", "aatFigGetDrwOrder",
        "aatFigEditCharExInfo", "aatCharExInfoSort",   "aatTipGetLength",     "ClearPenNameStringList",
        "ClearWidthNameStringList", "ClearColorNameStringList"};
    EXPECT_EQ(callsAmong(reading), reading);
    EXPECT_EQ(restoreNames(), kSeven);
    EXPECT_EQ(restoreFlags(), kOneCommitted);
    EXPECT_EQ(count("ChangeSketchPenName"), 0u);
    EXPECT_EQ(count("aatFigSetErrDist"), 0u);
    EXPECT_EQ(count("aatFigSetDimInfo"), 0u);
    EXPECT_EQ(count("aatAtrUpdate"), 0u);
    EXPECT_EQ(count("aatDrwFigView"), 0u);
    const auto tail = callsAmong({"aatFigRestoreCharExInfo", "aasPeekDispatch", "aatAtrDisp", "as_FreeTable"});
    EXPECT_EQ(tail, (std::vector<std::string>{"aatFigRestoreCharExInfo", "aasPeekDispatch", "aatAtrDisp",
                                              "as_FreeTable"}));
    EXPECT_EQ(mobrhost::journalEntries("aatAtrDisp").at(0).args.at(0), "-2");
}

TEST_F(SysAttributeSheetTest, OkCommitsRenamesCopiesValuesAndRefreshesInOrder)
{
    run(ZqUiScript().ok());
    std::vector<std::string> afterSheet;
    const auto all = names();
    auto first = std::find(all.begin(), all.end(), "ChangeSketchWidthName");
    ASSERT_NE(first, all.end());
    afterSheet.assign(first, all.end());
    const std::vector<std::string> expected = {
        "ChangeSketchWidthName", "ClearWidthNameStringList", "ChangeSketchColorName", "ClearColorNameStringList",
        "ChangeSketchPenName", "ClearPenNameStringList", "aatFigRestorePenInfoEx", "aatFigRestorePenExInfo",
        "aatFigRestoreWidInfo", "aatFigRestoreColInfo", "aatFigRestoreFntInfo", "aatFigRestoreTipInfo",
        "aatFigRestoreCharExInfo", "aasPeekDispatch", "aatFigGetDimInfo", "aatFigSetDimInfo", "aatFigSetErrDist",
        "aatImageSetBitCount", "aatFigSetDrwOrder", "aatAtrUpdate", "aatAtrUpdate", "aatAtrUpdate",
        "aatAtrUpdate", "aatAtrUpdate", "aatAtrUpdate", "aatAtrUpdate", "aatAtrUpdate", "aatAtrUpdate",
        "aatDrwFigView", "aatAtrDisp", "as_FreeTable"};
    // Pages may read their copies while the sheet ends; only these calls count.
    std::vector<std::string> relevant;
    for (const std::string& name : afterSheet)
        if (std::find(expected.begin(), expected.end(), name) != expected.end()) relevant.push_back(name);
    EXPECT_EQ(relevant, expected);
    EXPECT_EQ(restoreFlags(), (std::vector<std::string>{"0", "0", "0", "0", "0", "0", "0"}));
    std::vector<std::string> ids;
    for (const auto& entry : mobrhost::journalEntries("aatAtrUpdate")) ids.push_back(entry.args.at(0));
    EXPECT_EQ(ids, (std::vector<std::string>{"20009", "20011", "20008", "20010", "24003", "24001", "24002",
                                             "24004", "-1"}));
    EXPECT_EQ(count("aatDbRead"), 0u) << "recolour box unticked: no element is read";
}

TEST_F(SysAttributeSheetTest, FigureValuesRoundTripThroughThePages)
{
    ASSERT_EQ(hostapi::aatFigSetErrDist(0, 0.001), 0);
    setDimValue(40, 0.0f);
    setDimValue(44, 200.0f);
    setDimValue(48, 1234.5f);
    run(ZqUiScript().ok());
    EXPECT_EQ(errorDistance(), 1.0 / 1.0e3) << "exponent 3 comes back as the reciprocal of 1.0E3";
    EXPECT_FLOAT_EQ(dimValue(40), 0.01f);
    EXPECT_FLOAT_EQ(dimValue(44), 180.0f);
    EXPECT_FLOAT_EQ(dimValue(48), 1234.5f);
}

TEST_F(SysAttributeSheetTest, ExponentOfTheErrorDistance)
{
    const std::pair<double, int> exact[] = {{0.001, 3}, {1000.0, -3}, {1.0, 0}, {1e-9, 9}};
    for (const auto& [distance, exponent] : exact) {
        int e = 99;
        EXPECT_TRUE(CSysAttributeSheet::exponentOf(distance, &e)) << distance;
        EXPECT_EQ(e, exponent) << distance;
    }
    // Distances that never reach 1 would loop for ever.
    for (const double never : {0.0, -1.0, std::nan(""), double(INFINITY)}) {
        int e = 99;
        EXPECT_FALSE(CSysAttributeSheet::exponentOf(never, &e)) << never;
    }
    EXPECT_EQ(CSysAttributeSheet::distanceOf(3), 0.001);
    EXPECT_EQ(CSysAttributeSheet::distanceOf(-2), 100.0);
}

TEST_F(SysAttributeSheetTest, RefusedErrorDistanceEndsBeforeTheSheet)
{
    ASSERT_EQ(hostapi::aatFigSetErrDist(0, 1e-9), 0);
    run(ZqUiScript().ok());
    EXPECT_EQ(dialogsShown(), 0u);
    EXPECT_EQ(restoreNames(), kSeven) << "every copy taken is thrown away";
    EXPECT_EQ(restoreFlags(), kOneCommitted);
    EXPECT_EQ(count("as_FreeTable"), 1u);
    EXPECT_EQ(count("ClearPenNameStringList"), 0u);
    EXPECT_EQ(count("aatAtrDisp"), 0u);
    EXPECT_EQ(errorDistance(), 1e-9);
}

TEST_F(SysAttributeSheetTest, NullCopyEndsAtOnceWithTheCopiesTakenSoFar)
{
    mobrhost::ScopedHostOverride noFonts("aatFigEditFntInfo", +[](short) -> void* { return nullptr; });
    run(ZqUiScript().ok());
    EXPECT_EQ(dialogsShown(), 0u);
    EXPECT_EQ(count("aatFigEditTipInfo"), 0u);
    EXPECT_EQ(count("aatFigEditCharExInfo"), 0u);
    EXPECT_EQ(restoreNames(), (std::vector<std::string>{"aatFigRestorePenInfoEx", "aatFigRestorePenExInfo",
                                                        "aatFigRestoreWidInfo", "aatFigRestoreColInfo"}));
    EXPECT_EQ(count("as_FreeTable"), 1u);
}

TEST_F(SysAttributeSheetTest, DimensionReadFailureEndsBeforeTheSheet)
{
    mobrhost::ScopedHostOverride failing("aatFigGetDimInfo", +[](short, void*) -> int32_t { return 1; });
    run(ZqUiScript().ok());
    EXPECT_EQ(dialogsShown(), 0u);
    EXPECT_EQ(restoreNames().size(), 6u) << "the extended characters were not taken yet";
}

// A sheet whose modal loop reports that it could not be shown.
class UnshownSheet : public CSysAttributeSheet {
public:
    explicit UnshownSheet(int result) : result_(result) {}

protected:
    int runSheet() override { return result_; }

private:
    int result_;
};

TEST_F(SysAttributeSheetTest, SheetThatCannotBeShownWarnsAndDiscards)
{
    for (int result : {-1, 3}) {
        mobrhost::journalClear();
        EXPECT_EQ(UnshownSheet(result).run(), 0);
        const auto warnings = mobrhost::journalEntries("aapLcom_mwar");
        ASSERT_EQ(warnings.size(), 1u);
        EXPECT_EQ(warnings.at(0).args.at(0), "9000");
        EXPECT_EQ(restoreFlags(), kOneCommitted);
        EXPECT_EQ(count("ChangeSketchPenName"), 0u);
        EXPECT_EQ(count("aatAtrDisp"), 0u);
    }
}

TEST_F(SysAttributeSheetTest, FailingRenameAfterOkDiscardsAndRefreshesNothing)
{
    mobrhost::ScopedHostOverride failing("ChangeSketchColorName", +[](short, void*) -> int32_t { return 0; });
    run(ZqUiScript().ok());
    EXPECT_EQ(count("ClearColorNameStringList"), 2u) << "emptied before the sheet and after its failed rename";
    EXPECT_EQ(count("ChangeSketchPenName"), 0u);
    EXPECT_EQ(count("ClearPenNameStringList"), 2u) << "emptied although it was not applied";
    EXPECT_EQ(restoreFlags(), kOneCommitted);
    EXPECT_EQ(count("aatAtrDisp"), 0u);
    EXPECT_EQ(count("aatFigSetErrDist"), 0u);
}

TEST_F(SysAttributeSheetTest, FailingCommitKeepsEarlierCommitsAndDiscardsTheRest)
{
    // The host refuses to commit the fonts but still lets them be thrown away.
    mobrhost::ScopedHostOverride refusing(
        "aatFigRestoreFntInfo", +[](short fig, void* copy, int32_t discard) -> int32_t {
            if (discard == 0) return 0;
            return figtest::model().restore(fig, copy, discard, mobrhost::TableKind::Font, nullptr);
        });
    run(ZqUiScript().ok());
    EXPECT_EQ(restoreNames(), (std::vector<std::string>{
                                  "aatFigRestorePenInfoEx", "aatFigRestorePenExInfo", "aatFigRestoreWidInfo",
                                  "aatFigRestoreColInfo", "aatFigRestoreFntInfo", "aatFigRestoreFntInfo",
                                  "aatFigRestoreTipInfo", "aatFigRestoreCharExInfo"}));
    EXPECT_EQ(restoreFlags(), (std::vector<std::string>{"0", "0", "0", "0", "0", "1", "1", "1"}));
    EXPECT_EQ(count("aasPeekDispatch"), 0u);
    EXPECT_EQ(count("aatAtrDisp"), 0u);
}

TEST_F(SysAttributeSheetTest, MissingHostFunctionStillEndsEveryCopy)
{
    void* real = aatDlgDllGetZqProcPtr("aatFigEditTipInfo");
    aatDlgDllSetZqProcPtr("aatFigEditTipInfo", nullptr);
    run(ZqUiScript().ok());
    aatDlgDllSetZqProcPtr("aatFigEditTipInfo", real);
    EXPECT_EQ(dialogsShown(), 0u);
    EXPECT_EQ(restoreNames().size(), 5u);
    EXPECT_EQ(count("as_FreeTable"), 1u);
}

TEST_F(SysAttributeSheetTest, RecolourRunsOnlyWhenTicked)
{
    // DASHED is red; a dashed line coloured black takes red when recoloured.
    const int32_t line = figtest::addElement(0, el::Line, 2, 1);
    run(ZqUiScript().check(1101, 1).ok());
    EXPECT_GT(count("aatDbRead"), 0u);
    EXPECT_EQ(figtest::model().figure(0)->elements.slot(line)[el::kColour], 2);
    const auto all = names();
    const auto recolour = std::find(all.begin(), all.end(), "aagInpInit");
    const auto refresh = std::find(all.begin(), all.end(), "aatAtrUpdate");
    EXPECT_LT(recolour, refresh) << "the pass runs before the displays are refreshed";
}


// Nothing reaches the host after the copies are ended: closing the sheet
// must not build the pages that were never shown (each would read its copy).
TEST_F(SysAttributeSheetTest, NoHostCallFollowsTheEndOfTheCopies)
{
    for (const bool ok : {false, true}) {
        SCOPED_TRACE(ok ? "OK on the last page" : "Cancel on the last page");
        ZqUiScript script = ZqUiScript().page(5);
        run(ok ? script.ok() : script.cancel());
        const auto entries = mobrhost::journalEntries();
        const auto lastRestore = std::find_if(entries.rbegin(), entries.rend(), [](const auto& entry) {
            return std::find(std::begin(kRestores), std::end(kRestores), entry.name) != std::end(kRestores);
        });
        ASSERT_NE(lastRestore, entries.rend());
        std::vector<std::string> after;
        for (auto it = entries.rbegin(); it != lastRestore; ++it) after.insert(after.begin(), it->name);
        for (const std::string& name : after) {
            EXPECT_TRUE(name.rfind("aatCol", 0) != 0 && name.rfind("aatTip", 0) != 0 &&
                        name.rfind("aatFnt", 0) != 0 && name.rfind("aatWid", 0) != 0 &&
                        name.rfind("aatPen", 0) != 0)
                << name << " after the copies were ended";
        }
        EXPECT_TRUE(mobrhost::unendedResources().empty());
    }
}

}  // namespace
