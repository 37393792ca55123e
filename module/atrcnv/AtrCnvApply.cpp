#include "atrcnv/AtrCnvApply.h"

#include <cstring>

#include "atrcnv/AtrCnvRules.h"
#include "atrcnv/CAtrCnvTargets.h"
#include "frame/HostApi.h"
#include "frame/ModuleLog.h"
#include "mobrdlg/ZqMessageBox.h"
#include "platform/CodePage.h"

namespace atrcnv {

namespace {

constexpr int kKeep = 0;
constexpr int kDiscard = 1;

std::string nameFrom(int32_t (*get)(void*, int32_t, char*), void* table, int index)
{
    char buffer[mobr::kHostNameBufferBytes + 16] = {};
    if (!table || get(table, index, buffer) < 0) return {};
    return std::string(buffer, strnlen(buffer, mobr::kHostNameBytes));
}

// The host functions that one table kind's conversion needs. Colours, widths
// and pens follow the same steps; only these differ.
struct ConversionOps {
    int32_t (*count)(void*);
    int32_t (*name)(void*, int32_t, char*);
    int32_t (*addRename)(const char*, const char*);
    int32_t (*clearRenames)();
    int32_t (*close)(void*);
    int32_t (*restore)(short, void*, int32_t);
    void* (*open)();
    int32_t (*find)(void*, const char*);
    int32_t (*setConversionMode)(int32_t);
    int32_t (*restoreEx)(short, void*, int32_t, void*);
};

const ConversionOps kColourOps{hostapi::aatColGetCount, hostapi::aatColGetName, hostapi::AddColorNameStringList,
                               hostapi::ClearColorNameStringList, hostapi::aatColClose, hostapi::aatFigRestoreColInfo,
                               hostapi::aatColOpen, hostapi::aatColFindName, hostapi::aatFigColSetCnvMode,
                               hostapi::aatFigRestoreColInfoEx};
const ConversionOps kWidthOps{hostapi::aatWidGetCount, hostapi::aatWidGetName, hostapi::AddWidthNameStringList,
                              hostapi::ClearWidthNameStringList, hostapi::aatWidClose, hostapi::aatFigRestoreWidInfo,
                              hostapi::aatWidOpen, hostapi::aatWidFindName, hostapi::aatFigWidSetCnvMode,
                              hostapi::aatFigRestoreWidInfoEx};
const ConversionOps kPenOps{hostapi::aatPenGetCount, hostapi::aatPenGetName, hostapi::AddPenNameStringList,
                            hostapi::ClearPenNameStringList, hostapi::aatPenClose, hostapi::aatFigRestorePenInfo,
                            hostapi::aatPenOpen, hostapi::aatPenFindName, hostapi::aatFigPenSetCnvMode,
                            hostapi::aatFigRestorePenInfoEx};

// Builds the new table of one kind from its targets (names in list order) and
// commits it with an old-to-new index table:
//   1. the rename pairs (old name i+1, target i);
//   2. the index table over the copy's entry count;
//   3. the old copy handed back unchanged, a new empty table opened;
//   4. each distinct target name once, in order of first use, made by
//      `create(table, j)` (its number, < 1 when refused); old entry j+1 maps
//      to the entry of its target;
//   5. the sketch renames (`renameSketch(table)`), the rename list cleared;
//   6. the commit in conversion mode, so the index table alone renumbers.
// When an entry cannot be made, the new table is dropped and the figure keeps
// its old table: no reference silently falls to colour 0 or width 1.
template <typename Create, typename RenameSketch>
int convertTable(short figure, void* copy, const std::vector<std::string>& targetNames, const ConversionOps& ops,
                 Create create, RenameSketch renameSketch)
{
    const int count = ops.count(copy);
    for (int i = 0; i < count && static_cast<std::size_t>(i) < targetNames.size(); ++i)
        ops.addRename(nameFrom(ops.name, copy, i + 1).c_str(), targetNames[i].c_str());
    int32_t made = 0;
    void* index = count >= 0 ? hostapi::as_MakeTable(static_cast<char*>(copy) + sizeof(int32_t), &made) : nullptr;
    if (!index) {
        ops.close(copy);
        ops.clearRenames();
        return 0;
    }
    ops.restore(figure, copy, kDiscard);
    void* table = ops.open();
    const auto giveUp = [&] {
        if (table) ops.close(table);
        hostapi::as_FreeTable(index);
        ops.clearRenames();
        return 0;
    };
    if (!table) return giveUp();
    for (std::size_t j = 0; j < targetNames.size(); ++j) {
        const std::string name = mobr::cp932::cut(targetNames[j], mobr::kHostNameBytes);
        int k = ops.find(table, name.c_str());
        if (k < 1) k = create(table, j);
        if (k < 1) {
            qCWarning(lcModule, "conversion: entry \"%s\" could not be made; the figure keeps its table",
                      mobr::cp932::toUtf8(name).c_str());
            return giveUp();
        }
        if (static_cast<int>(j) < count) hostapi::as_SetTableIndex(index, static_cast<int32_t>(j), k - 1);
    }
    renameSketch(table);
    ops.clearRenames();
    ops.setConversionMode(1);
    const int32_t ended = ops.restoreEx(figure, table, kKeep, index);
    ops.setConversionMode(0);
    if (!ended) ops.close(table);
    hostapi::as_FreeTable(index);
    return ended ? 1 : 0;
}

template <typename Record>
std::vector<std::string> namesOf(const std::vector<Record>& records)
{
    std::vector<std::string> names;
    names.reserve(records.size());
    for (const Record& r : records) names.push_back(r.name());
    return names;
}

}  // namespace

int applyColourConversion(short figure, void* colours, const std::vector<ColourRecord>& targets, Listener&)
{
    if (!colours) return 0;
    return convertTable(
        figure, colours, namesOf(targets), kColourOps,
        [&](void* table, std::size_t j) {
            const ColourRecord& item = targets[j];
            const int k = hostapi::aatColNewInfo(table, mobr::cp932::cut(item.name(), mobr::kHostNameBytes).c_str());
            if (k >= 1) hostapi::aatColSetRGB(table, k, item.red(), item.green(), item.blue());
            return k;
        },
        [figure](void* table) { hostapi::ChangeSketchColorName(figure, table); });
}

int applyWidthConversion(short figure, void* widths, const std::vector<WidthRecord>& targets, Listener&)
{
    if (!widths) return 0;
    return convertTable(
        figure, widths, namesOf(targets), kWidthOps,
        [&](void* table, std::size_t j) {
            const WidthRecord& item = targets[j];
            const int k = hostapi::aatWidNewInfo(table, mobr::cp932::cut(item.name(), mobr::kHostNameBytes).c_str());
            if (k >= 1) {
                hostapi::aatWidSetWidth(table, k, hostapi::aatWidGetWidthEx(item.data()));
                hostapi::aatWidSetPlotPen(table, k, item.secondValue());
            }
            return k;
        },
        [figure](void* table) { hostapi::ChangeSketchWidthName(figure, table); });
}

namespace {

// Clears in the first solid pen (plot style 1, mask readable) each of the
// mask bits 0x1, 0x2, 0x4 that no solid pen has clear. True when it changed
// a mask.
bool repairSolidPenMasks(void* pens)
{
    constexpr int kMaskBits = 0x7;
    const int count = hostapi::aatPenGetCount(pens);
    int first = 0, firstMask = 0, seenClear = 0;
    for (int p = 1; p <= count && seenClear != kMaskBits; ++p) {
        if (hostapi::aatPenGetPlotStyle(pens, p) != 1) continue;
        const int mask = hostapi::aatPenGetMask(pens, p);
        if (mask == -1) continue;
        if (!first) {
            first = p;
            firstMask = mask;
        }
        seenClear |= ~mask & kMaskBits;
    }
    if (!first || seenClear == kMaskBits) return false;
    hostapi::aatPenSetMask(pens, first, firstMask & ~(kMaskBits & ~seenClear));
    return true;
}

}  // namespace

namespace {

// Gives every pen of the figure the colour of the first pen target with its
// name, through a pen-colour table rebuilt for the new pens.
void rebuildPenColours(short figure, void* penColours, const std::vector<PenTargetItem>& targets, bool repairMasks)
{
    void* pens = hostapi::aatFigEditPenInfo(figure);
    void* colours = pens ? hostapi::aatFigEditColInfo(figure) : nullptr;
    if (!pens || !colours) {
        if (pens) hostapi::aatFigRestorePenInfo(figure, pens, kDiscard);
        hostapi::aatFigRestorePenExInfo(figure, penColours, kDiscard);
        return;
    }
    hostapi::aatPenExCreateInfo(penColours, pens, 1);
    const int count = hostapi::aatPenGetCount(pens);
    for (int p = 1; p <= count; ++p) {
        const std::string name = nameFrom(hostapi::aatPenGetName, pens, p);
        for (const PenTargetItem& item : targets) {
            if (!sameName(item.pen.name(), name)) continue;
            const int c = item.colour.isNoColour() ? -1 : hostapi::aatColFindName(colours, item.colour.name().c_str());
            if (c > 0) hostapi::aatPenExSetColor(penColours, pens, p, c);
            break;
        }
    }
    // The same fresh pen copy serves the mask repair: one pass less over the
    // figure's elements.
    const bool repaired = repairMasks && repairSolidPenMasks(pens);
    hostapi::aatFigRestorePenInfo(figure, pens, repaired ? kKeep : kDiscard);
    hostapi::aatFigRestoreColInfo(figure, colours, kDiscard);
    hostapi::aatFigRestorePenExInfo(figure, penColours, kKeep);
}

}  // namespace

int applyPenConversion(short figure, void* pens, void* penColours, const std::vector<PenTargetItem>& targets,
                       Listener& listener, bool repairMasks)
{
    if (!pens || !penColours) {
        if (pens) hostapi::aatPenClose(pens);
        if (penColours) hostapi::aatPenExClose(penColours);
        return 0;
    }
    std::vector<std::string> names;
    names.reserve(targets.size());
    for (const PenTargetItem& item : targets) names.push_back(item.pen.name());
    void* widths = hostapi::aatFigGetWidInfo(figure);
    const int done = convertTable(
        figure, pens, names, kPenOps,
        [&](void* table, std::size_t j) {
            const PenTargetItem& item = targets[j];
            const int k = hostapi::aatPenNewInfo(table, mobr::cp932::cut(names[j], mobr::kHostNameBytes).c_str());
            if (k < 1) return k;
            hostapi::aatPenSetPlotStyle(table, k, hostapi::aatPenGetPlotStyleEx(item.pen.data()) & 0xFFFF);
            hostapi::aatPenSetMask(table, k, hostapi::aatPenGetMaskEx(item.pen.data()));
            double pitch[mobr::kHostPitchValues] = {};
            const int n = hostapi::aatPenGetPitchEx(item.pen.data(), pitch, static_cast<int32_t>(mobr::kHostPitchValues));
            hostapi::aatPenSetPitch(table, k, pitch, n < 0 ? 0 : n);
            int width = widths ? hostapi::aatWidFindName(widths, item.width.name().c_str()) : -1;
            if (width < 1) {
                listener.note("pen " + names[j] + ": width " + item.width.name() +
                              " is not in the drawing's widths; the pen takes width 1");
                width = 1;
            }
            hostapi::aatPenSetWidth(table, k, width);
            return k;
        },
        [figure, widths](void* table) { hostapi::ChangeSketchPenName(figure, table, widths); });
    if (!done) {
        hostapi::aatPenExClose(penColours);
        return 0;
    }
    rebuildPenColours(figure, penColours, targets, repairMasks);
    return 1;
}

void fixSolidPenMasks(short figure)
{
    void* pens = hostapi::aatFigEditPenInfo(figure);
    if (pens) hostapi::aatFigRestorePenInfo(figure, pens, repairSolidPenMasks(pens) ? kKeep : kDiscard);
}

}  // namespace atrcnv
