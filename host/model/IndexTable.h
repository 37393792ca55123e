#pragma once

// An index table over a host table: for every entry the table had when the
// index table was made (old entry j, 0-based), the 0-based position that
// entry has now, or -1 when it was deleted. Swaps, deletions and additions
// name positions in the current order; set/get name old entries. A commit
// with an index table renumbers every reference to old entry j+1 to
// position get(j)+1.

#include "mobr/export.h"
#include <cstdint>
#include <memory>
#include <vector>

#include "model/HostTable.h"

namespace mobrhost {

class MOBR_API IndexTable : public HostTable {
public:
    static constexpr int32_t kMaxEntries = 65536;

    explicit IndexTable(int32_t count);   // identity over count entries

    int32_t count() const override { return static_cast<int32_t>(map_.size()); }
    std::unique_ptr<HostTable> cloneTable() const override { return std::make_unique<IndexTable>(*this); }

    // Number of positions in the current order.
    int32_t positions() const { return positions_; }

    // Position of old entry j, -1 when gone or out of range.
    int32_t get(int32_t j) const;
    // Sets the position of old entry j (-1 marks it gone); false out of range.
    bool set(int32_t j, int32_t position);
    // A copy with a new entry inserted at `position` (0..positions()); the
    // entries at or after it move up by one. Null when position is invalid.
    std::unique_ptr<IndexTable> withAdded(int32_t position) const;
    // The entry at `position` is deleted; later positions move down.
    bool removePosition(int32_t position);
    bool swapPositions(int32_t a, int32_t b);
    // Renumbers the positions densely (0, 1, 2... in their order), closing
    // the gaps that set() may leave.
    void pack();

    const std::vector<int32_t>& map() const { return map_; }

private:
    std::vector<int32_t> map_;
    int32_t positions_ = 0;
};

}  // namespace mobrhost
