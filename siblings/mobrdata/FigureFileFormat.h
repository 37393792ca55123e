#pragma once

#include <cstdint>

// The figure file: one SQLite database per figure (docs/figure-file.md).
// These constants are shared by the reader here and by whoever writes figure
// files, so both sides name the same things.
namespace figfile {

// PRAGMA application_id of every figure file: the bytes "MOBF".
constexpr int32_t kApplicationId = 0x4D4F4246;
// PRAGMA user_version: the format version this build writes and the newest
// it reads. Files of a newer version are refused; versions below 1 are not
// figure files.
constexpr int32_t kFormatVersion = 1;

// Key-value table of the figure's fixed data.
constexpr const char* kMetaTable = "figure_meta";
// Key of the 32-bit control word (an INTEGER from 0 to 4294967295).
constexpr const char* kControlKey = "control";

// The schema of version 1 as a writer creates it.
constexpr const char* kCreateMetaSql =
    "CREATE TABLE figure_meta(key TEXT PRIMARY KEY NOT NULL, value) WITHOUT ROWID";

}  // namespace figfile
