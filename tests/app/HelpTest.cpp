#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMainWindow>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>
#include <QWindow>

#include "HelpWindow.h"
#include "ScenarioRunner.h"
#include "TestModule.h"

namespace {

// Every topic the settings dialogs ask the host to show, and the dialog
// that asks for it. Each must have a page of its own.
constexpr int kTopics[] = {
    38,                                   // select user template
    457, 459, 461, 463, 465, 484,         // system attribute pages and their editors
    466, 467, 468, 469, 470, 471,         // element settings pages and dimension dialogs
    472,                                  // drawing size
    473, 474, 475, 476, 477, 478,         // user option pages
    479, 480, 481, 482,                   // colour editor, parameter dialogs
    483, 485, 486, 487,                   // save template, report items, search table, input sequence
    488, 489, 490, 491,                   // attribute conversion pages and choice dialogs
};

QString readPage(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

int sentenceCount(const QString& plainText)
{
    static const QRegularExpression end(R"([.:!?](\s|$))");
    return int(plainText.count(end));
}

class HelpPagesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The resource file lies next to the test program, as next to mobr.
        ASSERT_TRUE(HelpWindow::registerPages());
        folder = HelpWindow::pageFolder();
    }
    QString folder;
};

}  // namespace

TEST_F(HelpPagesTest, EveryTopicHasAPageWithATitleAndRealContent)
{
    for (int topic : kTopics) {
        const QString html = readPage(QString("%1/%2.html").arg(folder).arg(topic));
        ASSERT_FALSE(html.isEmpty()) << "no page for topic " << topic;
        QTextDocument page;
        page.setHtml(html);
        const QString title = page.metaInformation(QTextDocument::DocumentTitle);
        EXPECT_FALSE(title.trimmed().isEmpty()) << topic;
        EXPECT_FALSE(title.contains(QString::number(topic))) << topic << ": a title names the dialog";
        EXPECT_GE(sentenceCount(page.toPlainText()), 5) << topic << ": more than a sentence";
        EXPECT_TRUE(html.contains("href=\"index.html\"")) << topic << ": every page leads back to the contents";
    }
}

TEST_F(HelpPagesTest, LinksResolveAndTheManualListsEveryPage)
{
    static const QRegularExpression href(R"(href="([^"]+)\")");
    const QStringList pages = QDir(folder).entryList({"*.html"}, QDir::Files);
    ASSERT_GT(pages.size(), int(std::size(kTopics)));
    QSet<QString> fromManual;
    for (const QString& name : pages) {
        const QString html = readPage(folder + "/" + name);
        for (const QRegularExpressionMatch& link : href.globalMatch(html)) {
            const QString target = link.captured(1);
            EXPECT_TRUE(QFile::exists(folder + "/" + target)) << name.toStdString() << " links to " << target.toStdString();
            if (name == "index.html") fromManual.insert(target);
        }
    }
    for (const QString& name : pages) {
        if (name != "index.html") {
            EXPECT_TRUE(fromManual.contains(name)) << "the manual does not list " << name.toStdString();
        }
    }
}

// An application-modal dialog blocks input to every window except its own
// children; the help it asks for must be one of them and stay usable.
TEST_F(HelpPagesTest, HelpAskedForByAModalDialogIsItsChildAndTakesInput)
{
    QMainWindow main;
    main.show();
    HelpWindow* mainHelp = HelpWindow::showTopic(HelpWindow::kManual, &main);
    EXPECT_EQ(mainHelp->parentWidget(), &main);

    QDialog dialog(&main);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &dialog);

    HelpWindow* help = HelpWindow::showTopic(472, &main);
    ASSERT_NE(help, mainHelp);
    EXPECT_EQ(help->parentWidget(), &dialog);
    EXPECT_TRUE(help->isWindow());
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->windowModality(), Qt::NonModal);
    ASSERT_NE(help->windowHandle(), nullptr);
    EXPECT_EQ(help->windowHandle()->transientParent(), dialog.windowHandle()) << "kept above the dialog";
    EXPECT_EQ(help->windowType(), Qt::Dialog) << "only dialog-type windows tell the X11 window manager so";
    EXPECT_EQ(help->browser()->documentTitle().toStdString(), "Drawing size");
    EXPECT_EQ(HelpWindow::showTopic(457, &main), help) << "one help window per dialog";

    // A click through the window system: the dialog's help takes it, the
    // main window's help is blocked by the modal dialog.
    auto clickContents = [](HelpWindow* window) {
        auto* contents = window->findChild<QToolButton*>("helpContents");
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                          contents->mapTo(window, contents->rect().center()));
    };
    mainHelp->open(472);
    clickContents(mainHelp);
    EXPECT_EQ(mainHelp->browser()->documentTitle().toStdString(), "Drawing size") << "blocked while the dialog is modal";
    clickContents(help);
    EXPECT_EQ(help->browser()->documentTitle().toStdString(), "mobr manual");
    EXPECT_TRUE(help->findChild<QToolButton*>("helpBack")->isEnabled());

    dialog.done(QDialog::Rejected);
    EXPECT_FALSE(help->isVisible()) << "the help closes with its dialog";
}

TEST_F(HelpPagesTest, ATopicWithoutAPageSaysSoAndLeadsToTheContents)
{
    QMainWindow main;
    HelpWindow* help = HelpWindow::showTopic(458, &main);
    EXPECT_TRUE(help->browser()->toPlainText().contains("no help page")) << help->browser()->toPlainText().toStdString();
    EXPECT_TRUE(help->browser()->toHtml().contains("index.html"));
}

TEST(HelpRequests, TheScenarioRunnerRecordsThemAndOpensNoWindow)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ScenarioRunner runner(testModule());
    QString error;
    const QJsonObject scenario = QJsonDocument::fromJson(R"({
        "steps": [{"call": "IDD_S_001", "ui": [{"click": 1000}, {"key": [1201, "F1"]}, {"cancel": true}]}]
    })").object();
    ASSERT_TRUE(runner.loadJson(scenario, dir.path(), &error)) << error.toStdString();
    ASSERT_TRUE(runner.run(&error)) << error.toStdString();
    EXPECT_TRUE(runner.errors().isEmpty()) << runner.errors().join('\n').toStdString();
    EXPECT_EQ(runner.transcript().value("help").toArray(), QJsonArray({472, 472}));
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<HelpWindow*>(w), nullptr) << "a scripted run shows no help window";
}
