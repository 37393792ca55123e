#include "attributes/RecolourPass.h"

#include <cstring>

#include "frame/HostApi.h"
#include "mobr/Bytes.h"
#include "mobr/host_blocks.h"
#include "mobrdlg/ZqWaitCursor.h"

namespace {

using namespace mobr::element;
using mobr::bytes::i32;
using mobr::bytes::u16;
using mobr::bytes::u32;

constexpr uint16_t kKeepColourFlag = 0x4000;
constexpr uint16_t kGroupKind = 0x1200;
constexpr uint32_t kGroupKeepsColours = 0x3E;

// Read results for slots that hold no element; the pass goes on past them.
constexpr int32_t kDeleted = 612;
constexpr int32_t kEmpty = 620;
constexpr int32_t kPurged = 625;

// An id carries its slot number in the low 24 bits and the space above.
constexpr int32_t kMaxSlot = 0xFFFFFF;

// Arguments of the hatch attribute calls: the two leading words are set to
// these before each call, the third argument is always 1.
constexpr int32_t kHatchFirst = -1;
constexpr int32_t kHatchSecond = 1;
constexpr int32_t kHatchKind = 1;

bool isEmptySlot(int32_t result)
{
    return result == kDeleted || result == kEmpty || result == kPurged;
}

bool isRecolouredKind(uint16_t kind)
{
    return kind == 2 || kind == 4 || kind == 8 || kind == 16;   // line, arc, circle, text
}

}  // namespace

CRecolourPass::CRecolourPass(short figure) : figure_(figure) {}

bool CRecolourPass::run()
{
    written_ = 0;
    const CZqWaitCursor wait;   // the previous cursor comes back when the pass ends
    hostapi::aagInpInit();
    const bool completed = recolourFigure();
    if (completed) hostapi::aatAtrDisp(figure_);
    hostapi::aagInpInit();
    return completed;
}

bool CRecolourPass::recolourFigure()
{
    hostapi::aatUndPend2(figure_);
    unsigned char status[mobr::kHostDbStatusBytes] = {};
    // Without a status block the element counts are unknown: nothing is read.
    if (hostapi::aatDbStatus(figure_, status) != 0) return false;
    pens_ = hostapi::aatFigGetPenInfo(figure_);
    penColours_ = hostapi::aatFigGetPenExInfo(figure_);
    // Without the committed tables no element could get a colour.
    if (!pens_ || !penColours_) return false;

    for (int32_t space = 0; space < 2; ++space) {
        int32_t count = i32(status, mobr::dbstatus::kSlotsOfSpace[space]);
        if (count > kMaxSlot) count = kMaxSlot;   // a larger slot number would spill into the space byte
        for (int32_t n = 1; n <= count; ++n) {
            if (recolourElement(n | (space << 24)) == Step::Stop) return false;
        }
    }
    return true;
}

CRecolourPass::Step CRecolourPass::recolourElement(int32_t id)
{
    unsigned char record[mobr::kHostElementRecordBytes];
    const int32_t result = hostapi::aatDbRead(figure_, id, record);
    if (isEmptySlot(result)) return Step::Next;
    if (result != 0) return Step::Stop;
    if (u16(record, kFlags) & kKeepColourFlag) return Step::Next;

    if (hostapi::aatChkHatInfoParent(record) != 0) {
        recolourHatch(id);
        return Step::Next;
    }

    // Every other element's owners are read first: a group that keeps its
    // members' colours keeps this one's too. Then only lines, arcs, circles
    // and texts take their pen's colour.
    switch (ownersOf(id, record)) {
    case Owners::Stop: return Step::Stop;
    case Owners::Keep: return Step::Next;
    case Owners::Recolour: break;
    }
    if (!isRecolouredKind(u16(record, kKind))) return Step::Next;

    // A failed lookup (-1) or a colour no byte holds leaves the element as
    // it is; a pen without a colour (0) leaves the byte but the record is
    // still written back, as for any colour that differs.
    const int32_t colour = penColour(record[kPen]);
    if (colour < 0 || colour > 0xFF || colour == record[kColour]) return Step::Next;
    if (colour != 0) record[kColour] = static_cast<unsigned char>(colour);
    int32_t written = id;
    const int32_t space = (id >> 24) & 3;
    if (hostapi::aatDbUpdate2(figure_, space, &written, record, 1) == 0) ++written_;
    return Step::Next;
}

void CRecolourPass::recolourHatch(int32_t id)
{
    int32_t first = kHatchFirst;
    int32_t second = kHatchSecond;
    int32_t attribute = 0;
    // An attribute word that cannot be read is not rewritten.
    if (hostapi::aatHatInfoAtrbGet(figure_, id, kHatchKind, &first, &second, &attribute) != 0) return;
    const uint32_t word = static_cast<uint32_t>(attribute);
    const int32_t colour = penColour(static_cast<int32_t>(word & 0xFFFF));
    if (colour <= 0 || colour > 0xFFFF || static_cast<uint32_t>(colour) == (word >> 16)) return;
    attribute = static_cast<int32_t>((word & 0xFFFFu) | (static_cast<uint32_t>(colour) << 16));
    first = kHatchFirst;
    second = kHatchSecond;
    if (hostapi::aatHatInfoAtrbSet(figure_, id, kHatchKind, &first, &second, &attribute) == 0) ++written_;
}

CRecolourPass::Owners CRecolourPass::ownersOf(int32_t id, const unsigned char* record) const
{
    // Walks the owner links up to the first element without an owner. A
    // deleted, empty or purged owner ends the chain; any other failed read
    // stops the pass. Links that lead round in a circle are caught by
    // comparing each link with a mark that moves ahead at every power of two
    // steps (so the walk ends within a few rounds of the circle).
    unsigned char owner[mobr::kHostElementRecordBytes];
    int32_t link = i32(record, kOwner);
    int32_t mark = id;
    int32_t steps = 0;
    int32_t stride = 1;
    while (link != -1) {
        if (link == mark) return Owners::Recolour;
        const int32_t result = hostapi::aatDbRead(figure_, link, owner);
        if (isEmptySlot(result)) return Owners::Recolour;
        if (result != 0) return Owners::Stop;
        if (u16(owner, kKind) == kGroupKind && (u32(owner, kGroupFlags) & kGroupKeepsColours) != 0)
            return Owners::Keep;
        if (++steps == stride) {
            mark = link;
            stride *= 2;
            steps = 0;
        }
        link = i32(owner, kOwner);
    }
    return Owners::Recolour;
}

int32_t CRecolourPass::penColour(int32_t pen) const
{
    return hostapi::aatPenExGetColor(penColours_, pens_, pen);
}
