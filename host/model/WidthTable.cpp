#include "model/WidthTable.h"

#include <cmath>

#include "model/Bytes.h"

namespace mobrhost {

WidthTable::Record WidthTable::makeRecord(const Width& width)
{
    Record r{};
    bytes::setText(r.data(), 0, width.name, 16);
    const double hundredths = std::round(width.width * 100.0);
    bytes::setU16(r.data(), 16, static_cast<uint16_t>(hundredths < 0 ? 0 : hundredths > 65535 ? 65535 : hundredths));
    bytes::setU16(r.data(), 18, static_cast<uint16_t>(width.plotPen));
    bytes::setI32(r.data(), 20, width.attrib);
    return r;
}

const unsigned char* WidthTable::record(int32_t n)
{
    const Width* w = at(n);
    if (!w) return nullptr;
    records_.resize(entries_.size());
    Record& r = records_[static_cast<std::size_t>(n - 1)];
    r = makeRecord(*w);
    return r.data();
}

double WidthTable::widthOf(const void* record)
{
    return record ? bytes::u16(record, 16) / 100.0 : 0.0;
}

}  // namespace mobrhost
