// mobr: a small drawing host for the settings module. See CommandLine.h for
// the command line and docs/scenarios.md for scenario runs.

#include <cstdio>
#include <cstdlib>
#include <string>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QMessageBox>
#include <QStringDecoder>
#include <QTimer>

#include "AppLanguage.h"
#include "BatchConvert.h"
#include "CommandLine.h"
#include "FigureDocument.h"
#include "MainWindow.h"
#include "ScenarioCheck.h"
#include "ScenarioRunner.h"
#include "SettingsModule.h"
#include "SystemFolder.h"
#include "ViewListener.h"
#include "api/HostRuntime.h"
#include "model/HostSession.h"
#include "platform/CodePage.h"

namespace {

// The context of the texts main() says itself.
struct Mobr {
    Q_DECLARE_TR_FUNCTIONS(mobr)
};

bool hasDisplay()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform == "offscreen" || platform == "minimal") return false;
    return !qgetenv("DISPLAY").isEmpty() || !qgetenv("WAYLAND_DISPLAY").isEmpty();
}

void say(FILE* to, const QString& text)
{
    std::fprintf(to, "%s\n", qPrintable(text));
}

int runScenario(const CommandLine& command, SettingsModule& module)
{
    ScenarioRunner runner(module);
    QString error;
    if (!runner.load(command.scenario(), &error)) {
        say(stderr, Mobr::tr("mobr run: %1").arg(error));
        return 2;
    }
    runner.setScreenshotFolder(command.screenshots());
    if (!runner.run(&error)) {
        say(stderr, Mobr::tr("mobr run: %1").arg(error));
        return 2;
    }
    if (!command.out().isEmpty()) {
        std::string problem;
        QDir().mkpath(QFileInfo(command.out()).absolutePath());
        const QByteArray text = QJsonDocument(runner.transcript()).toJson(QJsonDocument::Indented);
        if (!FigureDocument::writeText(command.out().toStdString(), text.toStdString(), &problem)) {
            say(stderr, Mobr::tr("mobr run: %1").arg(QString::fromStdString(problem)));
            return 2;
        }
    }
    say(stdout, Mobr::tr("scenario %1: %2").arg(command.scenario(), runner.summary()));
    if (!command.out().isEmpty()) say(stdout, Mobr::tr("transcript: %1").arg(command.out()));
    if (command.check()) {
        const QStringList problems =
            ScenarioCheck::compare(runner.scenario().value("expect").toObject(), runner.transcript());
        for (const QString& p : problems) say(stderr, Mobr::tr("mobr run: expectation not met: %1").arg(p));
        return problems.isEmpty() ? 0 : 3;
    }
    for (const QString& e : runner.errors()) say(stderr, Mobr::tr("mobr run: %1").arg(e));
    return runner.errors().isEmpty() ? 0 : 1;
}

int runWindow(const CommandLine& command, SettingsModule& module, bool display)
{
    const QString system = command.systemFolder().isEmpty() ? SystemFolder::userDefault() : command.systemFolder();
    mobrhost::HostStart start;
    QString why;
    if (!SystemFolder::hostPath(system, start.systemFolder, &why)) {
        say(stderr, "mobr: " + why);
        return 2;
    }
    start.bootState = command.boot() ? 1 : 0;
    start.commandStatus = command.commandStatus();
    // Settings files the host refuses while it starts are said where the
    // user sees them.
    ViewListener listener;
    QStringList refused;
    listener.onMessage = [&refused](const std::string& text) {
        refused << QString::fromStdString(mobr::cp932::toUtf8(text));
    };
    mobrhost::HostSession::instance().setListener(&listener);
    std::string problem;
    if (!mobrhost::startHost(start, &problem)) {
        mobrhost::HostSession::instance().setListener(nullptr);
        say(stderr, Mobr::tr("mobr: the host did not start: %1").arg(QString::fromStdString(problem)));
        return 2;
    }
    listener.onMessage = nullptr;
    for (const QString& text : refused) {
        say(stderr, "mobr: " + text);
        if (display) QMessageBox::warning(nullptr, "mobr", text);
    }
    if (!module.isLoaded()) {
        const QString why = Mobr::tr("the settings module did not load (%1); the figure opens without settings commands")
                                .arg(QString::fromStdString(module.error()));
        say(stderr, "mobr: " + why);
        if (display) QMessageBox::warning(nullptr, "mobr", why);
    }
    // At start-up in boot mode the host lets the user choose the work
    // option set before the main window appears.
    if (command.boot() && module.has("aapLSelWorkUserOpt")) {
        int result = 0;
        module.call("aapLSelWorkUserOpt", &result);
        say(stdout, Mobr::tr("mobr: work option selection at start returned %1").arg(result));
    }
    int status = 0;
    {
        MainWindow window(module, listener);
        // A person's session keeps recent files and recovery copies; a
        // screenshot or a headless start leaves the per-user folder alone.
        const bool session = display && command.screenshot().isEmpty();
        if (session) window.usePerUserFolder(SystemFolder::userData());
        if (!command.figure().isEmpty() && !window.openFigure(command.figure(), !display)) {
            std::string error;
            FigureDocument::read(command.figure().toStdString(), &error);
            say(stderr, "mobr: " + QString::fromStdString(error));
            status = 1;
        }
        window.resize(1000, 720);
        if (!command.screenshot().isEmpty()) {
            window.show();
            QApplication::processEvents();
            if (!window.grab().save(command.screenshot())) {
                say(stderr, Mobr::tr("mobr: cannot write %1").arg(command.screenshot()));
                status = 2;
            } else {
                say(stdout, Mobr::tr("main window: %1").arg(command.screenshot()));
            }
        } else if (display) {
            window.show();
            QTimer::singleShot(0, &window, [&window] { window.offerRecovery(); });
            status = QApplication::exec();
        } else {
            say(stdout, Mobr::tr("mobr: no display; nothing more to do (mobr run SCENARIO runs dialogs headless)"));
        }
    }
    mobrhost::HostSession::instance().setListener(nullptr);
    return status;
}

}  // namespace

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        // Paths are the file system's own bytes: one that is not UTF-8 could
        // not be named again exactly, so it is refused, never changed.
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString argument = utf8.decode(QByteArray(argv[i]));
        if (utf8.hasError()) {
            std::fprintf(stderr, "mobr: argument %d is not UTF-8 text; names are never changed, so it is refused\n", i);
            return 2;
        }
        arguments << argument;
    }
    // A first reading decides the platform and the language; the command
    // line is read again once the translations are in, so that its
    // messages and help speak the chosen language.
    const CommandLine first = CommandLine::parse(arguments);
    const bool display = first.mode() == CommandLine::Mode::Window && hasDisplay();
    if (!display) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Before the settings module is loaded: it takes its language from the
    // default locale when it attaches.
    AppLanguage::apply(AppLanguage::choose(first.language()));
    const CommandLine command = CommandLine::parse(arguments);
    if (command.mode() == CommandLine::Mode::Version) {
        say(stdout, "mobr " + CommandLine::version());
        return 0;
    }
    if (command.mode() == CommandLine::Mode::Help) {
        if (command.error().isEmpty()) {
            std::fputs(qPrintable(CommandLine::usage()), stdout);
            return 0;
        }
        say(stderr, "mobr: " + command.error());
        std::fputs(qPrintable(CommandLine::synopsis() + Mobr::tr("Try 'mobr --help' for the options and exit codes.\n")),
                   stderr);
        return 2;
    }

    if (command.mode() == CommandLine::Mode::Export || command.mode() == CommandLine::Mode::Import) {
        std::string error;
        FigureDocument::preferDxfR12(command.dxfR12());
        const bool ok = command.mode() == CommandLine::Mode::Export
                            ? FigureDocument::exportJson(command.figure().toStdString(), command.out().toStdString(), &error)
                            : FigureDocument::importJson(command.json().toStdString(), command.figure().toStdString(), &error);
        for (const std::string& note : FigureDocument::lastNotes()) say(stderr, "mobr: " + QString::fromStdString(note));
        if (!ok) say(stderr, "mobr: " + QString::fromStdString(error));
        return ok ? 0 : 1;
    }

    if (command.mode() == CommandLine::Mode::Convert) {
        BatchConvert::Options options;
        options.reference = command.reference();
        options.definition = command.definition();
        options.outFolder = command.out();
        options.inPlace = command.inPlace();
        options.jobs = command.jobs();
        options.systemFolder = command.systemFolder();
        options.figures = command.figures();
        return command.worker() ? BatchConvert::runWorker(options) : BatchConvert::run(options, stdout, stderr);
    }

    SettingsModule module;
    module.load(SettingsModule::defaultPath());
    const int status = command.mode() == CommandLine::Mode::Run ? runScenario(command, module)
                                                                : runWindow(command, module, display);
    return status;
}
