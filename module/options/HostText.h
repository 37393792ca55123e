#pragma once

#include <cstring>
#include <string>

#include "mobr/host_types.h"

// A text the host wrote into a path buffer (kHostPathBytes), never read
// past the buffer even when the host left it unterminated.
inline std::string HostBufferText(const char* buffer)
{
    return std::string(buffer, strnlen(buffer, mobr::kHostPathBytes - 1));
}
