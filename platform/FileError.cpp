#include "platform/FileError.h"

#include <cstring>

namespace mobr {

FileError::FileError(int code, std::string operation, std::string path)
    : std::runtime_error(operation + " \"" + path + "\": " + std::strerror(code)),
      code_(code), operation_(std::move(operation)), path_(std::move(path))
{
}

}  // namespace mobr
