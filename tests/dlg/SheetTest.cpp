#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <QJsonArray>
#include <QJsonDocument>

#include "mobrdlg/ZqMessageBox.h"
#include "mobrdlg/ZqPropertySheet.h"
#include "mobrdlg/ZqUiDriver.h"

namespace {

// A page that logs its hooks as "<name> <hook>" and refuses to be left while
// its first edit says "bad".
class TestPage : public CZqPropertyPage {
public:
    TestPage(const char* layout, int caption, std::string name, int edit, std::vector<std::string>& log)
        : CZqPropertyPage(layout, caption), name_(std::move(name)), edit_(edit), log_(log)
    {
    }
    bool OnInitDialog() override
    {
        log_.push_back(name_ + " init");
        return true;
    }
    bool OnSetActive() override
    {
        log_.push_back(name_ + " setactive");
        return true;
    }
    bool OnKillActive() override
    {
        log_.push_back(name_ + " killactive");
        if (GetDlgItemText(edit_) != "bad") return true;
        ZqDlgWarningBox(this, 7100);
        SelectAllText(edit_);
        SetFocusTo(edit_);
        return false;
    }
    bool OnKillFocus(int id, int newId) override
    {
        log_.push_back(name_ + " kill " + std::to_string(id) + ">" + std::to_string(newId));
        return true;
    }
    void OnOK() override { log_.push_back(name_ + " ok"); }
    void OnCancel() override { log_.push_back(name_ + " cancel"); }
    void OnHelp() override { log_.push_back(name_ + " help"); }

private:
    std::string name_;
    int edit_;
    std::vector<std::string>& log_;
};

struct Sheet {
    std::vector<std::string> log;
    TestPage p0{"IDD_TEST_PAGE1", 7102, "p0", 2401, log};
    TestPage p1{"IDD_TEST_PAGE2", 7103, "p1", 2501, log};
    TestPage p2{"IDD_TEST_PAGE3", 0, "p2", 2601, log};
    CZqPropertySheet sheet;

    explicit Sheet(int first) : sheet(std::string("Sheet"), nullptr, first)
    {
        sheet.AddPage(&p0);
        sheet.AddPage(&p1);
        sheet.AddPage(&p2);
    }
    bool has(const std::string& entry) const
    {
        return std::find(log.begin(), log.end(), entry) != log.end();
    }
};

}  // namespace

TEST(PropertySheet, PagesAreCreatedWhenFirstShownAndOkReachesThem)
{
    Sheet s(1);
    std::vector<bool> createdAtStart;
    CZqUiDriver driver(ZqUiScript()
                           .inspect([&](CZqWindow&) {
                               createdAtStart = {s.p0.IsCreated(), s.p1.IsCreated(), s.p2.IsCreated()};
                           })
                           .type(2501, "x")
                           .page(2)
                           .type(2601, "y")
                           .ok());
    EXPECT_FALSE(s.p0.IsCreated());
    EXPECT_EQ(s.p0.GetDlgItem(2401), nullptr) << "no controls before the page is shown";
    EXPECT_EQ(s.p2.caption(), QStringLiteral("Third page")) << "no caption id: the layout's title, before it is built";
    EXPECT_EQ(s.sheet.DoModal(), 1);
    EXPECT_EQ(createdAtStart, (std::vector<bool>{false, true, false}));
    EXPECT_FALSE(s.p0.IsCreated());
    EXPECT_TRUE(s.has("p1 ok"));
    EXPECT_TRUE(s.has("p2 ok"));
    EXPECT_FALSE(s.has("p0 ok")) << "a page never shown gets no OnOK";
    EXPECT_FALSE(s.has("p0 init"));
    EXPECT_EQ(s.p2.GetDlgItemText(2601), "y");
    EXPECT_EQ(s.sheet.GetActivePage(), &s.p2);
    EXPECT_EQ(s.p2.caption(), QStringLiteral("Third page"));
    EXPECT_EQ(s.p1.caption(), QStringLiteral("Second page"));
    EXPECT_TRUE(driver.transcript().errors().empty());
    ASSERT_EQ(driver.transcript().dialogs().size(), 1u);
    EXPECT_EQ(driver.transcript().dialogs()[0].name, "Sheet");
}

TEST(PropertySheet, OpensAsLargeAsItsLargestPageAndKeepsItsSize)
{
    Sheet s(0);
    QSize first, third;
    CZqUiDriver driver(ZqUiScript()
                           .inspect([&](CZqWindow&) { first = s.sheet.size(); })
                           .page(2)
                           .inspect([&](CZqWindow&) { third = s.sheet.size(); })
                           .ok());
    EXPECT_EQ(s.sheet.DoModal(), 1);
    EXPECT_GE(first.width(), 420) << "the third page's layout is already counted on the first";
    EXPECT_GE(first.height(), 260);
    EXPECT_EQ(third, first) << "showing the largest page does not resize the sheet";
}

TEST(PropertySheet, LeavingAPageCanBeRefusedWhicheverWayThePersonSwitches)
{
    Sheet s(0);
    std::vector<int> active;
    auto where = [&](CZqWindow&) { active.push_back(s.sheet.GetActiveIndex()); };
    CZqUiDriver driver(ZqUiScript()
                           .type(2401, "bad")
                           .page(1).answer(1).inspect(where)                 // refused: 0
                           .key(2401, "Ctrl+Tab").answer(1).inspect(where)   // refused: 0
                           .type(2401, "good")
                           .key(2402, "Ctrl+Tab").inspect(where)             // 1
                           .key(2501, "Ctrl+PageDown").inspect(where)        // 2
                           .key(2601, "Ctrl+PageDown").inspect(where)        // wraps to 0
                           .key(2401, "Ctrl+Shift+Tab").inspect(where)       // 2
                           .key(2601, "Ctrl+PageUp").inspect(where)          // 1
                           .cancel());
    EXPECT_EQ(s.sheet.DoModal(), 2);
    EXPECT_EQ(active, (std::vector<int>{0, 0, 1, 2, 0, 2, 1}));
    EXPECT_EQ(driver.transcript().messages().size(), 2u);
    EXPECT_TRUE(driver.transcript().errors().empty());
    // Cancel reaches every created page.
    EXPECT_TRUE(s.has("p0 cancel"));
    EXPECT_TRUE(s.has("p1 cancel"));
    EXPECT_TRUE(s.has("p2 cancel"));
    // The page switches themselves reported no focus loss from the hidden page.
    EXPECT_FALSE(s.has("p0 kill 2402>0"));
}

TEST(PropertySheet, OkIsRefusedByTheActivePageAndFocusLossNamesTheSheetButton)
{
    Sheet s(0);
    int focusAfterRefusal = 0;
    CZqUiDriver driver(ZqUiScript()
                           .type(2401, "bad")
                           .ok().answer(1)
                           .inspect([&](CZqWindow&) { focusAfterRefusal = s.p0.GetFocusId(); })
                           .type(2401, "fine")
                           .ok());
    EXPECT_EQ(s.sheet.DoModal(), 1);
    EXPECT_EQ(focusAfterRefusal, 2401);
    EXPECT_TRUE(s.has("p0 kill 2401>1"));
    int oks = int(std::count(s.log.begin(), s.log.end(), std::string("p0 ok")));
    EXPECT_EQ(oks, 1) << "the refused OK did not reach the page";
}

TEST(PropertySheet, SetActivePageBeforeShowingChoosesTheFirstPage)
{
    Sheet s(0);
    EXPECT_TRUE(s.sheet.SetActivePage(&s.p2));
    EXPECT_FALSE(s.sheet.SetActivePage(7));
    CZqUiDriver driver(ZqUiScript().read(2601).cancel());
    EXPECT_EQ(s.sheet.DoModal(), 2);
    ASSERT_NE(driver.transcript().lastRead(2601), nullptr);
    EXPECT_TRUE(driver.transcript().lastRead(2601)->focused) << "the first control of the page has the focus";
    EXPECT_FALSE(s.p0.IsCreated());
}

TEST(PropertySheet, ScriptsNamePagesByLayoutAndActionsMayNameThePageShown)
{
    Sheet s(0);
    QString error;
    const ZqUiScript script = ZqUiScript::fromJson(QJsonDocument::fromJson(R"([
        {"page": "IDD_TEST_PAGE3"},
        {"read": 2601, "dialog": "IDD_TEST_PAGE3"},
        {"read": 2601, "dialog": "IDD_TEST_PAGE1"},
        {"page": "IDD_NO_SUCH_PAGE"},
        {"page": "IDD_TEST_PAGE2"},
        {"read": 2501, "dialog": "Sheet"},
        "cancel"
    ])").array(), &error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    CZqUiDriver driver(script);
    EXPECT_EQ(s.sheet.DoModal(), 2);
    EXPECT_EQ(s.sheet.GetActiveIndex(), 1);
    EXPECT_TRUE(s.p2.IsCreated());
    // The reads on the page shown and by the sheet's own name ran; the one
    // naming a page that was not shown and the unknown page were refused.
    EXPECT_EQ(driver.transcript().reads().size(), 2u);
    ASSERT_EQ(driver.transcript().errors().size(), 2u);
    EXPECT_EQ(driver.transcript().errors()[0].action, 2);
    EXPECT_EQ(driver.transcript().errors()[1].action, 3);
    EXPECT_NE(driver.transcript().errors()[1].message.find("IDD_NO_SUCH_PAGE"), std::string::npos);
}
