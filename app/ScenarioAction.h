#pragma once

// Turns a scenario's UI actions (docs/scenarios.md) into the dialog
// library's driver actions (ZqUiScript JSON): "in" becomes "dialog",
// "dblclick" "dblclk", "selectText" a select by text, "tab" a page by
// number, answers by name their button numbers, screenshot names files in
// the run's screenshot folder.

#include <QJsonArray>
#include <QJsonObject>
#include <QString>

class ScenarioAction {
public:
    // One action; an empty object and *error when it is not one the format
    // knows or its value has the wrong shape.
    static QJsonObject translate(const QJsonObject& action, const QString& screenshotDir, QString* error);
    // A list of actions; on the first bad one *error says "ui action N: ...".
    static QJsonArray translateAll(const QJsonArray& actions, const QString& screenshotDir, QString* error);
    // The button number of a message box answer ("yes" 6, "no" 7, "ok" 1,
    // "cancel" 2); 0 for another text.
    static int answerNumber(const QString& answer);
};
