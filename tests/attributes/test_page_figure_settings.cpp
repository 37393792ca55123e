// The figure settings page in a property sheet, on the extended character
// edit copy of the reference host's default figure, with the UI driver
// acting as the person.

#include <QAbstractButton>
#include <QTreeWidget>
#include <algorithm>
#include <array>
#include <memory>

#include "AttributeTestHarness.h"
#include "FieldTableWalk.h"
#include "attributes/CPageSysAttribute5.h"
#include "attributes/CPageSysAttribute6.h"

namespace {

constexpr int kItemExponent = CPageSysAttribute5::kItemExponent;
constexpr int kItemDepth = CPageSysAttribute5::kItemColourDepth;
constexpr int kItemOrder = CPageSysAttribute5::kItemDrawOrder;
constexpr int kExponent = CPageSysAttribute5::kExponent;

int intItem(CPageSysAttribute5& page, int item)
{
    int value = -99;
    EXPECT_EQ(page.GetPageInt(item, &value), 1) << item;
    return value;
}

class FigureSettingsPage : public AttributeTestHarness {
protected:
    FigureSettingsPage() : AttributeTestHarness(kCharExCopy, Journal::Keep, HelpButton::Hidden) {}

    // A page handed the default values and the extended character copy.
    std::unique_ptr<CPageSysAttribute5> makePage(int exponent = 3, int depth = 0, int order = 1)
    {
        auto page = std::make_unique<CPageSysAttribute5>();
        EXPECT_EQ(page->SetPageInt(kItemExponent, exponent), 1);
        EXPECT_EQ(page->SetPageInt(kItemDepth, depth), 1);
        EXPECT_EQ(page->SetPageInt(kItemOrder, order), 1);
        EXPECT_EQ(page->SetCharExInfo(charEx_), 1);
        return page;
    }

    static QTreeWidget* groupList(CPageSysAttribute5& page)
    {
        return qobject_cast<QTreeWidget*>(page.GetDlgItem(CPageSysAttribute5::kGroupList));
    }

    // Ticks exactly the rows in `rows` of the group list.
    static ZqUiScript tickOnly(CPageSysAttribute5& page, std::vector<int> rows)
    {
        CPageSysAttribute5* shown = &page;
        return ZqUiScript().inspect([shown, rows](CZqWindow&) {
            QTreeWidget* tree = groupList(*shown);
            for (int r = 0; r < tree->topLevelItemCount(); ++r) {
                const bool on = std::find(rows.begin(), rows.end(), r) != rows.end();
                tree->topLevelItem(r)->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
            }
        });
    }
};

// EveryFieldOfTheTableRoundTrips walks the table's ranges; these are the
// ranges themselves, and an unknown item and a missing copy are refused.
TEST_F(FigureSettingsPage, RangesUnknownItemsAndNoCopy)
{
    CPageSysAttribute5 page;
    const std::array<int, 3> ranges[] = {{kItemExponent, -8, 8}, {kItemDepth, 0, 1}, {kItemOrder, 0, 2}};
    for (const auto& [item, minimum, maximum] : ranges) {
        EXPECT_EQ(page.SetPageInt(item, minimum - 1), 0) << item;
        EXPECT_EQ(page.SetPageInt(item, maximum + 1), 0) << item;
        EXPECT_EQ(page.SetPageInt(item, maximum), 1) << item;
    }
    EXPECT_EQ(page.SetPageInt(30004, 0), 0);
    int value = 0;
    EXPECT_EQ(page.GetPageInt(30004, &value), 0);
    EXPECT_EQ(page.SetCharExInfo(nullptr), 0);
}

TEST_F(FigureSettingsPage, ExponentThatIsNoNumberIsRefusedWhenLeaving)
{
    auto page = makePage(3);
    EXPECT_EQ(runSheet({page.get()}, ZqUiScript()
                                         .read(kExponent, "shown")
                                         .type(kExponent, "x").ok().read(kExponent, "no number")
                                         .cancel()),
              2);
    ASSERT_EQ(transcript().messages().size(), 1u);
    EXPECT_EQ(readOf("shown").text, "3");
    EXPECT_TRUE(readOf("no number").focused);
    EXPECT_EQ(intItem(*page, kItemExponent), 3);
}

TEST_F(FigureSettingsPage, MissingColourDepthChoiceIsRefusedAndHelpHasItsTopic)
{
    auto page = makePage();
    runSheet({page.get()}, ZqUiScript()
                               .inspect([&](CZqWindow&) {
                                   // Neither radio button chosen.
                                   auto* a = qobject_cast<QAbstractButton*>(page->GetDlgItem(1301));
                                   auto* b = qobject_cast<QAbstractButton*>(page->GetDlgItem(1302));
                                   a->setAutoExclusive(false);
                                   b->setAutoExclusive(false);
                                   a->setChecked(false);
                                   b->setChecked(false);
                               })
                               .ok()
                               .key(1401, "F1")
                               .cancel());
    ASSERT_EQ(transcript().messages().size(), 1u);
    EXPECT_EQ(transcript().messages()[0].messageId, 7270);
    EXPECT_EQ(argsOf("aapRunDlgHelp"), std::vector<std::vector<std::string>>{{"465"}});
}

TEST_F(FigureSettingsPage, NoTickedRowLeavesTheCopyEmpty)
{
    // Three entries: every one must go, whatever the numbering after a deletion.
    ASSERT_EQ(hostapi::aatCharExAddInfoMode(charEx_, 0x4, ""), 0);
    ASSERT_EQ(hostapi::aatCharExAddInfoMode(charEx_, 0x80, "ABC"), 0);
    ASSERT_EQ(hostapi::aatCharExGetCount(charEx_), 3);
    auto page = makePage();
    ZqUiScript script = tickOnly(*page, {});
    EXPECT_EQ(runSheet({page.get()}, script.ok()), 1);
    EXPECT_EQ(hostapi::aatCharExGetCount(charEx_), 0);
    EXPECT_TRUE(mobrhost::journalEntries("aatCharExAddInfoMode").size() == 2u) << "only the two set-up adds";
}

TEST_F(FigureSettingsPage, TickedRowsBecomeOneEntryWithTheGroupText)
{
    ASSERT_EQ(hostapi::aatCharExAddInfoMode(charEx_, 0x80, "XYZ"), 0);
    auto page = makePage();
    const std::string shot = ::testing::TempDir() + "sysattr-figure.png";
    EXPECT_EQ(runSheet({page.get()}, tickOnly(*page, {1, 3, 7}).screenshot(shot).ok()), 1);
    EXPECT_EQ(transcript().screenshots().size(), 1u);

    ASSERT_EQ(hostapi::aatCharExGetCount(charEx_), 1);
    char text[520] = {};
    EXPECT_EQ(hostapi::aatCharExGetInfoMode(charEx_, text, 520), 0x2 | 0x8 | 0x80);
    EXPECT_EQ(std::string(text), "XYZ");
}

TEST_F(FigureSettingsPage, RowsShowTheModeWordAndTheHostText)
{
    // Default figure: one entry, mode 0x1, no text: seven rows, the first ticked.
    auto page = makePage();
    std::vector<bool> ticked;
    std::string eighth, first;
    auto look = [&](CZqWindow&) {
        QTreeWidget* tree = groupList(*page);
        ticked.clear();
        for (int r = 0; r < tree->topLevelItemCount(); ++r) {
            ticked.push_back(tree->topLevelItem(r)->checkState(0) == Qt::Checked);
        }
        first = tree->topLevelItem(0)->text(0).toStdString() + "|" + tree->topLevelItem(0)->text(1).toStdString();
        eighth = tree->topLevelItemCount() > 7 ? tree->topLevelItem(7)->text(1).toStdString() : "";
    };
    runSheet({page.get()}, ZqUiScript().inspect(look).cancel());
    EXPECT_EQ(ticked, (std::vector<bool>{true, false, false, false, false, false, false}));
    EXPECT_EQ(first, ZqGetQString(7122).toStdString() + "|" + ZqGetQString(7131).toStdString());

    ASSERT_EQ(hostapi::aatCharExAddInfoMode(charEx_, 0x80 | 0x40, "KANA"), 0);
    page = makePage();
    runSheet({page.get()}, ZqUiScript().inspect(look).cancel());
    EXPECT_EQ(ticked, (std::vector<bool>{true, false, false, false, false, false, true, true}));
    EXPECT_EQ(eighth, "KANA");
    EXPECT_EQ(hostapi::aatCharExGetCount(charEx_), 2) << "Cancel leaves the copy alone";
}

TEST_F(FigureSettingsPage, PageNeverShownLeavesEverythingAsHandedIn)
{
    ASSERT_EQ(hostapi::aatCharExAddInfoMode(charEx_, 0x10, ""), 0);
    CPageSysAttribute6 first;
    auto page = makePage(-2, 1, 2);
    EXPECT_EQ(runSheet({&first, page.get()}, ZqUiScript().ok()), 1);
    EXPECT_FALSE(page->IsCreated());
    EXPECT_EQ(hostapi::aatCharExGetCount(charEx_), 2);
    char text[520] = {};
    EXPECT_EQ(hostapi::aatCharExGetInfoMode(charEx_, text, 520), 0x11);
    EXPECT_EQ(intItem(*page, kItemExponent), -2);
    EXPECT_EQ(intItem(*page, kItemDepth), 1);
    EXPECT_EQ(intItem(*page, kItemOrder), 2);
    EXPECT_TRUE(mobrhost::journalEntries("aatCharExDelete").empty());
}

// Every field of the page's table: typed or chosen, read back through the
// data link after OK; every bound refused when leaving the page.
TEST_F(FigureSettingsPage, EveryFieldOfTheTableRoundTrips)
{
    const auto& table = CPageSysAttribute5::fieldTable();
    for (const fieldwalk::Case& c : fieldwalk::cases(table)) {
        auto page = makePage(3, 0, 1);
        const int result = runSheet({page.get()}, fieldwalk::scriptFor(c));
        fieldwalk::expectOutcome(c, result, transcript(), [&] { return intItem(*page, c.field->item); });
    }
    CPageSysAttribute5 page;
    fieldwalk::expectItemsRoundTrip(page, table);
}

}  // namespace
