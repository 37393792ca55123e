// The arrow tip page in a property sheet, on the tip edit copy of the
// reference host's default figure (built-in tips 1 to 9), with the UI driver
// acting as the person.

#include <array>
#include <cmath>
#include <memory>

#include "AttributeTestHarness.h"
#include "FieldTableWalk.h"
#include "FigureTestSupport.h"
#include "attributes/CPageSysAttribute6.h"
#include "model/TipTable.h"

namespace {

using Page = CPageSysAttribute6;
constexpr int kList = Page::kTipList;
constexpr int kResult = Page::kRenameResult;
constexpr int kRename = Page::kRename, kDelete = Page::kDelete, kBox1 = Page::kMaskBox1, kBox2 = Page::kMaskBox2;
constexpr int kValue1 = Page::kFirstValue, kAngle = Page::kFirstValue + 1, kValue3 = Page::kFirstValue + 2,
              kLength = Page::kFirstValue + 3;

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

// EveryFieldOfTheTableRoundTrips walks the table's ranges and clamping;
// these are the ranges themselves. A value that is no number leaves the item
// alone; unknown items and a missing copy are refused.
TEST_F(TipPage, RangesNoNumberUnknownItemsAndNoCopy)
{
    CPageSysAttribute6 page;
    const std::array<double, 3> ranges[] = {{30001, 0.01, 999999.0}, {30002, 0.0, 180.0},
                                            {30003, 0.01, 999999.0}, {30004, 0.01, 999999.0}};
    for (const auto& [item, minimum, maximum] : ranges) {
        EXPECT_EQ(page.SetPageDouble(int(item), minimum - 1.0), 1);
        EXPECT_DOUBLE_EQ(page.GetPageValue(int(item)), minimum) << item;
        EXPECT_EQ(page.SetPageDouble(int(item), maximum + 1.0), 1);
        EXPECT_DOUBLE_EQ(page.GetPageValue(int(item)), maximum) << item;
    }
    ASSERT_EQ(page.SetPageDouble(30001, 2.5), 1);
    EXPECT_EQ(page.SetPageDouble(30001, std::nan("")), 0) << "not a number";
    EXPECT_DOUBLE_EQ(page.GetPageValue(30001), 2.5);
    EXPECT_EQ(page.SetPageDouble(30005, 1.0), 0);
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
                               .read(kList, "list")
                               .inspect([&](CZqWindow&) {
                            for (int r = 0; page->GetRowTip(r) > 0; ++r) numbers.push_back(page->GetRowTip(r));
                        })
                        .read(kValue1, "value 1").read(kAngle, "angle").read(kLength, "length")
                        .read(kRename, "rename").read(kDelete, "delete").read(kBox1, "box 1").read(kResult, "verdict")
                        .cancel());
    const auto& rows = readOf("list").items;
    ASSERT_EQ(rows.size(), 13u);
    EXPECT_EQ(rows.front(), "ARROW");
    EXPECT_EQ(rows[8], "DATUM");
    EXPECT_EQ(rows[9], "HOOK");
    EXPECT_EQ(rows.back(), "WAVE");
    EXPECT_EQ(numbers, (std::vector<long long>{1, 2, 3, 4, 5, 6, 7, 8, 9, 17, 18, 19, 20}));
    EXPECT_EQ(readOf("value 1").text, "2.50");
    EXPECT_EQ(readOf("angle").text, "30.00");
    EXPECT_EQ(readOf("length").text, "2.50");
    for (const char* label : {"rename", "delete", "box 1"}) EXPECT_FALSE(readOf(label).enabled) << "nothing selected: " << label;
    EXPECT_FALSE(readOf("box 1").checked);
    EXPECT_EQ(readOf("verdict").text, text(7204));
}

TEST_F(TipPage, SelectionDecidesWhatMayBeDone)
{
    addUserTips({"HOOK", "FORK"});
    figtest::model().tips(tips_)->at(18)->attrib = 0x1;   // FORK is in use
    ASSERT_EQ(hostapi::aatTipSetMask(tips_, 2, 0x2), 0);
    auto page = makePage();
    runSheet({page.get()}, ZqUiScript()
                               .select(kList, 1)   // ARROW_FILLED
                               .read(kRename, "built-in rename").read(kDelete, "built-in delete")
                               .read(kBox1, "built-in box 1").read(kBox2, "built-in box 2")
                               .select(kList, 9)   // HOOK
                               .read(kRename, "free rename").read(kDelete, "free delete")
                               .screenshot(::testing::TempDir() + "sysattr-tips.png")
                               .select(kList, 10)  // FORK
                               .read(kRename, "used rename").read(kDelete, "used delete")
                               .cancel());
    EXPECT_FALSE(readOf("built-in rename").enabled);
    EXPECT_FALSE(readOf("built-in delete").enabled);
    EXPECT_TRUE(readOf("built-in box 1").enabled && readOf("built-in box 1").checked);
    EXPECT_TRUE(readOf("built-in box 2").enabled);
    EXPECT_FALSE(readOf("built-in box 2").checked) << "bit 0x2 is set";
    EXPECT_TRUE(readOf("free rename").enabled && readOf("free delete").enabled);
    EXPECT_TRUE(readOf("used rename").enabled);
    EXPECT_FALSE(readOf("used delete").enabled) << "a tip in use cannot be deleted";
    EXPECT_TRUE(errors().empty());
    EXPECT_EQ(transcript().screenshots().size(), 1u);
}

TEST_F(TipPage, MaskBoxesClearAndSetTheBits)
{
    addUserTips({"HOOK"});
    auto page = makePage();
    runSheet({page.get()}, ZqUiScript().select(kList, 9).check(kBox1, false).check(kBox2, false).cancel());
    EXPECT_EQ(hostapi::aatTipGetMask(tips_, 17), 0x3);
    runSheet({page.get()}, ZqUiScript()
                               .select(kList, 9).read(kBox1, "box 1").check(kBox1, true)
                               .select(kList, 0).check(kBox2, false)
                               .cancel());
    EXPECT_FALSE(readOf("box 1").checked);
    EXPECT_EQ(hostapi::aatTipGetMask(tips_, 17), 0x2);
    EXPECT_EQ(hostapi::aatTipGetMask(tips_, 1), 0x2);
    EXPECT_TRUE(errors().empty());
}

TEST_F(TipPage, RenameShowsItsVerdictBesideTheList)
{
    addUserTips({"HOOK", "FORK"});
    auto page = makePage();
    // Each rename reads the verdict and the list under the typed text's label.
    auto rename = [](ZqUiScript& s, const std::string& label, const std::string& typed) {
        s.select(kList, 9).click(kRename).type(kList, typed).key(kList, "Enter");
        s.read(kResult, label + " verdict").read(kList, label + " list");
    };
    ZqUiScript script;
    rename(script, "built-in", "arrow_filled");  // a built-in tip's local name, other case
    rename(script, "user", "fork");              // another user tip
    rename(script, "blank", "   ");
    rename(script, "long", " ABCDEFGHIJKLMNOPQ ");  // 17 bytes after trimming
    rename(script, "good", "  BARB ");
    runSheet({page.get()}, script.cancel());
    EXPECT_TRUE(errors().empty()) << errors().front();
    EXPECT_EQ(readOf("built-in verdict").text, text(7206));
    EXPECT_EQ(readOf("user verdict").text, text(7206));
    EXPECT_EQ(readOf("blank verdict").text, text(7205));
    EXPECT_EQ(readOf("long verdict").text, text(7207));
    EXPECT_EQ(readOf("long list").items.at(9), "HOOK") << "refused names leave the row";
    EXPECT_EQ(readOf("good verdict").text, text(7204));
    EXPECT_EQ(readOf("good list").items.at(9), "BARB");
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
                               .select(kList, 10).click(kDelete)     // FORK
                               .read(kList, "list without FORK").read(kDelete, "delete without FORK")
                               .inspect([&](CZqWindow&) { afterFirst = rowOfTip(*page, 18); })
                               .select(kList, 10).click(kDelete)     // STAR, now tip 18
                               .read(kList, "list without STAR")
                               .cancel());
    EXPECT_EQ(readOf("list without FORK").items.size(), 11u);
    EXPECT_EQ(readOf("list without FORK").selection, -1);
    EXPECT_FALSE(readOf("delete without FORK").enabled);
    EXPECT_EQ(afterFirst, 10) << "STAR moved to number 18";
    ASSERT_EQ(readOf("list without STAR").items.size(), 10u);
    EXPECT_EQ(readOf("list without STAR").items.back(), "HOOK");
    EXPECT_EQ(hostapi::aatTipGetCount(tips_), 17);
    EXPECT_EQ(hostapi::aatTipFindName(tips_, "HOOK"), 17);
    // Each deletion found its tip by the row's name.
    const auto finds = argsOf("aatTipFindName");
    EXPECT_NE(std::find(finds.begin(), finds.end(), std::vector<std::string>{"tip#1", "\"FORK\""}), finds.end());
    EXPECT_NE(std::find(finds.begin(), finds.end(), std::vector<std::string>{"tip#1", "\"STAR\""}), finds.end());
}

// Each field's bounds are walked in EveryFieldOfTheTableRoundTrips; here the
// tip length goes to the copy once, and only from a page left with OK.
TEST_F(TipPage, LeavingWithOkWritesTheTipLength)
{
    auto page = makePage();
    EXPECT_EQ(runSheet({page.get()}, ZqUiScript().type(kLength, "3.75").ok()), 1);
    EXPECT_DOUBLE_EQ(page->GetPageValue(30004), 3.75);
    EXPECT_DOUBLE_EQ(hostapi::aatTipGetLength(tips_), 3.75);
    ASSERT_EQ(mobrhost::journalEntries("aatTipSetLength").size(), 1u);

    // A refused page keeps its values and the copy its length.
    auto refused = makePage();
    EXPECT_EQ(runSheet({refused.get()}, ZqUiScript().type(kLength, "0").ok().cancel()), 2);
    EXPECT_DOUBLE_EQ(refused->GetPageValue(30004), 3.75);
    EXPECT_EQ(mobrhost::journalEntries("aatTipSetLength").size(), 1u);
}

TEST_F(TipPage, ValuesHandedInLaterRefreshTheFields)
{
    auto page = makePage();
    runSheet({page.get()}, ZqUiScript()
                               .inspect([&](CZqWindow&) { page->SetPageDouble(30002, 500.0); })
                               .read(kAngle, "angle")
                               .key(kValue1, "F1")
                               .cancel());
    EXPECT_EQ(readOf("angle").text, "180.00");
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
    EXPECT_EQ(runSheet({page.get()}, ZqUiScript().read(kValue1, "value 1").ok()), 1);
    EXPECT_EQ(readOf("value 1").text, "2.35");
    EXPECT_DOUBLE_EQ(page->GetPageValue(30001), 2.345);
    EXPECT_DOUBLE_EQ(page->GetPageValue(30004), 1.0 / 3.0);
    EXPECT_DOUBLE_EQ(hostapi::aatTipGetLength(tips_), 1.0 / 3.0);
}

}  // namespace
