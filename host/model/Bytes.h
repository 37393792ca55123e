#pragma once

// The host reads and writes block fields through the accessors it shares
// with the module.

#include "mobr/Bytes.h"
#include "mobr/host_blocks.h"

namespace mobrhost {
namespace bytes = mobr::bytes;
}  // namespace mobrhost
