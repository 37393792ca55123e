#pragma once

#include <QMainWindow>
#include <QString>
#include <QTimer>

#include <memory>

#include "FigureDocument.h"
#include "RecentFiles.h"
#include "RecoveryCopy.h"
#include "UndoHistory.h"

class FigureView;
class QLabel;
class QMenu;
class QPrinter;
class SettingsModule;
class ViewListener;

// The window people use: the current figure, the File menu (figure files
// and JSON) and the Settings menu with one command per entry point that the
// settings module exports; the Help menu with the manual and About.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(SettingsModule& module, ViewListener& listener, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Opens a figure file, figure JSON or DXF drawing; false (with a message box unless
    // quiet) when it is refused.
    bool openFigure(const QString& path, bool quiet = false);
    // Saves the current figure as `path` in `format` (by name: ".dxf" DXF
    // R2000, else a figure file); Save writes the same file in the same
    // format again.
    bool saveFigure(const QString& path, FigureDocument::Format format = FigureDocument::Format::ByName);
    // Runs a Settings command by entry point name ("IDD_S_001" for the
    // drawing size); false when the module does not offer it.
    bool runCommand(const QString& entry);
    // Brings title and status line up to date with the figure.
    void refresh();
    // The name of a drawing size's paper (index 0 to 5), or "own size".
    static QString paperName(int index);

    // Whether the current figure may be replaced or the window closed. A
    // figure with unsaved changes asks first: Save (true when the save
    // succeeds), Discard (true) or Cancel (false). With the UI driver
    // installed the driver answers: Yes saves, No discards, Cancel (its
    // default here) keeps everything as it is.
    bool settleUnsavedChanges();

    // Keeps the person's own files in `folder`: the recent files list
    // (recent-files.json) and recovery copies (recovery/), written every
    // `interval` milliseconds while the figure has unsaved changes and
    // removed once it is saved, discarded or closed. Without this call the
    // window keeps neither.
    void usePerUserFolder(const QString& folder, int interval = kRecoveryInterval);
    const RecentFiles& recentFiles() const { return recent_; }
    // Prints the figure at its paper size; false with a message when the
    // printer cannot be started.
    bool printTo(QPrinter& printer);
    // Prints the figure into a PDF file.
    bool printToPdf(const QString& path);
    FigureView* view() const { return view_; }
    // Offers the recovery copies a crashed session left behind: each one
    // opened becomes the current figure, with unsaved changes. Returns how
    // many were opened.
    int offerRecovery();
    // Writes the recovery copy now (what the timer does).
    void writeRecoveryCopy();

    static constexpr int kRecoveryInterval = 2 * 60 * 1000;

    // Takes back the last settings command's changes, or does them again.
    void undo();
    void redo();
    const UndoHistory& history() const { return history_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void showDrawingNotes();
    void buildMenus();
    void newFigure();
    void openDialog();
    void save();
    void saveAs();
    void importJson();
    void exportJson();
    void problem(const QString& text);
    // A file chosen by the person (or by the UI driver's script); empty
    // when cancelled. `selectedFilter` brings in the file type to offer first
    // and takes back the one chosen.
    QString chooseFile(bool open, const QString& title, const QString& filter, QString* selectedFilter = nullptr);
    void dropRecoveryCopy();
    // A new or other figure: the undo history and the recovery copy of the
    // one before no longer apply.
    void startedAnotherFigure();
    void fillRecentMenu();
    void print();
    void printPreview();
    void updateUndoActions();
    // The Help menu: the manual (F1 while no dialog is open) and About.
    void showManual();
    void showAbout();
    QString commandName(const QString& entry) const;

    SettingsModule& module_;
    ViewListener& listener_;
    FigureView* view_ = nullptr;       // owned by the window (Qt parent)
    QString path_;
    QString r12Path_;   // the file last saved as DXF R12, which Save keeps in R12
    std::unique_ptr<RecoveryCopy> recovery_;
    QTimer recoveryTimer_;
    UndoHistory history_;
    RecentFiles recent_;
    QMenu* recentMenu_ = nullptr;  // owned by the File menu
    QLabel* figureInfo_ = nullptr;  // owned by the status bar
    QAction* undoAction_ = nullptr;  // owned by the Edit menu
    QAction* redoAction_ = nullptr;
};
