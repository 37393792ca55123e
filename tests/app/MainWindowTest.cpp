#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTextBrowser>
#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QFile>
#include <QTemporaryDir>

#include "FigureDocument.h"
#include "FigurePainter.h"
#include "FigureView.h"
#include "HelpWindow.h"
#include "MainWindow.h"
#include "SettingsModule.h"
#include "TestModule.h"
#include "ViewListener.h"
#include "api/HostRuntime.h"
#include "store/FigureJson.h"
#include "model/HostSession.h"
#include "RecentFiles.h"
#include "RecoveryCopy.h"
#include "UndoHistory.h"
#include "store/SettingsJson.h"
#include "mobrdlg/ZqMessageBox.h"
#include "mobrdlg/ZqUiDriver.h"

namespace {

// A fresh host with its own system folder, the module loaded, and the view
// listener the main window draws through.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        mobrhost::HostStart start;
        start.systemFolder = dir.filePath("system").toStdString();
        ASSERT_TRUE(mobrhost::startHost(start));
        ASSERT_TRUE(module.isLoaded());
        mobrhost::HostSession::instance().setListener(&listener);
    }
    void TearDown() override { mobrhost::HostSession::instance().setListener(nullptr); }

    QTemporaryDir dir;
    SettingsModule& module = testModule();
    ViewListener listener;
};

}  // namespace

// What a person does: open the sample, choose a drawing size from the
// Settings menu, save, open the saved file again and find the size kept.
TEST_F(MainWindowTest, TheDrawingSizeChosenFromTheMenuIsSavedWithTheFigure)
{
    {
        MainWindow window(module, listener);
        // Only exported entry points become commands.
        EXPECT_NE(window.findChild<QAction*>("IDD_S_001"), nullptr);
        for (const SettingsModule::Command& c : SettingsModule::commands())
            EXPECT_EQ(window.findChild<QAction*>(c.entry) != nullptr, module.has(c.entry)) << c.entry;

        ASSERT_TRUE(window.openFigure(MOBR_SAMPLE_FIGURE, true));
        const int elements = FigureDocument::current()->elements.liveCount(0);
        EXPECT_GT(elements, 10);
        {
            CZqUiDriver driver(ZqUiScript().select(1201, 3).ok());   // A3
            ASSERT_TRUE(window.runCommand("IDD_S_001"));
        }
        EXPECT_EQ(FigureDocument::current()->paperIndex, 3);
        EXPECT_TRUE(FigureDocument::current()->changed);
        {
            CZqUiDriver driver(ZqUiScript().select(1201, 0).cancel());
            ASSERT_TRUE(window.runCommand("IDD_S_001"));
        }
        EXPECT_EQ(FigureDocument::current()->paperWidth, 420.0) << "Cancel keeps the size";
        ASSERT_TRUE(window.saveFigure(dir.filePath("plate.fig")));
        EXPECT_FALSE(window.runCommand("aapNoSuchEntry"));

        FigureDocument::newFigure();
        ASSERT_TRUE(window.openFigure(dir.filePath("plate.fig"), true));
        EXPECT_EQ(FigureDocument::current()->paperIndex, 3);
        EXPECT_EQ(FigureDocument::current()->paperWidth, 420.0);
        EXPECT_EQ(FigureDocument::current()->paperHeight, 297.0);
        EXPECT_EQ(FigureDocument::current()->elements.liveCount(0), elements);
        EXPECT_FALSE(window.openFigure(dir.filePath("nothing.fig"), true));
    }
}

namespace {

// The current figure as JSON, without the colours' in-use marks: the host
// derives them again whenever a copy is taken or a file opened.
nlohmann::json currentFigure()
{
    nlohmann::json figure = mobrhost::FigureJson::toJson(*FigureDocument::current());
    for (auto& colour : figure["colours"]) colour.erase("attrib");
    return figure;
}

}  // namespace

// The system attributes as a person uses them: the dashed line type turns
// blue with the drawing recoloured, a line type is added, a width renamed;
// the drawing is redrawn, and saving and reopening keeps it all. A cancelled
// sheet leaves the figure exactly as it was.
TEST_F(MainWindowTest, SystemAttributesChangeTheDrawingAndSurviveSavingAndReopening)
{
    ASSERT_TRUE(module.has("aapLatr"));
    {
        MainWindow window(module, listener);
        int redraws = 0;   // of the figure itself (not of the attribute displays)
        listener.onRedraw = [&redraws, view = listener.onRedraw](int figure) {
            if (figure >= 0) ++redraws;
            if (view) view(figure);
        };
        ASSERT_TRUE(window.openFigure(MOBR_SAMPLE_FIGURE, true));
        const nlohmann::json before = currentFigure();
        {
            CZqUiDriver driver(ZqUiScript()
                                   .select(1601, 0)
                                   .key(1601, "Delete")  // in use: refused
                                   .in("IDD_PROPS_002")
                                   .page("IDD_PROPS_002")
                                   .select(1601, 0)
                                   .click(1502)
                                   .type(1401, "HAIR")
                                   .ok()
                                   .cancel());
            ASSERT_TRUE(window.runCommand("aapLatr"));
        }
        EXPECT_EQ(currentFigure(), before) << "Cancel leaves the figure as it was";
        EXPECT_EQ(redraws, 0) << "nothing to redraw after Cancel";

        {
            CZqUiDriver driver(ZqUiScript()
                                   .select(1601, 1)
                                   .click(1502)
                                   .select(1203, 4)  // BLUE
                                   .ok()
                                   .select(1601, 5)
                                   .click(1501)
                                   .type(1401, "HIDDEN")
                                   .select(1202, 1)
                                   .ok()
                                   .check(1101, true)
                                   .page("IDD_PROPS_002")
                                   .select(1601, 0)
                                   .click(1502)
                                   .type(1401, "FINE")
                                   .ok()
                                   .ok());
            ASSERT_TRUE(window.runCommand("aapLatr"));
            EXPECT_TRUE(driver.transcript().errors().empty());
        }
        const nlohmann::json after = currentFigure();

        EXPECT_GT(redraws, 0) << "the drawing is redrawn";
        ASSERT_EQ(after["pens"].size(), before["pens"].size() + 1);
        EXPECT_EQ(after["pens"][1]["colour"], 4);
        EXPECT_EQ(after["pens"].back()["name"], "HIDDEN");
        EXPECT_EQ(after["widths"][0]["name"], "FINE");
        int dashed = 0;
        for (const auto& element : after["elements"]) {
            if (element["pen"] != 2 || element["kind"] == "point" || element["kind"] == "dimension") continue;
            ++dashed;
            EXPECT_EQ(element["colour"], 4) << "recoloured with the pen's new colour";
        }
        EXPECT_GT(dashed, 0);

        ASSERT_TRUE(window.saveFigure(dir.filePath("attributes.fig")));
        FigureDocument::newFigure();
        ASSERT_TRUE(window.openFigure(dir.filePath("attributes.fig"), true));
        nlohmann::json reopened = currentFigure();
        EXPECT_EQ(reopened["pens"], after["pens"]);
        EXPECT_EQ(reopened["widths"], after["widths"]);
        EXPECT_EQ(reopened["colours"], after["colours"]);
        EXPECT_EQ(reopened["elements"], after["elements"]);
        EXPECT_EQ(reopened["sketch"], after["sketch"]);
    }
}

namespace {

void trigger(MainWindow& window, const char* action)
{
    QAction* a = window.findChild<QAction*>(action);
    ASSERT_NE(a, nullptr) << action;
    a->trigger();
}

// Makes the current figure A3: a change that is not saved yet.
void changeDrawingSize(MainWindow& window)
{
    CZqUiDriver driver(ZqUiScript().select(1201, 3).ok());
    ASSERT_TRUE(window.runCommand("IDD_S_001"));
    ASSERT_TRUE(FigureDocument::current()->changed);
}

}  // namespace

// A drawing with unsaved changes is never replaced or closed without a word:
// Cancel keeps everything, Discard goes ahead, Save saves first (through the
// Save As dialog for an untitled drawing) and a failed or cancelled save
// keeps the drawing.
TEST_F(MainWindowTest, UnsavedChangesAreSavedDiscardedOrKeptAsThePersonAnswers)
{
    MainWindow window(module, listener);
    ASSERT_TRUE(window.openFigure(MOBR_SAMPLE_FIGURE, true));
    changeDrawingSize(window);
    {
        CZqUiDriver driver;  // unanswered: Cancel
        trigger(window, "fileNew");
        EXPECT_FALSE(window.close());
        ASSERT_EQ(driver.transcript().messages().size(), 2u);
        EXPECT_NE(driver.transcript().messages()[0].text.find("sample.fig"), std::string::npos);
        EXPECT_EQ(driver.transcript().messages()[1].answer, ZQ_ID_CANCEL);
    }
    EXPECT_EQ(FigureDocument::current()->paperIndex, 3) << "Cancel keeps the drawing";
    EXPECT_TRUE(FigureDocument::current()->changed);

    {
        CZqUiDriver driver(ZqUiScript().answer(ZQ_ID_NO));
        trigger(window, "fileNew");
    }
    EXPECT_FALSE(FigureDocument::current()->changed);
    EXPECT_EQ(FigureDocument::current()->paperIndex, mobrhost::Figure().paperIndex) << "discarded";

    // Untitled: Save asks for a file; a cancelled file dialog keeps the drawing.
    changeDrawingSize(window);
    {
        CZqUiDriver driver(ZqUiScript().answer(ZQ_ID_YES).cancelFile());
        EXPECT_FALSE(window.settleUnsavedChanges());
    }
    EXPECT_TRUE(FigureDocument::current()->changed);
    const QString saved = dir.filePath("kept.fig");
    {
        CZqUiDriver driver(ZqUiScript().answer(ZQ_ID_YES).pickFile(saved.toStdString()));
        EXPECT_TRUE(window.close());
        EXPECT_TRUE(driver.transcript().errors().empty());
    }
    EXPECT_FALSE(FigureDocument::current()->changed);
    std::string error;
    auto reread = FigureDocument::read(saved.toStdString(), &error);
    ASSERT_TRUE(reread) << error;
    EXPECT_EQ(reread->paperIndex, 3);

    // A save that fails (a folder now stands where the file was) keeps the
    // drawing, with the reason shown.
    ASSERT_TRUE(window.openFigure(saved, true));
    changeDrawingSize(window);
    ASSERT_TRUE(QFile::remove(saved));
    ASSERT_TRUE(QDir().mkpath(saved));
    {
        CZqUiDriver driver(ZqUiScript().answer(ZQ_ID_YES));
        EXPECT_FALSE(window.close());
        ASSERT_EQ(driver.transcript().messages().size(), 2u);
        EXPECT_NE(driver.transcript().messages()[1].text.find("kept.fig"), std::string::npos);
    }
    EXPECT_TRUE(FigureDocument::current()->changed);
    FigureDocument::current()->changed = false;
}

// A modified drawing is copied into the recovery folder; a copy a crashed
// process left is offered at the next start and opens with its changes and
// its own file name; Discard deletes it, Cancel keeps it; saving removes the
// running process's copy.
TEST_F(MainWindowTest, RecoveryCopiesOfACrashedSessionAreOfferedBack)
{
    const QString folder = dir.filePath("recovery");
    constexpr qint64 kGonePid = 2147480000;  // beyond any pid the kernel hands out
    {
        // The crashed session: its copy of a modified sample, never removed.
        MainWindow crashed(module, listener);
        ASSERT_TRUE(crashed.openFigure(MOBR_SAMPLE_FIGURE, true));
        changeDrawingSize(crashed);
        std::string error;
        ASSERT_TRUE(RecoveryCopy(folder, kGonePid).write(dir.filePath("plan.fig"), &error)) << error;
        EXPECT_TRUE(FigureDocument::current()->changed) << "a recovery copy is not a save";
    }
    FigureDocument::newFigure();

    MainWindow window(module, listener);
    window.usePerUserFolder(dir.path(), 3600 * 1000);
    ASSERT_EQ(RecoveryCopy(folder).leftBehind().size(), 1);
    {
        CZqUiDriver driver;  // Cancel: kept for later
        EXPECT_EQ(window.offerRecovery(), 0);
    }
    {
        CZqUiDriver driver(ZqUiScript().answer(ZQ_ID_YES));
        EXPECT_EQ(window.offerRecovery(), 1);
    }
    EXPECT_EQ(FigureDocument::current()->paperIndex, 3);
    EXPECT_TRUE(FigureDocument::current()->changed);
    EXPECT_TRUE(window.windowTitle().startsWith("plan.fig*"));
    EXPECT_FALSE(QFile::exists(QStringLiteral("%1/recovery-%2.fig").arg(folder).arg(kGonePid)))
        << "the crashed session's copy is gone once opened";
    EXPECT_TRUE(RecoveryCopy(folder).exists()) << "the reopened drawing has a copy of this process";

    ASSERT_TRUE(window.saveFigure(dir.filePath("plan.fig")));
    EXPECT_FALSE(RecoveryCopy(folder).exists()) << "saved: no copy left";

    // Discard deletes a left copy.
    changeDrawingSize(window);
    std::string error;
    ASSERT_TRUE(RecoveryCopy(folder, kGonePid).write(QString(), &error)) << error;
    {
        CZqUiDriver driver(ZqUiScript().answer(ZQ_ID_NO));
        EXPECT_EQ(window.offerRecovery(), 0);
    }
    EXPECT_TRUE(RecoveryCopy(folder).leftBehind().isEmpty());
    FigureDocument::current()->changed = false;
}

namespace {

// Everything a settings command may change, as text: the figure with its
// elements and the system settings.
std::string hostStateText()
{
    return mobrhost::FigureJson::exportText(*FigureDocument::current()) +
           mobrhost::SettingsJson::exportSettings(mobrhost::HostSession::instance().settings());
}

}  // namespace

// Each settings command that changed something is one undo step named after
// it; undo brings back the state before it byte for byte, redo the state
// after it; a cancelled command adds no step, a new change ends the redo
// chain, and another figure forgets the history.
TEST_F(MainWindowTest, SettingsCommandsAreUndoneAndRedoneExactly)
{
    MainWindow window(module, listener);
    ASSERT_TRUE(window.openFigure(MOBR_SAMPLE_FIGURE, true));
    QAction* undo = window.findChild<QAction*>("editUndo");
    QAction* redo = window.findChild<QAction*>("editRedo");
    ASSERT_TRUE(undo && redo);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(undo->shortcut(), QKeySequence(QKeySequence::Undo));

    const std::string opened = hostStateText();
    changeDrawingSize(window);
    const std::string resized = hostStateText();
    {
        CZqUiDriver driver(ZqUiScript().select(1601, 1).click(1502).select(1203, 4).ok().check(1101, true).ok());
        ASSERT_TRUE(window.runCommand("aapLatr"));
    }
    const std::string recoloured = hostStateText();
    ASSERT_NE(recoloured, resized);
    {
        CZqUiDriver driver(ZqUiScript().cancel());
        ASSERT_TRUE(window.runCommand("aapLatr"));
    }
    EXPECT_EQ(window.history().steps(), 2u) << "a cancelled sheet is no step";
    EXPECT_EQ(undo->text().remove('&'), "Undo System attributes");

    undo->trigger();
    EXPECT_TRUE(hostStateText() == resized) << "undo restores the figure exactly";
    EXPECT_EQ(redo->text().remove('&'), "Redo System attributes");
    undo->trigger();
    EXPECT_TRUE(hostStateText() == opened);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_TRUE(FigureDocument::current()->changed) << "the figure may differ from its file";
    redo->trigger();
    redo->trigger();
    EXPECT_TRUE(hostStateText() == recoloured) << "redo does the changes again";

    undo->trigger();
    changeDrawingSize(window);  // A3 once more: nothing changes, no step
    EXPECT_TRUE(redo->isEnabled());
    {
        CZqUiDriver driver(ZqUiScript().select(1201, 1).ok());
        ASSERT_TRUE(window.runCommand("IDD_S_001"));
    }
    EXPECT_FALSE(redo->isEnabled()) << "a new change ends the redo chain";

    {
        CZqUiDriver driver(ZqUiScript().answer(ZQ_ID_NO));
        window.findChild<QAction*>("fileNew")->trigger();
    }
    EXPECT_EQ(window.history().steps(), 0u) << "a new figure forgets the history";
}

// The settings are part of a step, and the history keeps to its bounds: the
// oldest steps go first, but the newest stays whatever its size.
TEST_F(MainWindowTest, UndoStepsRestoreSettingsAndKeepToTheirBounds)
{
    auto& settings = mobrhost::HostSession::instance().settings();
    settings.setNumber("ApproxArcTol", 0.5);
    HostState before = HostState::capture();
    EXPECT_TRUE(before.matchesCurrent());
    settings.setNumber("Run.Requests", 7);
    EXPECT_TRUE(before.matchesCurrent()) << "running counters are not a change";
    settings.setNumber("ApproxArcTol", 0.25);
    EXPECT_FALSE(before.matchesCurrent());

    UndoHistory history(3, UndoHistory::kMaxBytes);
    history.record("Options", std::move(before));
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(settings.number("ApproxArcTol"), 0.5);
    EXPECT_EQ(settings.number("Run.Requests"), 7) << "counters keep running";
    ASSERT_TRUE(history.redo());
    EXPECT_EQ(settings.number("ApproxArcTol"), 0.25);

    for (int i = 0; i < 5; ++i) history.record(QString("Step %1").arg(i), HostState::capture());
    EXPECT_EQ(history.steps(), 3u);
    EXPECT_EQ(history.undoName(), "Step 4");

    UndoHistory tiny(20, 1);
    tiny.record("A", HostState::capture());
    tiny.record("B", HostState::capture());
    EXPECT_EQ(tiny.steps(), 1u);
    EXPECT_EQ(tiny.undoName(), "B");
}

// Zoom keeps the paper point under the cursor in place, stays within its
// bounds, and Fit brings the whole paper back; panning moves the drawing by
// the drag.
TEST_F(MainWindowTest, ZoomAroundTheCursorPanAndFit)
{
    MainWindow window(module, listener);
    ASSERT_TRUE(window.openFigure(MOBR_SAMPLE_FIGURE, true));
    FigureView& view = *window.view();
    view.resize(800, 600);
    mobrhost::Figure& f = *FigureDocument::current();
    const QPointF paperPoint(f.paperWidth * 0.3, f.paperHeight * 0.6);
    const QPointF anchor = FigurePainter(f, view.target()).map(paperPoint.x(), paperPoint.y());
    const double fitted = FigurePainter(f, view.target()).scale();

    view.zoomAt(anchor, 4.0);
    EXPECT_NEAR(FigurePainter(f, view.target()).scale(), 4 * fitted, 1e-9);
    const QPointF after = FigurePainter(f, view.target()).map(paperPoint.x(), paperPoint.y());
    EXPECT_NEAR(after.x(), anchor.x(), 1e-6);
    EXPECT_NEAR(after.y(), anchor.y(), 1e-6);

    view.panBy(QPointF(30, -20));
    const QPointF panned = FigurePainter(f, view.target()).map(paperPoint.x(), paperPoint.y());
    EXPECT_NEAR(panned.x(), anchor.x() + 30, 1e-6);
    EXPECT_NEAR(panned.y(), anchor.y() - 20, 1e-6);

    for (int i = 0; i < 100; ++i) view.zoomAt(anchor, 10.0);
    EXPECT_DOUBLE_EQ(view.zoom(), FigureView::kMaxZoom);
    window.findChild<QAction*>("viewFit")->trigger();
    EXPECT_DOUBLE_EQ(FigurePainter(f, view.target()).scale(), fitted);
}

// Opened and saved drawings go to the front of the recent files, at most
// ten, kept across starts in the per-user folder; a damaged list is an empty
// one.
TEST_F(MainWindowTest, RecentFilesAreKeptNewestFirstAcrossStarts)
{
    const QString list = dir.filePath("user/recent-files.json");
    {
        MainWindow window(module, listener);
        window.usePerUserFolder(dir.filePath("user"), 3600 * 1000);
        ASSERT_TRUE(window.openFigure(MOBR_SAMPLE_FIGURE, true));
        for (int i = 0; i < 12; ++i) ASSERT_TRUE(window.saveFigure(dir.filePath(QString("d%1.fig").arg(i))));
        ASSERT_TRUE(window.openFigure(dir.filePath("d3.fig"), true));
        const QStringList& paths = window.recentFiles().paths();
        ASSERT_EQ(paths.size(), RecentFiles::kMaxEntries);
        EXPECT_EQ(paths.front(), dir.filePath("d3.fig"));
        EXPECT_EQ(paths[1], dir.filePath("d11.fig"));
        EXPECT_EQ(paths.count(dir.filePath("d3.fig")), 1);
        QMenu* menu = window.findChild<QMenu*>("fileRecent");
        ASSERT_NE(menu, nullptr);
        EXPECT_TRUE(menu->isEnabled());
        ASSERT_FALSE(menu->actions().isEmpty());
        EXPECT_EQ(menu->actions().front()->text(), "d3.fig") << "the menu follows the list";
    }
    EXPECT_EQ(RecentFiles(list).paths().front(), dir.filePath("d3.fig"));

    QFile damaged(list);
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("{\"not\": \"a list\"");
    damaged.close();
    EXPECT_TRUE(RecentFiles(list).paths().isEmpty());
}

// Printing puts the drawing on a page of the figure's paper size.
TEST_F(MainWindowTest, PrintingMakesAPageOfThePaperSize)
{
    MainWindow window(module, listener);
    ASSERT_TRUE(window.openFigure(MOBR_SAMPLE_FIGURE, true));
    changeDrawingSize(window);  // A3 landscape, 420 x 297 mm
    const QString pdf = dir.filePath("plan.pdf");
    ASSERT_TRUE(window.printToPdf(pdf));
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    // 420 x 297 mm is 1190.55 x 841.89 points (the PDF writer rounds to whole points).
    const QRegularExpressionMatch box =
        QRegularExpression(R"(/MediaBox \[0 0 ([0-9.]+) ([0-9.]+)\])").match(QString::fromLatin1(bytes));
    ASSERT_TRUE(box.hasMatch());
    EXPECT_NEAR(box.captured(1).toDouble(), 1190.55, 1.0);
    EXPECT_NEAR(box.captured(2).toDouble(), 841.89, 1.0);
    FigureDocument::current()->changed = false;
}

// Help > mobr manual (F1 in the main window) opens the contents; a topic a
// dialog asks the host for opens that dialog's page.
TEST_F(MainWindowTest, TheHelpMenuOpensTheManualAndTopicsOpenTheirPages)
{
    MainWindow window(module, listener);
    QAction* manual = window.findChild<QAction*>("helpManual");
    ASSERT_NE(manual, nullptr);
    EXPECT_EQ(manual->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_NE(window.findChild<QAction*>("helpAbout"), nullptr);
    manual->trigger();
    auto* help = window.findChild<HelpWindow*>();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->browser()->documentTitle().toStdString(), "mobr manual");
    mobrhost::HostSession::instance().showHelp(466);
    EXPECT_EQ(help->browser()->documentTitle().toStdString(), "Element settings: lines");
    EXPECT_EQ(window.findChildren<HelpWindow*>().size(), 1) << "one window reused";
}

// The status line names the paper and stays while passing messages and menu
// hints come and go.
TEST_F(MainWindowTest, TheStatusLineNamesThePaperAndStays)
{
    MainWindow window(module, listener);
    ASSERT_TRUE(window.openFigure(MOBR_SAMPLE_FIGURE, true));
    auto* info = window.findChild<QLabel*>("figureInfo");
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(info->text().contains("(A4)")) << info->text().toStdString();
    window.statusBar()->showMessage("a menu hint");
    window.statusBar()->clearMessage();
    EXPECT_TRUE(info->text().contains("(A4)"));
    changeDrawingSize(window);
    EXPECT_TRUE(info->text().contains("420.00 x 297.00 mm (A3)")) << info->text().toStdString();
    EXPECT_EQ(MainWindow::paperName(6), "own size");
    FigureDocument::current()->changed = false;
}

// Save as offers DXF R2000 and R12 beside figure files; the version chosen
// is written, and Save writes the same file in the same version again.
TEST_F(MainWindowTest, SaveAsWritesTheDxfVersionChosenAndSaveKeepsIt)
{
    MainWindow window(module, listener);
    ASSERT_TRUE(window.openFigure(MOBR_SAMPLE_FIGURE, true));
    const auto versionOf = [](const QString& path) -> std::string {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) return "missing";
        const QByteArray bytes = file.readAll();
        if (bytes.startsWith("SQLite format 3")) return "figure file";
        return bytes.contains("\nAC1009\n") ? "R12" : bytes.contains("\nAC1015\n") ? "R2000" : "other";
    };
    const auto saveAs = [&](const QString& path, const std::string& type) {
        CZqUiDriver driver(ZqUiScript().pickFile(path.toStdString(), type));
        window.findChild<QAction*>("fileSaveAs")->trigger();
        EXPECT_TRUE(driver.transcript().errors().empty());
        ASSERT_EQ(driver.transcript().files().size(), 1u);
        EXPECT_EQ(driver.transcript().files()[0].filter, "Figures (*.fig);;DXF R2000 (*.dxf);;DXF R12 (*.dxf)");
    };
    const QString drawing = dir.filePath("drawing");
    saveAs(drawing, "DXF R12 (*.dxf)");
    EXPECT_EQ(versionOf(drawing + ".dxf"), "R12") << "a DXF type adds the extension";
    ASSERT_TRUE(QFile::remove(drawing + ".dxf"));
    window.findChild<QAction*>("fileSave")->trigger();
    EXPECT_EQ(versionOf(drawing + ".dxf"), "R12") << "Save keeps R12";

    saveAs(drawing + ".dxf", "DXF R2000 (*.dxf)");
    EXPECT_EQ(versionOf(drawing + ".dxf"), "R2000");
    window.findChild<QAction*>("fileSave")->trigger();
    EXPECT_EQ(versionOf(drawing + ".dxf"), "R2000") << "Save keeps R2000";

    // The name decides over the type: a ".fig" name is a figure file, a
    // ".dxf" name under the figure type is DXF R2000.
    saveAs(dir.filePath("plain.fig"), "DXF R12 (*.dxf)");
    EXPECT_EQ(versionOf(dir.filePath("plain.fig")), "figure file");
    saveAs(dir.filePath("named.dxf"), "Figures (*.fig)");
    EXPECT_EQ(versionOf(dir.filePath("named.dxf")), "R2000");
}
