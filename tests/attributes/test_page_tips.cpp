// The arrow tip page in a property sheet, on the tip edit copy of the
// reference host's default figure (built-in tips 1 to 9), with the UI driver
// acting as the person.

#include <cmath>
#include <memory>

#include "AttributeTestHarness.h"
#include "FieldTableWalk.h"
#include "FigureTestSupport.h"
#include "attributes/CPageSysAttribute6.h"
#include "model/TipTable.h"

namespace {

constexpr int kList = CPageSysAttribute6::kTipList;
constexpr int kResult = CPageSysAttribute6::kRenameResult;

class TipPage : public AttributeTestHarness {
protected:
    TipPage() : AttributeTestHarness(kTipCopy, Journal::Keep, HelpButton::Hidden) {}

    // User tips 17 upward in the copy, named in order.
    void addUserTips(std::initializer_list<const char*> names)
    {
        mobrhost::TipTable* table = figtest::model().tips(tips_);
        for (const char* name : names) {
            ASSERT_GT(table->addUser(name, "", {1.0, 0.2, 0.0, 0.0, 1.0, -0.2}, {-1.0, 0.2, 0.0, 0.0, -1.0, -0.2}), 16);
        }
    }

    // A page handed the tip copy and the default dimension values.
    std::unique_ptr<CPageSysAttribute6> makePage()
    {
        auto page = std::make_unique<CPageSysAttribute6>();
        EXPECT_EQ(page->SetPageData(30001, reinterpret_cast<std::intptr_t>(tips_)), 1);
        const double values[] = {2.5, 30.0, 1.0, hostapi::aatTipGetLength(tips_)};
        for (int i = 0; i < 4; ++i) EXPECT_EQ(page->SetPageDouble(30001 + i, values[i]), 1);
        return page;
    }

    std::vector<std::string> errors() const
    {
        std::vector<std::string> out;
        for (const auto& e : transcript().errors()) out.push_back(e.message);
        return out;
    }
    static std::string text(int id) { return ZqGetQString(id).toStdString(); }
    static int rowOfTip(CPageSysAttribute6& page, int tip)
    {
        for (int r = 0; page.GetRowTip(r) > 0; ++r) {
            if (page.GetRowTip(r) == tip) return r;
        }
        return -1;
    }
};

TEST_F(TipPage, ValuesAreClampedIntoTheirRanges)
{
    CPageSysAttribute6 page;
    EXPECT_EQ(page.SetPageDouble(30001, 0.0), 1);
    EXPECT_EQ(page.SetPageDouble(30002, 200.0), 1);
    EXPECT_EQ(page.SetPageDouble(30003, 5e7), 1);
    EXPECT_EQ(page.SetPageDouble(30004, -3.0), 1);
    EXPECT_DOUBLE_EQ(page.GetPageValue(30001), 0.01);
    EXPECT_DOUBLE_EQ(page.GetPageValue(30002), 180.0);
    EXPECT_DOUBLE_EQ(page.GetPageValue(30003), 999999.0);
    EXPECT_DOUBLE_EQ(page.GetPageValue(30004), 0.01);
    EXPECT_EQ(page.SetPageDouble(30002, -1.0), 1);
    EXPECT_DOUBLE_EQ(page.GetPageValue(30002), 0.0);
    EXPECT_EQ(page.SetPageDouble(30005, 1.0), 0);
    EXPECT_EQ(page.SetPageDouble(30001, std::nan("")), 0) << "not a number";
    EXPECT_DOUBLE_EQ(page.GetPageValue(30001), 0.01);
    EXPECT_EQ(page.GetPageValue(30005), 0.0);
    EXPECT_EQ(page.SetPageData(30002, 1), 0);
    EXPECT_EQ(page.SetPageData(30001, 0), 0);
}

TEST_F(TipPage, ListsBuiltInAndUserTipsSkippingTheReservedSlots)
{
    addUserTips({"HOOK", "FORK", "STAR", "WAVE"});   // 17 to 20
    ASSERT_EQ(hostapi::aatTipGetCount(tips_), 20);
    auto page = makePage();
    std::vector<long long> numbers;
    runSheet({page.get()}, ZqUiScript()
                               .read(kList)
                               .inspect([&](CZqWindow&) {
                            for (int r = 0; page->GetRowTip(r) > 0; ++r) numbers.push_back(page->GetRowTip(r));
                        })
                        .read(1401).read(1402).read(1404).read(1502).read(1503).read(1101).read(kResult)
                        .cancel());
    const auto& rows = readAt(0).items;
    ASSERT_EQ(rows.size(), 13u);
    EXPECT_EQ(rows.front(), "ARROW");
    EXPECT_EQ(rows[8], "DATUM");
    EXPECT_EQ(rows[9], "HOOK");
    EXPECT_EQ(rows.back(), "WAVE");
    EXPECT_EQ(numbers, (std::vector<long long>{1, 2, 3, 4, 5, 6, 7, 8, 9, 17, 18, 19, 20}));
    EXPECT_EQ(readAt(1).text, "2.50");
    EXPECT_EQ(readAt(2).text, "30.00");
    EXPECT_EQ(readAt(3).text, "2.50");
    for (size_t i = 4; i < 7; ++i) EXPECT_FALSE(readAt(i).enabled) << "nothing selected: " << readAt(i).id;
    EXPECT_FALSE(readAt(6).checked);
    EXPECT_EQ(readAt(7).text, text(7204));
}

TEST_F(TipPage, SelectionDecidesWhatMayBeDone)
{
    addUserTips({"HOOK", "FORK"});
    figtest::model().tips(tips_)->at(18)->attrib = 0x1;   // FORK is in use
    ASSERT_EQ(hostapi::aatTipSetMask(tips_, 2, 0x2), 0);
    auto page = makePage();
    runSheet({page.get()}, ZqUiScript()
                               .select(kList, 1).read(1502).read(1503).read(1101).read(1102)   // ARROW_FILLED
                               .select(kList, 9).read(1502).read(1503)                           // HOOK
                               .screenshot(::testing::TempDir() + "sysattr-tips.png")
                               .select(kList, 10).read(1502).read(1503)                          // FORK
                               .cancel());
    EXPECT_FALSE(readAt(0).enabled);
    EXPECT_FALSE(readAt(1).enabled);
    EXPECT_TRUE(readAt(2).enabled && readAt(2).checked);
    EXPECT_TRUE(readAt(3).enabled);
    EXPECT_FALSE(readAt(3).checked) << "bit 0x2 is set";
    EXPECT_TRUE(readAt(4).enabled && readAt(5).enabled);
    EXPECT_TRUE(readAt(6).enabled);
    EXPECT_FALSE(readAt(7).enabled) << "a tip in use cannot be deleted";
    EXPECT_TRUE(errors().empty());
    EXPECT_EQ(transcript().screenshots().size(), 1u);
}

TEST_F(TipPage, MaskBoxesClearAndSetTheBits)
{
    addUserTips({"HOOK"});
    auto page = makePage();
    runSheet({page.get()}, ZqUiScript().select(kList, 9).check(1101, false).check(1102, false).cancel());
    EXPECT_EQ(hostapi::aatTipGetMask(tips_, 17), 0x3);
    runSheet({page.get()}, ZqUiScript().select(kList, 9).read(1101).check(1101, true).select(kList, 0).check(1102, false).cancel());
    EXPECT_FALSE(readAt(0).checked);
    EXPECT_EQ(hostapi::aatTipGetMask(tips_, 17), 0x2);
    EXPECT_EQ(hostapi::aatTipGetMask(tips_, 1), 0x2);
    EXPECT_TRUE(errors().empty());
}

TEST_F(TipPage, RenameShowsItsVerdictBesideTheList)
{
    addUserTips({"HOOK", "FORK"});
    auto page = makePage();
    auto rename = [](ZqUiScript& s, const std::string& typed) {
        s.select(kList, 9).click(1502).type(kList, typed).key(kList, "Enter").read(kResult).read(kList);
    };
    ZqUiScript script;
    rename(script, "arrow_filled");          // a built-in tip's local name, other case
    rename(script, "fork");                  // another user tip
    rename(script, "   ");
    rename(script, " ABCDEFGHIJKLMNOPQ ");   // 17 bytes after trimming
    rename(script, "  BARB ");
    runSheet({page.get()}, script.cancel());
    EXPECT_TRUE(errors().empty()) << errors().front();
    EXPECT_EQ(readAt(0).text, text(7206));
    EXPECT_EQ(readAt(2).text, text(7206));
    EXPECT_EQ(readAt(4).text, text(7205));
    EXPECT_EQ(readAt(6).text, text(7207));
    EXPECT_EQ(readAt(7).items.at(9), "HOOK") << "refused names leave the row";
    EXPECT_EQ(readAt(8).text, text(7204));
    EXPECT_EQ(readAt(9).items.at(9), "BARB");
    EXPECT_TRUE(transcript().messages().empty()) << "no message box";
    EXPECT_EQ(hostapi::aatTipFindName(tips_, "BARB"), 17);
    EXPECT_EQ(hostapi::aatTipFindName(tips_, "HOOK"), -1);
}

TEST_F(TipPage, DeleteRemovesOnlyFreeUserTips)
{
    addUserTips({"HOOK", "FORK", "STAR"});
    auto page = makePage();
    int afterFirst = -2;
    runSheet({page.get()}, ZqUiScript()
                               .select(kList, 10).click(1503)     // FORK
                               .read(kList).read(1503)
                               .inspect([&](CZqWindow&) { afterFirst = rowOfTip(*page, 18); })
                               .select(kList, 10).click(1503)     // STAR, now tip 18
                               .read(kList)
                               .cancel());
    EXPECT_EQ(readAt(0).items.size(), 11u);
    EXPECT_EQ(readAt(0).selection, -1);
    EXPECT_FALSE(readAt(1).enabled);
    EXPECT_EQ(afterFirst, 10) << "STAR moved to number 18";
    ASSERT_EQ(readAt(2).items.size(), 10u);
    EXPECT_EQ(readAt(2).items.back(), "HOOK");
    EXPECT_EQ(hostapi::aatTipGetCount(tips_), 17);
    EXPECT_EQ(hostapi::aatTipFindName(tips_, "HOOK"), 17);
    // Each deletion found its tip by the row's name.
    const auto finds = argsOf("aatTipFindName");
    EXPECT_NE(std::find(finds.begin(), finds.end(), std::vector<std::string>{"tip#1", "\"FORK\""}), finds.end());
    EXPECT_NE(std::find(finds.begin(), finds.end(), std::vector<std::string>{"tip#1", "\"STAR\""}), finds.end());
}

TEST_F(TipPage, FieldsAreCheckedWhenLeavingAndWriteTheTipLength)
{
    auto page = makePage();
    EXPECT_EQ(runSheet({page.get()}, ZqUiScript()
                                         .type(1402, "180.01").type(1404, "3.75").ok().read(1402)
                                         .type(1402, "180.00").type(1401, "0").ok().read(1401)
                                         .type(1401, "0.01").ok()),
              1);
    ASSERT_EQ(transcript().messages().size(), 2u);
    EXPECT_TRUE(readAt(0).focused);
    EXPECT_TRUE(readAt(1).focused);
    EXPECT_DOUBLE_EQ(page->GetPageValue(30001), 0.01);
    EXPECT_DOUBLE_EQ(page->GetPageValue(30002), 180.0);
    EXPECT_DOUBLE_EQ(page->GetPageValue(30004), 3.75);
    EXPECT_DOUBLE_EQ(hostapi::aatTipGetLength(tips_), 3.75);
    const auto calls = mobrhost::journalEntries("aatTipSetLength");
    ASSERT_EQ(calls.size(), 1u) << "only a page that was left successfully writes the length";

    // A refused page keeps its values and the copy its length.
    auto refused = makePage();
    EXPECT_EQ(runSheet({refused.get()}, ZqUiScript().type(1404, "0").ok().cancel()), 2);
    EXPECT_DOUBLE_EQ(refused->GetPageValue(30004), 3.75);
    EXPECT_EQ(mobrhost::journalEntries("aatTipSetLength").size(), 1u);
}

TEST_F(TipPage, ValuesHandedInLaterRefreshTheFields)
{
    auto page = makePage();
    runSheet({page.get()}, ZqUiScript()
                               .inspect([&](CZqWindow&) { page->SetPageDouble(30002, 500.0); })
                               .read(1402)
                               .key(1401, "F1")
                               .cancel());
    EXPECT_EQ(readAt(0).text, "180.00");
    const auto calls = mobrhost::journalEntries("aapRunDlgHelp");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].args, std::vector<std::string>{"484"});
}


TEST_F(TipPage, EveryFieldOfTheTableRoundTrips)
{
    const auto& table = CPageSysAttribute6::fieldTable();
    for (const fieldwalk::Case& c : fieldwalk::cases(table)) {
        auto page = makePage();
        const int result = runSheet({page.get()}, fieldwalk::scriptFor(c));
        fieldwalk::expectOutcome(c, result, transcript(), [&] { return page->GetPageValue(c.field->item); });
    }
    CPageSysAttribute6 page;
    fieldwalk::expectItemsRoundTrip(page, table);
}

TEST_F(TipPage, UntouchedFieldsKeepTheirExactValues)
{
    // The fields show two decimals; reading that text back would round.
    auto page = makePage();
    ASSERT_EQ(page->SetPageDouble(30001, 2.345), 1);
    ASSERT_EQ(page->SetPageDouble(30004, 1.0 / 3.0), 1);
    EXPECT_EQ(runSheet({page.get()}, ZqUiScript().read(1401).ok()), 1);
    EXPECT_EQ(transcript().reads().at(0).state.text, "2.35");
    EXPECT_DOUBLE_EQ(page->GetPageValue(30001), 2.345);
    EXPECT_DOUBLE_EQ(page->GetPageValue(30004), 1.0 / 3.0);
    EXPECT_DOUBLE_EQ(hostapi::aatTipGetLength(tips_), 1.0 / 3.0);
}

}  // namespace
