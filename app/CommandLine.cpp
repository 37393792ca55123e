#include "CommandLine.h"

namespace {

constexpr int kDefaultBootStatus = 0x40;

}  // namespace

QString CommandLine::usage()
{
    return QStringLiteral(
        "usage: mobr [FIGURE] [--system DIR] [--boot[=STATUS]] [--screenshot FILE.png]\n"
        "       mobr run SCENARIO.json [--out TRANSCRIPT.json] [--screenshots DIR] [--check]\n"
        "       mobr export FIGURE [OUT.json]\n"
        "       mobr import IN.json FIGURE\n");
}

CommandLine CommandLine::parse(const QStringList& arguments)
{
    CommandLine c;
    auto fail = [&c](const QString& why) {
        CommandLine bad;
        bad.mode_ = Mode::Help;
        bad.error_ = why;
        return bad;
    };
    QStringList positional;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        auto value = [&](QString& into) {
            if (i + 1 >= arguments.size()) return false;
            into = arguments[++i];
            return true;
        };
        if (a == "--help" || a == "-h") {
            c.mode_ = Mode::Help;
            return c;
        } else if (a == "--system") {
            if (!value(c.system_)) return fail("--system needs a folder");
        } else if (a == "--out") {
            if (!value(c.out_)) return fail("--out needs a file");
        } else if (a == "--screenshots") {
            if (!value(c.screenshots_)) return fail("--screenshots needs a folder");
        } else if (a == "--screenshot") {
            if (!value(c.screenshot_)) return fail("--screenshot needs a file");
        } else if (a == "--check") {
            c.check_ = true;
        } else if (a == "--boot") {
            c.boot_ = true;
            c.commandStatus_ = kDefaultBootStatus;
        } else if (a.startsWith("--boot=")) {
            bool ok = false;
            const int status = a.mid(7).toInt(&ok, 0);
            if (!ok || status < 0) return fail("--boot= needs a command status word, found " + a.mid(7));
            c.boot_ = true;
            c.commandStatus_ = status;
        } else if (a.startsWith("--")) {
            return fail("unknown option " + a);
        } else {
            positional << a;
        }
    }

    const QString command = positional.value(0);
    if (command == "run") {
        if (positional.size() != 2) return fail("run needs exactly one scenario file");
        c.mode_ = Mode::Run;
        c.scenario_ = positional[1];
    } else if (command == "export") {
        if (positional.size() < 2 || positional.size() > 3) return fail("export needs a figure and at most one output file");
        c.mode_ = Mode::Export;
        c.figure_ = positional[1];
        c.out_ = positional.value(2);
    } else if (command == "import") {
        if (positional.size() != 3) return fail("import needs a JSON file and a figure file");
        c.mode_ = Mode::Import;
        c.json_ = positional[1];
        c.figure_ = positional[2];
    } else {
        if (positional.size() > 1) return fail("more than one figure given: " + positional.join(' '));
        c.mode_ = Mode::Window;
        c.figure_ = positional.value(0);
    }
    const bool runOnly = !c.out_.isEmpty() || !c.screenshots_.isEmpty() || c.check_;
    if (runOnly && c.mode_ != Mode::Run && c.mode_ != Mode::Export)
        return fail("--out, --screenshots and --check belong to run");
    if (c.mode_ == Mode::Export && (!c.screenshots_.isEmpty() || c.check_))
        return fail("--screenshots and --check belong to run");
    return c;
}
