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
    // the same in both (ASCII) names the same folder. A folder whose path has
    // other characters (a home folder like /home/josé) is handed to the host
    // through an ASCII alias: a symbolic link to it in the user's private
    // /tmp/mobr-<uid>, named by a hash of the folder's path so that it is the
    // same at every start, and every file the host writes lands in the real
    // folder. False, with a message, when no alias can be made; never
    // another folder.
    static bool hostPath(const QString& folder, std::string& out, QString* error);
};
