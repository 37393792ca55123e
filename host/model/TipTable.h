#pragma once

// The arrow tip table: tips 1 to 9 are built in (fixed names and shapes), 10
// to 16 are reserved slots that are never listed, user tips start at 17.
// Each tip has a name, a local (display) name, an attribute word (0x1 used by
// elements), a mask (bits 0x1, 0x2) and a start and an end shape given as
// (x, y) pairs in units of the tip length. The table also keeps the tip
// length.

#include "mobr/export.h"
#include <vector>

#include "model/EntryTable.h"

namespace mobrhost {

struct Tip : NamedEntry {
    std::string localName;
    int32_t mask = 0;
    bool reserved = false;
    std::vector<double> start;   // x0, y0, x1, y1, ...
    std::vector<double> end;
};

class MOBR_API TipTable : public EntryTable<Tip, TableKind::Tip, 255> {
public:
    static constexpr int32_t kBuiltIn = 9;
    static constexpr int32_t kFirstUser = 17;

    TipTable();   // tips 1 to 9 with their shapes, length 2.5

    std::unique_ptr<HostTable> cloneTable() const override { return std::make_unique<TipTable>(*this); }

    double length() const { return length_; }
    void setLength(double length) { length_ = length; }

    // Number of the tip whose name or local name is `name`, -1 when none.
    int32_t findLocal(std::string_view name) const;
    // Adds a user tip (after filling the reserved slots); its number or -1.
    int32_t addUser(std::string_view name, std::string_view localName, std::vector<double> start,
                    std::vector<double> end);
    // Deletes a user tip that is not in use.
    bool removeUser(int32_t n);
    // Renames a user tip (name and local name); refused for an empty name or
    // one that another tip has as name or local name.
    bool renameUser(int32_t n, std::string_view name);
    // Replaces the whole table by its built-in part (loading).
    void resetBuiltIn();

private:
    double length_ = 2.5;
};

}  // namespace mobrhost
