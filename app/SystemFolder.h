#pragma once

// Where the host keeps its settings: the folder given on the command line,
// or the per-user default ($XDG_DATA_HOME/mobr/system, usually
// ~/.local/share/mobr/system), which the host fills from the bundled
// defaults (bin/system) on first start.

#include <string>

#include <QString>

class SystemFolder {
public:
    // The per-user default folder.
    static QString userDefault();
    // The per-user folder of mobr itself ($XDG_DATA_HOME/mobr): the default
    // system folder, recovery copies and the recent files list live in it.
    static QString userData();
    // The bundled defaults next to the program.
    static QString bundled();
    // Copies every file and sub-folder of `from` into `to` (created).
    static bool copyTree(const QString& from, const QString& to, QString* error);
    // The folder as the host's tables keep it (host code page). The host uses
    // those bytes as the folder's name on disk, so only a name whose bytes are
    // the same in both (ASCII) names the same folder: any other is refused
    // with a message rather than turned into another folder.
    static bool hostPath(const QString& folder, std::string& out, QString* error);
};
