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

    // A template name is a file name inside its template folder: not empty,
    // no separator ('/' or a single-byte '\\'; a 0x5C trail byte is part of
    // its character), not "." or "..". Anything else would name a file
    // elsewhere and is refused wherever a name comes from a file or a caller.
    static bool isTemplateName(const std::string& name);
};

}  // namespace mobrhost
