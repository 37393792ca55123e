#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>

#include "FigureDocument.h"
#include "ScenarioAction.h"
#include "ScenarioCheck.h"
#include "ScenarioRunner.h"
#include "SettingsModule.h"
#include "TestModule.h"
#include "platform/CodePage.h"

namespace {

QJsonObject object(const char* text)
{
    return QJsonDocument::fromJson(text).object();
}

}  // namespace

TEST(ScenarioAction, ScenarioActionsBecomeDriverActions)
{
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {R"({"type": [1401, "2"], "in": "IDD_S_001"})", R"({"type": [1401, "2"], "dialog": "IDD_S_001"})"},
        {R"({"dblclick": [1601, 2]})", R"({"dblclk": [1601, 2]})"},
        {R"({"selectText": [1201, "A4"]})", R"({"select": [1201, "A4"]})"},
        {R"({"select": [1201, 3]})", R"({"select": [1201, 3]})"},
        {R"({"check": [1101, 1]})", R"({"check": [1101, true]})"},
        {R"({"tab": 3})", R"({"page": 3})"},
        {R"({"page": "IDD_PROPS_002"})", R"({"page": "IDD_PROPS_002"})"},
        {R"({"answer": "yes"})", R"({"answer": 6})"},
        {R"({"answer": "no"})", R"({"answer": 7})"},
        {R"({"answer": "cancel"})", R"({"answer": 2})"},
        {R"({"file": null})", R"({"file": null})"},
        {R"({"menu": 2003})", R"({"menu": 2003})"},
        {R"({"screenshot": "size"})", R"({"screenshot": "/shots/size.png"})"},
        {R"({"ok": true})", R"({"ok": true})"},
    };
    for (const Case& c : cases) {
        QString error;
        EXPECT_EQ(ScenarioAction::translate(object(c.in), "/shots", &error), object(c.out)) << c.in;
        EXPECT_TRUE(error.isEmpty()) << c.in;
    }

    const char* bad[] = {
        R"({"dblclk": [1601, 2]})",            // the driver's spelling is not the scenario's
        R"({"select": [1201, "A4"]})",         // text selection is selectText
        R"({"answer": 6})",                    // answers by name
        R"({"check": [1101, 2]})",
        R"({"click": 1, "ok": true})",         // two actions
        R"({"in": 5, "ok": true})",
        R"({"ok": false})",
    };
    for (const char* b : bad) {
        QString error;
        EXPECT_TRUE(ScenarioAction::translate(object(b), "/shots", &error).isEmpty()) << b;
        EXPECT_FALSE(error.isEmpty()) << b;
    }
    QString error;
    const QJsonArray list = QJsonDocument::fromJson(R"([{"ok": true}, {"wave": 1}])").array();
    EXPECT_TRUE(ScenarioAction::translateAll(list, "/s", &error).isEmpty());
    EXPECT_TRUE(error.startsWith("ui action 1")) << error.toStdString();
}

TEST(ScenarioCheck, PointersValuesErrorsJournalAndFiles)
{
    const QJsonObject t = object(R"({
        "steps": [{"readBack": {"30001": 4, "20102": 297.0}}],
        "errors": [{"message": "step 1: ui action 0: control 1499 not found in IDD_S_001"}],
        "journal": [{"name": "aatSysGetBoot"}],
        "files": [{"path": "system/MOBR.SYS", "text": "[File]\nUserTemp=A"}]
    })");
    EXPECT_EQ(ScenarioCheck::at(t, "/steps/0/readBack/30001").toInt(), 4);
    EXPECT_TRUE(ScenarioCheck::at(t, "/steps/1").isUndefined());
    EXPECT_TRUE(ScenarioCheck::at(t, "steps").isUndefined()) << "pointers start with /";
    EXPECT_TRUE(ScenarioCheck::same(QJsonValue(297.0), QJsonValue(297.0 + 1e-12)));
    EXPECT_FALSE(ScenarioCheck::same(QJsonValue(297.0), QJsonValue(297.01)));

    EXPECT_TRUE(ScenarioCheck::compare(object(R"({
        "errors": ["control 1499"],
        "values": {"/steps/0/readBack/20102": 297, "/steps/0/readBack/30001": 4},
        "journal": ["aatSysGetBoot"],
        "files": {"system/MOBR.SYS": "UserTemp=A"}
    })"), t).isEmpty());

    const QStringList problems = ScenarioCheck::compare(object(R"({
        "errors": ["control 1500"],
        "values": {"/steps/0/readBack/30001": 6, "/nothing": 1},
        "journal": ["aatSysGetLoginUser"],
        "files": {"system/MOBR.SYS": "UserTemp=B", "work/a.txt": ""}
    })"), t);
    EXPECT_EQ(problems.size(), 6) << problems.join('\n').toStdString();
    // Without expected errors, any error is a problem.
    EXPECT_EQ(ScenarioCheck::compare(QJsonObject(), t).size(), 1);
}

TEST(ScenarioRunner, DrivesTheDrawingSizeObjectAndKeepsTheResultInTheFigure)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ScenarioRunner runner(testModule());
    QString error;
    ASSERT_TRUE(runner.loadJson(object(R"({
        "figure": {"paper": {"index": 4, "width": 297.0, "height": 210.0}},
        "steps": [
            {"call": "IDD_S_001", "set": {"30001": 6, "20102": 0.0, "20103": 297.0},
             "ui": [{"read": 1402}, {"cancel": true}]},
            {"call": "IDD_S_001", "set": {"30001": 5, "20102": 210.0, "20103": 297.0},
             "ui": [{"in": "IDD_S_001", "ok": true}]},
            {"writeFile": "defs/a.txt", "text": "\u30da\u30f3\u8a2d\u5b9a", "encoding": "cp932"},
            {"export": "done"}
        ]
    })"), dir.path(), &error)) << error.toStdString();
    ASSERT_TRUE(runner.run(&error)) << error.toStdString();
    const QJsonObject t = runner.transcript();
    EXPECT_TRUE(runner.errors().isEmpty()) << runner.errors().join('\n').toStdString();

    const QJsonArray steps = t.value("steps").toArray();
    ASSERT_EQ(steps.size(), 4);
    EXPECT_EQ(steps[0].toObject().value("modalResult").toInt(), 2);
    EXPECT_EQ(t.value("reads").toArray()[0].toObject().value("text").toString(), "0.01")
        << "a width of 0 is shown as the smallest size";
    EXPECT_EQ(steps[1].toObject().value("modalResult").toInt(), 1);
    EXPECT_EQ(steps[1].toObject().value("readBack").toObject().value("30001").toInt(), 5) << "210 x 297 is paper 5";
    // Cancel kept the figure's size; OK replaced it.
    EXPECT_EQ(t.value("figure").toObject().value("paper").toObject(),
              object(R"({"index": 5, "width": 210.0, "height": 297.0})"));
    EXPECT_EQ(t.value("exports").toObject().value("done").toObject().value("paper"),
              t.value("figure").toObject().value("paper"));
    EXPECT_EQ(t.value("dialogs").toArray().size(), 2);

    // The written file is in the host's code page and listed as created.
    const QJsonArray files = t.value("files").toArray();
    ASSERT_EQ(files.size(), 1);
    EXPECT_EQ(files[0].toObject().value("path").toString(), "work/defs/a.txt");
    EXPECT_EQ(files[0].toObject().value("change").toString(), "created");
    const char* text = "\u30da\u30f3\u8a2d\u5b9a";
    EXPECT_EQ(files[0].toObject().value("text").toString(), QString::fromUtf8(text));
    EXPECT_EQ(files[0].toObject().value("bytes").toInt(), 8) << "two bytes a character in the host's code page";
}

TEST(ScenarioRunner, MistakesOfTheScenarioAreErrorsThatNameWhatWasWrong)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ScenarioRunner runner(testModule());
    QString error;
    ASSERT_TRUE(runner.loadJson(object(R"({
        "steps": [
            {"call": "IDD_S_001", "ui": [{"type": [1499, "5"]}, {"cancel": true}]},
            {"call": "IDD_S_001", "ui": [{"in": "IDD_S_009", "ok": true}]},
            {"call": "IDD_S_001", "ui": [{"cancel": true}, {"click": 1303}]},
            {"call": "aapNoSuchEntry"},
            {"writeFile": "../outside.txt", "text": "x"},
            {"dance": 1}
        ]
    })"), dir.path(), &error));
    ASSERT_TRUE(runner.run(&error)) << error.toStdString();
    const QStringList errors = runner.errors();
    ASSERT_EQ(errors.size(), 6) << errors.join('\n').toStdString();
    EXPECT_TRUE(errors[0].startsWith("step 0:") && errors[0].contains("control 1499 not found in IDD_S_001"))
        << errors[0].toStdString();
    EXPECT_TRUE(errors[1].contains("IDD_S_009")) << errors[1].toStdString();
    EXPECT_TRUE(errors[2].contains("left over")) << errors[2].toStdString();
    EXPECT_TRUE(errors[3].contains("aapNoSuchEntry")) << errors[3].toStdString();
    EXPECT_TRUE(errors[4].contains("outside.txt")) << errors[4].toStdString();
    EXPECT_TRUE(errors[5].startsWith("step 5:")) << errors[5].toStdString();
    EXPECT_FALSE(QFile::exists(QDir(dir.path()).filePath("outside.txt")));
    // The dialog that found nothing scripted for it was cancelled, not left waiting.
    EXPECT_EQ(runner.transcript().value("steps").toArray()[1].toObject().value("modalResult").toInt(), 2);

    // Scenarios that cannot run at all are refused before anything runs.
    ScenarioRunner refused(testModule());
    EXPECT_FALSE(refused.loadJson(object(R"({"stepz": []})"), dir.path(), &error));
    EXPECT_TRUE(error.contains("stepz"));
    EXPECT_FALSE(refused.load(QDir(dir.path()).filePath("missing.json"), &error));
    ASSERT_TRUE(refused.loadJson(object(R"({"host": {"bootState": 1}})"), dir.path(), &error));
    EXPECT_FALSE(refused.run(&error));
    EXPECT_TRUE(error.contains("bootState")) << error.toStdString();
    ASSERT_TRUE(refused.loadJson(object(R"({"figure": "nowhere.json"})"), dir.path(), &error));
    EXPECT_FALSE(refused.run(&error));
    EXPECT_TRUE(error.contains("nowhere.json")) << error.toStdString();
}
