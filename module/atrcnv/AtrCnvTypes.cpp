#include "atrcnv/AtrCnvTypes.h"

#include <cstring>

#include "mobr/Bytes.h"

namespace atrcnv {

std::string nameOfRecord(const void* record)
{
    if (!record) return {};
    const char* name = static_cast<const char*>(record);
    return std::string(name, strnlen(name, mobr::kHostNameBytes));
}

template <std::size_t Bytes>
HostRecord<Bytes> HostRecord<Bytes>::from(const void* record)
{
    HostRecord r;
    if (record) std::memcpy(r.bytes.data(), record, Bytes);
    return r;
}

template struct HostRecord<mobr::kHostPenRecordBytes>;
template struct HostRecord<mobr::kHostWidthRecordBytes>;
template struct HostRecord<mobr::kHostColorRecordBytes>;

int PenRecord::widthIndex() const { return mobr::bytes::u16(bytes.data(), kWidthIndex); }
uint16_t WidthRecord::firstValue() const { return mobr::bytes::u16(bytes.data(), kFirstValue); }
uint16_t WidthRecord::secondValue() const { return mobr::bytes::u16(bytes.data(), kSecondValue); }
uint32_t ColourRecord::colourValue() const { return mobr::bytes::u32(bytes.data(), kColourValue); }

PenRecord PenRecord::from(const void* record)
{
    PenRecord r;
    r.bytes = HostRecord::from(record).bytes;
    return r;
}

WidthRecord WidthRecord::from(const void* record)
{
    WidthRecord r;
    r.bytes = HostRecord::from(record).bytes;
    return r;
}

ColourRecord ColourRecord::from(const void* record)
{
    ColourRecord r;
    r.bytes = HostRecord::from(record).bytes;
    return r;
}

const char* describe(SkipReason reason)
{
    switch (reason) {
    case SkipReason::SourceNotInFigure: return "source not in the drawing";
    case SkipReason::TargetNotInReference: return "target not in the reference";
    case SkipReason::TargetRecordMissing: return "target record unreadable";
    case SkipReason::TargetWidthDiffers: return "reference pen has another width";
    case SkipReason::TargetColourDiffers: return "reference pen has another colour";
    }
    return "unknown";
}

}  // namespace atrcnv
