#include <gtest/gtest.h>

#include <QAction>
#include <QTemporaryDir>

#include "FigureDocument.h"
#include "MainWindow.h"
#include "SettingsModule.h"
#include "TestModule.h"
#include "ViewListener.h"
#include "api/HostRuntime.h"
#include "store/FigureJson.h"
#include "model/HostSession.h"
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
