#pragma once

// The pen colour table: the colour (0 none) of each pen, with the pen's
// name. Entries belong to pens by the pens' identities, not by their numbers,
// so reordering the pen table never gives a pen another pen's colour. Each
// entry also remembers the identity of its colour, so that a commit of the
// colour table can renumber it.

#include "mobr/export.h"
#include <string>
#include <vector>

#include "model/HostTable.h"

namespace mobrhost {

class PenTable;

struct PenColourEntry {
    uint32_t penUid = 0;
    std::string name;
    int32_t colour = 0;
    uint32_t colourUid = 0;
};

class MOBR_API PenColourTable : public HostTable {
public:
    PenColourTable() : HostTable(TableKind::PenColour) {}

    int32_t count() const override { return static_cast<int32_t>(entries_.size()); }
    std::unique_ptr<HostTable> cloneTable() const override { return std::make_unique<PenColourTable>(*this); }

    // Colour of pen `pen` of `pens` (0 when it has none), -1 for a pen that
    // does not exist.
    int32_t colourOf(const PenTable& pens, int32_t pen);
    // Stores the colour of a pen (creating its entry); a negative colour is
    // stored as 0 (none).
    bool setColour(const PenTable& pens, int32_t pen, int32_t colour, uint32_t colourUid);
    // Adds the entry of a pen (colour 0); its 0-based index, -1 on failure.
    int32_t addFor(const PenTable& pens, int32_t pen);
    bool removeFor(const PenTable& pens, int32_t pen);
    // Drops colour `colour` from every pen and renumbers the higher colours.
    void deleteColour(int32_t colour);
    // One entry per pen of `pens`, every colour 0.
    void rebuild(const PenTable& pens);
    // Keeps `name` as the name of pen `pen`, by the pen numbers of the pen
    // table this table was last used with.
    bool setName(int32_t pen, std::string_view name);

    PenColourEntry* entryOf(uint32_t penUid);
    std::vector<PenColourEntry>& entries() { return entries_; }
    const std::vector<PenColourEntry>& entries() const { return entries_; }
    void setEntries(std::vector<PenColourEntry> entries);

private:
    void remember(const PenTable& pens);

    std::vector<PenColourEntry> entries_;
    std::vector<uint32_t> lastOrder_;   // pen identities by pen number - 1
};

}  // namespace mobrhost
