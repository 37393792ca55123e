#pragma once

// Runs a scenario (docs/scenarios.md) against the reference host and the
// settings module, headless, and builds its transcript. The run gets fresh
// folders: a system folder (the scenario's, copied, or the bundled
// defaults) and a working folder that is the current folder while the
// steps run.

#include <map>
#include <memory>
#include <string>

#include <QCoreApplication>
#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "SettingsModule.h"
#include "ViewListener.h"

class CZqUiDriver;

class ScenarioRunner {
    Q_DECLARE_TR_FUNCTIONS(ScenarioRunner)

public:
    explicit ScenarioRunner(SettingsModule& module) : module_(module) {}

    // Reads the scenario; false with a message when it cannot be run at all
    // (file missing, not JSON, a key of the wrong shape).
    bool load(const QString& path, QString* error);
    bool loadJson(const QJsonObject& scenario, const QString& baseFolder, QString* error);
    void setScreenshotFolder(const QString& folder) { screenshots_ = folder; }

    // Runs every step; false when the host could not be started. Problems
    // inside the run are errors of the transcript.
    bool run(QString* error);

    const QJsonObject& transcript() const { return transcript_; }
    const QJsonObject& scenario() const { return scenario_; }
    QStringList errors() const;
    // A few lines for a person: steps, dialogs, what changed in the figure.
    QString summary() const;

private:
    using Snapshot = std::map<QString, QByteArray>;

    bool startHost(QString* error);
    void runStep(int index, const QJsonObject& step);
    void callEntry(int index, const QJsonObject& step, QJsonObject& record);
    void collect(int index, const CZqUiDriver& driver, QJsonObject& record);
    void writeFigure(int index, const QJsonObject& step);
    void writeFile(int index, const QJsonObject& step);
    void error(int step, const QString& message);
    QString scenarioPath(const QString& path) const;
    QString workPath(int index, const QString& relative);
    Snapshot snapshot() const;
    QJsonArray changedFiles(const Snapshot& before) const;

    SettingsModule& module_;
    QJsonObject scenario_;
    QString base_;
    QString screenshots_;
    std::unique_ptr<QTemporaryDir> temp_;
    QString systemFolder_, workFolder_;
    ViewListener listener_;

    QJsonObject transcript_;
    QJsonArray steps_, dialogs_, messages_, reads_, errors_, helps_;
    QJsonObject exports_;
    QJsonArray pendingWarnings_;   // host warnings of the running step
    QJsonObject figureBefore_;
};
