#pragma once

// Small helpers the system families share: the session's settings and the
// exchange of a settings block with direction codes 114 (read into the
// caller's block) and 119 (write from it).

#include <cstdint>
#include <cstring>
#include <string>

#include "model/HostSession.h"

namespace mobrhost {

inline constexpr int32_t kRead = 114;
inline constexpr int32_t kWrite = 119;
inline constexpr int32_t kFigureNumber = 82;

inline HostSession& session() { return HostSession::instance(); }
inline SystemSettings& settings() { return HostSession::instance().settings(); }

// 0 on success; -1 for a null block, an unknown direction code or block.
inline int32_t exchangeBlock(const char* name, int32_t mode, void* block)
{
    unsigned char* own = settings().block(name);
    const std::size_t size = SystemSettings::blockSize(name);
    if (!block || !own || size == 0) return -1;
    if (mode == kRead) {
        std::memcpy(block, own, size);
    } else if (mode == kWrite) {
        std::memcpy(own, block, size);
    } else {
        return -1;
    }
    return 0;
}

// Names a handle that the host keeps for its whole run (the system colour
// table, the folder lists) the first time it is handed out.
inline void nameStableHandle(const void* handle, const char* kind)
{
    if (journalHandleName(handle) == "block") journalNameHandle(handle, kind);
}

// A 0/1 switch kept as a named number: -1 for any other value.
inline int32_t setSwitch(const char* key, int32_t on)
{
    if (on != 0 && on != 1) return -1;
    settings().setNumber(key, on);
    return 0;
}

}  // namespace mobrhost
