#pragma once

#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

// The conversion table of code page 932, built once from ICU's "windows-31j"
// converter (Qt's QStringDecoder/QStringEncoder) and then used without ICU.
// Internal to the platform library.
namespace mobr::cp932 {

class Cp932Table {
public:
    static const Cp932Table& instance();

    static constexpr char16_t kNone = 0xFFFF;
    static constexpr uint16_t kNoCode = 0xFFFF;

    // The UTF-16 unit of a single byte, or kNone.
    char16_t single(unsigned char byte) const { return single_[byte]; }
    // The UTF-16 unit of a double-byte code, or kNone; `variant` receives
    // 0 for the code the character encodes back to, 1.. for the others.
    char16_t pair(unsigned char lead, unsigned char trail, int& variant) const;
    // The code (a byte value < 0x100, or lead << 8 | trail) of a UTF-16 unit,
    // with variant 0 for the canonical code; kNoCode when there is none.
    uint16_t encode(char16_t unit, int variant) const;

private:
    Cp932Table();

    std::array<char16_t, 256> single_{};
    // Indexed by (lead - 0x80) * 256 + trail for leads 0x80-0xFF.
    std::array<char16_t, 128 * 256> pair_{};
    std::array<uint8_t, 128 * 256> variant_{};
    std::array<uint16_t, 65536> canonical_{};
    std::unordered_map<uint32_t, uint16_t> variants_;
};

}  // namespace mobr::cp932
