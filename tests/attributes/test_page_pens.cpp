// The line type page in a property sheet, on edit copies of the reference
// host's default figure (SOLID 1, DASHED 2, DOTTED 3, CHAIN 4 on styles 1-4,
// ASSIST 5 on style 6), with the UI driver acting as the person.

#include <QTreeWidget>
#include <algorithm>
#include <memory>

#include "AttributeTestHarness.h"
#include "FigureTestSupport.h"
#include "attributes/CPageSysAttribute1.h"
#include "attributes/CPenPreviewWnd.h"
#include "attributes/PenEditDlg.h"
#include "mobrcctl/ZqSampleDelegate.h"

namespace {

using Page = CPageSysAttribute1;
constexpr int kList = Page::kPenList;
constexpr int kAdd = Page::kAddButton, kModify = Page::kModifyButton, kDelete = Page::kDeleteButton,
              kPreview = Page::kPreviewButton, kUp = Page::kUpButton, kDown = Page::kDownButton,
              kRecolour = Page::kRecolourBox;
constexpr int kName = CPenEditDlg::kNameEdit, kWidths = CPenEditDlg::kWidthList, kColours = CPenEditDlg::kColourList;

std::string nameOf(void* pens, int pen)
{
    char name[mobr::kHostNameBufferBytes] = {};
    hostapi::aatPenGetName(pens, pen, name);
    return name;
}

// The name column of a row as the driver reads it (columns joined by tabs).
std::string nameIn(const std::vector<std::string>& rows, size_t row)
{
    const std::string& text = rows.at(row);
    return text.substr(0, text.find('\t'));
}

class PensPage : public AttributeTestHarness {
protected:
    PensPage()
        : AttributeTestHarness(kPenCopy | kPenColourCopy | kWidthCopy | kColourCopy, Journal::Keep,
                               HelpButton::Hidden)
    {
    }

    void SetUp() override
    {
        AttributeTestHarness::SetUp();
        if (HasFatalFailure()) return;
        int32_t count = 0;
        order_ = hostapi::as_MakeTable(figtest::countWord(pens_), &count);
        ASSERT_NE(order_, nullptr);
    }

    void TearDown() override
    {
        page_.reset();
        hostapi::as_FreeTable(order_);
        AttributeTestHarness::TearDown();
    }

    // A page handed the copies the way the attribute sheet hands them.
    std::unique_ptr<Page> makePage(bool withPens = true) const
    {
        auto page = std::make_unique<Page>();
        if (withPens) {
            EXPECT_EQ(page->SetPageData(Page::kItemPens, reinterpret_cast<std::intptr_t>(pens_)), 1);
        }
        EXPECT_EQ(page->SetPageData(Page::kItemWidths, reinterpret_cast<std::intptr_t>(widths_)), 1);
        EXPECT_EQ(page->SetPageData(Page::kItemColours, reinterpret_cast<std::intptr_t>(colours_)), 1);
        EXPECT_EQ(page->SetPageData(Page::kItemPenColours, reinterpret_cast<std::intptr_t>(penColours_)), 1);
        EXPECT_EQ(page->SetPageData(Page::kItemOrder, reinterpret_cast<std::intptr_t>(order_)), 1);
        EXPECT_EQ(page->SetPageData(30006, 1), 0);
        return page;
    }

    // Runs a sheet with the line type page (and `extra` pages behind it);
    // the page's order table is taken back afterwards, as the sheet's owner
    // does. Returns the modal result.
    int run(ZqUiScript script, std::vector<CZqPropertyPage*> extra = {}, bool withPens = true)
    {
        page_ = makePage(withPens);
        extra.insert(extra.begin(), page_.get());
        const int result = runSheet(extra, std::move(script));
        order_ = page_->GetOrderTable();
        return result;
    }

    std::vector<int> orderValues(int count) const
    {
        std::vector<int> values;
        for (int i = 0; i < count; ++i) values.push_back(hostapi::as_GetTableIndex(order_, i));
        return values;
    }
    // Inspects the page from a script.
    std::function<void(CZqWindow&)> look(std::function<void(Page&)> check)
    {
        return [this, check](CZqWindow&) { check(*page_); };
    }

    void* order_ = nullptr;
    std::unique_ptr<Page> page_;
};

TEST_F(PensPage, ListShowsEveryPenAndAnEmptyRow)
{
    figtest::addElement(0, 2, 3, 0);  // a line on DOTTED, before the copy is taken
    hostapi::aatFigRestorePenInfo(0, pens_, 1);
    pens_ = hostapi::aatFigEditPenInfo(0);
    std::vector<std::string> row1;
    bool icons[5] = {};
    run(ZqUiScript().inspect([&](CZqWindow&) {
        auto* tree = qobject_cast<QTreeWidget*>(page_->GetDlgItem(kList));
        ASSERT_NE(tree, nullptr);
        ASSERT_EQ(tree->topLevelItemCount(), 6);
        EXPECT_EQ(tree->columnCount(), 6);
        EXPECT_EQ(tree->headerItem()->text(5), ZqGetQString(7107));
        for (int c = 0; c < 6; ++c) row1.push_back(tree->topLevelItem(1)->text(c).toStdString());
        for (int r = 0; r < 5; ++r) icons[r] = !tree->topLevelItem(r)->icon(5).isNull();
        EXPECT_TRUE(tree->topLevelItem(5)->text(0).isEmpty());
        EXPECT_EQ(tree->topLevelItem(1)->data(1, ZqSampleDelegate::PitchRole).toList().size(), 2);
    }).read(kList, "list").cancel());
    EXPECT_EQ(row1, (std::vector<std::string>{"DASHED", "", "MEDIUM", "Dashed", "RED", ""}));
    EXPECT_EQ(std::vector<bool>(icons, icons + 5), (std::vector<bool>{false, false, true, false, false}));
    EXPECT_EQ(readOf("list").selection, 0);
}

TEST_F(PensPage, ButtonsFollowTheSelectedRow)
{
    // SOLID: last of its kind; DASHED: free; DOTTED: in use; the empty row.
    ASSERT_EQ(hostapi::aatPenSetPlotStyle(pens_, 4, 2), 0);
    run(ZqUiScript()
            .read(kAdd, "SOLID add").read(kModify, "SOLID modify").read(kDelete, "SOLID delete")
            .read(kPreview, "SOLID preview").read(kUp, "SOLID up").read(kDown, "SOLID down")
            .select(kList, 1).read(kDelete, "DASHED delete").read(kModify, "DASHED modify")
            .select(kList, 5).read(kAdd, "empty add").read(kModify, "empty modify").read(kDelete, "empty delete")
            .read(kUp, "empty up").read(kDown, "empty down")
            .cancel());
    EXPECT_TRUE(readOf("SOLID add").enabled);
    EXPECT_TRUE(readOf("SOLID modify").enabled);
    EXPECT_FALSE(readOf("SOLID delete").enabled) << "the only solid pen";
    EXPECT_FALSE(readOf("SOLID preview").enabled) << "the preview is open";
    EXPECT_TRUE(readOf("SOLID up").enabled);
    EXPECT_TRUE(readOf("SOLID down").enabled);
    EXPECT_TRUE(readOf("DASHED delete").enabled);
    EXPECT_TRUE(readOf("DASHED modify").enabled);
    EXPECT_TRUE(readOf("empty add").enabled);
    for (const char* label : {"empty modify", "empty delete", "empty up", "empty down"})
        EXPECT_FALSE(readOf(label).enabled) << label;
}

TEST_F(PensPage, AtTheLimitNothingCanBeAdded)
{
    for (int i = 6; i <= 255; ++i) ASSERT_EQ(hostapi::aatPenNewInfo(pens_, ("P" + std::to_string(i)).c_str()), i);
    run(ZqUiScript().read(kAdd, "add").dblclk(kList, 255).cancel());
    EXPECT_FALSE(readOf("add").enabled);
    ASSERT_EQ(transcript().dialogs().size(), 1u) << "no editor opened";
    EXPECT_EQ(hostapi::aatPenGetCount(pens_), 255);
}

TEST_F(PensPage, WithTwoPensNeitherCanBeDeleted)
{
    for (int pen = 5; pen >= 3; --pen) ASSERT_EQ(hostapi::aatPenDeleteInfo(pens_, pen), 0);
    run(ZqUiScript()
            .read(kDelete, "first delete").key(kList, "Delete")
            .select(kList, 1).read(kDelete, "second delete").key(kList, "Delete")
            .cancel());
    EXPECT_FALSE(readOf("first delete").enabled);
    EXPECT_FALSE(readOf("second delete").enabled);
    EXPECT_EQ(hostapi::aatPenGetCount(pens_), 2);
    EXPECT_EQ(page_->penCount(), 2);
}

TEST_F(PensPage, DeleteKeyIgnoresTheMaskRuleThatDisablesTheButton)
{
    // DASHED becomes the only solid pen with bit 0x2 clear.
    ASSERT_EQ(hostapi::aatPenSetPlotStyle(pens_, 2, 1), 0);
    ASSERT_EQ(hostapi::aatPenSetPitch(pens_, 2, nullptr, 0), 0);
    ASSERT_EQ(hostapi::aatPenSetMask(pens_, 1, 0x2), 0);
    run(ZqUiScript()
            .read(kDelete, "SOLID delete")
            .select(kList, 1).read(kDelete, "DASHED delete").key(kList, "Delete")
            .read(kList, "list")
            .cancel());
    EXPECT_TRUE(readOf("SOLID delete").enabled) << "SOLID: DASHED keeps every bit clear";
    EXPECT_FALSE(readOf("DASHED delete").enabled);
    EXPECT_EQ(hostapi::aatPenGetCount(pens_), 4);
    EXPECT_EQ(hostapi::aatPenFindName(pens_, "DASHED"), -1);
    EXPECT_EQ(readOf("list").selection, 1);
    EXPECT_EQ(nameIn(readOf("list").items, 1), "DOTTED");
}

TEST_F(PensPage, AddWritesTheNewPenInOrder)
{
    const int thick = hostapi::aatWidFindName(widths_, "THICK");
    ASSERT_EQ(hostapi::aatWidGetAttrib(widths_, thick) & 0x10, 0);
    void* const first = order_;
    mobrhost::journalClear();
    run(ZqUiScript()
            .select(kList, 1)
            .click(kAdd)
            .type(kName, "LONGDASH").select(kWidths, "THICK").select(kColours, "BLUE").ok()
            .read(kList, "list").read(kDelete, "delete")
            .ok());
    EXPECT_EQ(callsAmong({"aatPenNewInfo", "as_TableAddIndex", "as_FreeTable", "aatPenExNewInfo", "aatWidSetAttrib",
                         "aatPenSetWidth", "aatPenSetPitch", "aatPenSetPlotStyle", "aatPenExSetColor",
                         "aatPenSetMask"}),
              (std::vector<std::string>{"aatPenNewInfo", "as_TableAddIndex", "as_FreeTable", "aatPenExNewInfo",
                                        "aatWidSetAttrib", "aatPenSetWidth", "aatPenSetPitch", "aatPenSetPlotStyle",
                                        "aatPenExSetColor", "aatPenSetMask"}));
    EXPECT_NE(order_, first) << "the grown order table replaces the first";
    // The new pen is no old entry: the old ones keep their places.
    EXPECT_EQ(orderValues(6), (std::vector<int>{0, 1, 2, 3, 4, -1}));
    EXPECT_EQ(mobrhost::journalEntries("as_TableAddIndex").at(0).args.at(1), "5");
    const int pen = hostapi::aatPenFindName(pens_, "LONGDASH");
    ASSERT_EQ(pen, 6);
    EXPECT_EQ(hostapi::aatPenGetWidth(pens_, pen), thick);
    EXPECT_NE(hostapi::aatWidGetAttrib(widths_, thick) & 0x10, 0);
    EXPECT_EQ(hostapi::aatPenExGetColor(penColours_, pens_, pen), hostapi::aatColFindName(colours_, "BLUE"));
    EXPECT_EQ(hostapi::aatPenGetPlotStyle(pens_, pen), 2) << "seeded from DASHED";
    double pitch[10] = {};
    EXPECT_EQ(hostapi::aatPenGetPitch(pens_, pen, pitch, 10), 2);
    EXPECT_EQ(readOf("list").items.size(), 7u);
    EXPECT_EQ(nameIn(readOf("list").items, 5), "LONGDASH");
    EXPECT_EQ(readOf("list").selection, 5);
    EXPECT_TRUE(readOf("delete").enabled);
    EXPECT_EQ(page_->penCount(), 6);
}

TEST_F(PensPage, FailedAddLeavesCopiesAndOrderAsBefore)
{
    {
        mobrhost::ScopedHostOverride refuse("aatPenExNewInfo", +[](void*, void*, int32_t) -> int32_t { return -1; });
        run(ZqUiScript().dblclk(kList, 5).type(kName, "NEWPEN").ok().read(kList, "list").cancel());
    }
    EXPECT_EQ(messageIds(), std::vector<int>{7266});
    EXPECT_EQ(hostapi::aatPenGetCount(pens_), 5);
    EXPECT_EQ(hostapi::aatPenFindName(pens_, "NEWPEN"), -1);
    EXPECT_EQ(readOf("list").items.size(), 6u);
    EXPECT_EQ(readOf("list").selection, 5);
    EXPECT_EQ(orderValues(5), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(mobrhost::journalEntries("aatPenDeleteInfo").size(), 1u);

    {
        mobrhost::ScopedHostOverride refuse("aatPenNewInfo", +[](void*, const char*) -> int32_t { return -1; });
        mobrhost::journalClear();
        run(ZqUiScript().dblclk(kList, 5).type(kName, "NEWPEN").ok().cancel());
    }
    EXPECT_EQ(messageIds(), std::vector<int>{7265});
    EXPECT_TRUE(mobrhost::journalEntries("as_TableAddIndex").empty());
    EXPECT_EQ(hostapi::aatPenGetCount(pens_), 5);
}

TEST_F(PensPage, ModifyRecordsRealRenamesAndMovesTheWidthMark)
{
    const int medium = hostapi::aatWidFindName(widths_, "MEDIUM");
    const int thick = hostapi::aatWidFindName(widths_, "THICK");
    ASSERT_NE(hostapi::aatWidGetAttrib(widths_, medium) & 0x10, 0);
    mobrhost::journalClear();
    run(ZqUiScript()
            .dblclk(kList, 1).type(kName, "LONGDASH").select(kWidths, "THICK").ok()
            .select(kList, 0).click(kModify).select(kWidths, "THICK").ok()  // no rename
            .select(kList, 2).click(kDelete)
            .read(kList, "list")
            .ok());
    const auto renames = mobrhost::journalEntries("AddPenNameStringList");
    ASSERT_EQ(renames.size(), 1u);
    EXPECT_EQ(renames[0].args, (std::vector<std::string>{"\"DASHED\"", "\"LONGDASH\""}));
    // Both copies are given the name on every Modify, the unchanged one too.
    EXPECT_EQ(callsAmong({"aatPenExSetName", "aatPenSetName"}),
              (std::vector<std::string>{"aatPenExSetName", "aatPenSetName", "aatPenExSetName", "aatPenSetName"}));
    EXPECT_EQ(nameOf(pens_, 2), "LONGDASH");
    EXPECT_EQ(hostapi::aatPenGetWidth(pens_, 1), thick);
    EXPECT_EQ(hostapi::aatWidGetAttrib(widths_, medium) & 0x10, 0) << "no pen uses MEDIUM any more";
    EXPECT_NE(hostapi::aatWidGetAttrib(widths_, thick) & 0x10, 0);
    EXPECT_EQ(nameIn(readOf("list").items, 1), "LONGDASH");
    EXPECT_EQ(nameIn(readOf("list").items, 2), "CHAIN") << "DOTTED deleted";
}

TEST_F(PensPage, DeleteFollowsTheOrderTableAndTheSelection)
{
    ASSERT_EQ(hostapi::aatPenSetPlotStyle(pens_, 5, 2), 0);  // ASSIST no longer the only one of its kind
    run(ZqUiScript()
            .select(kList, 2).click(kDelete).read(kList, "without DOTTED")
            .select(kList, 3).click(kDelete).read(kList, "without the last")
            .cancel());
    EXPECT_EQ(readOf("without DOTTED").selection, 2);
    EXPECT_EQ(nameIn(readOf("without DOTTED").items, 2), "CHAIN");
    EXPECT_EQ(readOf("without the last").selection, 2) << "the last pen went: the row before the empty row";
    EXPECT_EQ(readOf("without the last").items.size(), 4u);
    EXPECT_EQ(orderValues(5), (std::vector<int>{0, 1, -1, 2, -1}));
    EXPECT_TRUE(mobrhost::journalEntries("AddPenNameStringList").empty());
    EXPECT_EQ(page_->penCount(), 3);
}

TEST_F(PensPage, MovesSwapPensAndTheOrderTable)
{
    run(ZqUiScript()
            .select(kList, 1).click(kDown).read(kList, "DASHED down")
            .click(kUp).click(kUp).read(kList, "DASHED up twice")
            .click(kUp).read(kList, "DASHED up from the top")
            .select(kList, 4).click(kDown).read(kList, "last down")
            .cancel());
    EXPECT_EQ(readOf("DASHED down").selection, 2);
    EXPECT_EQ(nameIn(readOf("DASHED down").items, 1), "DOTTED");
    EXPECT_EQ(nameIn(readOf("DASHED down").items, 2), "DASHED");
    EXPECT_EQ(readOf("DASHED up twice").selection, 0);
    EXPECT_EQ(nameIn(readOf("DASHED up twice").items, 0), "DASHED");
    EXPECT_EQ(readOf("DASHED up from the top").selection, 0) << "nothing above the first pen";
    EXPECT_EQ(readOf("last down").selection, 4) << "nothing below the last pen";
    EXPECT_EQ(nameOf(pens_, 1), "DASHED");
    EXPECT_EQ(nameOf(pens_, 2), "SOLID");
    EXPECT_EQ(nameOf(pens_, 3), "DOTTED");
    // Old pen j sits at position as_GetTableIndex(j).
    EXPECT_EQ(orderValues(5), (std::vector<int>{1, 0, 2, 3, 4}));
}

TEST_F(PensPage, PreviewFollowsTheSelectionAndClosesOnRequest)
{
    CPenPreviewWnd* seen[4] = {};
    int dots = 0;
    std::vector<int> pitch;
    std::string colour;
    run(ZqUiScript()
            .inspect(look([&](Page& p) { seen[0] = p.previewWindow(); }))
            .read(kPreview, "preview while open")
            .select(kList, 1)
            .inspect(look([&](Page& p) {
                ASSERT_TRUE(p.previewWindow());
                dots = p.previewWindow()->widthDots();
                pitch = p.previewWindow()->pitchDots();
                colour = p.previewWindow()->GetDlgItemText(CPenPreviewWnd::kColourText);
                p.previewWindow()->setCloseTicked(true);
            }))
            .select(kList, 2)
            .inspect(look([&](Page& p) { seen[1] = p.previewWindow(); }))
            .read(kPreview, "preview after closing")
            .click(kPreview)
            .inspect(look([&](Page& p) {
                seen[2] = p.previewWindow();
                if (seen[2]) seen[2]->reject();  // the window closes itself
                seen[3] = p.previewWindow();
            }))
            .read(kPreview, "preview after it closed itself")
            .select(kList, 5).read(kPreview, "preview on the empty row")
            .ok());
    EXPECT_NE(seen[0], nullptr) << "opened with the page";
    EXPECT_FALSE(readOf("preview while open").enabled);
    EXPECT_EQ(dots, hostapi::aatDrwGetWidthCount(25));
    EXPECT_EQ(pitch, (std::vector<int>{3, 1}));
    EXPECT_EQ(colour, "RED");
    EXPECT_EQ(seen[1], nullptr) << "ticked: closed by the selection change";
    EXPECT_TRUE(readOf("preview after closing").enabled);
    EXPECT_NE(seen[2], nullptr);
    EXPECT_EQ(seen[3], nullptr) << "forgotten once it closed itself";
    EXPECT_TRUE(readOf("preview after it closed itself").enabled);
    EXPECT_FALSE(readOf("preview on the empty row").enabled) << "the empty row has no pen to preview";
}

TEST_F(PensPage, PreviewReopensOnReturnUnlessItsBoxWasTicked)
{
    CZqPropertyPage other("IDD_S_014");
    bool open[4] = {};
    auto openNow = [&](int i) { return look([&open, i](Page& p) { open[i] = p.previewWindow() != nullptr; }); };
    // The sheet keeps the activation when the preview comes back: the driver
    // refuses (and the harness fails) actions in an inactive window.
    run(ZqUiScript()
            .page(1).inspect(openNow(0))
            .page(0).inspect(openNow(1))
            .check(kRecolour, true).select(kList, 1)
            .inspect(look([](Page& p) { p.previewWindow()->setCloseTicked(true); }))
            .page(1).page(0).inspect(openNow(2))
            .click(kPreview).inspect(openNow(3))
            .cancel(),
        {&other});
    EXPECT_FALSE(open[0]) << "destroyed when the page is left";
    EXPECT_TRUE(open[1]);
    EXPECT_FALSE(open[2]);
    EXPECT_TRUE(open[3]);
    EXPECT_EQ(page_->previewWindow(), nullptr) << "Cancel destroys it";
}

TEST_F(PensPage, OkKeepsTheRecolourBoxAndHelpNamesTheTopic)
{
    mobrhost::journalClear();
    EXPECT_EQ(run(ZqUiScript().check(kRecolour, true).key(kList, "F1").ok()), 1);
    EXPECT_EQ(page_->GetRecolourFlag(), 1);
    EXPECT_EQ(page_->previewWindow(), nullptr);
    const auto help = mobrhost::journalEntries("aapRunDlgHelp");
    ASSERT_EQ(help.size(), 1u);
    EXPECT_EQ(help[0].args, std::vector<std::string>{"457"});

    EXPECT_EQ(run(ZqUiScript().check(kRecolour, true).cancel()), 2);
    EXPECT_EQ(page_->GetRecolourFlag(), 0) << "only OK stores the box";
}

TEST_F(PensPage, PageIsNotCreatedWithoutThePenCopy)
{
    EXPECT_EQ(run(ZqUiScript().cancel(), {}, false), ZQ_RESULT_NOT_CREATED);
    EXPECT_EQ(page_->previewWindow(), nullptr);
}

TEST(PenPreviewPlacement, StaysOnTheScreen)
{
    const QRect screen(0, 0, 1920, 1080);
    const QSize size(300, 200);
    EXPECT_EQ(CPenPreviewWnd::keepOnScreen({800, 100}, size, screen), QPoint(800, 100));
    EXPECT_EQ(CPenPreviewWnd::keepOnScreen({1800, 100}, size, screen), QPoint(1620, 100));
    EXPECT_EQ(CPenPreviewWnd::keepOnScreen({100, 1000}, size, screen), QPoint(100, 880));
    EXPECT_EQ(CPenPreviewWnd::keepOnScreen({100, 100}, QSize(2500, 1500), screen), QPoint(0, 0));
}


}  // namespace
