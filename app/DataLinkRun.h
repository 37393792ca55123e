#pragma once

// Drives a data-link dialog from its field table, as a scenario step names
// it: the values of "set" go in by item id through the operation of each
// item's kind, the dialog runs, and every item of the table is read back.

#include <QJsonObject>
#include <QStringList>

class CZqDataLink;

class DataLinkRun {
public:
    struct Result {
        int runResult = 0;     // RunDialog's own result
        int modalResult = 0;   // the modal result it stored
        QJsonObject readBack;  // every item of the table, by item id
        QStringList errors;    // items of "set" the dialog does not take
    };

    // Hands `set` in, runs the dialog and reads every item back. A dialog
    // without a field table takes no item and reads none back.
    static Result drive(CZqDataLink& dialog, const QJsonObject& set);
};
