#include "attributes/PenRules.h"

#include "frame/HostApi.h"

namespace penrules {

bool inUse(void* pens, int pen)
{
    const int attrib = hostapi::aatPenGetAttrib(pens, pen);
    return attrib >= 0 && (attrib & kInUseBit) != 0;
}

bool lastOfItsKind(void* pens, int pen)
{
    const int count = hostapi::aatPenGetCount(pens);
    if (count <= 2) return true;
    const int style = hostapi::aatPenGetPlotStyle(pens, pen);
    const int assist = hostapi::aatPenGetAssistIndex(pens, 0, 0);
    if (style == kAssistStyle) return assist == 1;
    if (style == kSolidStyle) return hostapi::aatPenGetSolidIndex(pens, 0, 0) == 1;
    return count - assist == 1;
}

bool onlySolidWithBitClear(void* pens, int pen, int bit)
{
    const int count = hostapi::aatPenGetCount(pens);
    for (int other = 1; other <= count; ++other) {
        if (other == pen || hostapi::aatPenGetPlotStyle(pens, other) != kSolidStyle) continue;
        if ((hostapi::aatPenGetMask(pens, other) & bit) == 0) return false;
    }
    return true;
}

}  // namespace penrules
