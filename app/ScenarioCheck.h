#pragma once

// Compares a transcript with the "expect" section of a scenario
// (docs/scenarios.md): expected errors, values at JSON pointers, host calls
// that must appear in the journal, files and texts they must contain.

#include <QJsonObject>
#include <QJsonValue>
#include <QStringList>

class ScenarioCheck {
public:
    // One text per expectation not met; empty when all are.
    static QStringList compare(const QJsonObject& expect, const QJsonObject& transcript);
    // The value at a JSON pointer ("/steps/0/readBack/30001"); undefined
    // when there is none.
    static QJsonValue at(const QJsonValue& root, const QString& pointer);
    // Equality with numbers compared to 1e-9 relative.
    static bool same(const QJsonValue& a, const QJsonValue& b);
};
