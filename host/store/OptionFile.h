#pragma once

// The user options as an INI-format option file (a user template). Written
// in one atomic replace; read completely into a copy of the settings before
// anything is taken over, so a damaged file changes nothing.

#include <string>

#include "model/SystemSettings.h"
#include "mobr/export.h"

namespace mobrhost {

class MOBR_API OptionFile {
public:
    // The value of [UserOption] Format that marks an option file.
    static constexpr const char* kFormat = "MOBR options 1";

    // Writes the options of `settings` to `path`. False with *error set when
    // the file cannot be written (the file is then unchanged).
    static bool save(const SystemSettings& settings, const std::string& path, std::string* error);
    // Reads `path` over a copy of `settings` and assigns it back only when
    // every value read well. False with *error ("<path>: <problem>").
    static bool load(SystemSettings& settings, const std::string& path, std::string* error);
    // True when `path` is an option file that load() would take.
    static bool check(const std::string& path, std::string* error = nullptr);

    // The background colour as a work set's option file holds it: section
    // "SysAtrib", key "SysCol2", "<name> <red> <green> <blue>".
    static std::string colourText(int index, const Rgb& rgb);
    // The reverse; a text starting with '!' is black. False when malformed.
    static bool parseColour(const std::string& text, Rgb& rgb);
};

}  // namespace mobrhost
