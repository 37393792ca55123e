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
    static constexpr int kHostFormat = 1;
    static constexpr int kChunkRecords = 8192;

    // Paths are host paths (host code page, '\' or '/').
    static bool save(const Figure& figure, const std::string& path, std::string* error);
    static std::unique_ptr<Figure> load(const std::string& path, std::string* error);
};

}  // namespace mobrhost
