#include "MainWindow.h"

#include <QApplication>
#include <QDir>
#include <algorithm>
#include <iterator>
#include <QCloseEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLocale>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>

#include "AppLog.h"
#include "CommandLine.h"
#include "FigureDocument.h"
#include "FigurePainter.h"
#include "FigureView.h"
#include "HelpWindow.h"
#include "SettingsModule.h"
#include "ViewListener.h"
#include "mobrdlg/ZqMessageBox.h"
#include "mobrdlg/ZqUiDriver.h"
#include "platform/CodePage.h"
#include "store/FigureJson.h"

namespace {

const char* const kFigureFilter = QT_TRANSLATE_NOOP("MainWindow", "Drawings (*.fig *.json *.dxf);;DXF drawings (*.dxf);;All files (*)");

// The words of the buttons mobr's questions use, in mobr's language rather
// than Qt's (whose translations a system may lack).
QString buttonText(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Save: return MainWindow::tr("Save");
    case QMessageBox::Discard: return MainWindow::tr("Discard");
    case QMessageBox::Open: return MainWindow::tr("Open");
    default: return MainWindow::tr("Cancel");
    }
}

// Asks a question with three answers: `yes`, `no` (the buttons a person sees
// for them) and Cancel. Returns ZQ_ID_YES, ZQ_ID_NO or ZQ_ID_CANCEL. With the
// UI driver installed the driver answers; unscripted it takes Cancel, so a
// scripted run neither writes nor throws anything away unless told to.
int askThreeWay(QWidget* owner, const QString& text, QMessageBox::StandardButton yes,
                QMessageBox::StandardButton no)
{
    if (CZqUiDriver* driver = CZqUiDriver::current())
        return driver->messageBox(owner, ZQ_MB_YESNOCANCEL | ZQ_MB_ICONQUESTION | ZQ_MB_DEFBUTTON3, 0, text,
                                  QString());
    QMessageBox box(QMessageBox::Question, MainWindow::tr("mobr"), text, yes | no | QMessageBox::Cancel, owner);
    for (QMessageBox::StandardButton button : {yes, no, QMessageBox::Cancel}) box.button(button)->setText(buttonText(button));
    box.setDefaultButton(yes);
    box.setEscapeButton(QMessageBox::Cancel);
    const int clicked = box.exec();
    return clicked == yes ? ZQ_ID_YES : clicked == no ? ZQ_ID_NO : ZQ_ID_CANCEL;
}

}  // namespace

MainWindow::MainWindow(SettingsModule& module, ViewListener& listener, QWidget* parent)
    : QMainWindow(parent), module_(module), listener_(listener)
{
    view_ = new FigureView(this);
    setCentralWidget(view_);
    // A permanent widget: passing messages and menu hints do not hide it.
    figureInfo_ = new QLabel(this);
    figureInfo_->setObjectName("figureInfo");
    statusBar()->addPermanentWidget(figureInfo_);
    buildMenus();
    listener_.onRedraw = [this](int) {
        view_->update();
        refresh();
    };
    listener_.onHelp = [this](int topic) { HelpWindow::showTopic(topic, this); };
    listener_.onWarning = [this](int, const std::string& text) {
        QMessageBox::warning(this, tr("mobr"), QString::fromStdString(mobr::cp932::toUtf8(text)));
    };
    listener_.onMessage = [this](const std::string& text) {
        statusBar()->showMessage(QString::fromStdString(mobr::cp932::toUtf8(text)), 10000);
    };
    recoveryTimer_.setTimerType(Qt::VeryCoarseTimer);
    connect(&recoveryTimer_, &QTimer::timeout, this, &MainWindow::writeRecoveryCopy);
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
    file->setObjectName("menuFile");
    file->addAction(tr("&New"), QKeySequence::New, this, &MainWindow::newFigure)->setObjectName("fileNew");
    file->addAction(tr("&Open..."), QKeySequence::Open, this, &MainWindow::openDialog)->setObjectName("fileOpen");
    file->addAction(tr("&Save"), QKeySequence::Save, this, &MainWindow::save)->setObjectName("fileSave");
    file->addAction(tr("Save &as..."), QKeySequence::SaveAs, this, &MainWindow::saveAs)->setObjectName("fileSaveAs");
    recentMenu_ = file->addMenu(tr("Open &recent"));
    recentMenu_->setObjectName("fileRecent");
    fillRecentMenu();
    file->addSeparator();
    file->addAction(tr("&Print..."), QKeySequence::Print, this, &MainWindow::print)->setObjectName("filePrint");
    file->addAction(tr("Print pre&view..."), this, &MainWindow::printPreview)->setObjectName("filePrintPreview");
    file->addSeparator();
    file->addAction(tr("&Import JSON..."), this, &MainWindow::importJson)->setObjectName("fileImportJson");
    file->addAction(tr("&Export JSON..."), this, &MainWindow::exportJson)->setObjectName("fileExportJson");
    file->addSeparator();
    file->addAction(tr("&Quit"), QKeySequence::Quit, qApp, &QApplication::closeAllWindows)->setObjectName("fileQuit");

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->setObjectName("menuEdit");
    undoAction_ = edit->addAction(tr("&Undo"), QKeySequence::Undo, this, &MainWindow::undo);
    undoAction_->setObjectName("editUndo");
    redoAction_ = edit->addAction(tr("&Redo"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), this, &MainWindow::redo);
    redoAction_->setObjectName("editRedo");
    updateUndoActions();

    QMenu* view = menuBar()->addMenu(tr("&View"));
    view->setObjectName("menuView");
    view->addAction(tr("Zoom &in"), QKeySequence::ZoomIn, view_, &FigureView::zoomIn)->setObjectName("viewZoomIn");
    view->addAction(tr("Zoom &out"), QKeySequence::ZoomOut, view_, &FigureView::zoomOut)->setObjectName("viewZoomOut");
    view->addAction(tr("&Fit the drawing"), QKeySequence(Qt::Key_Home), view_, &FigureView::fit)->setObjectName("viewFit");

    QMenu* settings = menuBar()->addMenu(tr("&Settings"));
    settings->setObjectName("menuSettings");
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

    // F1 belongs to the main window: inside a dialog F1 asks that dialog's
    // help, which the dialog library passes to the host as a topic.
    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName("menuHelp");
    help->addAction(tr("mobr &manual"), QKeySequence(Qt::Key_F1), this, &MainWindow::showManual)
        ->setObjectName("helpManual");
    help->addSeparator();
    help->addAction(tr("&About mobr"), this, &MainWindow::showAbout)->setObjectName("helpAbout");
}

void MainWindow::showManual()
{
    HelpWindow::showTopic(HelpWindow::kManual, this);
}

void MainWindow::showAbout()
{
    QMessageBox::about(this, tr("About mobr"),
                       tr("<h3>mobr %1</h3>"
                          "<p>A small drawing program for 2D CAD figures. It is the reference host of the "
                          "settings module: it opens, shows, prints and saves figures, and runs the "
                          "settings dialogs that the module offers against them.</p>"
                          "<p>Built with Qt %2, running on Qt %3.</p>"
                          "<p>Help &gt; mobr manual (F1) describes the program and every dialog.</p>")
                           .arg(CommandLine::version(), QT_VERSION_STR, qVersion()));
}

void MainWindow::problem(const QString& text)
{
    if (CZqUiDriver* driver = CZqUiDriver::current())
        driver->messageBox(this, ZQ_MB_OK | ZQ_MB_ICONEXCLAMATION, 0, text, QString());
    else
        QMessageBox::warning(this, tr("mobr"), text);
}

QString MainWindow::paperName(int index)
{
    static const char* const kNames[] = {"A0", "A1", "A2", "A3", "A4", "A4 tall"};
    if (index >= 0 && index < int(std::size(kNames))) return QString::fromLatin1(kNames[index]);
    return tr("own size");
}

void MainWindow::refresh()
{
    mobrhost::Figure* f = FigureDocument::current();
    const QString name = path_.isEmpty() ? tr("untitled") : QFileInfo(path_).fileName();
    setWindowTitle(QString("%1%2 - mobr").arg(name, f && f->changed ? "*" : ""));
    if (f) {
        figureInfo_->setText(tr("Drawing size %1 x %2 mm (%3), %4 elements")
                                 .arg(f->paperWidth, 0, 'f', 2)
                                 .arg(f->paperHeight, 0, 'f', 2)
                                 .arg(paperName(f->paperIndex))
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
    recent_.add(path);
    fillRecentMenu();
    startedAnotherFigure();
    refresh();
    showDrawingNotes();
    return true;
}

bool MainWindow::saveFigure(const QString& path, FigureDocument::Format format)
{
    std::string error;
    if (!FigureDocument::save(path.toStdString(), &error, format)) {
        problem(QString::fromStdString(error));
        return false;
    }
    path_ = path;
    if (format == FigureDocument::Format::DxfR12) r12Path_ = path;
    else if (r12Path_ == path) r12Path_.clear();
    recent_.add(path);
    fillRecentMenu();
    dropRecoveryCopy();
    refresh();
    showDrawingNotes();
    return true;
}

// What a DXF drawing could not carry over ("skipped 12 SPLINE") is said in
// the status bar; the whole list goes to the log.
void MainWindow::showDrawingNotes()
{
    QStringList notes;
    for (const std::string& note : FigureDocument::lastNotes()) notes << QString::fromStdString(note);
    if (!notes.isEmpty()) statusBar()->showMessage(notes.join("; "), 20000);
}

void MainWindow::newFigure()
{
    if (!settleUnsavedChanges()) return;
    FigureDocument::newFigure();
    path_.clear();
    startedAnotherFigure();
    refresh();
}

void MainWindow::openDialog()
{
    if (!settleUnsavedChanges()) return;
    const QString path = chooseFile(true, tr("Open figure"), tr(kFigureFilter));
    if (!path.isEmpty()) openFigure(path);
}

void MainWindow::save()
{
    if (path_.isEmpty()) saveAs();
    else saveFigure(path_, path_ == r12Path_ ? FigureDocument::Format::DxfR12 : FigureDocument::Format::ByName);
}

void MainWindow::saveAs()
{
    const QString figures = tr("Figures (*.fig)"), r2000 = tr("DXF R2000 (*.dxf)"), r12 = tr("DXF R12 (*.dxf)");
    const bool dxf = path_.endsWith(".dxf", Qt::CaseInsensitive);
    QString chosen = !dxf ? figures : path_ == r12Path_ ? r12 : r2000;
    QString path = chooseFile(false, tr("Save figure"), QStringList{figures, r2000, r12}.join(";;"), &chosen);
    if (path.isEmpty()) return;
    // A DXF type with a name without the extension gets it; a name that
    // says otherwise (".fig") decides over the type.
    const bool dxfChosen = chosen == r2000 || chosen == r12;
    if (dxfChosen && QFileInfo(path).suffix().isEmpty()) path += ".dxf";
    FigureDocument::Format format = FigureDocument::Format::ByName;
    if (dxfChosen && path.endsWith(".dxf", Qt::CaseInsensitive))
        format = chosen == r12 ? FigureDocument::Format::DxfR12 : FigureDocument::Format::Dxf;
    saveFigure(path, format);
}

void MainWindow::importJson()
{
    if (!settleUnsavedChanges()) return;
    const QString path = chooseFile(true, tr("Import figure JSON"), tr("JSON (*.json)"));
    if (!path.isEmpty()) openFigure(path);
}

void MainWindow::exportJson()
{
    const QString path = chooseFile(false, tr("Export figure JSON"), tr("JSON (*.json)"));
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
    HostState before = HostState::capture();
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
    if (!before.matchesCurrent()) {
        history_.record(commandName(entry), std::move(before));
        updateUndoActions();
    }
    refresh();
    return true;
}

QString MainWindow::commandName(const QString& entry) const
{
    for (const SettingsModule::Command& c : SettingsModule::commands()) {
        if (entry != QLatin1String(c.entry)) continue;
        QString name = tr(c.label);
        name.remove('&');
        if (name.endsWith("...")) name.chop(3);
        return name;
    }
    return entry;
}

void MainWindow::undo()
{
    if (history_.undo()) refresh();
    updateUndoActions();
}

void MainWindow::redo()
{
    if (history_.redo()) refresh();
    updateUndoActions();
}

void MainWindow::updateUndoActions()
{
    undoAction_->setEnabled(history_.canUndo());
    undoAction_->setText(history_.canUndo() ? tr("&Undo %1").arg(history_.undoName()) : tr("&Undo"));
    redoAction_->setEnabled(history_.canRedo());
    redoAction_->setText(history_.canRedo() ? tr("&Redo %1").arg(history_.redoName()) : tr("&Redo"));
}

void MainWindow::startedAnotherFigure()
{
    history_.clear();
    updateUndoActions();
    dropRecoveryCopy();
}

QString MainWindow::chooseFile(bool open, const QString& title, const QString& filter, QString* selectedFilter)
{
    const QString folder = path_.isEmpty() ? QString() : QFileInfo(path_).absolutePath();
    const QString name = path_.isEmpty() ? QString() : QFileInfo(path_).fileName();
    if (CZqUiDriver* driver = CZqUiDriver::current()) {
        QString chosen;
        return driver->fileDialog(open, filter, folder, name, chosen, selectedFilter) ? chosen : QString();
    }
    return open ? QFileDialog::getOpenFileName(this, title, folder, filter, selectedFilter)
                : QFileDialog::getSaveFileName(this, title, path_, filter, selectedFilter);
}

bool MainWindow::settleUnsavedChanges()
{
    const mobrhost::Figure* f = FigureDocument::current();
    if (!f || !f->changed) return true;
    const QString name = path_.isEmpty() ? tr("untitled") : QFileInfo(path_).fileName();
    const QString text = tr("The drawing %1 has changes that are not saved.\nSave them first?").arg(name);
    switch (askThreeWay(this, text, QMessageBox::Save, QMessageBox::Discard)) {
    case ZQ_ID_YES:
        save();
        return !FigureDocument::current()->changed;
    case ZQ_ID_NO:
        dropRecoveryCopy();
        return true;
    default:
        return false;
    }
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!settleUnsavedChanges()) {
        event->ignore();
        return;
    }
    dropRecoveryCopy();
    event->accept();
}

void MainWindow::usePerUserFolder(const QString& folder, int interval)
{
    recent_ = RecentFiles(QDir(folder).filePath("recent-files.json"));
    recovery_ = std::make_unique<RecoveryCopy>(QDir(folder).filePath("recovery"));
    recoveryTimer_.start(interval);
    fillRecentMenu();
}

void MainWindow::writeRecoveryCopy()
{
    const mobrhost::Figure* f = FigureDocument::current();
    if (!recovery_ || !f || !f->changed) return;
    std::string error;
    if (!recovery_->write(path_, &error)) {
        // A failed recovery copy must not interrupt the person's work; the
        // status line says so and the next tick tries again.
        qCWarning(lcApp) << "recovery copy not written:" << QString::fromStdString(error);
        statusBar()->showMessage(tr("The recovery copy could not be written: %1").arg(QString::fromStdString(error)),
                                 10000);
    }
}

void MainWindow::dropRecoveryCopy()
{
    if (recovery_) recovery_->discard();
}

int MainWindow::offerRecovery()
{
    if (!recovery_) return 0;
    int opened = 0;
    for (const RecoveryCopy::LeftBehind& copy : recovery_->leftBehind()) {
        const QString name = copy.originalPath.isEmpty() ? tr("an untitled drawing") : copy.originalPath;
        const QString text = tr("mobr was not closed properly. A recovery copy of %1 was written at %2.\n"
                                "Open it, or discard it? (Cancel keeps it for the next start.)")
                                 .arg(name, QLocale().toString(copy.written, QLocale::ShortFormat));
        const int answer = askThreeWay(this, text, QMessageBox::Open, QMessageBox::Discard);
        if (answer == ZQ_ID_NO) RecoveryCopy::remove(copy);
        if (answer != ZQ_ID_YES || !settleUnsavedChanges()) continue;  // Cancel keeps it for the next start
        std::string error;
        if (!FigureDocument::open(copy.copy.toStdString(), &error)) {
            problem(QString::fromStdString(error));
            continue;
        }
        path_ = copy.originalPath;
        startedAnotherFigure();
        FigureDocument::current()->changed = true;
        RecoveryCopy::remove(copy);
        writeRecoveryCopy();
        ++opened;
        refresh();
    }
    return opened;
}

void MainWindow::fillRecentMenu()
{
    recentMenu_->clear();
    for (const QString& path : recent_.paths()) {
        QAction* open = recentMenu_->addAction(QFileInfo(path).fileName(), this, [this, path] {
            if (!settleUnsavedChanges()) return;
            if (!QFileInfo::exists(path)) {
                problem(tr("%1 no longer exists; it is taken off the list.").arg(path));
                recent_.remove(path);
                fillRecentMenu();
                return;
            }
            openFigure(path);
        });
        open->setToolTip(path);
        open->setStatusTip(path);
    }
    if (!recent_.paths().isEmpty()) {
        recentMenu_->addSeparator();
        recentMenu_->addAction(tr("&Clear the list"), this, [this] {
            recent_.clear();
            fillRecentMenu();
        });
    }
    recentMenu_->setEnabled(!recent_.paths().isEmpty());
}

bool MainWindow::printTo(QPrinter& printer)
{
    mobrhost::Figure* f = FigureDocument::current();
    if (!f) return false;
    const QSizeF paper(f->paperWidth, f->paperHeight);
    const QPageSize size(QSizeF(std::min(paper.width(), paper.height()), std::max(paper.width(), paper.height())),
                         QPageSize::Millimeter);
    printer.setPageLayout(QPageLayout(size, paper.width() > paper.height() ? QPageLayout::Landscape : QPageLayout::Portrait,
                                      QMarginsF(0, 0, 0, 0)));
    QPainter painter;
    if (!painter.begin(&printer)) {
        problem(tr("The printer could not be started."));
        return false;
    }
    FigurePainter(*f, printer.pageRect(QPrinter::DevicePixel)).paint(painter);
    return painter.end();
}

bool MainWindow::printToPdf(const QString& path)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    return printTo(printer);
}

void MainWindow::print()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted) printTo(printer);
}

void MainWindow::printPreview()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, this);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) { printTo(*p); });
    dialog.exec();
}
