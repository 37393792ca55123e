#include "ScenarioAction.h"

#include <QDir>
#include <QFileInfo>

#include "ScenarioPath.h"

namespace {

bool isIdPair(const QJsonValue& v, bool (*second)(const QJsonValue&))
{
    const QJsonArray a = v.toArray();
    return v.isArray() && a.size() == 2 && a[0].isDouble() && second(a[1]);
}

bool isNumber(const QJsonValue& v) { return v.isDouble(); }
bool isText(const QJsonValue& v) { return v.isString(); }
bool isFlag(const QJsonValue& v) { return v.isBool() || (v.isDouble() && (v.toInt() == 0 || v.toInt() == 1)); }

}  // namespace

int ScenarioAction::answerNumber(const QString& answer)
{
    if (answer == "ok") return 1;
    if (answer == "cancel") return 2;
    if (answer == "yes") return 6;
    if (answer == "no") return 7;
    return 0;
}

QJsonObject ScenarioAction::translate(const QJsonObject& action, const QString& screenshotDir, QString* error)
{
    QJsonObject rest = action;
    const QJsonValue in = rest.take("in");
    auto fail = [error](const QString& why) {
        if (error) *error = why;
        return QJsonObject();
    };
    if (!in.isUndefined() && !in.isString()) return fail("\"in\" must be a dialog's layout name");
    if (rest.size() != 1) return fail("expected exactly one action besides \"in\"");
    const QString verb = rest.begin().key();
    const QJsonValue v = rest.begin().value();
    QJsonObject out;
    if (verb == "type" && isIdPair(v, isText)) {
        out["type"] = v;
    } else if ((verb == "click" || verb == "focus" || verb == "read") && v.isDouble()) {
        out[verb] = v;
    } else if (verb == "check" && isIdPair(v, isFlag)) {
        const QJsonArray a = v.toArray();
        out["check"] = QJsonArray{a[0], a[1].isBool() ? a[1].toBool() : a[1].toInt() == 1};
    } else if (verb == "select" && isIdPair(v, isNumber)) {
        out["select"] = v;
    } else if (verb == "selectText" && isIdPair(v, isText)) {
        out["select"] = v;
    } else if (verb == "dblclick" && isIdPair(v, isNumber)) {
        out["dblclk"] = v;
    } else if (verb == "key" && isIdPair(v, isText)) {
        out["key"] = v;
    } else if (verb == "page" && v.isString()) {
        out["page"] = v;
    } else if (verb == "tab" && v.isDouble()) {
        out["page"] = v.toInt();
    } else if ((verb == "ok" || verb == "cancel") && v.isBool() && v.toBool()) {
        out[verb] = true;
    } else if (verb == "screenshot" && v.isString() && !v.toString().isEmpty()) {
        // A screenshot is a file name in the screenshot folder, nothing else.
        QString name = v.toString();
        if (name.contains('/') || name.contains('\\') || name == "." || name == "..")
            return fail("screenshot \"" + name + "\" is not a file name (no folders)");
        if (QFileInfo(name).suffix().isEmpty()) name += ".png";
        out["screenshot"] = QDir(screenshotDir).filePath(name);
    } else if (verb == "answer" && v.isString() && answerNumber(v.toString()) != 0) {
        out["answer"] = answerNumber(v.toString());
    } else if (verb == "file" && (v.isString() || v.isNull())) {
        // The module writes and reads what a file dialog gives: a chosen
        // file is one of the working folder (the current folder of a step).
        QString why;
        if (v.isString() && ScenarioPath::resolveInside(QDir::currentPath(), v.toString(), false, &why).isEmpty())
            return fail("file " + why);
        out["file"] = v;
    } else if (verb == "menu" && v.isDouble()) {
        out["menu"] = v;
    } else {
        return fail("unknown action \"" + verb + "\" or a value of the wrong shape");
    }
    if (in.isString()) out["dialog"] = in;
    if (error) error->clear();
    return out;
}

QJsonArray ScenarioAction::translateAll(const QJsonArray& actions, const QString& screenshotDir, QString* error)
{
    QJsonArray out;
    for (int i = 0; i < actions.size(); ++i) {
        QString why;
        const QJsonObject one =
            actions[i].isObject() ? translate(actions[i].toObject(), screenshotDir, &why) : QJsonObject();
        if (one.isEmpty()) {
            if (error) *error = QString("ui action %1: %2").arg(i).arg(why.isEmpty() ? "not an object" : why);
            return {};
        }
        out.append(one);
    }
    if (error) error->clear();
    return out;
}
