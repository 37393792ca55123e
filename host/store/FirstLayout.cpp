#include "store/FirstLayout.h"

#include <cstring>
#include <limits>

#include "model/Bytes.h"

namespace mobrhost::firstlayout {

namespace {

namespace aw = mobr::attrword;

// Pen and colour from a word of the first layout (numbers are at most 255).
uint32_t penAndColour(uint32_t old)
{
    return aw::put(aw::put(0, aw::kPen, static_cast<int32_t>(old & 0xFF)), aw::kColour,
                   static_cast<int32_t>((old >> 16) & 0xFF));
}

// Dimension fields the first layout did not use: offset and byte count.
struct Span {
    std::size_t offset;
    std::size_t bytes;
};
constexpr Span kNewDimFields[] = {{0, 12}, {16, 4}, {24, 4}, {36, 4}, {68, 4}, {80, 4}, {96, 2}, {172, 2}};

bool allZero(const unsigned char* p, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i) {
        if (p[i] != 0) return false;
    }
    return true;
}

}  // namespace

void setFirstDefaults(Figure& f)
{
    for (auto* block : {&f.lineAttrib, &f.pointAttrib, &f.charAttrib}) bytes::setU32(block->data(), 0, 1);
    bytes::setI16(f.charInfo.data(), mobr::charblock::kHundredths, 1);
    for (const Span& s : kNewDimFields) std::memset(f.dim.data() + s.offset, 0, s.bytes);
}

void convertBlocks(Figure& f)
{
    const uint32_t line = bytes::u32(f.lineAttrib.data(), 0);
    const uint32_t point = bytes::u32(f.pointAttrib.data(), 0);
    const uint32_t chars = bytes::u32(f.charAttrib.data(), 0);
    const int16_t font = bytes::i16(f.charInfo.data(), mobr::charblock::kHundredths);

    bytes::setU32(f.lineAttrib.data(), 0, penAndColour(line));
    // The point word has no pen field; the first point type stands for "none
    // chosen yet".
    bytes::setU32(f.pointAttrib.data(), 0,
                  aw::put(aw::put(0, aw::kColour, static_cast<int32_t>((point >> 16) & 0xFF)), aw::kPointType, 1));
    bytes::setU32(f.charAttrib.data(), 0, aw::put(penAndColour(chars), aw::kFont, font > 0 && font <= 255 ? font : 1));
    bytes::setI16(f.charInfo.data(), mobr::charblock::kHundredths, 0);

    const Figure defaults;
    for (const Span& s : kNewDimFields) {
        if (allZero(f.dim.data() + s.offset, s.bytes)) std::memcpy(f.dim.data() + s.offset, defaults.dim.data() + s.offset, s.bytes);
    }
}

int32_t convertCentreLinePen(int32_t pen)
{
    return pen > 0 ? pen - 1 : 0;
}

std::array<int32_t, 4> convertDisplayColours(const Figure& f, const std::array<int32_t, 4>& rgb)
{
    std::array<int32_t, 4> out{};
    for (std::size_t k = 0; k < rgb.size(); ++k) {
        const int32_t r = rgb[k] & 0xFF, g = (rgb[k] >> 8) & 0xFF, b = (rgb[k] >> 16) & 0xFF;
        long best = std::numeric_limits<long>::max();
        for (int32_t n = 1; n <= f.colours->count(); ++n) {
            const Colour* c = f.colours->at(n);
            const long d = long(c->red - r) * (c->red - r) + long(c->green - g) * (c->green - g) +
                           long(c->blue - b) * (c->blue - b);
            if (d < best) {
                best = d;
                out[k] = n;
            }
        }
    }
    return out;
}

}  // namespace mobrhost::firstlayout
