#include "model/PenTable.h"

#include <algorithm>
#include <cmath>

#include "model/Bytes.h"

namespace mobrhost {

namespace {

// The style block (record bytes 20-39): plot style (16-bit at 20), mask (22),
// pitch count (23), then ten 12-bit pitch lengths in tenths packed from byte
// 24 (length i in bits 12*i .. 12*i+11), byte 39 zero.
constexpr std::size_t kStyleOffset = 20;
constexpr std::size_t kMaskOffset = 22;
constexpr std::size_t kPitchCountOffset = 23;
constexpr std::size_t kPitchOffset = 24;
constexpr int32_t kMaxPitch = 10;

uint32_t tenths(double length)
{
    const double t = std::round(length * 10.0);
    if (!(t >= 1.0)) return 1;
    return t > 4095.0 ? 4095u : static_cast<uint32_t>(t);
}

}  // namespace

PenTable::Record PenTable::makeRecord(const Pen& pen)
{
    Record r{};
    bytes::setText(r.data(), 0, pen.name, 16);
    bytes::setU16(r.data(), 16, static_cast<uint16_t>(pen.attrib & 0xFFFF));
    bytes::setU16(r.data(), 18, static_cast<uint16_t>(pen.width));
    bytes::setU16(r.data(), kStyleOffset, static_cast<uint16_t>(pen.plotStyle));
    bytes::setU8(r.data(), kMaskOffset, static_cast<uint8_t>(pen.mask & 0x7));
    const int32_t count = std::min<int32_t>(static_cast<int32_t>(pen.pitch.size()), kMaxPitch);
    bytes::setU8(r.data(), kPitchCountOffset, static_cast<uint8_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        const uint32_t v = tenths(pen.pitch[static_cast<std::size_t>(i)]);
        const std::size_t bit = static_cast<std::size_t>(12 * i);
        const std::size_t byte = kPitchOffset + bit / 8;
        uint16_t word = bytes::u16(r.data(), byte);
        if (bit % 8 == 0) word = static_cast<uint16_t>((word & 0xF000) | v);
        else word = static_cast<uint16_t>((word & 0x000F) | (v << 4));
        bytes::setU16(r.data(), byte, word);
    }
    return r;
}

const unsigned char* PenTable::record(int32_t n)
{
    const Pen* pen = at(n);
    if (!pen) return nullptr;
    records_.resize(entries_.size());
    Record& r = records_[static_cast<std::size_t>(n - 1)];
    r = makeRecord(*pen);
    return r.data();
}

int32_t PenTable::plotStyleOf(const void* record)
{
    return record ? bytes::u16(record, kStyleOffset) : -1;
}

int32_t PenTable::maskOf(const void* record)
{
    return record ? (bytes::u8(record, kMaskOffset) & 0x7) : -1;
}

int32_t PenTable::pitchOf(const void* record, double* values, int32_t capacity)
{
    if (!record) return -1;
    const int32_t count = std::min<int32_t>(bytes::u8(record, kPitchCountOffset), kMaxPitch);
    if (!values || capacity <= 0) return 0;
    const int32_t n = std::min(count, capacity);
    for (int32_t i = 0; i < n; ++i) {
        const std::size_t bit = static_cast<std::size_t>(12 * i);
        const uint16_t word = bytes::u16(record, kPitchOffset + bit / 8);
        const uint32_t v = (bit % 8 == 0) ? (word & 0x0FFFu) : (word >> 4);
        values[i] = v / 10.0;
    }
    return n;
}

int32_t PenTable::countStyle(int32_t style) const
{
    return static_cast<int32_t>(std::count_if(entries_.begin(), entries_.end(),
                                              [style](const Pen& p) { return p.plotStyle == style; }));
}

}  // namespace mobrhost
