#include "ScenarioRunner.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QStringDecoder>

#include "DataLinkRun.h"
#include "FigureDocument.h"
#include "ScenarioAction.h"
#include "ScenarioPath.h"
#include "SystemFolder.h"
#include "api/HostRuntime.h"
#include "mobrdlg/ZqUiDriver.h"
#include "mobrdlg/ZqUiScript.h"
#include "model/Bytes.h"
#include "model/HostSession.h"
#include "platform/CodePage.h"
#include "store/FigureFile.h"
#include "store/FigureJson.h"
#include "store/SettingsJson.h"

namespace {

constexpr const char* kDrawingSize = "IDD_S_001";

QJsonValue fromNlohmann(const nlohmann::json& j)
{
    const QJsonDocument d = QJsonDocument::fromJson(QByteArray::fromStdString(j.dump()));
    return d.isObject() ? QJsonValue(d.object()) : QJsonValue(d.array());
}

nlohmann::json toNlohmann(const QJsonObject& o)
{
    return nlohmann::json::parse(QJsonDocument(o).toJson(QJsonDocument::Compact).toStdString(), nullptr, false);
}

QJsonObject currentFigureJson()
{
    mobrhost::Figure* f = FigureDocument::current();
    return f ? fromNlohmann(mobrhost::FigureJson::toJson(*f)).toObject() : QJsonObject();
}

QString answerName(int answer)
{
    switch (answer) {
    case 1: return "ok";
    case 2: return "cancel";
    case 6: return "yes";
    case 7: return "no";
    default: return QString::number(answer);
    }
}

// The icon part of message box flags, as a word.
QString kindOfFlags(unsigned flags)
{
    switch (flags & 0xF0) {
    case 0x10: return "stop";
    case 0x20: return "question";
    case 0x30: return "exclamation";
    case 0x40: return "information";
    default: return "message";
    }
}

// How a file's bytes are given as text: "utf-8" when they are valid UTF-8,
// "cp932" (the host's code page, which gives every byte back unchanged)
// otherwise, "binary" for files with NUL bytes (figure files).
QString fileEncoding(const QByteArray& bytes)
{
    if (bytes.contains('\0')) return QStringLiteral("binary");
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8.decode(bytes);  // decoding happens on this conversion
    return utf8.hasError() ? QStringLiteral("cp932") : QStringLiteral("utf-8");
}

// File contents as text in the encoding above; null for binary files.
QJsonValue fileText(const QByteArray& bytes)
{
    const QString encoding = fileEncoding(bytes);
    if (encoding == "binary") return QJsonValue::Null;
    if (encoding == "utf-8") return QString::fromUtf8(bytes);
    return mobr::cp932::toQString(std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

// UTF-8 text in the host's code page, only when every character is there.
bool exactCp932(const std::string& utf8, std::string& out)
{
    out = mobr::cp932::fromUtf8(utf8);
    return mobr::cp932::toUtf8(out) == utf8;
}

QJsonObject controlJson(const ZqControlState& c)
{
    QJsonArray items;
    for (const std::string& item : c.items) items.append(QString::fromStdString(item));
    return QJsonObject{{"id", c.id},           {"class", QString::fromStdString(c.className)},
                       {"text", QString::fromStdString(c.text)}, {"enabled", c.enabled},
                       {"visible", c.visible}, {"checked", c.checked},
                       {"readOnly", c.readOnly}, {"focused", c.focused},
                       {"items", items},       {"selection", c.selection}};
}

}  // namespace

bool ScenarioRunner::load(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) *error = path + ": " + file.errorString();
        return false;
    }
    QJsonParseError parse{};
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parse);
    if (parse.error != QJsonParseError::NoError) {
        if (error) *error = path + ": not JSON (" + parse.errorString() + " at offset " + QString::number(parse.offset) + ")";
        return false;
    }
    if (!doc.isObject()) {
        if (error) *error = path + ": a scenario is a JSON object with \"steps\", not " + (doc.isArray() ? "an array" : "a single value");
        return false;
    }
    return loadJson(doc.object(), QFileInfo(path).absolutePath(), error);
}

bool ScenarioRunner::loadJson(const QJsonObject& scenario, const QString& baseFolder, QString* error)
{
    static const QStringList known = {"system", "figure", "host", "steps", "expect", "description"};
    for (const QString& key : scenario.keys()) {
        if (!known.contains(key)) {
            if (error) *error = "unknown scenario key \"" + key + "\"";
            return false;
        }
    }
    if (scenario.contains("steps") && !scenario.value("steps").isArray()) {
        if (error) *error = "\"steps\" must be a list";
        return false;
    }
    if (scenario.contains("host") && !scenario.value("host").isObject()) {
        if (error) *error = "\"host\" must be an object";
        return false;
    }
    scenario_ = scenario;
    base_ = baseFolder;
    return true;
}

QString ScenarioRunner::scenarioPath(const QString& path) const
{
    return QFileInfo(path).isAbsolute() ? path : QDir(base_).filePath(path);
}

void ScenarioRunner::error(int step, const QString& message)
{
    QJsonObject e{{"message", step >= 0 ? QString("step %1: %2").arg(step).arg(message) : message}};
    if (step >= 0) e["step"] = step;
    errors_.append(e);
}

QStringList ScenarioRunner::errors() const
{
    QStringList list;
    for (const QJsonValue& e : transcript_.value("errors").toArray()) list << e.toObject().value("message").toString();
    return list;
}

bool ScenarioRunner::startHost(QString* error)
{
    temp_ = std::make_unique<QTemporaryDir>();
    if (!temp_->isValid()) {
        if (error) *error = "cannot create a temporary folder";
        return false;
    }
    systemFolder_ = temp_->filePath("system");
    workFolder_ = temp_->filePath("work");
    QDir().mkpath(workFolder_);
    const QString source = scenario_.contains("system") ? scenarioPath(scenario_.value("system").toString())
                                                         : SystemFolder::bundled();
    if (!SystemFolder::copyTree(source, systemFolder_, error)) return false;

    mobrhost::HostStart start;
    if (!SystemFolder::hostPath(systemFolder_, start.systemFolder, error)) return false;
    const QJsonObject host = scenario_.value("host").toObject();
    int charSizeMode = -1;
    for (auto it = host.begin(); it != host.end(); ++it) {
        const QString& key = it.key();
        const QJsonValue& v = it.value();
        if (key == "boot" && v.isDouble()) start.bootState = v.toInt();
        else if (key == "commandStatus" && v.isDouble()) start.commandStatus = v.toInt();
        else if (key == "loginUser" && v.isDouble()) start.loginUser = v.toInt();
        else if (key == "platformKind" && v.isDouble()) start.platformKind = v.toInt();
        else if (key == "loginName" && v.isString()) {
            if (!exactCp932(v.toString().toStdString(), start.loginName)) {
                if (error) *error = "host: loginName \"" + v.toString() + "\" has characters the host's code page lacks";
                return false;
            }
        }
        else if (key == "printToPdf" && v.isString()) {
            QString why;
            const QString pdf = ScenarioPath::resolveInside(workFolder_, v.toString(), true, &why);
            if (pdf.isEmpty()) {
                if (error) *error = "host: printToPdf: " + why;
                return false;
            }
            start.printToPdf = pdf.toStdString();
        }
        else if (key == "charSizeMode" && v.isDouble() && (v.toInt() == 0 || v.toInt() == 1))
            charSizeMode = v.toInt();
        else if (key == "defaultPrinter" && v.isBool())
            start.printToPdf = v.toBool() ? QDir(workFolder_).filePath("printer.pdf").toStdString() : std::string();
        else {
            if (error) *error = "host: unknown key \"" + key + "\" or a value of the wrong type";
            return false;
        }
    }
    std::string problem;
    if (!mobrhost::startHost(start, &problem)) {
        if (error) *error = "the host did not start: " + QString::fromStdString(problem);
        return false;
    }
    // The character-size mode is a setting of the session, not of the start.
    if (charSizeMode >= 0) {
        unsigned char* mode = mobrhost::HostSession::instance().settings().block("aatSysInfCharSizeMode");
        if (mode) mobrhost::bytes::setI16(mode, 0, static_cast<int16_t>(charSizeMode));
    }
    return true;
}

bool ScenarioRunner::run(QString* errorText)
{
    steps_ = dialogs_ = messages_ = reads_ = errors_ = helps_ = QJsonArray();
    exports_ = QJsonObject();
    // Messages the module showed while it attached, before any step: each
    // was answered with its default button (no run waits for a person).
    for (const SettingsModule::AttachMessage& m : module_.attachMessages())
        messages_.append(QJsonObject{{"step", -1}, {"id", m.id}, {"text", QString::fromStdString(m.text)},
                                     {"argument", QString::fromStdString(m.argument)}, {"kind", kindOfFlags(m.flags)},
                                     {"answer", answerName(m.answer)}, {"scripted", false}});
    // A settings file that the host refuses while it starts is reported
    // before the first step.
    listener_.onMessage = [this](const std::string& text) {
        messages_.append(QJsonObject{{"step", -1}, {"id", 0}, {"text", QString::fromStdString(mobr::cp932::toUtf8(text))},
                                     {"argument", ""}, {"kind", "host message"}, {"answer", "ok"}, {"scripted", false}});
    };
    mobrhost::HostSession::instance().setListener(&listener_);
    if (!startHost(errorText)) {
        mobrhost::HostSession::instance().setListener(nullptr);
        return false;
    }
    if (screenshots_.isEmpty()) screenshots_ = temp_->filePath("screenshots");
    screenshots_ = QFileInfo(screenshots_).absoluteFilePath();
    QDir().mkpath(screenshots_);

    listener_.onWarning = [this](int id, const std::string& text) {
        const CZqUiDriver* driver = CZqUiDriver::current();
        pendingWarnings_.append(QJsonObject{
            {"id", id}, {"text", QString::fromStdString(mobr::cp932::toUtf8(text))}, {"argument", ""},
            {"kind", "host warning"}, {"answer", "ok"},
            {"at", driver ? int(driver->transcript().messages().size()) : 0}});
    };
    listener_.onMessage = [this](const std::string& text) {
        pendingWarnings_.append(QJsonObject{{"id", 0}, {"text", QString::fromStdString(mobr::cp932::toUtf8(text))},
                                            {"argument", ""}, {"kind", "host message"}, {"answer", "ok"}, {"at", 0}});
    };
    listener_.onHelp = [this](int topic) { helps_.append(topic); };
    mobrhost::HostSession::instance().setListener(&listener_);

    if (scenario_.contains("figure")) {
        const QJsonValue figure = scenario_.value("figure");
        std::string problem;
        const bool ok = figure.isObject() ? FigureDocument::openJson(toNlohmann(figure.toObject()), &problem)
                                          : FigureDocument::open(scenarioPath(figure.toString()).toStdString(), &problem);
        if (!ok) {
            if (errorText) *errorText = "figure: " + QString::fromStdString(problem);
            mobrhost::HostSession::instance().setListener(nullptr);
            return false;
        }
    }
    figureBefore_ = currentFigureJson();

    const Snapshot before = snapshot();
    const QString previousFolder = QDir::currentPath();
    QDir::setCurrent(workFolder_);
    mobrhost::journalClear();
    mobrhost::journalEnable(true);
    const QJsonArray steps = scenario_.value("steps").toArray();
    for (int i = 0; i < steps.size(); ++i) {
        if (!steps[i].isObject()) {
            error(i, "not an object");
            continue;
        }
        runStep(i, steps[i].toObject());
    }
    mobrhost::journalEnable(false);
    QDir::setCurrent(previousFolder);
    mobrhost::HostSession::instance().setListener(nullptr);

    transcript_ = QJsonObject();
    transcript_["steps"] = steps_;
    transcript_["dialogs"] = dialogs_;
    transcript_["messages"] = messages_;
    transcript_["reads"] = reads_;
    transcript_["help"] = helps_;
    transcript_["exports"] = exports_;
    transcript_["figure"] = currentFigureJson();
    transcript_["system"] = QJsonDocument::fromJson(QByteArray::fromStdString(mobrhost::SettingsJson::exportSettings(
                                                        mobrhost::HostSession::instance().settings())))
                                .object()
                                .value("system");
    transcript_["files"] = changedFiles(before);
    transcript_["journal"] =
        QJsonDocument::fromJson(QByteArray::fromStdString(mobrhost::journalToJson())).array();
    transcript_["errors"] = errors_;
    return true;
}

void ScenarioRunner::runStep(int index, const QJsonObject& step)
{
    QJsonObject record;
    if (step.contains("call")) {
        record["call"] = step.value("call");
        callEntry(index, step, record);
    } else if (step.contains("writeFigure")) {
        record["writeFigure"] = step.value("to");
        writeFigure(index, step);
    } else if (step.contains("writeFile")) {
        record["writeFile"] = step.value("writeFile");
        writeFile(index, step);
    } else if (step.contains("export")) {
        const QString name = step.value("export").toString();
        record["export"] = name;
        if (name.isEmpty()) error(index, "\"export\" needs a name");
        else exports_[name] = currentFigureJson();
    } else {
        error(index, "unknown step (expected call, writeFigure, writeFile or export)");
    }
    steps_.append(record);
}

void ScenarioRunner::callEntry(int index, const QJsonObject& step, QJsonObject& record)
{
    const QString name = step.value("call").toString();
    if (!module_.has(name.toStdString())) {
        error(index, module_.isLoaded() ? "the settings module does not offer " + name
                                        : "the settings module is not loaded: " + QString::fromStdString(module_.error()));
        return;
    }
    QString why;
    const QJsonArray actions = ScenarioAction::translateAll(step.value("ui").toArray(), screenshots_, &why);
    if (!why.isEmpty()) {
        error(index, why);
        return;
    }
    const ZqUiScript script = ZqUiScript::fromJson(actions, &why);
    if (!why.isEmpty()) {
        error(index, why);
        return;
    }
    pendingWarnings_ = QJsonArray();
    CZqUiDriver driver(script);
    if (name == kDrawingSize) {
        // The host hands in the figure's size; "set" may replace any item.
        mobrhost::Figure* figure = FigureDocument::current();
        QJsonObject set{{"30001", figure->paperIndex}, {"20102", figure->paperWidth}, {"20103", figure->paperHeight}};
        const QJsonObject given = step.value("set").toObject();
        for (auto it = given.begin(); it != given.end(); ++it) set[it.key()] = it.value();
        DataLinkRun::Result run;
        run.readBack = set;
        const bool created =
            module_.withDrawingSize([&](CZqDataLink& dialog) { run = DataLinkRun::drive(dialog, set); });
        for (const QString& why : run.errors) error(index, "set: " + why);
        record["result"] = run.runResult;
        record["modalResult"] = run.modalResult;
        if (!created) error(index, "IDD_S_001Init did not create the drawing size object");
        record["readBack"] = run.readBack;
        if (run.modalResult == 1) {
            // The host keeps the chosen size in the figure.
            figure->paperIndex = run.readBack.value("30001").toInt();
            figure->paperWidth = run.readBack.value("20102").toDouble();
            figure->paperHeight = run.readBack.value("20103").toDouble();
            figure->changed = true;
        }
    } else {
        int result = 0;
        module_.call(name.toStdString(), &result);
        record["result"] = name == "aapLAtrCnv" ? QJsonValue(QJsonValue::Null) : QJsonValue(result);
    }
    collect(index, driver, record);
}

void ScenarioRunner::collect(int index, const CZqUiDriver& driver, QJsonObject& record)
{
    const ZqUiTranscript& t = driver.transcript();
    QJsonValue modal = record.value("modalResult");
    for (const auto& d : t.dialogs()) {
        dialogs_.append(QJsonObject{{"step", index}, {"name", QString::fromStdString(d.name)}, {"depth", d.depth},
                                    {"modalResult", d.result}, {"unscripted", d.unscripted}});
        if (d.depth == 1 && modal.isUndefined()) modal = d.result;
    }
    record["modalResult"] = modal.isUndefined() ? QJsonValue(QJsonValue::Null) : modal;

    // Message boxes and host warnings in the order they appeared.
    int warning = 0;
    auto flushWarnings = [&](int upTo) {
        while (warning < pendingWarnings_.size() &&
               pendingWarnings_[warning].toObject().value("at").toInt() <= upTo) {
            QJsonObject w = pendingWarnings_[warning++].toObject();
            w.remove("at");
            w["step"] = index;
            messages_.append(w);
        }
    };
    for (std::size_t i = 0; i < t.messages().size(); ++i) {
        flushWarnings(int(i));
        const auto& m = t.messages()[i];
        messages_.append(QJsonObject{{"step", index}, {"id", m.messageId}, {"text", QString::fromStdString(m.text)},
                                     {"argument", QString::fromStdString(m.argument)}, {"kind", kindOfFlags(m.flags)},
                                     {"answer", answerName(m.answer)}, {"scripted", m.scripted}});
    }
    flushWarnings(INT32_MAX);

    for (const auto& r : t.reads()) {
        QJsonObject o = controlJson(r.state);
        o["dialog"] = QString::fromStdString(r.dialog);
        o["step"] = index;
        reads_.append(o);
    }
    for (const auto& e : t.errors())
        error(index, QString("ui action %1: %2").arg(e.action).arg(QString::fromStdString(e.message)));
    if (driver.remaining() > 0)
        error(index, QString("%1 ui action(s) left over: no dialog was open for them").arg(driver.remaining()));
    QJsonArray shots;
    for (const auto& s : t.screenshots()) shots.append(QString::fromStdString(s.path));
    if (!shots.isEmpty()) record["screenshots"] = shots;
}

QString ScenarioRunner::workPath(int index, const QString& relative)
{
    QString why;
    const QString path = ScenarioPath::resolveInside(workFolder_, relative, true, &why);
    if (path.isEmpty()) error(index, why);
    return path;
}

void ScenarioRunner::writeFigure(int index, const QJsonObject& step)
{
    const QString to = workPath(index, step.value("to").toString());
    if (to.isEmpty()) return;
    const QJsonValue source = step.value("writeFigure");
    std::string problem;
    std::unique_ptr<mobrhost::Figure> figure;
    if (source.isObject()) {
        figure = mobrhost::FigureJson::fromJson(toNlohmann(source.toObject()), &problem);
    } else {
        figure = FigureDocument::read(scenarioPath(source.toString()).toStdString(), &problem);
    }
    if (!figure) {
        error(index, "writeFigure: " + QString::fromStdString(problem));
        return;
    }
    const bool ok = to.endsWith(".json", Qt::CaseInsensitive)
                        ? FigureDocument::writeJson(*figure, to.toStdString(), &problem)
                        : mobrhost::FigureFile::saveFile(*figure, to.toStdString(), &problem);
    if (!ok) error(index, "writeFigure: " + QString::fromStdString(problem));
}

void ScenarioRunner::writeFile(int index, const QJsonObject& step)
{
    const QString path = workPath(index, step.value("writeFile").toString());
    if (path.isEmpty()) return;
    const QString encoding = step.value("encoding").toString("utf-8").toLower();
    const std::string utf8 = step.value("text").toString().toStdString();
    std::string bytes;
    if (encoding == "cp932") {
        if (!exactCp932(utf8, bytes)) {
            error(index, "writeFile: the text has characters the host's code page (cp932) lacks; nothing written");
            return;
        }
    }
    else if (encoding == "utf-8" || encoding == "utf8") bytes = utf8;
    else {
        error(index, "writeFile: unknown encoding " + encoding + " (cp932 or utf-8)");
        return;
    }
    std::string problem;
    if (!FigureDocument::writeText(path.toStdString(), bytes, &problem))
        error(index, "writeFile: " + QString::fromStdString(problem));
}

ScenarioRunner::Snapshot ScenarioRunner::snapshot() const
{
    Snapshot files;
    for (const auto& [prefix, folder] : {std::pair<QString, QString>{"system", systemFolder_}, {"work", workFolder_}}) {
        QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile file(path);
            if (file.open(QIODevice::ReadOnly)) files[prefix + "/" + QDir(folder).relativeFilePath(path)] = file.readAll();
        }
    }
    return files;
}

QJsonArray ScenarioRunner::changedFiles(const Snapshot& before) const
{
    QJsonArray list;
    for (const auto& [path, bytes] : snapshot()) {
        const auto old = before.find(path);
        if (old != before.end() && old->second == bytes) continue;
        list.append(QJsonObject{{"path", path}, {"change", old == before.end() ? "created" : "changed"},
                                {"bytes", bytes.size()}, {"encoding", fileEncoding(bytes)},
                                {"text", fileText(bytes)}});
    }
    return list;
}

QString ScenarioRunner::summary() const
{
    QStringList lines;
    const QJsonArray steps = transcript_.value("steps").toArray();
    lines << tr("%1 step(s), %2 error(s)").arg(steps.size()).arg(transcript_.value("errors").toArray().size());
    QStringList dialogs;
    for (const QJsonValue& d : transcript_.value("dialogs").toArray()) {
        const QJsonObject o = d.toObject();
        const int result = o.value("modalResult").toInt();
        dialogs << QString("%1 (%2)").arg(o.value("name").toString(),
                                           result == 1   ? tr("OK")
                                           : result == 2 ? tr("Cancel")
                                                         : QString::number(result));
    }
    lines << tr("dialogs: %1").arg(dialogs.isEmpty() ? tr("none") : dialogs.join(", "));
    const QJsonObject after = transcript_.value("figure").toObject();
    QStringList changes;
    for (const QString& key : after.keys()) {
        const QJsonValue a = figureBefore_.value(key), b = after.value(key);
        if (a == b) continue;
        const auto text = [](const QJsonValue& v) {
            return QString::fromUtf8(QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact)).mid(1).chopped(1);
        };
        const QString from = text(a), to = text(b);
        changes << (from.size() + to.size() < 120 ? QString("  %1: %2 -> %3").arg(key, from, to)
                                                  : tr("  %1 changed").arg(key));
    }
    lines << (changes.isEmpty() ? tr("figure: unchanged") : tr("figure:") + "\n" + changes.join('\n'));
    for (const QJsonValue& s : steps) {
        for (const QJsonValue& shot : s.toObject().value("screenshots").toArray())
            lines << tr("screenshot: %1").arg(shot.toString());
    }
    return lines.join('\n');
}
