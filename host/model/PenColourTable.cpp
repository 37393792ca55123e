#include "model/PenColourTable.h"

#include <algorithm>

#include "model/PenTable.h"

namespace mobrhost {

void PenColourTable::remember(const PenTable& pens)
{
    lastOrder_.clear();
    for (const Pen& p : pens.entries()) lastOrder_.push_back(p.uid);
}

PenColourEntry* PenColourTable::entryOf(uint32_t penUid)
{
    for (PenColourEntry& e : entries_) {
        if (e.penUid == penUid) return &e;
    }
    return nullptr;
}

int32_t PenColourTable::colourOf(const PenTable& pens, int32_t pen)
{
    const Pen* p = pens.at(pen);
    if (!p) return -1;
    remember(pens);
    const PenColourEntry* e = entryOf(p->uid);
    return e ? e->colour : 0;
}

bool PenColourTable::setColour(const PenTable& pens, int32_t pen, int32_t colour, uint32_t colourUid)
{
    const Pen* p = pens.at(pen);
    if (!p) return false;
    remember(pens);
    PenColourEntry* e = entryOf(p->uid);
    if (!e) {
        entries_.push_back(PenColourEntry{p->uid, p->name, 0, 0});
        e = &entries_.back();
        touch();
    }
    e->colour = colour > 0 ? colour : 0;
    e->colourUid = colour > 0 ? colourUid : 0;
    return true;
}

int32_t PenColourTable::addFor(const PenTable& pens, int32_t pen)
{
    const Pen* p = pens.at(pen);
    if (!p) return -1;
    remember(pens);
    if (PenColourEntry* e = entryOf(p->uid)) return static_cast<int32_t>(e - entries_.data());
    entries_.push_back(PenColourEntry{p->uid, p->name, 0, 0});
    touch();
    return count() - 1;
}

bool PenColourTable::removeFor(const PenTable& pens, int32_t pen)
{
    const Pen* p = pens.at(pen);
    if (!p) return false;
    const auto it = std::find_if(entries_.begin(), entries_.end(),
                                 [uid = p->uid](const PenColourEntry& e) { return e.penUid == uid; });
    if (it != entries_.end()) entries_.erase(it);
    remember(pens);
    touch();
    return true;
}

void PenColourTable::deleteColour(int32_t colour)
{
    if (colour < 1) return;
    for (PenColourEntry& e : entries_) {
        if (e.colour == colour) {
            e.colour = 0;
            e.colourUid = 0;
        } else if (e.colour > colour) {
            --e.colour;
        }
    }
}

void PenColourTable::rebuild(const PenTable& pens)
{
    entries_.clear();
    for (const Pen& p : pens.entries()) entries_.push_back(PenColourEntry{p.uid, p.name, 0, 0});
    remember(pens);
    touch();
}

bool PenColourTable::setName(int32_t pen, std::string_view name)
{
    if (pen < 1) return false;
    PenColourEntry* e = nullptr;
    if (static_cast<std::size_t>(pen) <= lastOrder_.size()) e = entryOf(lastOrder_[static_cast<std::size_t>(pen - 1)]);
    else if (lastOrder_.empty() && static_cast<std::size_t>(pen) <= entries_.size()) e = &entries_[static_cast<std::size_t>(pen - 1)];
    if (!e) return false;
    e->name = std::string(name);
    return true;
}

void PenColourTable::setEntries(std::vector<PenColourEntry> entries)
{
    entries_ = std::move(entries);
    touch();
}

}  // namespace mobrhost
