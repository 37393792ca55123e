// Merges: the reference figure's colours, widths and pens that the figure
// lacks are added to the figure's edit copies.
#include <cstring>

#include "atrcnv/AtrCnvApply.h"
#include "frame/HostApi.h"
#include "mobrdlg/ZqMessageBox.h"
#include "platform/CodePage.h"

namespace atrcnv {

namespace {

constexpr int kTableLimit = 255;
constexpr int kKeep = 0;
constexpr int kDiscard = 1;
constexpr int kNoColour = 0;

// The name of entry `index`, false when the table gives none.
bool readName(int32_t (*get)(void*, int32_t, char*), void* table, int index, std::string& name)
{
    char buffer[mobr::kHostNameBufferBytes + 16] = {};
    if (!table || get(table, index, buffer) < 0 || buffer[0] == '\0') return false;
    name.assign(buffer, strnlen(buffer, mobr::kHostNameBytes));
    return true;
}

// What one table kind's merge needs from the host.
struct MergeOps {
    int32_t (*count)(void*);
    int32_t (*name)(void*, int32_t, char*);
    int32_t (*find)(void*, const char*);
    int32_t (*add)(void*, const char*);
    int32_t (*remove)(void*, int32_t);
    int32_t (*restore)(short, void*, int32_t);
    void (*copyValues)(void* from, int fromIndex, void* to, int toIndex);
};

void copyColourValues(void* from, int k, void* to, int n)
{
    int32_t r = 0, g = 0, b = 0;
    hostapi::aatColGetRGB(from, k, &r, &g, &b);
    hostapi::aatColSetRGB(to, n, r, g, b);
}

void copyWidthValues(void* from, int k, void* to, int n)
{
    hostapi::aatWidSetWidth(to, n, hostapi::aatWidGetWidth(from, k));
    hostapi::aatWidSetPlotPen(to, n, hostapi::aatWidGetPlotPen(from, k));
}

const MergeOps kColourMerge{hostapi::aatColGetCount, hostapi::aatColGetName, hostapi::aatColFindName,
                            hostapi::aatColNewInfo, hostapi::aatColDeleteInfo, hostapi::aatFigRestoreColInfo,
                            copyColourValues};
const MergeOps kWidthMerge{hostapi::aatWidGetCount, hostapi::aatWidGetName, hostapi::aatWidFindName,
                           hostapi::aatWidNewInfo, hostapi::aatWidDeleteInfo, hostapi::aatFigRestoreWidInfo,
                           copyWidthValues};

// Where reference entry `k` of a kind is in the figure's copy: its existing
// number, a number just added (`added` set), 0 when the name is unreadable,
// -1 when the copy is full or refused the entry.
int findOrAdd(const MergeOps& ops, void* copy, void* reference, int k, bool& added)
{
    added = false;
    std::string name;
    if (!readName(ops.name, reference, k, name)) return 0;
    const int found = ops.find(copy, name.c_str());
    if (found >= 1) return found;
    if (ops.count(copy) >= kTableLimit) return -1;
    const int n = ops.add(copy, name.c_str());
    if (n < 1) return -1;
    ops.copyValues(reference, k, copy, n);
    added = true;
    return n;
}

// Ends a copy: committed when it grew, else discarded. True when it grew.
bool endCopy(const MergeOps& ops, short figure, void* copy, int countBefore)
{
    const bool grew = ops.count(copy) > countBefore;
    ops.restore(figure, copy, grew ? kKeep : kDiscard);
    return grew;
}

int mergeNamed(const MergeOps& ops, short figure, void* copy, void* reference, int tableFullMessage,
               Listener& listener)
{
    if (!copy) return 0;
    const int before = ops.count(copy);
    const int count = reference ? ops.count(reference) : 0;
    for (int k = 1; k <= count; ++k) {
        bool added = false;
        if (findOrAdd(ops, copy, reference, k, added) < 0) {
            listener.message(tableFullMessage, ZQ_MB_ICONEXCLAMATION);
            break;
        }
    }
    return endCopy(ops, figure, copy, before) ? 1 : 0;
}

}  // namespace

int mergeColours(short figure, void* colours, void* referenceColours, Listener& listener)
{
    return mergeNamed(kColourMerge, figure, colours, referenceColours, kMsgColourTableFull, listener);
}

int mergeWidths(short figure, void* widths, void* referenceWidths, Listener& listener)
{
    return mergeNamed(kWidthMerge, figure, widths, referenceWidths, kMsgWidthTableFull, listener);
}

int mergePens(short figure, void* pens, void* widths, void* colours, void* penColours, void* referencePens,
              void* referenceWidths, void* referenceColours, void* referencePenColours, Listener& listener)
{
    if (!pens || !widths || !colours || !penColours || !referencePens || !referenceWidths || !referenceColours ||
        !referencePenColours)
        return 0;
    const int pensBefore = hostapi::aatPenGetCount(pens);
    const int widthsBefore = hostapi::aatWidGetCount(widths);
    const int coloursBefore = hostapi::aatColGetCount(colours);
    bool overflow = false, penColoursChanged = false;
    const int count = hostapi::aatPenGetCount(referencePens);
    for (int k = 1; k <= count; ++k) {
        std::string name;
        if (!readName(hostapi::aatPenGetName, referencePens, k, name) || hostapi::aatPenFindName(pens, name.c_str()) >= 1)
            continue;
        // Width and colour first; what was added for a pen that cannot be
        // made is taken out again.
        const int refWidth = hostapi::aatPenGetWidth(referencePens, k);
        if (refWidth < 1) continue;
        bool widthAdded = false, colourAdded = false;
        const int width = findOrAdd(kWidthMerge, widths, referenceWidths, refWidth, widthAdded);
        if (width == 0) continue;
        if (width < 0) {
            overflow = true;
            continue;
        }
        const int refColour = hostapi::aatPenExGetColor(referencePenColours, referencePens, k);
        const int colour = refColour > 0 ? findOrAdd(kColourMerge, colours, referenceColours, refColour, colourAdded) : kNoColour;
        const auto takeBack = [&] {
            if (colourAdded) hostapi::aatColDeleteInfo(colours, colour);
            if (widthAdded) hostapi::aatWidDeleteInfo(widths, width);
        };
        if (colour < 0) {
            overflow = true;
            takeBack();
            continue;
        }
        const int pen = hostapi::aatPenGetCount(pens) >= kTableLimit ? -1 : hostapi::aatPenNewInfo(pens, name.c_str());
        if (pen < 1) {
            overflow = true;
            takeBack();
            break;
        }
        hostapi::aatPenSetWidth(pens, pen, width);
        hostapi::aatPenSetPlotStyle(pens, pen, hostapi::aatPenGetPlotStyle(referencePens, k) & 0xFFFF);
        hostapi::aatPenSetMask(pens, pen, hostapi::aatPenGetMask(referencePens, k) & 0xFFFF);
        double pitch[mobr::kHostPitchValues] = {};
        const int n = hostapi::aatPenGetPitch(referencePens, k, pitch, static_cast<int32_t>(mobr::kHostPitchValues));
        hostapi::aatPenSetPitch(pens, pen, pitch, n < 0 ? 0 : n);
        if (hostapi::aatPenExNewInfo(penColours, pens, pen) >= 0) {
            // "No colour" is 0, whatever the reference said.
            hostapi::aatPenExSetColor(penColours, pens, pen, colour > 0 ? colour : kNoColour);
            penColoursChanged = true;
        }
    }
    const bool coloursGrew = endCopy(kColourMerge, figure, colours, coloursBefore);
    const bool widthsGrew = endCopy(kWidthMerge, figure, widths, widthsBefore);
    const bool pensGrew = hostapi::aatPenGetCount(pens) > pensBefore;
    hostapi::aatFigRestorePenInfo(figure, pens, pensGrew ? kKeep : kDiscard);
    hostapi::aatFigRestorePenExInfo(figure, penColours, penColoursChanged && pensGrew ? kKeep : kDiscard);
    if (overflow) listener.message(kMsgPenTableFull, ZQ_MB_ICONEXCLAMATION);
    return coloursGrew || widthsGrew || pensGrew ? 1 : 0;
}

}  // namespace atrcnv
