#pragma once

// The system settings as JSON, under the key "system": every block by its
// function name as hexadecimal text, the named numbers and texts, colours,
// numeric parameters, search and input tables, folders, recent files and the
// template menu. Texts are UTF-8 in JSON and host code page inside.

#include <string>

#include "model/SystemSettings.h"
#include "mobr/export.h"

namespace mobrhost {

class MOBR_API SettingsJson {
public:
    static std::string exportSettings(const SystemSettings& settings);
    // Reads over a copy and assigns it back only when everything read well;
    // false with *error otherwise. Keys that are missing keep their values.
    static bool importSettings(SystemSettings& settings, const std::string& json, std::string* error);
};

}  // namespace mobrhost
