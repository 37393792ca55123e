// mobr-minihost: a minimal host for the settings module. It loads the module
// through the platform's library loader, answers the few host functions the
// drawing size dialog needs, and runs that dialog the way a host does:
// create, hand in the current size, run, read the results back, destroy.
//
//   mobr-minihost [SAMPLE.json] [--out DIR] [--script]
//
// With a display the dialog waits for a person (unless --script is given);
// without one it runs offscreen and plays the sample's "ui" script, saving
// screenshots into DIR (default "out").

#include <cstdio>
#include <cstdlib>
#include <string>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "mobr/entrypoints.h"
#include "mobr/host_api_register.h"
#include "mobrdlg/ZqUiDriver.h"
#include "mobrdlg/ZqUiScript.h"
#include "platform/Library.h"

namespace minihost {

int32_t aapRunDlgHelp(int32_t topic)
{
    std::printf("host: help topic %d requested\n", topic);
    return 0;
}

int32_t aapLcom_mwar(int32_t id)
{
    std::printf("host: warning %d\n", id);
    return 0;
}

}  // namespace minihost

namespace {

struct Options {
    QString samplePath;
    QString outDir = "out";
    bool forceScript = false;
};

bool hasDisplay()
{
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && std::string(platform) == "offscreen") return false;
    return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
}

Options parseArguments(const QStringList& arguments)
{
    Options options;
    for (int i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == "--out" && i + 1 < arguments.size()) {
            options.outDir = arguments[++i];
        } else if (arguments[i] == "--script") {
            options.forceScript = true;
        } else {
            options.samplePath = arguments[i];
        }
    }
    return options;
}

QJsonObject readSample(const QString& path, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QString("cannot read %1: %2").arg(path, file.errorString());
        return {};
    }
    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (!document.isObject()) {
        error = QString("%1 is not a sample: %2").arg(path, parseError.errorString());
        return {};
    }
    return document.object();
}

// Screenshot paths of the sample are relative to the output folder.
QJsonArray withScreenshotsIn(QJsonArray actions, const QString& outDir)
{
    for (int i = 0; i < actions.size(); ++i) {
        QJsonObject action = actions[i].toObject();
        if (!action.contains("screenshot")) continue;
        const QString path = action["screenshot"].toString();
        if (QFileInfo(path).isRelative()) action["screenshot"] = QDir(outDir).filePath(path);
        actions[i] = action;
    }
    return actions;
}

}  // namespace

int main(int argc, char** argv)
{
    const bool display = hasDisplay();
    if (!display) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Options options = parseArguments(app.arguments());
    const bool scripted = !display || options.forceScript;

    QJsonObject sample;
    if (!options.samplePath.isEmpty()) {
        QString error;
        sample = readSample(options.samplePath, error);
        if (sample.isEmpty()) {
            std::fprintf(stderr, "mobr-minihost: %s\n", qPrintable(error));
            return 2;
        }
    }

    MOBR_REGISTER_ONE(minihost, aapRunDlgHelp);
    MOBR_REGISTER_ONE(minihost, aapLcom_mwar);

    const QString modulePath = QCoreApplication::applicationDirPath() + "/libmobrtmpl.so";
    mobr::Library module(modulePath.toStdString());
    if (!module.isLoaded()) {
        std::fprintf(stderr, "mobr-minihost: the settings module did not load: %s\n", module.error().c_str());
        return 1;
    }
    auto init = module.symbol<IDD_S_001InitFn>("IDD_S_001Init");
    auto term = module.symbol<IDD_S_001TermFn>("IDD_S_001Term");
    CZqDataLink* dialog = init ? init() : nullptr;
    if (!dialog || !term) {
        std::fprintf(stderr, "mobr-minihost: the module did not create the drawing size dialog\n");
        return 1;
    }

    dialog->SetPageInt(30001, sample.value("paperIndex").toInt(6));
    dialog->SetPageDouble(20102, sample.value("width").toDouble(297.0));
    dialog->SetPageDouble(20103, sample.value("height").toDouble(210.0));

    int result = 0;
    if (scripted) {
        QDir().mkpath(options.outDir);
        QString error;
        ZqUiScript script =
            ZqUiScript::fromJson(withScreenshotsIn(sample.value("ui").toArray(), options.outDir), &error);
        if (!error.isEmpty()) std::fprintf(stderr, "mobr-minihost: script: %s\n", qPrintable(error));
        CZqUiDriver driver(script);
        dialog->RunDialog(&result);
        const QByteArray transcript = QJsonDocument(driver.transcript().toJson()).toJson(QJsonDocument::Indented);
        std::printf("%s", transcript.constData());
    } else {
        dialog->RunDialog(&result);
    }

    double width = 0.0, height = 0.0;
    int paper = -1;
    dialog->GetPageDouble(20102, &width);
    dialog->GetPageDouble(20103, &height);
    dialog->GetPageInt(30001, &paper);
    std::printf("result %d: width %.2f, height %.2f, paper index %d\n", result, width, height, paper);
    term(dialog);
    return result == 1 || result == 2 ? 0 : 1;
}
