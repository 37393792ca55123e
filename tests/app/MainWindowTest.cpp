#include <gtest/gtest.h>

#include <QAction>
#include <QTemporaryDir>

#include "FigureDocument.h"
#include "MainWindow.h"
#include "SettingsModule.h"
#include "TestModule.h"
#include "ViewListener.h"
#include "api/HostRuntime.h"
#include "model/HostSession.h"
#include "mobrdlg/ZqUiDriver.h"

// What a person does: open the sample, choose a drawing size from the
// Settings menu, save, open the saved file again and find the size kept.
TEST(MainWindow, TheDrawingSizeChosenFromTheMenuIsSavedWithTheFigure)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    mobrhost::HostStart start;
    start.systemFolder = dir.filePath("system").toStdString();
    ASSERT_TRUE(mobrhost::startHost(start));
    SettingsModule& module = testModule();
    ASSERT_TRUE(module.isLoaded());
    ViewListener listener;
    mobrhost::HostSession::instance().setListener(&listener);
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
    mobrhost::HostSession::instance().setListener(nullptr);
}
