#include "model/IndexTable.h"

#include <algorithm>
#include <set>

namespace mobrhost {

IndexTable::IndexTable(int32_t count) : HostTable(TableKind::Index)
{
    const int32_t n = std::clamp<int32_t>(count, 0, kMaxEntries);
    map_.resize(static_cast<std::size_t>(n));
    for (int32_t j = 0; j < n; ++j) map_[static_cast<std::size_t>(j)] = j;
    positions_ = n;
    touch();
}

int32_t IndexTable::get(int32_t j) const
{
    if (j < 0 || j >= count()) return -1;
    return map_[static_cast<std::size_t>(j)];
}

bool IndexTable::set(int32_t j, int32_t position)
{
    if (j < 0 || j >= count() || position < -1 || position >= kMaxEntries) return false;
    map_[static_cast<std::size_t>(j)] = position;
    positions_ = std::max(positions_, position + 1);
    return true;
}

std::unique_ptr<IndexTable> IndexTable::withAdded(int32_t position) const
{
    if (position < 0 || position > positions_ || positions_ >= kMaxEntries) return nullptr;
    auto grown = std::make_unique<IndexTable>(*this);
    for (int32_t& p : grown->map_) {
        if (p >= position) ++p;
    }
    ++grown->positions_;
    return grown;
}

bool IndexTable::removePosition(int32_t position)
{
    if (position < 0 || position >= positions_) return false;
    for (int32_t& p : map_) {
        if (p == position) p = -1;
        else if (p > position) --p;
    }
    --positions_;
    return true;
}

bool IndexTable::swapPositions(int32_t a, int32_t b)
{
    if (a < 0 || b < 0 || a >= positions_ || b >= positions_) return false;
    for (int32_t& p : map_) {
        if (p == a) p = b;
        else if (p == b) p = a;
    }
    return true;
}

void IndexTable::pack()
{
    std::set<int32_t> used;
    for (int32_t p : map_) {
        if (p >= 0) used.insert(p);
    }
    std::vector<int32_t> order(used.begin(), used.end());
    for (int32_t& p : map_) {
        if (p >= 0) p = static_cast<int32_t>(std::lower_bound(order.begin(), order.end(), p) - order.begin());
    }
    positions_ = static_cast<int32_t>(order.size());
}

}  // namespace mobrhost
