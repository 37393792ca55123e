#include <gtest/gtest.h>

#include <memory>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include "TestDialogs.h"
#include "mobrdlg/ZqControls.h"
#include "mobrdlg/ZqUiDriver.h"

namespace {

int focusId(CZqWindow& window)
{
    return window.GetFocusId();
}

}  // namespace

TEST(DialogModal, ResultsOfTheWaysADialogEnds)
{
    {
        CZqUiDriver driver(ZqUiScript().ok());
        TestEditsDialog dialog;
        EXPECT_EQ(dialog.DoModal(), 1);
    }
    {
        CZqUiDriver driver(ZqUiScript().cancel());
        TestEditsDialog dialog;
        EXPECT_EQ(dialog.DoModal(), 2);
        EXPECT_TRUE(dialog.has("cancel"));
    }
    {
        CZqUiDriver driver;
        TestEditsDialog dialog("IDD_NO_SUCH_LAYOUT");
        EXPECT_FALSE(dialog.isCreated());
        EXPECT_EQ(dialog.GetDlgItem(1401), nullptr);
        EXPECT_EQ(dialog.DoModal(), -1);
        EXPECT_FALSE(dialog.has("init"));
        EXPECT_TRUE(driver.transcript().dialogs().empty());
    }
    {
        CZqUiDriver driver(ZqUiScript().ok());
        TestEditsDialog dialog;
        dialog.init = [](TestEditsDialog&) { return false; };
        EXPECT_EQ(dialog.DoModal(), 3);
        EXPECT_EQ(driver.remaining(), 1u) << "a dialog that closed while opening runs no action";
    }
    {
        CZqUiDriver driver;
        TestEditsDialog dialog;
        dialog.init = [](TestEditsDialog& d) { d.EndDialog(3); return true; };
        EXPECT_EQ(dialog.DoModal(), 3);
    }
    {
        CZqUiDriver driver(ZqUiScript().inspect([](CZqWindow& w) {
            static_cast<CZqDialog&>(w).EndDialog(42);
        }));
        TestEditsDialog dialog;
        EXPECT_EQ(dialog.DoModal(), 42);
        ASSERT_EQ(driver.transcript().dialogs().size(), 1u);
        EXPECT_EQ(driver.transcript().dialogs()[0].name, "IDD_TEST_EDITS");
        EXPECT_EQ(driver.transcript().dialogs()[0].result, 42);
    }
}

TEST(DialogHandlers, CalledForUserActionsOnly)
{
    CZqUiDriver driver(ZqUiScript()
                           .type(1401, "2.5")
                           .click(1101)
                           .check(1101, true)   // already checked: nothing to do
                           .check(1101, false)
                           .click(1302)
                           .select(1201, 2)
                           .select(1601, "row1")
                           .dblclk(1601, 0)
                           .read(1201)
                           .read(1302)
                           .read(1301)
                           .ok());
    TestEditsDialog dialog;
    EXPECT_EQ(dialog.DoModal(), 1);

    // Filling the controls in OnInitDialog called no handler.
    ASSERT_GE(dialog.log.size(), 2u);
    EXPECT_EQ(dialog.log[0], "init");
    EXPECT_EQ(dialog.count("edit 1401"), 3) << "one change per typed character";
    EXPECT_EQ(dialog.count("cmd 1101"), 2);
    EXPECT_TRUE(dialog.has("cmd 1302"));
    EXPECT_FALSE(dialog.has("cmd 1301")) << "the radio button switched off gets no command";
    EXPECT_TRUE(dialog.has("sel 1201"));
    EXPECT_EQ(dialog.count("sel 1601"), 2);  // row 1, then row 0 before the double-click
    EXPECT_TRUE(dialog.has("dbl 1601"));
    EXPECT_EQ(dialog.GetDlgItemText(1401), "2.5");
    EXPECT_FALSE(dialog.IsDlgButtonChecked(1101));
    EXPECT_EQ(dialog.GetCheckedRadioButton(1301, 1303), 1302);

    const ZqUiTranscript& t = driver.transcript();
    EXPECT_TRUE(t.errors().empty());
    ASSERT_NE(t.lastRead(1201), nullptr);
    EXPECT_EQ(t.lastRead(1201)->selection, 2);
    EXPECT_EQ(t.lastRead(1201)->text, "gamma");
    EXPECT_EQ(t.lastRead(1201)->items.size(), 3u);
    EXPECT_TRUE(t.lastRead(1302)->checked);
    EXPECT_FALSE(t.lastRead(1301)->checked);

    // Setting from code afterwards still calls nothing.
    const size_t before = dialog.log.size();
    dialog.SetDlgItemText(1401, "9");
    dialog.CheckDlgButton(1101, true);
    dialog.SetCurSel(1601, 1);
    dialog.SetCurSel(1201, 1);
    dialog.CheckRadioButton(1301, 1303, 1303);
    EXPECT_EQ(dialog.log.size(), before);
}

TEST(DialogFocus, FocusLostReportsTheNewControlAndRefusalKeepsTheFocus)
{
    int focusAfterRefusal = -1;
    CZqUiDriver driver(ZqUiScript()
                           .focus(1401)
                           .type(1402, "7")               // valid scale: the focus moves
                           .type(1401, "abc")
                           .focus(1402)                   // refused: warning, focus stays
                           .answer(1)
                           .inspect([&](CZqWindow& w) { focusAfterRefusal = focusId(w); })
                           .read(1401)
                           .ok()                          // leaving for OK does not validate,
                           .answer(1)                     // but OK itself does
                           .type(1401, "3")
                           .ok());
    TestEditsDialog dialog;
    EXPECT_EQ(dialog.DoModal(), 1);

    EXPECT_TRUE(dialog.has("kill 1401>1402"));
    EXPECT_TRUE(dialog.has("kill 1401>1"));
    EXPECT_EQ(focusAfterRefusal, 1401);
    // 1402 lost the focus once, to the typing into 1401; taking the focus
    // back after the refusal did not report it as losing it again.
    EXPECT_EQ(dialog.count("kill 1402>1401"), 1);

    const ZqUiTranscript& t = driver.transcript();
    EXPECT_TRUE(t.errors().empty()) << t.errors().front().message;
    ASSERT_EQ(t.messages().size(), 2u);
    EXPECT_EQ(t.messages()[0].messageId, 7100);
    EXPECT_EQ(t.messages()[0].text, "Value abc is out of range.");
    EXPECT_EQ(t.messages()[0].argument, "abc");
    EXPECT_TRUE(t.messages()[0].scripted);
    ASSERT_NE(t.lastRead(1401), nullptr);
    EXPECT_TRUE(t.lastRead(1401)->focused);
    auto* edit = dialog.item<QLineEdit>(1401);
    ASSERT_NE(edit, nullptr);
}

TEST(DialogKeys, EnterTabAndEscapeInAnEdit)
{
    // Enter with a valid text presses the default button (OK).
    {
        CZqUiDriver driver(ZqUiScript().type(1401, "2").key(1401, "Enter"));
        TestEditsDialog dialog;
        EXPECT_EQ(dialog.DoModal(), 1);
        EXPECT_TRUE(dialog.has("key 1401 " + std::to_string(Qt::Key_Return)));
        EXPECT_TRUE(dialog.has("cmd 1"));
        EXPECT_FALSE(dialog.has("kill 1401>1")) << "Enter does not move the focus";
    }
    // Enter swallowed by OnKeyDown (invalid text) leaves the dialog open.
    {
        CZqUiDriver driver(ZqUiScript().type(1401, "x").key(1401, "Enter").answer(1).cancel());
        TestEditsDialog dialog;
        EXPECT_EQ(dialog.DoModal(), 2);
        EXPECT_FALSE(dialog.has("cmd 1"));
        EXPECT_EQ(driver.transcript().messages().size(), 1u);
    }
    // Tab moves on; Shift+Tab moves back; a control out of the Tab order is skipped.
    {
        std::vector<int> seen;
        auto where = [&](CZqWindow& w) { seen.push_back(w.GetFocusId()); };
        CZqUiDriver driver(ZqUiScript()
                               .focus(1401)
                               .key(1401, "Tab").inspect(where)
                               .key(1402, "Tab").inspect(where)
                               .key(1101, "Shift+Tab").inspect(where)
                               .type(1401, "x").key(1401, "Tab").answer(1).inspect(where)
                               .cancel());
        TestEditsDialog dialog;
        dialog.init = [](TestEditsDialog& d) {
            d.SetTabStop(1403, false);
            return true;
        };
        EXPECT_EQ(dialog.DoModal(), 2);
        EXPECT_EQ(seen, (std::vector<int>{1402, 1101, 1402, 1401}));
        EXPECT_TRUE(dialog.has("key 1101 " + std::to_string(Qt::Key_Backtab)));
        EXPECT_TRUE(dialog.IsReadOnly(1403));
        EXPECT_FALSE(dialog.IsTabStop(1403));
    }
    // Escape goes to OnCancel; F1 and the help button to OnHelp.
    {
        CZqUiDriver driver(ZqUiScript().key(1402, "F1").click(1000).key(1401, "Escape"));
        TestEditsDialog dialog;
        EXPECT_EQ(dialog.DoModal(), 2);
        EXPECT_EQ(dialog.count("help"), 2);
        EXPECT_TRUE(dialog.has("cmd 2"));
        EXPECT_TRUE(dialog.has("cancel"));
    }
}

TEST(DialogModal, QtsOwnLoopRoutesEscapeAndTheCloseButtonToOnCancel)
{
    {
        TestEditsDialog dialog;
        QTimer::singleShot(0, &dialog, [&] { dialog.close(); });
        EXPECT_EQ(dialog.DoModal(), 2);
        EXPECT_TRUE(dialog.has("cancel"));
    }
    {
        // OnCancel that refuses to end keeps the dialog open after the close button.
        struct Stubborn : TestEditsDialog {
            int refusals = 1;
            void OnCancel() override
            {
                log.push_back("cancel");
                if (refusals-- > 0) return;
                CZqDialog::OnCancel();
            }
        } dialog;
        bool openAfterRefusal = false;
        QTimer::singleShot(0, &dialog, [&] {
            dialog.close();
            openAfterRefusal = dialog.isVisible();
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(dialog.GetDlgItem(1402), &escape);
        });
        EXPECT_EQ(dialog.DoModal(), 2);
        EXPECT_TRUE(openAfterRefusal);
        EXPECT_EQ(dialog.count("cancel"), 2);
    }
}

TEST(DialogModeless, CreateShowsTheDialogAndTheDriverCanDriveIt)
{
    TestEditsDialog missing(nullptr);
    EXPECT_FALSE(missing.Create("IDD_NO_SUCH_LAYOUT"));

    TestEditsDialog dialog(nullptr);
    ASSERT_TRUE(dialog.Create("IDD_TEST_EDITS"));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.isModal());
    CZqUiDriver driver(ZqUiScript().type(1402, "abc").read(1402).click(1101));
    driver.drive(dialog);
    EXPECT_EQ(driver.remaining(), 0u);
    EXPECT_TRUE(dialog.isVisible()) << "a modeless dialog is not cancelled when the script ends";
    EXPECT_EQ(dialog.GetDlgItemText(1402), "abc");
    EXPECT_TRUE(dialog.has("cmd 1101"));
    dialog.EndDialog(1);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(DriverInstall, ReplacingADriverKeepsTheNewOneInCharge)
{
    auto first = std::make_unique<CZqUiDriver>();
    CZqUiDriver* firstPtr = first.get();
    EXPECT_EQ(CZqUiDriver::current(), firstPtr);
    first = std::make_unique<CZqUiDriver>(ZqUiScript().ok());  // new one made before the old goes
    EXPECT_EQ(CZqUiDriver::current(), first.get());
    {
        CZqUiDriver inner;
        EXPECT_EQ(CZqUiDriver::current(), &inner);
    }
    EXPECT_EQ(CZqUiDriver::current(), first.get());
    TestEditsDialog dialog;
    EXPECT_EQ(dialog.DoModal(), 1);
    first.reset();
    EXPECT_EQ(CZqUiDriver::current(), nullptr);
}

TEST(DialogControls, TabOrderFocusMovesAndControlNotifications)
{
    struct Notified : TestEditsDialog {
        bool OnNotify(int id, int code, long long param) override
        {
            log.push_back("notify " + std::to_string(id) + " " + std::to_string(code) + " " +
                          std::to_string(param));
            return true;
        }
    } dialog;
    std::vector<int> seen;
    CZqUiDriver driver(ZqUiScript()
                           .focus(1401)
                           .inspect([&](CZqWindow& w) {
                               w.SetTabStop(1402, false);
                               w.NextDlgCtrl();
                               seen.push_back(w.GetFocusId());   // 1402 skipped, read-only 1403 too: 1101 next
                               w.NextDlgCtrl(true);
                               seen.push_back(w.GetFocusId());
                               w.SetTabStop(1402, true);
                               w.NextDlgCtrl();
                               seen.push_back(w.GetFocusId());
                               EXPECT_TRUE(ZqNotifyControl(w.GetDlgItem(1601), 77, 5));
                           })
                           .cancel());
    EXPECT_EQ(dialog.DoModal(), 2);
    EXPECT_EQ(seen, (std::vector<int>{1101, 1401, 1402}));
    EXPECT_TRUE(dialog.has("notify 1601 77 5"));
    EXPECT_TRUE(dialog.IsTabStop(1402));
    QWidget orphan;
    EXPECT_FALSE(ZqNotifyControl(&orphan, 1));
}

// A read-only edit, from its layout or made so later, shows the window's
// colour behind its text and is passed by Tab; made editable again it looks
// and takes the focus like the other edits.
TEST(DialogReadOnlyEdits, LookReadOnlyAndAreSkippedByTab)
{
    TestEditsDialog dialog(nullptr);
    ASSERT_TRUE(dialog.Create("IDD_TEST_EDITS"));
    auto looksReadOnly = [&dialog](int id) {
        const QWidget* edit = dialog.GetDlgItem(id);
        return edit->palette().color(QPalette::Base) == edit->palette().color(QPalette::Window) &&
               !(edit->focusPolicy() & Qt::TabFocus);
    };
    EXPECT_TRUE(looksReadOnly(1403)) << "read-only in its layout";
    EXPECT_FALSE(looksReadOnly(1401));
    const Qt::FocusPolicy editable = dialog.GetDlgItem(1401)->focusPolicy();

    dialog.SetReadOnly(1401, true);
    EXPECT_TRUE(dialog.IsReadOnly(1401));
    EXPECT_TRUE(looksReadOnly(1401));
    dialog.SetReadOnly(1401, true);  // twice: still restores to its own policy below
    dialog.SetReadOnly(1401, false);
    EXPECT_FALSE(looksReadOnly(1401));
    EXPECT_EQ(dialog.GetDlgItem(1401)->focusPolicy(), editable);
    dialog.SetReadOnly(1403, false);
    EXPECT_FALSE(looksReadOnly(1403));
    dialog.EndDialog(2);
}
