#pragma once

// Helpers of the figure tests: elements put straight into a figure, and
// names of the pens and colours that elements refer to, read back through
// the named functions.

#include <cstring>
#include <string>

#include "frame/HostApi.h"
#include "model/Bytes.h"
#include "model/FigureModel.h"

namespace figtest {

inline mobrhost::FigureModel& model()
{
    return mobrhost::FigureModel::instance();
}

// Appends an element of `kind` with pen and colour numbers; its id.
inline int32_t addElement(short fig, uint16_t kind, int pen, int colour, int32_t owner = -1, int space = 0)
{
    using namespace mobrhost;
    ElementDatabase::Record r{};
    bytes::setU16(r.data(), element::kKind, kind);
    bytes::setI32(r.data(), element::kOwner, owner);
    r[element::kPen] = static_cast<unsigned char>(pen);
    r[element::kColour] = static_cast<unsigned char>(colour);
    if (kind == element::Hatch) bytes::setU32(r.data(), element::kHatchAttrib, static_cast<uint32_t>(pen | (colour << 16)));
    bytes::setF64(r.data(), element::kGeometry, 1.5);
    return model().figure(fig)->elements.append(space, r);
}

inline std::string name17(const char* buffer)
{
    return std::string(buffer, strnlen(buffer, 17));
}

// Name of the pen that element id refers to, in the figure's committed pens.
inline std::string penNameOf(short fig, int32_t id)
{
    unsigned char record[128];
    if (hostapi::aatDbRead(fig, id, record) != 0) return "<unreadable>";
    char name[17] = {};
    if (hostapi::aatPenGetName(hostapi::aatFigGetPenInfo(fig), record[mobrhost::element::kPen], name) != 0) return "<no pen>";
    return name17(name);
}

inline std::string colourNameOf(short fig, int32_t id)
{
    unsigned char record[128];
    if (hostapi::aatDbRead(fig, id, record) != 0) return "<unreadable>";
    const int colour = record[mobrhost::element::kColour];
    if (colour == 0) return "";
    char name[17] = {};
    if (hostapi::aatColGetName(hostapi::aatFigGetColInfo(fig), colour, name) != 0) return "<no colour>";
    return name17(name);
}

// Name of the colour that a pen has in the figure's committed tables.
inline std::string penColourName(short fig, const char* pen)
{
    void* pens = hostapi::aatFigGetPenInfo(fig);
    const int colour = hostapi::aatPenExGetColor(hostapi::aatFigGetPenExInfo(fig), pens, hostapi::aatPenFindName(pens, pen));
    if (colour <= 0) return "";
    char name[17] = {};
    hostapi::aatColGetName(hostapi::aatFigGetColInfo(fig), colour, name);
    return name17(name);
}

inline std::string penWidthName(short fig, const char* pen)
{
    void* pens = hostapi::aatFigGetPenInfo(fig);
    const int width = hostapi::aatPenGetWidth(pens, hostapi::aatPenFindName(pens, pen));
    char name[17] = {};
    if (hostapi::aatWidGetName(hostapi::aatFigGetWidInfo(fig), width, name) != 0) return "<no width>";
    return name17(name);
}

// The second 32-bit word of a host table: what as_MakeTable is given.
inline void* countWord(void* table)
{
    return static_cast<char*>(table) + 4;
}

}  // namespace figtest
