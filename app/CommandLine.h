#pragma once

// The command line of mobr:
//
//   mobr [FIGURE] [--system DIR] [--boot[=STATUS]] [--screenshot FILE.png] [--lang en|ja]
//   mobr run SCENARIO.json [--out TRANSCRIPT.json] [--screenshots DIR] [--check]
//   mobr export FIGURE [OUT.json]
//   mobr import IN.json FIGURE
//   mobr convert --reference REF --definition DEF.fac [--out DIR | --in-place] [--jobs N] FIGURE...
//   mobr help | --help | --version
//
// --boot starts the host in boot state 1 with the command status word STATUS
// (default 64), so that the work option set is chosen before the window.

#include <QCoreApplication>
#include <QString>
#include <QStringList>

class CommandLine {
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

public:
    enum class Mode { Window, Run, Export, Import, Convert, Help, Version };

    // Parses the arguments without the program name; on a mistake, mode()
    // is Help and error() says what was wrong.
    static CommandLine parse(const QStringList& arguments);
    // The full help: commands, options and exit status.
    static QString usage();
    // The usage lines alone, shown with a mistake.
    static QString synopsis();
    static QString version();

    Mode mode() const { return mode_; }
    const QString& error() const { return error_; }
    const QString& figure() const { return figure_; }
    const QString& scenario() const { return scenario_; }
    // Run: transcript file; export: JSON output (empty: standard output);
    // import: JSON input.
    const QString& out() const { return out_; }
    const QString& json() const { return json_; }
    const QString& screenshots() const { return screenshots_; }
    const QString& screenshot() const { return screenshot_; }
    const QString& systemFolder() const { return system_; }
    bool boot() const { return boot_; }
    int commandStatus() const { return commandStatus_; }
    bool check() const { return check_; }
    // convert: the reference drawing, the definition file, the drawings,
    // --in-place, --jobs (0: one per core) and the internal --worker.
    const QString& reference() const { return reference_; }
    const QString& definition() const { return definition_; }
    const QStringList& figures() const { return figures_; }
    bool inPlace() const { return inPlace_; }
    int jobs() const { return jobs_; }
    bool worker() const { return worker_; }
    bool dxfR12() const { return dxfR12_; }
    // --lang: "en", "ja", or empty to follow the locale.
    const QString& language() const { return language_; }

private:
    Mode mode_ = Mode::Window;
    QString error_;
    QString figure_, scenario_, out_, json_, screenshots_, screenshot_, system_;
    bool boot_ = false;
    int commandStatus_ = 0;
    bool check_ = false;
    QString reference_, definition_;
    QStringList figures_;
    bool inPlace_ = false;
    int jobs_ = 0;
    bool worker_ = false;
    bool dxfR12_ = false;
    QString language_;
};
