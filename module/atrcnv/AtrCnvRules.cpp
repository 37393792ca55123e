#include "atrcnv/AtrCnvRules.h"

#include <cstring>

#include "frame/HostApi.h"
#include "platform/CodePage.h"

namespace atrcnv {

bool sameName(std::string_view a, std::string_view b)
{
    return mobr::cp932::equalNoCase(a, b);
}

namespace {

template <typename Record>
bool fetchRecord(void* (*getInfo)(void*, int32_t), void* table, int index, Record& out)
{
    const void* record = table && index >= 1 ? getInfo(table, index) : nullptr;
    if (record) out = Record::from(record);
    return record != nullptr;
}

}  // namespace

bool fetchWidth(void* widths, int index, WidthRecord& out)
{
    return fetchRecord(hostapi::aatWidGetInfo, widths, index, out);
}

bool fetchColour(void* colours, int index, ColourRecord& out)
{
    return fetchRecord(hostapi::aatColGetInfo, colours, index, out);
}

bool fetchPenTriple(void* pens, void* penColours, void* widths, void* colours, int index,
                    PenTargetItem& out)
{
    if (!pens || !penColours || !widths || !colours || index < 1) return false;
    const void* pen = hostapi::aatPenGetInfo(pens, index);
    if (!pen) return false;
    out.pen = PenRecord::from(pen);
    const int width = hostapi::aatPenGetWidth(pens, index);
    if (width == -1 || !fetchWidth(widths, width, out.width)) return false;
    const int colour = hostapi::aatPenExGetColor(penColours, pens, index);
    if (colour == -1) return false;
    out.colour = ColourRecord{};
    return colour == 0 || fetchColour(colours, colour, out.colour);
}

bool coloursDiffer(const ColourRecord& source, const ColourRecord& target)
{
    return !sameName(source.name(), target.name()) || source.colourValue() != target.colourValue();
}

bool widthsDiffer(const WidthRecord& source, const WidthRecord& target)
{
    return !sameName(source.name(), target.name()) || source.firstValue() != target.firstValue() ||
           source.secondValue() != target.secondValue();
}

bool pensDiffer(const PenTargetItem& source, const PenTargetItem& target)
{
    if (!sameName(source.pen.name(), target.pen.name())) return true;
    if (std::memcmp(source.pen.bytes.data() + PenRecord::kStyleBlock,
                    target.pen.bytes.data() + PenRecord::kStyleBlock, PenRecord::kStyleBlockBytes) != 0)
        return true;
    if (hostapi::aatPenGetMaskEx(source.pen.data()) != hostapi::aatPenGetMaskEx(target.pen.data())) return true;
    if (widthsDiffer(source.width, target.width)) return true;
    if (source.colour.isNoColour()) return !target.colour.isNoColour();
    return coloursDiffer(source.colour, target.colour);
}

}  // namespace atrcnv
