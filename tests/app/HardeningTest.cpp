// What hostile or unlucky input does to mobr: each case here once
// wrote outside its folder, waited for a person, lost data or hung.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <thread>

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "FigureDocument.h"
#include "FigurePainter.h"
#include "ScenarioAction.h"
#include "ScenarioPath.h"
#include "ScenarioRunner.h"
#include "SystemFolder.h"
#include "TestModule.h"
#include "api/HostRuntime.h"
#include "model/Bytes.h"
#include "model/ElementDatabase.h"
#include "platform/CodePage.h"
#include "store/FigureFile.h"

namespace {

QJsonObject object(const char* text)
{
    return QJsonDocument::fromJson(text).object();
}

QString binFolder()
{
    return QCoreApplication::applicationDirPath();
}

struct ProgramRun {
    bool finished = false;
    int exitCode = -1;
    QString out, err;
};

// Runs a program with a time limit; a run that would wait for a person
// does not finish in time and is killed.
ProgramRun runProgram(const QString& program, const QStringList& arguments, int seconds = 60)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    p.setProcessEnvironment(env);
    p.start(program, arguments);
    ProgramRun r;
    r.finished = p.waitForFinished(seconds * 1000);
    if (!r.finished) {
        p.kill();
        p.waitForFinished();
    }
    r.exitCode = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

}  // namespace

// 1. A scenario writes only inside its working folder, however it spells
// the path ('\' is a separator for the file layer, so it is for the check).
TEST(Hardening, ScenarioPathsStayInsideTheWorkingFolder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString work = dir.filePath("work");
    QDir().mkpath(work);
    QString why;
    for (const char* bad : {".\\..\\victim.txt", "a\\..\\..\\victim.txt", "../victim.txt", "/etc/x", "C:\\x.txt",
                            "a/../../victim.txt", "", ".", "sub/"}) {
        EXPECT_TRUE(ScenarioPath::resolveInside(work, bad, true, &why).isEmpty()) << bad;
        EXPECT_FALSE(why.isEmpty()) << bad;
    }
    EXPECT_EQ(ScenarioPath::resolveInside(work, "defs\\a.fac", true, &why), work + "/defs/a.fac");
    EXPECT_EQ(ScenarioPath::resolveInside(work, "..fig", true, &why), work + "/..fig") << "a file, not a way out";

    // Symbolic links that lead out, as a folder on the way or as the file.
    QDir().mkpath(dir.filePath("outside"));
    ASSERT_TRUE(QFile::link(dir.filePath("outside"), work + "/out"));
    ASSERT_TRUE(QFile::link(dir.filePath("outside/target.txt"), work + "/link.txt"));
    EXPECT_TRUE(ScenarioPath::resolveInside(work, "out/x.txt", true, &why).isEmpty());
    EXPECT_TRUE(why.contains("symbolic link")) << why.toStdString();
    EXPECT_TRUE(ScenarioPath::resolveInside(work, "link.txt", true, &why).isEmpty());
    EXPECT_TRUE(ScenarioPath::resolveInside(work, "out\\new\\x.txt", true, &why).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("outside/new"))) << "no folder was made outside";

    // The runner refuses them as errors of their steps and writes nothing.
    ScenarioRunner runner(testModule());
    QString error;
    ASSERT_TRUE(runner.loadJson(object(R"({"steps": [
        {"writeFigure": {}, "to": ".\\..\\victim.txt"},
        {"writeFile": "x\\..\\..\\victim.txt", "text": "x"},
        {"writeFile": "ok\\inside.txt", "text": "x"}
    ]})"), dir.path(), &error));
    ASSERT_TRUE(runner.run(&error)) << error.toStdString();
    const QStringList errors = runner.errors();
    ASSERT_EQ(errors.size(), 2) << errors.join('\n').toStdString();
    EXPECT_TRUE(errors[0].startsWith("step 0:") && errors[0].contains("working folder")) << errors[0].toStdString();
    EXPECT_TRUE(errors[1].startsWith("step 1:")) << errors[1].toStdString();
    const QJsonArray files = runner.transcript().value("files").toArray();
    ASSERT_EQ(files.size(), 1);
    EXPECT_EQ(files[0].toObject().value("path").toString(), "work/ok/inside.txt");

    // Screenshots are names in the screenshot folder, never paths.
    for (const char* bad : {R"({"screenshot": "../x"})", R"({"screenshot": "/tmp/x"})", R"({"screenshot": "a\\b"})"}) {
        EXPECT_TRUE(ScenarioAction::translate(object(bad), "/shots", &error).isEmpty()) << bad;
    }
    // A file chosen in a file dialog is one of the working folder (the current one).
    EXPECT_TRUE(ScenarioAction::translate(object(R"({"file": "..\\..\\x.fac"})"), "/shots", &error).isEmpty());
    EXPECT_TRUE(ScenarioAction::translate(object(R"({"file": "/etc/passwd"})"), "/shots", &error).isEmpty());
    EXPECT_FALSE(ScenarioAction::translate(object(R"({"file": "defs/a.fac"})"), "/shots", &error).isEmpty());
    // A PDF for print jobs is a file of the working folder.
    ScenarioRunner printer(testModule());
    ASSERT_TRUE(printer.loadJson(object(R"({"host": {"printToPdf": "..\\out.pdf"}})"), dir.path(), &error));
    EXPECT_FALSE(printer.run(&error));
    EXPECT_TRUE(error.contains("printToPdf")) << error.toStdString();
}

// 2. Without a display, message 950 at attach (the resource file missing,
// empty, truncated, random or a folder) is answered with its default and
// recorded; the run goes on without the settings module.
TEST(Hardening, HeadlessRunsNeverWaitForAPersonWhenTheModuleAttaches)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A copy of the program and its libraries, without a usable resource file.
    const QString bin = dir.filePath("bin");
    QDir().mkpath(bin);
    for (const QFileInfo& f : QDir(binFolder()).entryInfoList({"*.so", "*.so.*", "mobr"}, QDir::Files))
        ASSERT_TRUE(QFile::copy(f.absoluteFilePath(), bin + "/" + f.fileName())) << f.fileName().toStdString();
    QFile::setPermissions(bin + "/mobr", QFile::permissions(binFolder() + "/mobr"));
    QProcess::execute("cp", {"-r", binFolder() + "/system", bin + "/system"});
    QFile rcc(binFolder() + "/ZQRCTMPL.rcc");
    ASSERT_TRUE(rcc.open(QIODevice::ReadOnly));
    const QByteArray good = rcc.readAll();

    const QString scenario = dir.filePath("s.json");
    QFile s(scenario);
    ASSERT_TRUE(s.open(QIODevice::WriteOnly));
    s.write(R"({"steps": [{"export": "x"}]})");
    s.close();

    QByteArray random(4096, '\0');
    for (int i = 0; i < random.size(); ++i) random[i] = char((i * 7919 + 13) & 0xFF);
    const struct {
        const char* name;
        QByteArray bytes;  // null: no file; "dir": a folder
    } cases[] = {{"missing", QByteArray()}, {"empty", QByteArray("")}, {"truncated", good.left(good.size() / 2)},
                 {"cut inside its tree", good.left(good.size() - 10)},
                 {"header only", good.left(20)}, {"random", random}, {"folder", QByteArray("dir")}};
    const QString target = bin + "/ZQRCTMPL.rcc";
    for (const auto& c : cases) {
        QFile::remove(target);
        QDir(target).removeRecursively();
        if (c.bytes == "dir") {
            QDir().mkpath(target);
        } else if (!c.bytes.isNull()) {
            QFile f(target);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.bytes);
        }
        const QString transcript = dir.filePath(QString("t-%1.json").arg(c.name));
        const ProgramRun r = runProgram(bin + "/mobr", {"run", scenario, "--out", transcript});
        ASSERT_TRUE(r.finished) << c.name << ": the run waited for a person";
        EXPECT_EQ(r.exitCode, 0) << c.name << r.err.toStdString();
        QFile t(transcript);
        ASSERT_TRUE(t.open(QIODevice::ReadOnly)) << c.name;
        const QJsonArray messages = QJsonDocument::fromJson(t.readAll()).object().value("messages").toArray();
        ASSERT_EQ(messages.size(), 1) << c.name;
        EXPECT_EQ(messages[0].toObject().value("id").toInt(), 950) << c.name;
        EXPECT_EQ(messages[0].toObject().value("step").toInt(), -1) << c.name;
        EXPECT_EQ(messages[0].toObject().value("answer").toString(), "ok") << c.name;
        EXPECT_FALSE(messages[0].toObject().value("scripted").toBool()) << c.name;

        // The window without a display does not wait either.
        const ProgramRun w = runProgram(bin + "/mobr", {"--system", dir.filePath("sys")});
        ASSERT_TRUE(w.finished) << c.name << ": mobr without a display waited for a person";
        EXPECT_TRUE(w.err.contains("950")) << c.name << w.err.toStdString();
    }
}

namespace {

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A tmpfs of 64 KB stands for a full disk; empty when it cannot be mounted.
struct SmallDisk {
    QTemporaryDir dir;
    bool mounted = false;
    SmallDisk()
    {
        mounted = dir.isValid() &&
                  QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", dir.path()}) == 0;
    }
    ~SmallDisk()
    {
        if (mounted) QProcess::execute("umount", {dir.path()});
    }
};

}  // namespace

// 3. A full disk never leaves an empty or half file: the old file stays and
// the message names the file and the reason.
TEST(Hardening, AFullDiskKeepsTheOldFileAndSaysSo)
{
    SmallDisk disk;
    if (!disk.mounted) GTEST_SKIP() << "a tmpfs cannot be mounted here";
    const QString out = disk.dir.filePath("out.json");
    ASSERT_TRUE(FigureDocument::writeText(out.toStdString(), "{\"old\": 1}\n", nullptr));
    // Fill the disk: a small text then fits in a write buffer, so only the
    // flush can tell that it did not reach the disk.
    {
        QFile filler(disk.dir.filePath("filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(1024, 'f');
        while (filler.write(block) == block.size()) {
        }
    }
    std::string error;
    EXPECT_FALSE(FigureDocument::writeText(out.toStdString(), std::string(4000, 'x'), &error));
    EXPECT_NE(error.find(out.toStdString()), std::string::npos) << error;
    EXPECT_NE(error.find("No space left"), std::string::npos) << error;
    EXPECT_EQ(readBytes(out), QByteArray("{\"old\": 1}\n")) << "the old file is kept whole";
    EXPECT_EQ(QDir(disk.dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2) << "no temporary is left";

    // mobr export goes the same way (it once said nothing and left the file empty).
    QTemporaryDir work;
    auto figure = mobrhost::Figure::makeDefault();
    const QString fig = work.filePath("default.fig");
    ASSERT_TRUE(mobrhost::FigureFile::saveFile(*figure, fig.toStdString(), &error)) << error;
    const ProgramRun run = runProgram(binFolder() + "/mobr", {"export", fig, out});
    EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("out.json") && run.err.contains("No space left")) << run.err.toStdString();
    EXPECT_EQ(readBytes(out), QByteArray("{\"old\": 1}\n"));
}

// 4. Paths are the file system's own: two names that differ only outside
// the host's code page are two files, and a Japanese name is found again.
TEST(Hardening, FileNamesAreNeverConvertedLossily)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString first = dir.filePath(QString::fromUtf8("r\u00e9sum\u00e9.fig"));
    const QString second = dir.filePath(QString::fromUtf8("r\u00e8sum\u00e8.fig"));
    std::string error;
    mobrhost::HostStart start;
    start.systemFolder = dir.filePath("system").toStdString();
    ASSERT_TRUE(mobrhost::startHost(start));
    ASSERT_TRUE(FigureDocument::openJson(nlohmann::json{{"control", 1}}, &error)) << error;
    ASSERT_TRUE(FigureDocument::save(first.toStdString(), &error)) << error;
    ASSERT_TRUE(FigureDocument::openJson(nlohmann::json{{"control", 2}}, &error)) << error;
    ASSERT_TRUE(FigureDocument::save(second.toStdString(), &error)) << error;
    EXPECT_EQ(QDir(dir.path()).entryList({"*.fig"}, QDir::Files).size(), 2) << "one drawing did not replace the other";
    auto readFirst = FigureDocument::read(first.toStdString(), &error);
    ASSERT_TRUE(readFirst) << error;
    EXPECT_EQ(readFirst->control, 1u);
    EXPECT_TRUE(readFirst->path.empty()) << "a name the host's code page lacks is not put into its tables";

    const QString japanese = dir.filePath(QString::fromUtf8("\u65e5\u672c\u8a9e.fig"));
    ASSERT_TRUE(FigureDocument::save(japanese.toStdString(), &error)) << error;
    EXPECT_TRUE(QFileInfo::exists(japanese)) << "created under its own UTF-8 name";
    auto again = FigureDocument::read(japanese.toStdString(), &error);
    ASSERT_TRUE(again) << error;
    EXPECT_EQ(again->path, mobr::cp932::fromUtf8(japanese.toStdString())) << "the host sees it in its code page";

    // mobr import and export name files the same way.
    const QString json = dir.filePath(QString::fromUtf8("\u00e9t\u00e9.json"));
    const ProgramRun exported = runProgram(binFolder() + "/mobr", {"export", japanese, json});
    EXPECT_EQ(exported.exitCode, 0) << exported.err.toStdString();
    const QString imported = dir.filePath(QString::fromUtf8("\u00e9t\u00e9.fig"));
    const ProgramRun run = runProgram(binFolder() + "/mobr", {"import", json, imported});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(imported));

    // A system folder the host cannot name in its code page reaches it through
    // an ASCII alias of the same folder, never another folder.
    std::string hostText;
    QString why;
    const QString accented = dir.filePath(QString::fromUtf8("syst\u00e8me"));
    ASSERT_TRUE(SystemFolder::hostPath(accented, hostText, &why)) << why.toStdString();
    for (char c : hostText) EXPECT_LT(static_cast<unsigned char>(c), 0x80) << hostText;
    EXPECT_EQ(QFileInfo(QString::fromStdString(hostText)).canonicalFilePath(), QFileInfo(accented).canonicalFilePath());
    QFile through(QString::fromStdString(hostText) + "/MOBR.SYS");
    ASSERT_TRUE(through.open(QIODevice::WriteOnly));
    through.close();
    EXPECT_TRUE(QFileInfo::exists(accented + "/MOBR.SYS")) << "what the host writes lands in the real folder";
    std::string aliasAgain;
    ASSERT_TRUE(SystemFolder::hostPath(accented, aliasAgain, &why));
    EXPECT_EQ(aliasAgain, hostText) << "the same alias at every start, so saved folder names stay valid";
    // A scenario's cp932 text that the code page lacks is an error, not '?'.
    ScenarioRunner runner(testModule());
    QString error2;
    ASSERT_TRUE(runner.loadJson(object(R"({"steps": [{"writeFile": "a.txt", "text": "caf\u00e9", "encoding": "cp932"},
        {"writeFigure": {}, "to": "\u65e5\u672c\u8a9e.fig"}]})"), dir.path(), &error2));
    ASSERT_TRUE(runner.run(&error2));
    ASSERT_EQ(runner.errors().size(), 1) << runner.errors().join('\n').toStdString();
    EXPECT_TRUE(runner.errors()[0].contains("code page")) << runner.errors()[0].toStdString();
    const QJsonArray files = runner.transcript().value("files").toArray();
    ASSERT_EQ(files.size(), 1);
    EXPECT_EQ(files[0].toObject().value("path").toString(), QString::fromUtf8("work/\u65e5\u672c\u8a9e.fig"));
}

// 5. Arcs with huge angles draw at once, with a bounded number of points.
TEST(Hardening, ArcsWithHugeAnglesDrawQuickly)
{
    auto f = mobrhost::Figure::makeDefault();
    const double arcs[][5] = {{100, 100, 50, 0, 1e9}, {100, 100, 50, 1e15, 10}, {100, 100, 50, 0, 1e8},
                              {100, 100, 1e300, -1e300, 1e300}, {100, 100, 50, 0, std::nan("")}};
    for (const auto& a : arcs) {
        mobrhost::ElementDatabase::Record r{};
        mobrhost::bytes::setU16(r.data(), mobrhost::element::kKind, mobrhost::element::Arc);
        mobrhost::bytes::setI32(r.data(), mobrhost::element::kOwner, -1);
        r[mobrhost::element::kPen] = 1;
        for (int i = 0; i < 5; ++i)
            mobrhost::bytes::put<double>(r.data(), mobrhost::element::kGeometry + std::size_t(i) * 8, a[i]);
        f->elements.append(0, r);
    }
    const FigurePainter painter(*f, QRectF(0, 0, 800, 600));
    for (const auto& a : arcs)
        EXPECT_LE(painter.arcPoints(a[0], a[1], a[2], a[3], a[4]).size(), FigurePainter::kMaxArcPoints);
    EXPECT_EQ(painter.arcPoints(100, 100, 50, 1e15, 10).size(),
              painter.arcPoints(100, 100, 50, std::fmod(1e15, 360.0), 10).size());
    EXPECT_TRUE(painter.arcPoints(0, 0, 1, 0, std::nan("")).isEmpty());
    QImage image(800, 600, QImage::Format_RGB32);
    QPainter p(&image);
    painter.paint(p);
}

// 11. A FIFO or a device given as a figure is refused at once, and a file
// is told apart as JSON by its first bytes.
TEST(Hardening, OddFilesAreRefusedAtOnce)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString fifo = dir.filePath("pipe.fig");
    ASSERT_EQ(::mkfifo(fifo.toUtf8().constData(), 0600), 0);
    // A writer that comes late, so that a reader that waits is not stuck for ever.
    std::thread late([&] {
        std::this_thread::sleep_for(std::chrono::seconds(5));
        const int fd = ::open(fifo.toUtf8().constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) ::close(fd);
    });
    const auto started = std::chrono::steady_clock::now();
    std::string error;
    EXPECT_FALSE(FigureDocument::read(fifo.toStdString(), &error));
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2)) << "it waited on the FIFO";
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
    late.join();
    EXPECT_FALSE(FigureDocument::read("/dev/null", &error));
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
    EXPECT_FALSE(FigureDocument::read(dir.path().toStdString(), &error));
    EXPECT_NE(error.find("folder"), std::string::npos) << error;
}

// 10 and 12. A settings file that the host refuses while a run starts is in
// the transcript, before the first step.
TEST(Hardening, RefusedSettingsFilesAreReportedInTheTranscript)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString system = dir.filePath("system");
    QDir().mkpath(system);
    auto write = [](const QString& path, const QByteArray& bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    write(system + "/MOBRSTD.INI", "[UserOption]\r\nFormat=MOBR options 1\r\n[Values]\r\nApproxArcTol=nan\r\n");
    ScenarioRunner runner(testModule());
    QString error;
    ASSERT_TRUE(runner.loadJson(object(R"({"system": "system", "steps": []})"), dir.path(), &error));
    ASSERT_TRUE(runner.run(&error)) << error.toStdString();
    const QJsonArray messages = runner.transcript().value("messages").toArray();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].toObject().value("step").toInt(), -1);
    EXPECT_TRUE(messages[0].toObject().value("text").toString().contains("[Values] ApproxArcTol"))
        << messages[0].toObject().value("text").toString().toStdString();
    EXPECT_EQ(runner.transcript().value("system").toObject().value("numbers").toObject().value("ApproxArcTol").toDouble(),
              0.01);

    write(system + "/MOBR.SYS", "[File]\r\n[Whole]\r\nUserTemp=../../../etc/passwd\r\n");
    ScenarioRunner again(testModule());
    ASSERT_TRUE(again.loadJson(object(R"({"system": "system", "steps": []})"), dir.path(), &error));
    ASSERT_TRUE(again.run(&error)) << error.toStdString();
    bool named = false;
    for (const QJsonValue& m : again.transcript().value("messages").toArray())
        named = named || m.toObject().value("text").toString().contains("UserTemp");
    EXPECT_TRUE(named);
}
