#include <gtest/gtest.h>

#include <stdexcept>

#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "TestDialogs.h"
#include "mobrdlg/ZqFileDialog.h"
#include "mobrdlg/ZqMessageBox.h"
#include "mobrdlg/ZqModalStack.h"
#include "mobrdlg/ZqPopupMenu.h"
#include "mobrdlg/ZqUiDriver.h"

TEST(DriverMessages, ScriptedAnswersAndDefaultsWhenTheScriptHasNone)
{
    std::vector<int> answers;
    auto box = [&](unsigned flags) {
        return [&answers, flags](CZqWindow& w) {
            answers.push_back(ZqDlgMessageBox(w.rootWidget(), flags, 0, 7100, "12"));
        };
    };
    CZqUiDriver driver(ZqUiScript()
                           .inspect(box(ZQ_MB_YESNO)).answer(6)
                           .inspect(box(ZQ_MB_YESNO | ZQ_MB_DEFBUTTON2))       // unanswered: No
                           .inspect(box(ZQ_MB_OKCANCEL)).answer(7)             // no such button
                           .inspect(box(ZQ_MB_YESNOCANCEL | ZQ_MB_DEFBUTTON3)));
    TestEditsDialog dialog;
    EXPECT_EQ(dialog.DoModal(), 2) << "the exhausted script cancels the dialog";
    EXPECT_EQ(answers, (std::vector<int>{6, 7, 1, 2}));

    const ZqUiTranscript& t = driver.transcript();
    ASSERT_EQ(t.messages().size(), 4u);
    EXPECT_TRUE(t.messages()[0].scripted);
    EXPECT_FALSE(t.messages()[1].scripted);
    EXPECT_EQ(t.messages()[1].flags, ZQ_MB_YESNO | ZQ_MB_DEFBUTTON2);
    EXPECT_EQ(t.messages()[2].text, "Value 12 is out of range.");
    ASSERT_EQ(t.errors().size(), 1u) << "answering 7 to an OK/Cancel box is an error";
    EXPECT_EQ(t.errors()[0].action, 4);  // the answer(7) action
    ASSERT_EQ(t.dialogs().size(), 1u);
    EXPECT_TRUE(t.dialogs()[0].unscripted);
    EXPECT_EQ(t.dialogs()[0].result, 2);
}

TEST(DriverNesting, NestedDialogsTakeTheirActionsAndExhaustionClosesEveryLevel)
{
    {
        CZqUiDriver driver(ZqUiScript()
                               .click(1502)
                               .type(1401, "5").in("IDD_TEST_EDITS").read(1401).ok()
                               .read(1401)
                               .ok());
        TestEditsDialog dialog;
        EXPECT_EQ(dialog.DoModal(), 1);
        EXPECT_EQ(dialog.nestedResult, 1);
        const ZqUiTranscript& t = driver.transcript();
        ASSERT_EQ(t.dialogs().size(), 2u);
        EXPECT_EQ(t.dialogs()[0].depth, 1);
        EXPECT_EQ(t.dialogs()[1].depth, 2);
        ASSERT_EQ(t.reads().size(), 2u);
        EXPECT_EQ(t.reads()[0].state.text, "5");
        EXPECT_EQ(t.reads()[1].state.text, "1.0") << "the outer dialog kept its own text";
        EXPECT_TRUE(CZqModalStack::dialogs().empty());
    }
    {
        CZqUiDriver driver(ZqUiScript().click(1502));
        TestEditsDialog dialog;
        EXPECT_EQ(dialog.DoModal(), 2);
        EXPECT_EQ(dialog.nestedResult, 2);
        ASSERT_EQ(driver.transcript().dialogs().size(), 2u);
        EXPECT_TRUE(driver.transcript().dialogs()[0].unscripted);
        EXPECT_TRUE(driver.transcript().dialogs()[1].unscripted);
    }
}

TEST(DriverErrors, ActionsThatCannotRunAreRecordedAndSkipped)
{
    CZqUiDriver driver(ZqUiScript()
                           .type(9999, "x")
                           .inspect([](CZqWindow& w) { w.EnableItem(1402, false); })
                           .type(1402, "x")
                           .type(1403, "x")          // read-only
                           .answer(6)                // no message box open
                           .select(1201, 9)
                           .select(1201, "delta")
                           .click(1401)              // not a button
                           .read(1401).in("IDD_OTHER")
                           .key(1401, "NoSuchKey")
                           .cancel());
    TestEditsDialog dialog;
    EXPECT_EQ(dialog.DoModal(), 2);
    const auto& errors = driver.transcript().errors();
    std::vector<int> failed;
    for (const auto& e : errors) failed.push_back(e.action);
    EXPECT_EQ(failed, (std::vector<int>{0, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_TRUE(driver.transcript().reads().empty());
    EXPECT_EQ(dialog.GetDlgItemText(1402), "");
    EXPECT_FALSE(dialog.has("edit 1402"));
}

TEST(DriverExceptions, AHandlerExceptionEndsEveryModalLevelAndSurfacesFromDoModal)
{
    {
        CZqUiDriver driver(ZqUiScript().click(1101).ok());
        TestEditsDialog dialog;
        dialog.throwOnCommand = 1101;
        EXPECT_THROW(dialog.DoModal(), std::runtime_error);
        EXPECT_EQ(driver.transcript().dialogs().at(0).result, -1);
        EXPECT_EQ(driver.remaining(), 1u) << "the script stopped at the failing action";
    }
    {
        // Thrown in a nested dialog: both levels end, the outer DoModal rethrows.
        struct Thrower : TestEditsDialog {
            bool OnCommand(int id) override
            {
                if (id == 1502) {
                    TestEditsDialog nested;
                    nested.throwOnCommand = 1101;
                    nestedResult = nested.DoModal();
                    return true;
                }
                return TestEditsDialog::OnCommand(id);
            }
        } dialog;
        CZqUiDriver driver(ZqUiScript().click(1502).click(1101).ok().ok());
        EXPECT_THROW(dialog.DoModal(), std::runtime_error);
        EXPECT_EQ(dialog.nestedResult, 0) << "the nested DoModal did not return normally";
        EXPECT_TRUE(CZqModalStack::dialogs().empty());
        EXPECT_FALSE(CZqModalStack::hasPending());
    }
    {
        // Without a driver: Qt's own modal loop ends and DoModal rethrows.
        TestEditsDialog dialog;
        dialog.throwOnCommand = 1101;
        QTimer::singleShot(0, &dialog, [&] { dialog.item<QAbstractButton>(1101)->click(); });
        EXPECT_THROW(dialog.DoModal(), std::runtime_error);
        EXPECT_FALSE(dialog.isVisible());
    }
}

TEST(DriverJson, ScriptsFromJsonRunAndTheTranscriptSerialises)
{
    const QByteArray json = R"([
        {"type": [1401, "4.5"]},
        {"key": [1401, "Tab"], "dialog": "IDD_TEST_EDITS"},
        {"check": [1101, true]},
        {"select": [1201, "beta"]},
        {"click": 1303},
        {"read": [1201, "choice"]},
        "ok"
    ])";
    QString error;
    ZqUiScript script = ZqUiScript::fromJson(QJsonDocument::fromJson(json).array(), &error);
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    ASSERT_EQ(script.actions().size(), 7u);
    EXPECT_EQ(script.actions()[1].key, int(Qt::Key_Tab));
    EXPECT_EQ(script.actions()[1].dialog, "IDD_TEST_EDITS");

    CZqUiDriver driver(script);
    TestEditsDialog dialog;
    EXPECT_EQ(dialog.DoModal(), 1);
    EXPECT_TRUE(dialog.IsDlgButtonChecked(1101));
    EXPECT_EQ(dialog.GetCurSel(1201), 1);
    EXPECT_EQ(dialog.GetCheckedRadioButton(1301, 1303), 1303);

    const QJsonArray events = driver.transcript().toJson().value("events").toArray();
    ASSERT_EQ(events.size(), 2);
    EXPECT_EQ(events[0].toObject().value("kind").toString(), "dialog");
    EXPECT_EQ(events[0].toObject().value("result").toInt(), 1);
    EXPECT_EQ(events[1].toObject().value("kind").toString(), "read");
    EXPECT_EQ(events[1].toObject().value("text").toString(), "beta");
    EXPECT_EQ(events[1].toObject().value("label").toString(), "choice");
    ASSERT_NE(driver.transcript().read("choice"), nullptr);
    EXPECT_EQ(driver.transcript().read("choice")->state.selection, 1);
    EXPECT_EQ(driver.transcript().read("other"), nullptr);

    // Malformed scripts say where they went wrong.
    ZqUiScript bad = ZqUiScript::fromJson(
        QJsonDocument::fromJson(R"([{"click": 1}, {"key": [1401, "Nope"]}])").array(), &error);
    EXPECT_EQ(bad.actions().size(), 1u);
    EXPECT_TRUE(error.startsWith("action 1")) << error.toStdString();
    ZqUiScript::fromJson(QJsonDocument::fromJson(R"([{"click": 1, "ok": true}])").array(), &error);
    EXPECT_FALSE(error.isEmpty());

    // A file with the file type chosen with it.
    const QJsonArray typed = QJsonDocument::fromJson(R"js([{"file": ["/tmp/a.dxf", "DXF R12 (*.dxf)"]}])js").array();
    const ZqUiScript withType = ZqUiScript::fromJson(typed, &error);
    ASSERT_EQ(withType.actions().size(), 1u) << error.toStdString();
    EXPECT_EQ(withType.actions()[0].text, "/tmp/a.dxf");
    EXPECT_EQ(withType.actions()[0].filter, "DXF R12 (*.dxf)");
    CZqUiDriver typeDriver(withType);
    QString chosen, type;
    EXPECT_TRUE(typeDriver.fileDialog(false, "DXF R2000 (*.dxf);;DXF R12 (*.dxf)", "/tmp", "", chosen, &type));
    EXPECT_EQ(chosen, "/tmp/a.dxf");
    EXPECT_EQ(type, "DXF R12 (*.dxf)");

    int key = 0;
    Qt::KeyboardModifiers modifiers;
    ASSERT_TRUE(ZqParseKeyName("Shift+Tab", key, modifiers));
    EXPECT_EQ(key, int(Qt::Key_Backtab));
    ASSERT_TRUE(ZqParseKeyName("Ctrl+PageDown", key, modifiers));
    EXPECT_EQ(key, int(Qt::Key_PageDown));
    EXPECT_EQ(modifiers, Qt::ControlModifier);
    ASSERT_TRUE(ZqParseKeyName("Enter", key, modifiers));
    EXPECT_EQ(key, int(Qt::Key_Return));
}

TEST(DriverFilesMenusShots, FileDialogsPopupMenusAndScreenshots)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string shot = QDir(dir.path()).filePath("shot.png").toStdString();
    std::vector<std::string> paths;
    std::vector<bool> picked;
    auto file = [&](CZqWindow& w) {
        std::string path;
        picked.push_back(ZqFileDialog(w.rootWidget(), true, "Text (*.txt)|*.txt||", "/tmp", "a.txt", path));
        paths.push_back(path);
    };
    std::vector<int> chosen;
    const std::vector<ZqMenuItem> items{{2001, "&Edit"}, {0, ""}, {2002, "De&lete"}, {2003, "Gone", false}};
    auto menu = [&](CZqWindow& w) { chosen.push_back(ZqPopupMenu(w.rootWidget(), items, {})); };
    CZqUiDriver driver(ZqUiScript()
                           .inspect(file).pickFile("/tmp/b.txt")
                           .inspect(file).cancelFile()
                           .inspect(file)
                           .inspect(menu).pickMenu(2001)
                           .inspect(menu).pickMenu("Delete")
                           .inspect(menu).pickMenu(2003)
                           .inspect(menu)
                           .screenshot(shot)
                           .cancel());
    TestEditsDialog dialog;
    EXPECT_EQ(dialog.DoModal(), 2);
    EXPECT_EQ(picked, (std::vector<bool>{true, false, false}));
    EXPECT_EQ(paths[0], "/tmp/b.txt");
    EXPECT_EQ(chosen, (std::vector<int>{2001, 2002, 0, 0}));
    const ZqUiTranscript& t = driver.transcript();
    ASSERT_EQ(t.files().size(), 3u);
    EXPECT_EQ(t.files()[0].filter, "Text (*.txt)|*.txt||");
    EXPECT_EQ(t.files()[0].name, "a.txt");
    ASSERT_EQ(t.menus().size(), 4u);
    EXPECT_EQ(t.menus()[0].ids, (std::vector<int>{2001, 2002, 2003}));
    ASSERT_EQ(t.errors().size(), 1u) << "a disabled menu item cannot be picked";
    ASSERT_EQ(t.screenshots().size(), 1u);
    QImage image(QString::fromStdString(shot));
    EXPECT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), dialog.size());

    EXPECT_EQ(ZqQtFileFilter("Text files (*.txt)|*.txt|All files (*.*)|*.*||"),
              "Text files (*.txt);;All files (*)");
}
