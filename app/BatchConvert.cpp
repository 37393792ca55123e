#include "BatchConvert.h"

#include <unistd.h>

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>

#include "FigureDocument.h"
#include "SettingsModule.h"
#include "SystemFolder.h"
#include "api/HostRuntime.h"

namespace {

constexpr int kBarWidth = 30;
constexpr std::size_t kHostPathLimit = 520;

void say(FILE* to, const QString& text)
{
    std::fprintf(to, "%s\n", qPrintable(text));
    std::fflush(to);
}

// A host of this process with a system folder of its own (a fresh temporary
// one unless named), and the module loaded.
class BatchHost {
public:
    bool start(const QString& systemFolder, QString* why)
    {
        QString folder = systemFolder;
        if (folder.isEmpty()) {
            if (!temp_.isValid()) {
                *why = "no temporary folder for the host";
                return false;
            }
            folder = temp_.path() + "/system";
        }
        mobrhost::HostStart start;
        if (!SystemFolder::hostPath(folder, start.systemFolder, why)) return false;
        std::string problem;
        if (!mobrhost::startHost(start, &problem)) {
            *why = "the host did not start: " + QString::fromStdString(problem);
            return false;
        }
        module_.load(SettingsModule::defaultPath());
        if (!module_.isLoaded()) {
            *why = "the settings module did not load: " + QString::fromStdString(module_.error());
            return false;
        }
        return true;
    }
    SettingsModule& module() { return module_; }

private:
    QTemporaryDir temp_;
    SettingsModule module_;
};

// The context of the progress and summary texts.
struct Convert {
    Q_DECLARE_TR_FUNCTIONS(BatchConvert)
};

// The kinds of table entries as the reports name them, in the words shown.
QString kindName(const QString& kind)
{
    if (kind == QLatin1String("pens")) return Convert::tr("pens");
    if (kind == QLatin1String("widths")) return Convert::tr("widths");
    if (kind == QLatin1String("colours")) return Convert::tr("colours");
    return kind;
}

QString skippedLine(const QJsonObject& s)
{
    return Convert::tr("    skipped %1 entry %2 (%3 -> %4): %5")
        .arg(kindName(s["kind"].toString()))
        .arg(s["entry"].toInt())
        .arg(s["source"].toString(), s["target"].toString(), s["reason"].toString());
}

// Totals over every drawing: entries applied per kind, skips per reason.
struct Totals {
    int converted = 0, failed = 0;
    std::map<QString, int> applied;
    std::map<QString, int> skipped;
    QStringList failures;

    void add(const QJsonObject& result)
    {
        if (result["ok"].toBool()) ++converted;
        else {
            ++failed;
            failures << QFileInfo(result["file"].toString()).fileName() + ": " + result["error"].toString();
        }
        const QJsonObject report = result["report"].toObject();
        for (const char* kind : {"pens", "widths", "colours"}) {
            const QJsonObject k = report[kind].toObject();
            applied[kind] += k["applied"].toInt();
            for (const QJsonValue& s : k["skipped"].toArray()) ++skipped[s.toObject()["reason"].toString()];
        }
    }
};

QString appliedText(const QJsonObject& report)
{
    QStringList parts;
    int skipped = 0;
    for (const char* kind : {"pens", "widths", "colours"}) {
        const QJsonObject k = report[kind].toObject();
        parts << QString("%1 %2").arg(kindName(kind)).arg(k["applied"].toInt());
        skipped += k["skipped"].toArray().size();
    }
    return Convert::tr("applied %1; skipped %2").arg(parts.join(", ")).arg(skipped);
}

// The progress: a line per drawing with what it applied and skipped, or a
// bar redrawn in place on a terminal (the details then go to the summary).
class Progress {
public:
    Progress(FILE* out, int total) : out_(out), total_(total), bar_(isatty(fileno(out)) != 0) {}

    void done(const QJsonObject& result)
    {
        ++count_;
        const QString name = QFileInfo(result["file"].toString()).fileName();
        const QString state = result["ok"].toBool() ? Convert::tr("converted")
                                                     : Convert::tr("FAILED: %1").arg(result["error"].toString());
        if (bar_) {
            const int filled = total_ ? kBarWidth * count_ / total_ : kBarWidth;
            std::fprintf(out_, "\r[%s%s] %d/%d %s\x1b[K", qPrintable(QString(filled, '#')),
                         qPrintable(QString(kBarWidth - filled, '.')), count_, total_, qPrintable(name));
            std::fflush(out_);
            if (!result["ok"].toBool()) details_ << name + ": " + state;
            return;
        }
        say(out_, QString("[%1/%2] %3: %4").arg(count_).arg(total_).arg(name, state));
        const QJsonObject report = result["report"].toObject();
        if (report.isEmpty()) return;
        say(out_, "    " + appliedText(report));
        for (const char* kind : {"pens", "widths", "colours"})
            for (const QJsonValue& s : report[kind].toObject()["skipped"].toArray()) say(out_, skippedLine(s.toObject()));
        for (const QJsonValue& m : report["messages"].toArray()) say(out_, Convert::tr("    note: %1").arg(m.toObject()["text"].toString()));
    }
    void finish()
    {
        if (!bar_) return;
        std::fputc('\n', out_);
        for (const QString& d : details_) say(out_, d);
    }

private:
    FILE* out_;
    int total_;
    int count_ = 0;
    bool bar_;
    QStringList details_;
};

void printSummary(FILE* out, const Totals& t, int total)
{
    say(out, Convert::tr("%1 of %2 drawings converted, %3 failed").arg(t.converted).arg(total).arg(t.failed));
    QStringList applied;
    for (const auto& [kind, n] : t.applied) applied << QString("%1 %2").arg(kindName(kind)).arg(n);
    say(out, Convert::tr("entries applied: %1").arg(applied.join(", ")));
    for (const auto& [reason, n] : t.skipped) say(out, Convert::tr("entries skipped, %1: %2").arg(reason).arg(n));
    for (const QString& f : t.failures) say(out, Convert::tr("failed: %1").arg(f));
}

// Shares the drawings out to worker processes, one drawing at a time each,
// so a slow drawing never holds others back.
class WorkerPool {
public:
    WorkerPool(const BatchConvert::Options& options, std::function<void(const QJsonObject&)> done)
        : options_(options), done_(std::move(done)), pending_(options.figures)
    {
    }

    bool run(int jobs, QString* why)
    {
        QStringList arguments{"convert", "--worker", "--reference", options_.reference, "--definition",
                              options_.definition};
        if (options_.inPlace) arguments << "--in-place";
        else arguments << "--out" << options_.outFolder;
        if (!options_.systemFolder.isEmpty()) arguments << "--system" << options_.systemFolder;
        for (int i = 0; i < jobs; ++i) {
            auto worker = std::make_unique<QProcess>();
            worker->setProcessChannelMode(QProcess::ForwardedErrorChannel);
            QProcess* w = worker.get();
            QObject::connect(w, &QProcess::readyReadStandardOutput, [this, w] { readAnswers(*w); });
            QObject::connect(w, &QProcess::finished, [this, w] { workerEnded(*w); });
            w->start(options_.workerProgram, arguments);
            if (!w->waitForStarted()) {
                *why = "cannot start a worker: " + w->errorString();
                return false;
            }
            workers_.push_back(std::move(worker));
            feed(*w);
        }
        if (running() > 0) loop_.exec();
        return true;
    }

private:
    int running() const
    {
        return static_cast<int>(std::count_if(workers_.begin(), workers_.end(), [](const auto& w) {
            return w->state() != QProcess::NotRunning;
        }));
    }
    void feed(QProcess& w)
    {
        if (pending_.isEmpty()) {
            w.closeWriteChannel();
            return;
        }
        const QString next = pending_.takeFirst();
        busy_[&w] = next;
        w.write((next + "\n").toUtf8());
    }
    void readAnswers(QProcess& w)
    {
        while (w.canReadLine()) {
            const QJsonObject result = QJsonDocument::fromJson(w.readLine()).object();
            busy_.erase(&w);
            done_(result);
            feed(w);
        }
    }
    void workerEnded(QProcess& w)
    {
        readAnswers(w);
        // A drawing whose worker died is reported, never written.
        const auto it = busy_.find(&w);
        if (it != busy_.end()) {
            done_(QJsonObject{{"file", it->second}, {"ok", false}, {"error", "the worker process ended unexpectedly"}});
            busy_.erase(it);
        }
        if (running() == 0) {
            for (const QString& f : pending_)
                done_(QJsonObject{{"file", f}, {"ok", false}, {"error", "no worker left to convert it"}});
            pending_.clear();
            loop_.quit();
        }
    }

    const BatchConvert::Options& options_;
    std::function<void(const QJsonObject&)> done_;
    QStringList pending_;
    std::vector<std::unique_ptr<QProcess>> workers_;
    std::map<QProcess*, QString> busy_;
    QEventLoop loop_;
};

}  // namespace

QString BatchConvert::outputPath(const Options& options, const QString& figure)
{
    if (options.inPlace) return figure;
    return QDir(options.outFolder).filePath(QFileInfo(figure).fileName());
}

QString BatchConvert::problem(const Options& options)
{
    if (options.reference.isEmpty() || options.definition.isEmpty()) return "convert needs --reference and --definition";
    if (options.inPlace == !options.outFolder.isEmpty()) return "convert needs exactly one of --out DIR and --in-place";
    if (options.figures.isEmpty()) return "convert needs at least one drawing";
    for (const QString& f : {options.reference, options.definition})
        if (!QFileInfo(f).isFile()) return f + ": no such file";
    for (const QString& f : {options.reference, options.definition}) {
        const std::string hostPath = FigureDocument::tablePath(f.toStdString());
        if (hostPath.empty()) return f + ": the host cannot name this path (a character outside its code page)";
        if (hostPath.size() >= kHostPathLimit) return f + ": the path is too long for the host (520 bytes or more)";
    }
    if (!options.inPlace && !QFileInfo(options.outFolder).isDir()) return options.outFolder + ": no such folder";
    // Two drawings that would be written to the same file are refused
    // before anything is written.
    QSet<QString> targets;
    for (const QString& f : options.figures) {
        const QString target = QFileInfo(outputPath(options, f)).absoluteFilePath();
        if (targets.contains(target)) return target + " would be written twice";
        targets.insert(target);
    }
    return {};
}

QJsonObject BatchConvert::convertOne(SettingsModule& module, const Options& options, const QString& figure)
{
    QJsonObject result{{"file", figure}, {"output", outputPath(options, figure)}, {"ok", false}};
    std::string error;
    if (!FigureDocument::open(figure.toStdString(), &error)) {
        result["error"] = QString::fromStdString(error);
        return result;
    }
    std::string report;
    const int status = module.convertAttributes(FigureDocument::tablePath(options.reference.toStdString()),
                                                FigureDocument::tablePath(options.definition.toStdString()), &report);
    result["report"] = QJsonDocument::fromJson(QByteArray::fromStdString(report)).object();
    if (status != 0) {
        static const char* const reasons[] = {"", "the definition file was refused", "the reference drawing did not load",
                                              "the drawing's tables could not be taken", "the conversion failed"};
        result["error"] = status > 0 && status <= 4 ? reasons[status] : "the module has no batch conversion";
        return result;
    }
    // The save replaces the target atomically: the original stays whole
    // until its replacement is complete.
    if (!FigureDocument::saveCopy(outputPath(options, figure).toStdString(), &error)) {
        result["error"] = QString::fromStdString(error);
        return result;
    }
    result["ok"] = true;
    return result;
}

int BatchConvert::runWorker(const Options& options)
{
    BatchHost host;
    QString why;
    const bool started = host.start(options.systemFolder, &why);
    char line[8192];
    while (std::fgets(line, sizeof line, stdin)) {
        const QString figure = QString::fromUtf8(line).trimmed();
        if (figure.isEmpty()) continue;
        const QJsonObject result = started ? convertOne(host.module(), options, figure)
                                           : QJsonObject{{"file", figure}, {"ok", false}, {"error", why}};
        std::fprintf(stdout, "%s\n", QJsonDocument(result).toJson(QJsonDocument::Compact).constData());
        std::fflush(stdout);
    }
    return started ? 0 : 2;
}

int BatchConvert::run(const Options& given, FILE* out, FILE* err)
{
    Options options = given;
    const QString wrong = problem(options);
    if (!wrong.isEmpty()) {
        say(err, "mobr convert: " + wrong);
        return 2;
    }
    if (options.workerProgram.isEmpty()) options.workerProgram = QCoreApplication::applicationFilePath();
    const int cores = std::max(1, QThread::idealThreadCount());
    const int jobs = std::min(static_cast<int>(options.figures.size()), options.jobs > 0 ? options.jobs : cores);

    Totals totals;
    Progress progress(out, static_cast<int>(options.figures.size()));
    const auto done = [&](const QJsonObject& result) {
        totals.add(result);
        progress.done(result);
    };
    if (jobs <= 1) {
        BatchHost host;
        QString why;
        if (!host.start(options.systemFolder, &why)) {
            say(err, "mobr convert: " + why);
            return 2;
        }
        for (const QString& f : options.figures) done(convertOne(host.module(), options, f));
    } else {
        WorkerPool pool(options, done);
        QString why;
        if (!pool.run(jobs, &why)) {
            say(err, "mobr convert: " + why);
            return 2;
        }
    }
    progress.finish();
    printSummary(out, totals, static_cast<int>(options.figures.size()));
    return totals.failed == 0 ? 0 : 1;
}
