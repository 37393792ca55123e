#pragma once

// The system settings file "MOBR.SYS": the template folders, work and figure
// temporary folders, the current template (section "File" key
// "UserTempCurDir", section "Whole" key "UserTemp"), recent files and the
// template menu. Folder texts under the system folder are kept relative to it.

#include <string>

#include "model/SystemSettings.h"
#include "mobr/export.h"

namespace mobrhost {

class MOBR_API SystemFile {
public:
    static constexpr const char* kName = "MOBR.SYS";

    static bool save(const SystemSettings& settings, const std::string& systemFolder,
                     const std::string& path, std::string* error);
    // Reads over a copy; false with *error and nothing changed when the file
    // is damaged. A missing file is an error too.
    static bool load(SystemSettings& settings, const std::string& systemFolder,
                     const std::string& path, std::string* error);
};

}  // namespace mobrhost
