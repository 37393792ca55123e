#include <gtest/gtest.h>

#include "CommandLine.h"

using Mode = CommandLine::Mode;

TEST(CommandLine, EachModeTakesItsArgumentsAndOptions)
{
    CommandLine c = CommandLine::parse({});
    EXPECT_EQ(c.mode(), Mode::Window);
    EXPECT_TRUE(c.figure().isEmpty());

    c = CommandLine::parse({"a.fig", "--system", "/s", "--boot=0x4d", "--screenshot", "w.png"});
    EXPECT_EQ(c.mode(), Mode::Window);
    EXPECT_EQ(c.figure(), "a.fig");
    EXPECT_EQ(c.systemFolder(), "/s");
    EXPECT_TRUE(c.boot());
    EXPECT_EQ(c.commandStatus(), 0x4D);
    EXPECT_EQ(c.screenshot(), "w.png");

    c = CommandLine::parse({"--boot"});
    EXPECT_TRUE(c.boot());
    EXPECT_EQ(c.commandStatus(), 64) << "boot alone shows the work option choice";

    c = CommandLine::parse({"run", "s.json", "--out", "t.json", "--screenshots", "shots", "--check"});
    EXPECT_EQ(c.mode(), Mode::Run);
    EXPECT_EQ(c.scenario(), "s.json");
    EXPECT_EQ(c.out(), "t.json");
    EXPECT_EQ(c.screenshots(), "shots");
    EXPECT_TRUE(c.check());

    c = CommandLine::parse({"export", "a.fig"});
    EXPECT_EQ(c.mode(), Mode::Export);
    EXPECT_EQ(c.figure(), "a.fig");
    EXPECT_TRUE(c.out().isEmpty()) << "no output file: standard output";
    c = CommandLine::parse({"export", "a.fig", "a.json"});
    EXPECT_EQ(c.out(), "a.json");

    c = CommandLine::parse({"import", "a.json", "b.fig"});
    EXPECT_EQ(c.mode(), Mode::Import);
    EXPECT_EQ(c.json(), "a.json");
    EXPECT_EQ(c.figure(), "b.fig");
}

TEST(CommandLine, MistakesBecomeHelpWithAReason)
{
    const QStringList bad[] = {
        {"run"},                        // no scenario
        {"run", "a.json", "b.json"},    // two scenarios
        {"import", "a.json"},           // no figure
        {"export"},                     // no figure
        {"a.fig", "b.fig"},             // two figures
        {"--out"},                      // option without its value
        {"--frobnicate"},               // unknown option
        {"--boot=lots"},                // not a number
        {"a.fig", "--out", "t.json"},   // run's option on a window
        {"export", "a.fig", "--check"}, // run's option on export
        {"hepl"},                       // a mistyped command, not a figure
        {"--boot=64", "--boot"},        // given twice
    };
    for (const QStringList& args : bad) {
        const CommandLine c = CommandLine::parse(args);
        EXPECT_EQ(c.mode(), Mode::Help) << args.join(' ').toStdString();
        EXPECT_FALSE(c.error().isEmpty()) << args.join(' ').toStdString();
    }
    for (const QStringList& asked : {QStringList{"--help"}, QStringList{"help"}, QStringList{"-h"}}) {
        const CommandLine help = CommandLine::parse(asked);
        EXPECT_EQ(help.mode(), Mode::Help);
        EXPECT_TRUE(help.error().isEmpty());
    }
    EXPECT_EQ(CommandLine::parse({"--version"}).mode(), Mode::Version);
    EXPECT_EQ(CommandLine::parse({"plan.fig"}).mode(), Mode::Window) << "a figure that does not exist yet is a figure";
}

TEST(CommandLine, HelpExplainsEveryOptionCommandAndExitStatus)
{
    const QString help = CommandLine::usage();
    for (const char* word : {"--system", "--boot", "--screenshot", "--out", "--screenshots", "--check", "--version",
                             "run", "export", "import", "Exit status", "  3  "})
        EXPECT_TRUE(help.contains(QLatin1String(word))) << word;
}
