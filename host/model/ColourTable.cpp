#include "model/ColourTable.h"

#include "model/Bytes.h"

namespace mobrhost {

uint32_t ColourTable::rgbValue(const Colour& c)
{
    return static_cast<uint32_t>(c.red & 0xFF) | (static_cast<uint32_t>(c.green & 0xFF) << 8) |
           (static_cast<uint32_t>(c.blue & 0xFF) << 16);
}

ColourTable::Record ColourTable::makeRecord(const Colour& colour)
{
    Record r{};
    bytes::setText(r.data(), 0, colour.name, 16);
    bytes::setU32(r.data(), 16, rgbValue(colour));
    bytes::setU16(r.data(), 20, static_cast<uint16_t>(colour.attrib & 0xFFFF));
    return r;
}

const unsigned char* ColourTable::record(int32_t n)
{
    const Colour* c = at(n);
    if (!c) return nullptr;
    records_.resize(entries_.size());
    Record& r = records_[static_cast<std::size_t>(n - 1)];
    r = makeRecord(*c);
    return r.data();
}

}  // namespace mobrhost
