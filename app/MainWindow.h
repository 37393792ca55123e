#pragma once

#include <QMainWindow>
#include <QString>

class FigureView;
class HelpWindow;
class SettingsModule;
class ViewListener;

// The window people use: the current figure, the File menu (figure files
// and JSON) and the Settings menu with one command per entry point that the
// settings module exports.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(SettingsModule& module, ViewListener& listener, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Opens a figure file or figure JSON; false (with a message box unless
    // quiet) when it is refused.
    bool openFigure(const QString& path, bool quiet = false);
    bool saveFigure(const QString& path);
    // Runs a Settings command by entry point name ("IDD_S_001" for the
    // drawing size); false when the module does not offer it.
    bool runCommand(const QString& entry);
    // Brings title and status line up to date with the figure.
    void refresh();

private:
    void buildMenus();
    void newFigure();
    void openDialog();
    void save();
    void saveAs();
    void importJson();
    void exportJson();
    void problem(const QString& text);

    SettingsModule& module_;
    ViewListener& listener_;
    FigureView* view_ = nullptr;       // owned by the window (Qt parent)
    HelpWindow* help_ = nullptr;       // owned by the window (Qt parent)
    QString path_;
};
