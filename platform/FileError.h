#pragma once

#include <stdexcept>
#include <string>

#include "mobr/export.h"

namespace mobr {

// A failed file operation, for the callers that end a whole handler on a file
// error rather than checking a result code. Carries the errno-style code, the
// operation ("open", "create", "read", "write", ...) and the path concerned.
class MOBR_API FileError : public std::runtime_error {
public:
    FileError(int code, std::string operation, std::string path);

    int code() const noexcept { return code_; }
    const std::string& operation() const noexcept { return operation_; }
    const std::string& path() const noexcept { return path_; }

private:
    int code_;
    std::string operation_;
    std::string path_;
};

}  // namespace mobr
