#pragma once

// Little-endian fields of byte blocks, read and written with memcpy at a
// byte offset (never by casting a buffer to a struct). The host runs on
// little-endian machines only, as the blocks' layouts assume.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>

namespace mobrhost::bytes {

template <typename T>
T read(const void* block, std::size_t offset)
{
    static_assert(std::is_trivially_copyable_v<T>);
    T value;
    std::memcpy(&value, static_cast<const unsigned char*>(block) + offset, sizeof value);
    return value;
}

template <typename T>
void write(void* block, std::size_t offset, T value)
{
    static_assert(std::is_trivially_copyable_v<T>);
    std::memcpy(static_cast<unsigned char*>(block) + offset, &value, sizeof value);
}

// Bytes as upper-case hexadecimal text, two digits per byte.
std::string toHex(const void* data, std::size_t size);
// Hexadecimal text back to bytes; false (out untouched) when the text is not
// exactly 2 * size hexadecimal digits.
bool fromHex(const std::string& text, void* out, std::size_t size);

}  // namespace mobrhost::bytes
