#pragma once

// Recovery copies of the drawing being edited, so that a crash or a killed
// session loses at most a few minutes of work.
//
// While a modified drawing is open, the main window writes it every few
// minutes into the per-user recovery folder as `recovery-<pid>.fig`, with
// `recovery-<pid>.json` beside it naming the file the drawing belongs to.
// Saving the drawing, discarding its changes or closing the window normally
// removes the copy; a copy whose process no longer runs was left by a crash
// and is offered back at the next start.

#include <QDateTime>
#include <QList>
#include <QString>

#include <string>

class RecoveryCopy {
public:
    // `pid` is this process's; tests give another to play a second process.
    explicit RecoveryCopy(QString folder, qint64 pid = -1);

    // Writes the current figure as this process's copy, belonging to
    // `originalPath` (empty for an untitled drawing). The figure keeps its
    // unsaved state.
    bool write(const QString& originalPath, std::string* error);
    // Removes this process's copy, if any.
    void discard();
    bool exists() const;

    struct LeftBehind {
        QString copy;          // the recovery figure file
        QString originalPath;  // the drawing it belongs to, empty when untitled
        QDateTime written;
    };
    // Copies left by processes that no longer run (and an earlier one of this
    // process's own id), newest first.
    QList<LeftBehind> leftBehind() const;
    static void remove(const LeftBehind& copy);

    const QString& folder() const { return folder_; }

private:
    QString copyPath(qint64 pid) const;
    static QString notePath(const QString& copy);

    QString folder_;
    qint64 pid_;
};
