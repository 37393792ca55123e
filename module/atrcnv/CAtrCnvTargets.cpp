#include "atrcnv/CAtrCnvTargets.h"

#include <unordered_set>

#include "atrcnv/AtrCnvRules.h"
#include "atrcnv/CAtrCnvFile.h"
#include "frame/HostApi.h"
#include "frame/ModuleLog.h"
#include "platform/CodePage.h"

using namespace atrcnv;

namespace {

constexpr int kTableLimit = 255;
constexpr int kCurrentFigureCode = 82;
constexpr int kDiscard = 1;

// Names go to the host's lookups as texts of at most 16 bytes.
std::string hostName(const std::string& name)
{
    return mobr::cp932::cut(name, mobr::kHostNameBytes);
}

std::string nameFrom(int32_t (*get)(void*, int32_t, char*), void* table, int index)
{
    char buffer[mobr::kHostNameBufferBytes + 16] = {};
    if (!table || index < 1 || get(table, index, buffer) < 0) return {};
    return std::string(buffer, strnlen(buffer, mobr::kHostNameBytes));
}

std::string widthName(void* widths, int index) { return nameFrom(hostapi::aatWidGetName, widths, index); }
std::string colourName(void* colours, int index) { return nameFrom(hostapi::aatColGetName, colours, index); }

template <typename Record>
int replaceByName(std::vector<Record>& list, const std::string& name, const Record& record)
{
    int hit = 0;
    for (Record& item : list) {
        if (sameName(item.name(), name)) {
            item = record;
            hit = 1;
        }
    }
    return hit;
}

template <typename Record>
std::size_t distinctNames(const std::vector<Record>& list, const std::string& extra)
{
    std::unordered_set<std::string> names;
    for (const Record& item : list) names.insert(mobr::cp932::foldCase(item.name()));
    names.insert(mobr::cp932::foldCase(extra));
    return names.size();
}

// The two compaction passes over the extra items (from `hostCount` on):
// drop repeats of a first-part name, then items that neither the current
// table (`inTable`) nor a pen target (`usedByPens`) needs.
template <typename Record, typename InTable, typename UsedByPens>
void compactExtras(std::vector<Record>& list, std::size_t hostCount, InTable inTable, UsedByPens usedByPens)
{
    const auto inFirstPart = [&](const std::string& name) {
        for (std::size_t j = 0; j < hostCount && j < list.size(); ++j)
            if (sameName(list[j].name(), name)) return true;
        return false;
    };
    for (std::size_t i = list.size(); i-- > hostCount;)
        if (inFirstPart(list[i].name())) list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
    for (std::size_t i = list.size(); i-- > hostCount;) {
        const std::string name = list[i].name();
        if (!inTable(name) && !usedByPens(name)) list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

}  // namespace

CAtrCnvTargets::CAtrCnvTargets(Listener& listener) : listener_(listener) {}

CAtrCnvTargets::~CAtrCnvTargets()
{
    try {
        // Every copy still held goes back discarded, kind by kind.
        const auto end = [](short figure, void*& copy, int32_t (*restore)(short, void*, int32_t)) {
            if (copy) restore(figure, copy, kDiscard);
            copy = nullptr;
        };
        end(currentFigure_, current_.colours, hostapi::aatFigRestoreColInfo);
        end(referenceFigure_, reference_.colours, hostapi::aatFigRestoreColInfo);
        end(currentFigure_, current_.widths, hostapi::aatFigRestoreWidInfo);
        end(referenceFigure_, reference_.widths, hostapi::aatFigRestoreWidInfo);
        end(currentFigure_, current_.pens, hostapi::aatFigRestorePenInfo);
        end(referenceFigure_, reference_.pens, hostapi::aatFigRestorePenInfo);
        end(currentFigure_, current_.penColours, hostapi::aatFigRestorePenExInfo);
        end(referenceFigure_, reference_.penColours, hostapi::aatFigRestorePenExInfo);
        if (referenceFigure_ >= 0) hostapi::aatFigClose(referenceFigure_);
    } catch (...) {
        logCaughtException("CAtrCnvTargets::~CAtrCnvTargets");
    }
}

bool CAtrCnvTargets::takeCopies(short figure, Copies& copies)
{
    copies.pens = hostapi::aatFigEditPenInfo(figure);
    if (copies.pens) copies.penColours = hostapi::aatFigEditPenExInfo(figure);
    if (copies.penColours) copies.widths = hostapi::aatFigEditWidInfo(figure);
    if (copies.widths) copies.colours = hostapi::aatFigEditColInfo(figure);
    return copies.colours != nullptr;
}

void CAtrCnvTargets::handBack(short figure, Copies& copies)
{
    if (copies.colours) hostapi::aatFigRestoreColInfo(figure, copies.colours, kDiscard);
    if (copies.widths) hostapi::aatFigRestoreWidInfo(figure, copies.widths, kDiscard);
    if (copies.pens) hostapi::aatFigRestorePenInfo(figure, copies.pens, kDiscard);
    if (copies.penColours) hostapi::aatFigRestorePenExInfo(figure, copies.penColours, kDiscard);
    copies = Copies{};
}

int CAtrCnvTargets::prepare()
{
    // The host gives the figure number as 16 bits.
    short figure = -1;
    hostapi::aatSysInfCFigno(kCurrentFigureCode, &figure);
    if (figure < 0) return -1;
    currentFigure_ = figure;
    if (!takeCopies(figure, current_)) {
        handBack(figure, current_);
        return -1;
    }
    return figure;
}

bool CAtrCnvTargets::fillLists(Lists& lists) const
{
    const int widths = hostapi::aatWidGetCount(current_.widths);
    for (int i = 1; i <= widths; ++i) {
        lists.widths.emplace_back();
        if (!fetchWidth(current_.widths, i, lists.widths.back())) return false;
    }
    const int colours = hostapi::aatColGetCount(current_.colours);
    for (int i = 1; i <= colours; ++i) {
        lists.colours.emplace_back();
        if (!fetchColour(current_.colours, i, lists.colours.back())) return false;
    }
    const int pens = hostapi::aatPenGetCount(current_.pens);
    for (int i = 1; i <= pens; ++i) {
        PenTargetItem item;
        const void* pen = hostapi::aatPenGetInfo(current_.pens, i);
        if (!pen) return false;
        item.pen = PenRecord::from(pen);
        if (!fetchWidth(current_.widths, item.pen.widthIndex(), item.width)) return false;
        const int colour = hostapi::aatPenExGetColor(current_.penColours, current_.pens, i);
        if (colour >= 1 && !fetchColour(current_.colours, colour, item.colour)) return false;
        lists.pens.push_back(item);
    }
    return widths >= 0 && colours >= 0 && pens >= 0;
}

void CAtrCnvTargets::releaseReference()
{
    handBack(referenceFigure_, reference_);
    if (referenceFigure_ >= 0) hostapi::aatFigClose(referenceFigure_);
    referenceFigure_ = -1;
    referencePath_.clear();
}

int CAtrCnvTargets::loadReference(const std::string& path)
{
    if (!current_.pens || !current_.widths || !current_.colours || !current_.penColours) return kLoadFailed;
    const double scale[2] = {100.0, 100.0};
    short figure = -1;
    if (hostapi::aatFigOpen(1, scale, path.c_str(), &figure) != 0 || figure < 0) return kLoadFailed;
    Copies copies;
    Lists lists;
    int result = kLoaded;
    if (!takeCopies(figure, copies))
        result = kLoadFailed;
    else if (!fillLists(lists))
        result = kLoadRecordMissing;
    if (result != kLoaded) {
        // The new figure is given back whole; what was loaded before stays.
        handBack(figure, copies);
        hostapi::aatFigClose(figure);
        return result;
    }
    releaseReference();
    referenceFigure_ = figure;
    referencePath_ = path;
    reference_ = copies;
    penTargets_ = std::move(lists.pens);
    widthTargets_ = std::move(lists.widths);
    colourTargets_ = std::move(lists.colours);
    hasTargets_ = true;
    for (Kind kind : {Kind::Pen, Kind::Width, Kind::Colour}) listener_.targetsChanged(kind);
    return kLoaded;
}

void* CAtrCnvTargets::handle(Figure figure, Table table) const
{
    const Copies& c = figure == Figure::Current ? current_ : reference_;
    switch (table) {
    case Table::Pen: return c.pens;
    case Table::Width: return c.widths;
    case Table::Colour: return c.colours;
    case Table::PenColour: return c.penColours;
    }
    return nullptr;
}

void* CAtrCnvTargets::table(Figure figure, Table table) const { return handle(figure, table); }

void* CAtrCnvTargets::takeCurrent(Table table)
{
    void** slot = table == Table::Pen      ? &current_.pens
                  : table == Table::Width  ? &current_.widths
                  : table == Table::Colour ? &current_.colours
                                           : &current_.penColours;
    void* taken = *slot;
    *slot = nullptr;
    return taken;
}

// ---- Target lists -------------------------------------------------------------

void CAtrCnvTargets::setPenTarget(int index, const PenTargetItem& item)
{
    if (index >= 0 && static_cast<std::size_t>(index) < penTargets_.size()) penTargets_[index] = item;
}

void CAtrCnvTargets::setWidthTarget(int index, const WidthRecord& record)
{
    if (index >= 0 && static_cast<std::size_t>(index) < widthTargets_.size()) widthTargets_[index] = record;
}

void CAtrCnvTargets::setColourTarget(int index, const ColourRecord& record)
{
    if (index >= 0 && static_cast<std::size_t>(index) < colourTargets_.size()) colourTargets_[index] = record;
}

int CAtrCnvTargets::replaceWidthTargetsByName(const WidthRecord& record)
{
    return replaceByName(widthTargets_, record.name(), record);
}

int CAtrCnvTargets::replaceColourTargetsByName(const ColourRecord& record)
{
    return replaceByName(colourTargets_, record.name(), record);
}

int CAtrCnvTargets::replacePenTargetsByName(const PenTargetItem& item)
{
    int hit = 0;
    for (PenTargetItem& target : penTargets_) {
        if (sameName(target.pen.name(), item.pen.name())) {
            target = item;
            hit = 1;
        }
    }
    return hit;
}

namespace {

// Appends an extra target unless the new table would pass 255 entries: the
// current table is full (`tableFull`) or the list's distinct names, the new
// one included, would exceed 255 (the new table holds each name once).
template <typename Record>
int appendTarget(std::vector<Record>& list, const Record& record, bool tableFull, bool warn, int message,
                 Listener& listener)
{
    if (tableFull || distinctNames(list, record.name()) > kTableLimit) {
        if (warn) listener.warning(message);
        return 0;
    }
    list.push_back(record);
    return 1;
}

// Gives pen targets a width or colour (`field`). By target name: every item
// whose field has `name`. By source name: the target of every current pen
// whose own width or colour (`currentName(p)`) has `name`, and every other
// target with the same target pen name.
template <typename Record, typename CurrentName>
void propagate(std::vector<PenTargetItem>& targets, Record PenTargetItem::*field, const std::string& name,
               const Record& record, int mode, int penCount, CurrentName currentName)
{
    if (name.empty()) return;  // "no colour" is never a name to match
    if (mode == CAtrCnvTargets::ByTargetName) {
        for (PenTargetItem& item : targets)
            if (sameName((item.*field).name(), name)) item.*field = record;
        return;
    }
    for (int p = 1; p <= penCount && static_cast<std::size_t>(p) <= targets.size(); ++p) {
        if (!sameName(currentName(p), name)) continue;
        const std::string penName = targets[p - 1].pen.name();
        targets[p - 1].*field = record;
        for (PenTargetItem& item : targets)
            if (sameName(item.pen.name(), penName)) item.*field = record;
    }
}

}  // namespace

int CAtrCnvTargets::appendWidthTarget(const WidthRecord& record, bool warn)
{
    compactWidthList();
    return appendTarget(widthTargets_, record, widthTableFull() != 0, warn, kMsgWidthTargetsFull, listener_);
}

int CAtrCnvTargets::appendColourTarget(const ColourRecord& record, bool warn)
{
    compactColourList();
    return appendTarget(colourTargets_, record, colourTableFull() != 0, warn, kMsgColourTargetsFull, listener_);
}

void CAtrCnvTargets::propagateWidthToPens(const std::string& name, const WidthRecord& record, int mode)
{
    propagate(penTargets_, &PenTargetItem::width, name, record, mode, hostapi::aatPenGetCount(current_.pens),
              [this](int p) { return widthName(current_.widths, hostapi::aatPenGetWidth(current_.pens, p)); });
}

void CAtrCnvTargets::propagateColourToPens(const std::string& name, const ColourRecord& record, int mode)
{
    propagate(penTargets_, &PenTargetItem::colour, name, record, mode, hostapi::aatPenGetCount(current_.pens),
              [this](int p) {
                  const int colour = hostapi::aatPenExGetColor(current_.penColours, current_.pens, p);
                  return colour >= 1 ? colourName(current_.colours, colour) : std::string();
              });
}

namespace {

// Compacts one list against its current table (`count`, `find`) and the pen
// targets' `field`; false when the count cannot be read.
template <typename Record>
bool compactList(std::vector<Record>& list, void* table, int32_t (*count)(void*), int32_t (*find)(void*, const char*),
                 const std::vector<PenTargetItem>& pens, Record PenTargetItem::*field)
{
    const int n = count(table);
    if (n < 0) return false;
    compactExtras(
        list, static_cast<std::size_t>(n),
        [&](const std::string& name) { return find(table, hostName(name).c_str()) > 0; },
        [&](const std::string& name) {
            for (const PenTargetItem& item : pens)
                if (sameName((item.*field).name(), name)) return true;
            return false;
        });
    return true;
}

}  // namespace

int CAtrCnvTargets::compactWidthList()
{
    return compactList(widthTargets_, current_.widths, hostapi::aatWidGetCount, hostapi::aatWidFindName, penTargets_,
                       &PenTargetItem::width) ? 1 : 0;
}

int CAtrCnvTargets::compactColourList()
{
    return compactList(colourTargets_, current_.colours, hostapi::aatColGetCount, hostapi::aatColFindName, penTargets_,
                       &PenTargetItem::colour) ? 1 : 0;
}

int CAtrCnvTargets::widthTableFull() const { return hostapi::aatWidGetCount(current_.widths) >= kTableLimit ? 1 : 0; }
int CAtrCnvTargets::colourTableFull() const { return hostapi::aatColGetCount(current_.colours) >= kTableLimit ? 1 : 0; }
int CAtrCnvTargets::penTableFull() const { return hostapi::aatPenGetCount(current_.pens) >= kTableLimit ? 1 : 0; }
