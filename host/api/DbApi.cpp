// The element database: reading and writing element records, the status
// block and the attribute word of hatches.

#include <cstring>

#include "api/Families.h"
#include "api/FigureApiSupport.h"
#include "model/Bytes.h"
#include "store/FigureJson.h"

namespace mobrhost {

using figapi::model;

namespace {

// A record may only name pens and colours that the figure has.
bool attributesValid(const Figure& f, int32_t pen, int32_t colour)
{
    return pen >= 1 && pen <= f.pens->count() && colour >= 0 && colour <= f.colours->count();
}

}  // namespace

int32_t aatChkHatInfoParent(const void* record)
{
    if (!record) return 0;
    return bytes::u16(record, element::kKind) == element::Hatch ? 1 : 0;
}

int32_t aatDbRead(short fig, int32_t id, void* record)
{
    const Figure* f = model().figure(fig);
    if (!f || !record) return element::kNoSuchElement;
    return f->elements.read(id, record);
}

int32_t aatDbStatus(short fig, void* status)
{
    const Figure* f = model().figure(fig);
    if (!f || !status) return -1;
    f->elements.status(status, fig);
    return 0;
}

int32_t aatDbUpdate2(short fig, int32_t space, int32_t* id, const void* record, int32_t flag)
{
    Figure* f = model().figure(fig);
    if (!f || !id || !record || space < 0 || space >= ElementDatabase::kSpaces) return -1;
    // The element rules the figure file and the JSON keep (owners may come
    // later, so they are not checked here), so that what the host keeps can
    // always be saved, loaded, exported and imported again.
    if (!attributesValid(*f, bytes::u8(record, element::kPen), bytes::u8(record, element::kColour)) ||
        bytes::u16(record, element::kKind) == 0 ||
        !FigureJson::recordProblem(*f, static_cast<const unsigned char*>(record), false).empty())
        return element::kBadRecord;
    ElementDatabase::Record r;
    std::memcpy(r.data(), record, element::kBytes);
    r[element::kState] = element::Live;
    if (flag == 0) {
        const int32_t newId = f->elements.append(space, r);
        if (newId == 0) return -1;
        *id = newId;
    } else if (flag == 1) {
        if (element::spaceOf(*id) != space) return element::kNoSuchElement;
        const int32_t state = f->elements.read(*id, nullptr);
        if (state != 0) return state;
        bytes::setI32(r.data(), element::kId, *id);
        std::memcpy(f->elements.slot(*id), r.data(), element::kBytes);
    } else {
        return -1;
    }
    f->changed = true;
    return 0;
}

int32_t aatHatInfoAtrbGet(short fig, int32_t id, int32_t kind, int32_t* first, int32_t* second, int32_t* attrib)
{
    const Figure* f = model().figure(fig);
    if (!f || !attrib) return -1;
    const int32_t state = f->elements.read(id, nullptr);
    if (state != 0) return state;
    const unsigned char* r = f->elements.slot(id);
    if (bytes::u16(r, element::kKind) != element::Hatch) return element::kNotHatch;
    *attrib = bytes::i32(r, element::kHatchAttrib);
    return 0;
}

int32_t aatHatInfoAtrbSet(short fig, int32_t id, int32_t kind, int32_t* first, int32_t* second, int32_t* attrib)
{
    Figure* f = model().figure(fig);
    if (!f || !attrib) return -1;
    const int32_t state = f->elements.read(id, nullptr);
    if (state != 0) return state;
    unsigned char* r = f->elements.slot(id);
    if (bytes::u16(r, element::kKind) != element::Hatch) return element::kNotHatch;
    const uint32_t word = static_cast<uint32_t>(*attrib);
    const int32_t pen = static_cast<int32_t>(word & 0xFFFF);
    const int32_t colour = static_cast<int32_t>(word >> 16);
    if (!attributesValid(*f, pen, colour)) return element::kBadRecord;
    bytes::setU32(r, element::kHatchAttrib, word);
    r[element::kPen] = static_cast<unsigned char>(pen);
    r[element::kColour] = static_cast<unsigned char>(colour);
    f->changed = true;
    return 0;
}

int32_t aatUndPend2(short fig)
{
    // Every change is applied at once; there is no pending step to close,
    // only the figure to check.
    return model().figure(fig) ? 0 : -1;
}

void registerDbApi()
{
    MOBR_HOST_IMPLEMENT(aatChkHatInfoParent);
    MOBR_HOST_IMPLEMENT(aatDbRead);
    MOBR_HOST_IMPLEMENT(aatDbStatus);
    MOBR_HOST_IMPLEMENT(aatDbUpdate2);
    MOBR_HOST_IMPLEMENT(aatHatInfoAtrbGet);
    MOBR_HOST_IMPLEMENT(aatHatInfoAtrbSet);
    MOBR_HOST_IMPLEMENT(aatUndPend2);
}

}  // namespace mobrhost
