// mobr-shots: pictures of mobr as a person sees it, for the documentation:
// the main window with each of its menus open and the help window, in the
// language --lang chooses (as mobr does).
//
//   mobr-shots [--lang en|ja] [--figure FIGURE] FOLDER

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QLoggingCategory>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTemporaryDir>

#include "AppLanguage.h"
#include "HelpWindow.h"
#include "MainWindow.h"
#include "SettingsModule.h"
#include "ViewListener.h"
#include "api/HostRuntime.h"
#include "model/HostSession.h"

Q_LOGGING_CATEGORY(lcShots, "mobr.shots", QtInfoMsg)

namespace {

bool save(const QPixmap& picture, const QDir& folder, const QString& name)
{
    const QString path = folder.filePath(name);
    const bool ok = picture.save(path);
    if (ok) qCInfo(lcShots) << "wrote" << path;
    else qCWarning(lcShots) << "cannot write" << path;
    return ok;
}

// The window with `menu` dropped down under its title in the menu bar: a
// popup is a window of its own, so it is painted into the window's picture
// where the person would see it.
QPixmap withMenuOpen(MainWindow& window, QMenu& menu)
{
    QMenuBar* bar = window.menuBar();
    const QPoint under = bar->mapTo(&window, bar->actionGeometry(menu.menuAction()).bottomLeft());
    menu.popup(window.mapToGlobal(under));
    QApplication::processEvents();
    QPixmap picture = window.grab();
    QPainter(&picture).drawPixmap(under, menu.grab());
    menu.hide();
    return picture;
}

bool shootMainWindow(MainWindow& window, const QDir& folder)
{
    bool ok = true;
    window.resize(1000, 720);
    window.show();
    QApplication::processEvents();
    ok &= save(window.grab(), folder, "main-window.png");
    for (QAction* action : window.menuBar()->actions()) {
        QMenu* menu = action->menu();
        if (!menu) continue;
        // menuFile -> main-window-menu-file.png
        const QString name = menu->objectName().mid(4).toLower();
        ok &= save(withMenuOpen(window, *menu), folder, QStringLiteral("main-window-menu-%1.png").arg(name));
    }
    return ok;
}

bool shootHelp(MainWindow& window, const QDir& folder)
{
    bool ok = true;
    for (const auto& [topic, name] : {std::pair{HelpWindow::kManual, "help-manual.png"},
                                      std::pair{472, "help-drawing-size.png"}}) {
        HelpWindow* help = HelpWindow::showTopic(topic, &window);
        QApplication::processEvents();
        ok &= save(help->grab(), folder, name);
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption lang("lang", "en or ja; without it the locale decides.", "LANG");
    const QCommandLineOption figure("figure", "The figure to show.", "FIGURE");
    parser.addOptions({lang, figure});
    parser.addPositionalArgument("FOLDER", "Where the pictures go.");
    parser.addHelpOption();
    parser.process(app);
    if (parser.positionalArguments().size() != 1) parser.showHelp(2);
    const QDir folder(parser.positionalArguments().constFirst());
    QDir().mkpath(folder.path());

    AppLanguage::apply(AppLanguage::choose(parser.value(lang)));
    SettingsModule module;
    module.load(SettingsModule::defaultPath());
    QTemporaryDir system;
    mobrhost::HostStart start;
    start.systemFolder = system.filePath("system").toStdString();
    if (!mobrhost::startHost(start)) return 2;
    ViewListener listener;
    mobrhost::HostSession::instance().setListener(&listener);
    bool ok = true;
    {
        MainWindow window(module, listener);
        if (parser.isSet(figure)) ok &= window.openFigure(parser.value(figure), true);
        ok &= shootMainWindow(window, folder) && shootHelp(window, folder);
    }
    mobrhost::HostSession::instance().setListener(nullptr);
    return ok ? 0 : 1;
}
