// CAtrCnvTargets, second part: definition files resolved by name into the
// target lists, the changed tests and saving a definition.
#include <cstring>

#include "atrcnv/AtrCnvRules.h"
#include "atrcnv/CAtrCnvFile.h"
#include "atrcnv/CAtrCnvTargets.h"
#include "frame/HostApi.h"
#include "platform/CodePage.h"

using namespace atrcnv;

namespace {

std::string hostName(const std::string& name)
{
    return mobr::cp932::cut(name, mobr::kHostNameBytes);
}

// Index of `name` in a host table, or -1 (null tables included).
int findIn(int32_t (*find)(void*, const char*), void* table, const std::string& name)
{
    if (!table) return -1;
    const int index = find(table, hostName(name).c_str());
    return index >= 1 ? index : -1;
}

// The name a host table gives for an entry; false when it gives none.
bool nameOf(int32_t (*get)(void*, int32_t, char*), void* table, int index, std::string& name)
{
    char buffer[mobr::kHostNameBufferBytes + 16] = {};
    if (get(table, index, buffer) < 0 || buffer[0] == '\0') return false;
    name.assign(buffer, strnlen(buffer, mobr::kHostNameBytes));
    return true;
}

void skip(ApplyReport& report, Kind kind, int entry, const std::string& source, const std::string& target,
          SkipReason reason)
{
    report.skipped.push_back(SkippedEntry{kind, entry, source, target, reason});
}

// What a width or colour entry needs: the two tables, the lookups and the
// fetch of the reference record.
template <typename Record>
struct NameKindOps {
    Kind kind;
    void* currentTable;
    void* referenceTable;
    int32_t (*find)(void*, const char*);
    bool (*fetch)(void*, int, Record&);
};

// A width or colour entry sets the target of its source, every other target
// with the same name, and the pens that used the source.
template <typename Record>
ApplyReport applyNameEntries(CAtrCnvTargets& self, const std::string& path, const NameKindOps<Record>& ops,
                             int (CAtrCnvFile::*read)(std::vector<NameEntry>&) const,
                             void (CAtrCnvTargets::*setTarget)(int, const Record&),
                             int (CAtrCnvTargets::*replaceByName)(const Record&),
                             void (CAtrCnvTargets::*propagate)(const std::string&, const Record&, int))
{
    std::vector<NameEntry> entries;
    (CAtrCnvFile(path).*read)(entries);
    ApplyReport report;
    report.read = static_cast<int>(entries.size());
    for (std::size_t k = 0; k < entries.size(); ++k) {
        const NameEntry& e = entries[k];
        const int number = static_cast<int>(k + 1);
        const int s = findIn(ops.find, ops.currentTable, e.source);
        const int d = findIn(ops.find, ops.referenceTable, e.target);
        Record record;
        if (s < 0)
            skip(report, ops.kind, number, e.source, e.target, SkipReason::SourceNotInFigure);
        else if (d < 0)
            skip(report, ops.kind, number, e.source, e.target, SkipReason::TargetNotInReference);
        else if (!ops.fetch(ops.referenceTable, d, record))
            skip(report, ops.kind, number, e.source, e.target, SkipReason::TargetRecordMissing);
        else {
            (self.*setTarget)(s - 1, record);
            (self.*replaceByName)(record);
            (self.*propagate)(e.source, record, CAtrCnvTargets::BySourceName);
            ++report.applied;
        }
    }
    self.listener().targetsChanged(ops.kind);
    return report;
}

}  // namespace

ApplyReport CAtrCnvTargets::applyWidthEntries(const std::string& definitionPath)
{
    return applyNameEntries<WidthRecord>(
        *this, definitionPath, {Kind::Width, current_.widths, reference_.widths, hostapi::aatWidFindName, fetchWidth},
        &CAtrCnvFile::readWidthEntries, &CAtrCnvTargets::setWidthTarget, &CAtrCnvTargets::replaceWidthTargetsByName,
        &CAtrCnvTargets::propagateWidthToPens);
}

ApplyReport CAtrCnvTargets::applyColourEntries(const std::string& definitionPath)
{
    return applyNameEntries<ColourRecord>(
        *this, definitionPath, {Kind::Colour, current_.colours, reference_.colours, hostapi::aatColFindName, fetchColour},
        &CAtrCnvFile::readColourEntries, &CAtrCnvTargets::setColourTarget, &CAtrCnvTargets::replaceColourTargetsByName,
        &CAtrCnvTargets::propagateColourToPens);
}

namespace {

// Everything a pen entry needs from the reference figure, looked up before
// anything changes.
struct ResolvedPen {
    int source = -1;
    PenRecord pen;
    WidthRecord width;
    bool hasColour = false;
    ColourRecord colour;
};

}  // namespace

ApplyReport CAtrCnvTargets::applyPenEntries(const std::string& definitionPath)
{
    std::vector<PenEntry> entries;
    CAtrCnvFile(definitionPath).readPenEntries(entries);
    ApplyReport report;
    report.read = static_cast<int>(entries.size());
    bool warnWidth = true, warnColour = true;
    for (std::size_t k = 0; k < entries.size(); ++k) {
        const PenEntry& e = entries[k];
        const int number = static_cast<int>(k + 1);
        const auto refuse = [&](SkipReason reason) { skip(report, Kind::Pen, number, e.sourcePen, e.targetPen, reason); };

        // Every lookup first: an entry is applied whole or not at all.
        ResolvedPen r;
        r.source = findIn(hostapi::aatPenFindName, current_.pens, e.sourcePen);
        const int d = findIn(hostapi::aatPenFindName, reference_.pens, e.targetPen);
        if (r.source < 0 || static_cast<std::size_t>(r.source) > penTargets_.size()) {
            refuse(SkipReason::SourceNotInFigure);
            continue;
        }
        if (d < 0) {
            refuse(SkipReason::TargetNotInReference);
            continue;
        }
        const int w = hostapi::aatPenGetWidth(reference_.pens, d);
        std::string name;
        if (w == -1 || (nameOf(hostapi::aatWidGetName, reference_.widths, w, name) && !sameName(name, e.targetWidth))) {
            refuse(SkipReason::TargetWidthDiffers);
            continue;
        }
        const int c = hostapi::aatPenExGetColor(reference_.penColours, reference_.pens, d);
        const bool wantsColour = CAtrCnvFile::isPenColourGiven(e.targetColour) != 0;
        if (wantsColour ? (c < 1 || (nameOf(hostapi::aatColGetName, reference_.colours, c, name) &&
                                     !sameName(name, e.targetColour)))
                        : c >= 1) {
            refuse(SkipReason::TargetColourDiffers);
            continue;
        }
        const void* pen = hostapi::aatPenGetInfo(reference_.pens, d);
        r.hasColour = c >= 1;
        if (!pen || !fetchWidth(reference_.widths, w, r.width) || (r.hasColour && !fetchColour(reference_.colours, c, r.colour))) {
            refuse(SkipReason::TargetRecordMissing);
            continue;
        }
        r.pen = PenRecord::from(pen);

        // Then the changes.
        PenTargetItem item = penTargets_[r.source - 1];
        item.pen = r.pen;
        if (replaceWidthTargetsByName(r.width) || appendWidthTarget(r.width, warnWidth))
            item.width = r.width;
        else
            warnWidth = false;
        propagateWidthToPens(item.width.name(), item.width, ByTargetName);
        if (!r.hasColour) {
            item.colour = ColourRecord{};
        } else {
            if (replaceColourTargetsByName(r.colour) || appendColourTarget(r.colour, warnColour))
                item.colour = r.colour;
            else
                warnColour = false;
            if (!item.colour.isNoColour()) propagateColourToPens(item.colour.name(), item.colour, ByTargetName);
        }
        penTargets_[r.source - 1] = item;
        ++report.applied;
    }
    if (report.applied > 0)
        for (Kind kind : {Kind::Pen, Kind::Width, Kind::Colour}) listener_.targetsChanged(kind);
    return report;
}

// ---- Changed tests and saving ------------------------------------------------

bool CAtrCnvTargets::colourChanged() const
{
    if (!hasTargets_) return false;
    return CAtrCnvFile().writeColourEntries(current_.colours, colourTargets_, false) == 1 ||
           hostapi::aatColGetCount(current_.colours) != static_cast<int>(colourTargets_.size());
}

bool CAtrCnvTargets::widthChanged() const
{
    if (!hasTargets_) return false;
    return CAtrCnvFile().writeWidthEntries(current_.widths, widthTargets_, false) == 1 ||
           hostapi::aatWidGetCount(current_.widths) != static_cast<int>(widthTargets_.size());
}

bool CAtrCnvTargets::penChanged() const
{
    if (!hasTargets_) return false;
    return CAtrCnvFile().writePenEntries(current_.pens, current_.penColours, current_.widths, current_.colours,
                                         penTargets_, false) == 1;
}

int CAtrCnvTargets::saveConversion(const std::string& path, std::vector<UnwritableName>* unwritable)
{
    compactColourList();
    compactWidthList();
    const bool colours = colourChanged();
    const bool widths = widthChanged();
    const bool pens = penChanged();
    if (!colours && !widths && !pens) return 0;
    CAtrCnvFile file(path);
    file.writeHeader(referencePath_);
    file.writeColourEntries(current_.colours, colourTargets_, colours);
    file.writeWidthEntries(current_.widths, widthTargets_, widths);
    file.writePenEntries(current_.pens, current_.penColours, current_.widths, current_.colours, penTargets_, pens);
    if (unwritable)
        unwritable->insert(unwritable->end(), file.unwritableNames().begin(), file.unwritableNames().end());
    return 1;
}
