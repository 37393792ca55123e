#pragma once

// The drawings a person opened or saved last, newest first, kept in a small
// JSON file of the per-user folder so that every start of mobr offers them
// in the File menu. A file that is unreadable or not a list is treated as an
// empty list (and replaced at the next change), never an error.

#include <QString>
#include <QStringList>

class RecentFiles {
public:
    static constexpr int kMaxEntries = 10;

    // `file` is where the list is kept; empty keeps it in memory only.
    explicit RecentFiles(QString file = QString());

    const QStringList& paths() const { return paths_; }
    // Moves `path` (made absolute) to the front; the oldest beyond the
    // limit are dropped. Writes the list.
    void add(const QString& path);
    void remove(const QString& path);
    void clear();

private:
    void load();
    void store() const;

    QString file_;
    QStringList paths_;
};
