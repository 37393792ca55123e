#include "CommandLine.h"

#include <algorithm>

#include <QCommandLineParser>
#include <QFileInfo>

namespace {

constexpr int kDefaultBootStatus = 0x40;

// --boot takes an optional value, which the parser does not know: a bare
// --boot is read as --boot with the default status word.
QStringList withBootValue(const QStringList& arguments)
{
    QStringList out;
    out << QStringLiteral("mobr");  // the parser skips the program name
    for (const QString& a : arguments)
        out << (a == "--boot" ? QStringLiteral("--boot=%1").arg(kDefaultBootStatus) : a);
    return out;
}

QCommandLineOption hidden(QCommandLineOption option)
{
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    return option;
}

struct Options {
    QCommandLineOption system{"system", CommandLine::tr("Use DIR as the host's system folder (option, template and history files) "
                                        "instead of ~/.local/share/mobr/system."), "DIR"};
    QCommandLineOption boot{"boot", CommandLine::tr("Start in boot mode: the work option set is chosen before the window opens. "
                                    "STATUS is the command status word (default 64)."), "STATUS"};
    QCommandLineOption screenshot{"screenshot", CommandLine::tr("Save a picture of the main window to FILE.png and quit."),
                                  "FILE.png"};
    QCommandLineOption out{"out", CommandLine::tr("run: write the transcript to FILE; export: write the JSON to FILE; convert: write "
                                  "the converted drawings into the folder FILE."), "FILE"};
    QCommandLineOption reference{"reference", CommandLine::tr("convert: the reference drawing whose line types, widths and colours "
                                              "the drawings take."), "REF"};
    QCommandLineOption definition{"definition", CommandLine::tr("convert: the conversion definition file (.fac) to apply."), "DEF"};
    QCommandLineOption inPlace{"in-place", CommandLine::tr("convert: replace each drawing with its converted form (the original "
                                           "stays until the replacement is complete).")};
    QCommandLineOption jobs{"jobs", CommandLine::tr("convert: convert N drawings at a time (default: one per core)."), "N"};
    QCommandLineOption worker = hidden(QCommandLineOption{"worker", "convert: internal, a worker process."});
    QCommandLineOption screenshots{"screenshots", CommandLine::tr("run: save the scenario's screenshots in DIR."), "DIR"};
    QCommandLineOption check{"check", CommandLine::tr("run: compare the transcript with the scenario's \"expect\" member.")};
    QCommandLineOption lang{"lang", CommandLine::tr("Speak LANG: en (English) or ja (Japanese). Without it mobr "
                                                    "follows the locale (LANG=ja_JP.UTF-8 for Japanese)."), "LANG"};
    QCommandLineOption r12{"r12", CommandLine::tr("export, import: write a .dxf output as DXF R12 instead of R2000.")};
    QCommandLineOption help{QStringList{"h", "help"}, CommandLine::tr("Show this help and exit.")};
    QCommandLineOption version{QStringList{"v", "version"}, CommandLine::tr("Show the version and exit.")};

    void addTo(QCommandLineParser& parser) const
    {
        for (const QCommandLineOption* o : {&system, &boot, &screenshot, &out, &screenshots, &check, &reference,
                                            &definition, &inPlace, &jobs, &worker, &r12, &lang, &help, &version})
            parser.addOption(*o);
    }
};

// A word without a dot or a slash that names no file is a mistyped command
// rather than a figure (figure files have an extension).
bool looksLikeCommand(const QString& word)
{
    return !word.isEmpty() && !word.contains('.') && !word.contains('/') && !QFileInfo::exists(word);
}

}  // namespace

QString CommandLine::version()
{
    return QStringLiteral(MOBR_VERSION);
}

QString CommandLine::synopsis()
{
    return tr(
        "usage: mobr [FIGURE] [--system DIR] [--boot[=STATUS]] [--screenshot FILE.png] [--lang en|ja]\n"
        "       mobr run SCENARIO.json [--out TRANSCRIPT.json] [--screenshots DIR] [--check]\n"
        "       mobr export FIGURE [OUT.json|OUT.dxf] [--r12]\n"
        "       mobr import IN.json|IN.dxf FIGURE [--r12]\n"
        "       mobr convert --reference REF --definition DEF.fac (--out DIR | --in-place) [--jobs N] FIGURE...\n"
        "       mobr help | --help | --version\n");
}

QString CommandLine::usage()
{
    QCommandLineParser parser;
    Options options;
    options.addTo(parser);
    QString options_text = parser.helpText();
    // Qt translates the heading of the option list itself.
    options_text = options_text.mid(
        std::max(0, int(options_text.indexOf(QCoreApplication::translate("QCommandLineParser", "Options:")))));
    return synopsis() +
           tr("\n"
               "A small drawing host for the settings module. Without a command it opens FIGURE (a figure\n"
               "file, figure JSON or DXF drawing) in a window; without a display it does nothing more unless\n"
               "--screenshot is given.\n"
               "\n"
               "Commands:\n"
               "  run       Run a scenario: the dialogs it names are driven by its steps, headless.\n"
               "  export    Write a drawing as figure JSON (to standard output without OUT.json) or DXF.\n"
               "  import    Make a figure file (or a DXF drawing) from figure JSON or DXF.\n"
               "  convert   Apply a conversion definition to drawings (figure files or DXF) without a dialog:\n"
               "            each drawing takes the reference drawing's line types, widths and colours; a\n"
               "            drawing whose conversion fails is not written.\n"
               "  help      Show this help.\n"
               "\n") +
           options_text +
           tr("\n"
               "Exit status:\n"
               "  0  success\n"
               "  1  the figure or JSON was refused, a scenario step had errors, or a drawing was not converted\n"
               "  2  wrong command line, or a file could not be read or written, or the host did not start\n"
               "  3  run --check: the transcript does not meet the scenario's expectations\n");
}

CommandLine CommandLine::parse(const QStringList& arguments)
{
    auto fail = [](const QString& why) {
        CommandLine bad;
        bad.mode_ = Mode::Help;
        bad.error_ = why;
        return bad;
    };
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    Options options;
    options.addTo(parser);
    if (!parser.parse(withBootValue(arguments))) return fail(parser.errorText());

    for (const QCommandLineOption* o : {&options.system, &options.boot, &options.screenshot, &options.out,
                                        &options.screenshots, &options.reference, &options.definition, &options.jobs,
                                        &options.lang}) {
        if (parser.values(*o).size() > 1) return fail(tr("--%1 is given more than once").arg(o->names().constLast()));
    }

    CommandLine c;
    // Read before anything else: --help speaks the language it asks for.
    c.language_ = parser.value(options.lang);
    if (parser.isSet(options.lang) && c.language_ != "en" && c.language_ != "ja")
        return fail(tr("--lang takes en or ja, found %1").arg(c.language_));
    if (parser.isSet(options.help)) {
        c.mode_ = Mode::Help;
        return c;
    }
    if (parser.isSet(options.version)) {
        c.mode_ = Mode::Version;
        return c;
    }
    c.system_ = parser.value(options.system);
    c.out_ = parser.value(options.out);
    c.screenshots_ = parser.value(options.screenshots);
    c.screenshot_ = parser.value(options.screenshot);
    c.check_ = parser.isSet(options.check);
    c.dxfR12_ = parser.isSet(options.r12);
    if (parser.isSet(options.boot)) {
        bool ok = false;
        const QString text = parser.value(options.boot);
        const int status = text.toInt(&ok, 0);
        if (!ok || status < 0) return fail(tr("--boot= needs a command status word, found %1").arg(text));
        c.boot_ = true;
        c.commandStatus_ = status;
    }

    const QStringList positional = parser.positionalArguments();
    const QString command = positional.value(0);
    if (command == "help") {
        c.mode_ = Mode::Help;
        return c;
    }
    if (command == "run") {
        if (positional.size() != 2) return fail(tr("run needs exactly one scenario file"));
        c.mode_ = Mode::Run;
        c.scenario_ = positional[1];
    } else if (command == "export") {
        if (positional.size() < 2 || positional.size() > 3) return fail(tr("export needs a figure and at most one output file"));
        c.mode_ = Mode::Export;
        c.figure_ = positional[1];
        if (positional.size() == 3) c.out_ = positional[2];
    } else if (command == "convert") {
        c.mode_ = Mode::Convert;
        c.figures_ = positional.mid(1);
        c.reference_ = parser.value(options.reference);
        c.definition_ = parser.value(options.definition);
        c.inPlace_ = parser.isSet(options.inPlace);
        c.worker_ = parser.isSet(options.worker);
        if (parser.isSet(options.jobs)) {
            bool ok = false;
            c.jobs_ = parser.value(options.jobs).toInt(&ok);
            if (!ok || c.jobs_ < 1) return fail(tr("--jobs needs a number of 1 or more"));
        }
        if (c.reference_.isEmpty() || c.definition_.isEmpty()) return fail(tr("convert needs --reference and --definition"));
        if (c.inPlace_ == !c.out_.isEmpty()) return fail(tr("convert needs exactly one of --out DIR and --in-place"));
        if (c.figures_.isEmpty() && !c.worker_) return fail(tr("convert needs at least one drawing"));
        return c;
    } else if (command == "import") {
        if (positional.size() != 3) return fail(tr("import needs a JSON file and a figure file"));
        c.mode_ = Mode::Import;
        c.json_ = positional[1];
        c.figure_ = positional[2];
    } else {
        if (positional.size() > 1) return fail(tr("unknown command or more than one figure: %1").arg(positional.join(' ')));
        if (looksLikeCommand(command)) return fail(tr("unknown command %1").arg(command));
        c.mode_ = Mode::Window;
        c.figure_ = positional.value(0);
    }
    if (parser.isSet(options.reference) || parser.isSet(options.definition) || parser.isSet(options.inPlace) ||
        parser.isSet(options.jobs) || parser.isSet(options.worker))
        return fail(tr("--reference, --definition, --in-place and --jobs belong to convert"));
    const bool runOnly = !c.out_.isEmpty() || !c.screenshots_.isEmpty() || c.check_;
    if (runOnly && c.mode_ != Mode::Run && c.mode_ != Mode::Export)
        return fail(tr("--out, --screenshots and --check belong to run"));
    if (c.mode_ == Mode::Export && (!c.screenshots_.isEmpty() || c.check_))
        return fail(tr("--screenshots and --check belong to run"));
    return c;
}
