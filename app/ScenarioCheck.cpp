#include "ScenarioCheck.h"

#include <algorithm>
#include <cmath>

#include <QJsonArray>
#include <QJsonDocument>

namespace {

QString show(const QJsonValue& v)
{
    if (v.isUndefined()) return "nothing";
    if (v.isArray()) return QString::fromUtf8(QJsonDocument(v.toArray()).toJson(QJsonDocument::Compact));
    if (v.isObject()) return QString::fromUtf8(QJsonDocument(v.toObject()).toJson(QJsonDocument::Compact));
    return QString::fromUtf8(QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact)).mid(1).chopped(1);
}

}  // namespace

QJsonValue ScenarioCheck::at(const QJsonValue& root, const QString& pointer)
{
    if (pointer.isEmpty()) return root;
    if (!pointer.startsWith('/')) return QJsonValue(QJsonValue::Undefined);
    QJsonValue v = root;
    for (QString token : pointer.mid(1).split('/')) {
        token.replace("~1", "/").replace("~0", "~");
        if (v.isObject()) {
            const QJsonObject o = v.toObject();
            if (!o.contains(token)) return QJsonValue(QJsonValue::Undefined);
            v = o.value(token);
        } else if (v.isArray()) {
            bool ok = false;
            const int index = token.toInt(&ok);
            const QJsonArray a = v.toArray();
            if (!ok || index < 0 || index >= a.size()) return QJsonValue(QJsonValue::Undefined);
            v = a[index];
        } else {
            return QJsonValue(QJsonValue::Undefined);
        }
    }
    return v;
}

bool ScenarioCheck::same(const QJsonValue& a, const QJsonValue& b)
{
    if (a.isDouble() && b.isDouble()) {
        const double x = a.toDouble(), y = b.toDouble();
        return std::fabs(x - y) <= 1e-9 * std::max({1.0, std::fabs(x), std::fabs(y)});
    }
    if (a.isArray() && b.isArray()) {
        const QJsonArray x = a.toArray(), y = b.toArray();
        if (x.size() != y.size()) return false;
        for (int i = 0; i < x.size(); ++i)
            if (!same(x[i], y[i])) return false;
        return true;
    }
    if (a.isObject() && b.isObject()) {
        const QJsonObject x = a.toObject(), y = b.toObject();
        if (x.keys() != y.keys()) return false;
        for (const QString& k : x.keys())
            if (!same(x.value(k), y.value(k))) return false;
        return true;
    }
    return a == b;
}

QStringList ScenarioCheck::compare(const QJsonObject& expect, const QJsonObject& transcript)
{
    QStringList problems;
    const QJsonArray errors = transcript.value("errors").toArray();
    const QJsonArray wanted = expect.value("errors").toArray();
    if (wanted.isEmpty()) {
        for (const QJsonValue& e : errors) problems << "unexpected error: " + e.toObject().value("message").toString();
    } else {
        for (const QJsonValue& w : wanted) {
            const bool found = std::any_of(errors.begin(), errors.end(), [&](const QJsonValue& e) {
                return e.toObject().value("message").toString().contains(w.toString());
            });
            if (!found) problems << "no error mentions \"" + w.toString() + "\"";
        }
    }

    const QJsonObject values = expect.value("values").toObject();
    for (auto it = values.begin(); it != values.end(); ++it) {
        const QJsonValue actual = at(transcript, it.key());
        if (!same(actual, it.value()))
            problems << it.key() + ": expected " + show(it.value()) + ", found " + show(actual);
    }

    const QJsonArray journal = transcript.value("journal").toArray();
    for (const QJsonValue& name : expect.value("journal").toArray()) {
        const bool found = std::any_of(journal.begin(), journal.end(), [&](const QJsonValue& e) {
            return e.toObject().value("name").toString() == name.toString();
        });
        if (!found) problems << "the journal has no call of " + name.toString();
    }

    const QJsonArray files = transcript.value("files").toArray();
    const QJsonObject wantedFiles = expect.value("files").toObject();
    for (auto it = wantedFiles.begin(); it != wantedFiles.end(); ++it) {
        auto file = std::find_if(files.begin(), files.end(), [&](const QJsonValue& f) {
            return f.toObject().value("path").toString() == it.key();
        });
        if (file == files.end()) {
            problems << "the run did not create or change " + it.key();
        } else if (!(*file).toObject().value("text").toString().contains(it.value().toString())) {
            problems << it.key() + " does not contain \"" + it.value().toString() + "\"";
        }
    }
    return problems;
}
