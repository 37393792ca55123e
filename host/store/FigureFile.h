#pragma once

// Figure files: one SQLite database per figure (docs/figure-file.md for the
// identification every reader checks, docs/host.md for the host's tables).
// Saving writes a temporary file in the target's folder and renames it over
// the target only when it is complete and flushed, so a failed save leaves
// the old file as it was. Loading refuses anything that is not a sound figure
// file with a message that names the file and the problem.

#include <memory>
#include <string>

#include "mobr/export.h"
#include "model/Figure.h"

namespace mobrhost {

class MOBR_API FigureFile {
public:
    // The host's own format version inside the file (figure_meta
    // "host_format"); the file's user_version stays that of the shared
    // identification.
    // 2 stores tables of figure JSON version 2; a file of format 1 holds
    // version 1 tables and is converted as it is read. 3 adds layer names
    // (the tables' "layerNames"); files of format 2 have none.
    static constexpr int kHostFormat = 3;
    static constexpr int kChunkRecords = 8192;

    // Paths are host paths (host code page, '\' or '/').
    static bool save(const Figure& figure, const std::string& path, std::string* error);
    static std::unique_ptr<Figure> load(const std::string& path, std::string* error);

    // The same on a path of the file system as it is (UTF-8 on Linux; what
    // a person typed or a command line named), never converted. Messages name
    // `shownPath` when given. Saving onto a symbolic link replaces its target;
    // temporaries of earlier saves of the same file that were killed are
    // removed. Loading reads a regular file only (a FIFO or a device is
    // refused at once), read-only and immutable, under a time bound.
    static bool saveFile(const Figure& figure, const std::string& file, std::string* error,
                         const std::string& shownPath = std::string());
    static std::unique_ptr<Figure> loadFile(const std::string& file, std::string* error,
                                            const std::string& shownPath = std::string());
};

}  // namespace mobrhost
