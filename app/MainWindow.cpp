#include "MainWindow.h"

#include <QApplication>
#include <QFileDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>

#include "FigureDocument.h"
#include "FigureView.h"
#include "HelpWindow.h"
#include "SettingsModule.h"
#include "ViewListener.h"
#include "platform/CodePage.h"
#include "store/FigureJson.h"

namespace {

const char* const kFigureFilter = "Figures (*.fig *.json);;All files (*)";

}  // namespace

MainWindow::MainWindow(SettingsModule& module, ViewListener& listener, QWidget* parent)
    : QMainWindow(parent), module_(module), listener_(listener)
{
    view_ = new FigureView(this);
    setCentralWidget(view_);
    help_ = new HelpWindow(this);
    buildMenus();
    listener_.onRedraw = [this](int) {
        view_->update();
        refresh();
    };
    listener_.onHelp = [this](int topic) { help_->showTopic(topic); };
    listener_.onWarning = [this](int, const std::string& text) {
        QMessageBox::warning(this, tr("mobr"), QString::fromStdString(mobr::cp932::toUtf8(text)));
    };
    listener_.onMessage = [this](const std::string& text) {
        statusBar()->showMessage(QString::fromStdString(mobr::cp932::toUtf8(text)), 10000);
    };
    refresh();
}

MainWindow::~MainWindow()
{
    listener_.onRedraw = nullptr;
    listener_.onHelp = nullptr;
    listener_.onWarning = nullptr;
    listener_.onMessage = nullptr;
}

void MainWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&New"), QKeySequence::New, this, &MainWindow::newFigure);
    file->addAction(tr("&Open..."), QKeySequence::Open, this, &MainWindow::openDialog);
    file->addAction(tr("&Save"), QKeySequence::Save, this, &MainWindow::save);
    file->addAction(tr("Save &as..."), QKeySequence::SaveAs, this, &MainWindow::saveAs);
    file->addSeparator();
    file->addAction(tr("&Import JSON..."), this, &MainWindow::importJson);
    file->addAction(tr("&Export JSON..."), this, &MainWindow::exportJson);
    file->addSeparator();
    file->addAction(tr("&Quit"), QKeySequence::Quit, qApp, &QApplication::closeAllWindows);

    QMenu* settings = menuBar()->addMenu(tr("&Settings"));
    for (const SettingsModule::Command& c : module_.available()) {
        const QString entry = QString::fromLatin1(c.entry);
        QAction* action = settings->addAction(tr(c.label), this, [this, entry] { runCommand(entry); });
        action->setObjectName(entry);
    }
    if (settings->isEmpty()) {
        QAction* none = settings->addAction(module_.isLoaded() ? tr("The settings module offers no commands")
                                                               : tr("The settings module is not loaded"));
        none->setEnabled(false);
    }
}

void MainWindow::problem(const QString& text)
{
    QMessageBox::warning(this, tr("mobr"), text);
}

void MainWindow::refresh()
{
    mobrhost::Figure* f = FigureDocument::current();
    const QString name = path_.isEmpty() ? tr("untitled") : QFileInfo(path_).fileName();
    setWindowTitle(QString("%1%2 - mobr").arg(name, f && f->changed ? "*" : ""));
    if (f) {
        statusBar()->showMessage(tr("Drawing size %1 x %2 mm (paper %3), %4 elements")
                                     .arg(f->paperWidth, 0, 'f', 2)
                                     .arg(f->paperHeight, 0, 'f', 2)
                                     .arg(f->paperIndex)
                                     .arg(f->elements.liveCount(0)));
    }
    view_->update();
}

bool MainWindow::openFigure(const QString& path, bool quiet)
{
    std::string error;
    if (!FigureDocument::open(path.toStdString(), &error)) {
        if (!quiet) problem(QString::fromStdString(error));
        return false;
    }
    // A figure read from JSON is saved as a figure file of the same name.
    path_ = path.endsWith(".json", Qt::CaseInsensitive) ? path.chopped(5) + ".fig" : path;
    refresh();
    return true;
}

bool MainWindow::saveFigure(const QString& path)
{
    std::string error;
    if (!FigureDocument::save(path.toStdString(), &error)) {
        problem(QString::fromStdString(error));
        return false;
    }
    path_ = path;
    refresh();
    return true;
}

void MainWindow::newFigure()
{
    FigureDocument::newFigure();
    path_.clear();
    refresh();
}

void MainWindow::openDialog()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("Open figure"), QString(), tr(kFigureFilter));
    if (!path.isEmpty()) openFigure(path);
}

void MainWindow::save()
{
    if (path_.isEmpty()) saveAs();
    else saveFigure(path_);
}

void MainWindow::saveAs()
{
    const QString path = QFileDialog::getSaveFileName(this, tr("Save figure"), path_, tr("Figures (*.fig)"));
    if (!path.isEmpty()) saveFigure(path);
}

void MainWindow::importJson()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("Import figure JSON"), QString(), tr("JSON (*.json)"));
    if (!path.isEmpty()) openFigure(path);
}

void MainWindow::exportJson()
{
    const QString path = QFileDialog::getSaveFileName(this, tr("Export figure JSON"), QString(), tr("JSON (*.json)"));
    if (path.isEmpty()) return;
    std::string error;
    if (mobrhost::Figure* f = FigureDocument::current();
        !f || !FigureDocument::writeJson(*f, path.toStdString(), &error))
        problem(QString::fromStdString(error));
}

bool MainWindow::runCommand(const QString& entry)
{
    const std::string name = entry.toStdString();
    if (!module_.has(name)) return false;
    if (entry == "IDD_S_001") {
        mobrhost::Figure* f = FigureDocument::current();
        const SettingsModule::DrawingSizeRun run =
            module_.runDrawingSize({f->paperIndex, f->paperWidth, f->paperHeight});
        if (run.modalResult == 1) {
            f->paperIndex = run.readBack.paperIndex;
            f->paperWidth = run.readBack.width;
            f->paperHeight = run.readBack.height;
            f->changed = true;
        }
    } else {
        module_.call(name, nullptr);
    }
    refresh();
    return true;
}
