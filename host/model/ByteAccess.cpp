#include "model/ByteAccess.h"

#include <vector>

namespace mobrhost::bytes {

std::string toHex(const void* data, std::size_t size)
{
    static const char digits[] = "0123456789ABCDEF";
    const auto* p = static_cast<const unsigned char*>(data);
    std::string text;
    text.reserve(size * 2);
    for (std::size_t i = 0; i < size; ++i) {
        text.push_back(digits[p[i] >> 4]);
        text.push_back(digits[p[i] & 0x0F]);
    }
    return text;
}

namespace {
int digitValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}
}  // namespace

bool fromHex(const std::string& text, void* out, std::size_t size)
{
    if (text.size() != size * 2) return false;
    std::vector<unsigned char> bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        const int hi = digitValue(text[2 * i]);
        const int lo = digitValue(text[2 * i + 1]);
        if (hi < 0 || lo < 0) return false;
        bytes[i] = static_cast<unsigned char>(hi * 16 + lo);
    }
    if (size) std::memcpy(out, bytes.data(), size);
    return true;
}

}  // namespace mobrhost::bytes
