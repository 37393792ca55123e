#pragma once

// The first field of the host's 64-byte settings blocks, read and written
// by the pages that own their values. A write keeps the block's other bytes
// as the host has them.

#include <cstdint>

#include "mobr/Bytes.h"

namespace optionblock {

constexpr int32_t kRead = 114;
constexpr int32_t kWrite = 119;
constexpr int kBytes = 64;

using Exchange = int32_t (*)(int32_t, void*);

template <class T>
T readFirst(Exchange exchange)
{
    unsigned char block[kBytes] = {};
    exchange(kRead, block);
    return mobr::bytes::get<T>(block, 0);
}

template <class T>
int32_t writeFirst(Exchange exchange, T value)
{
    unsigned char block[kBytes] = {};
    exchange(kRead, block);
    mobr::bytes::put<T>(block, 0, value);
    return exchange(kWrite, block);
}

}  // namespace optionblock
