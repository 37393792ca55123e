#pragma once

// Typed accessors for little-endian fields inside caller-owned byte blocks,
// shared by the module and the host. Every field of a record or block crosses
// through these (memcpy), never through a cast of the buffer to a struct:
// fields may be unaligned. The offsets themselves live in host_blocks.h.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/CodePage.h"

#if !defined(__BYTE_ORDER__) || __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "the host's byte layouts are little-endian and are copied as they are in memory"
#endif

namespace mobr::bytes {

template <typename T>
inline T get(const void* block, std::size_t offset)
{
    T value;
    std::memcpy(&value, static_cast<const unsigned char*>(block) + offset, sizeof value);
    return value;
}

template <typename T>
inline void put(void* block, std::size_t offset, T value)
{
    std::memcpy(static_cast<unsigned char*>(block) + offset, &value, sizeof value);
}

inline uint8_t u8(const void* b, std::size_t o) { return get<uint8_t>(b, o); }
inline uint16_t u16(const void* b, std::size_t o) { return get<uint16_t>(b, o); }
inline int16_t i16(const void* b, std::size_t o) { return get<int16_t>(b, o); }
inline int32_t i32(const void* b, std::size_t o) { return get<int32_t>(b, o); }
inline uint32_t u32(const void* b, std::size_t o) { return get<uint32_t>(b, o); }
inline float f32(const void* b, std::size_t o) { return get<float>(b, o); }
inline double f64(const void* b, std::size_t o) { return get<double>(b, o); }

inline void setU8(void* b, std::size_t o, uint8_t v) { put(b, o, v); }
inline void setU16(void* b, std::size_t o, uint16_t v) { put(b, o, v); }
inline void setI16(void* b, std::size_t o, int16_t v) { put(b, o, v); }
inline void setI32(void* b, std::size_t o, int32_t v) { put(b, o, v); }
inline void setU32(void* b, std::size_t o, uint32_t v) { put(b, o, v); }
inline void setF32(void* b, std::size_t o, float v) { put(b, o, v); }
inline void setF64(void* b, std::size_t o, double v) { put(b, o, v); }

// A fixed text field of `size` bytes: the text ends at the first zero byte or
// at the end of the field (a name that fills all 16 bytes has no zero).
inline std::string text(const void* b, std::size_t o, std::size_t size)
{
    const char* p = static_cast<const char*>(b) + o;
    std::size_t n = 0;
    while (n < size && p[n] != '\0') ++n;
    return std::string(p, n);
}

// Writes text into a field of `size` bytes, cut without splitting a
// double-byte character, the rest filled with zero bytes.
inline void setText(void* b, std::size_t o, std::string_view value, std::size_t size)
{
    unsigned char* p = static_cast<unsigned char*>(b) + o;
    std::memset(p, 0, size);
    const std::size_t n = mobr::cp932::cutLength(value, size);
    if (n > 0) std::memcpy(p, value.data(), n);
}

}  // namespace mobr::bytes
