#pragma once

// The common shape of the named attribute tables: numbered entries (1-based)
// with a unique name, an attribute word and an identity, at most Max of
// them. Entry types derive from NamedEntry.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/HostTable.h"

namespace mobrhost {

struct NamedEntry {
    std::string name;      // host code page, at most 16 bytes
    int32_t attrib = 0;
    uint32_t uid = 0;
};

template <typename Entry, TableKind Kind, int32_t Max>
class EntryTable : public HostTable {
public:
    static constexpr int32_t kMaxEntries = Max;

    EntryTable() : HostTable(Kind) {}

    int32_t count() const override { return static_cast<int32_t>(entries_.size()); }
    bool valid(int32_t n) const { return n >= 1 && n <= count(); }
    bool full() const { return count() >= Max; }

    Entry* at(int32_t n) { return valid(n) ? &entries_[static_cast<std::size_t>(n - 1)] : nullptr; }
    const Entry* at(int32_t n) const { return valid(n) ? &entries_[static_cast<std::size_t>(n - 1)] : nullptr; }

    // Number of the entry called name, -1 when there is none.
    int32_t find(std::string_view name) const
    {
        if (name.empty()) return -1;
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            if (sameName(entries_[i].name, name)) return static_cast<int32_t>(i + 1);
        }
        return -1;
    }

    // Number of the entry with this identity, 0 when it is gone.
    int32_t findUid(uint32_t uid) const
    {
        if (uid == 0) return 0;
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            if (entries_[i].uid == uid) return static_cast<int32_t>(i + 1);
        }
        return 0;
    }

    // Appends an entry; its number, or -1 when the table is full, the name is
    // empty or another entry has it.
    int32_t add(std::string_view name)
    {
        if (full() || name.empty() || find(name) > 0) return -1;
        Entry entry{};
        entry.name = std::string(name);
        entry.uid = newUid();
        entries_.push_back(std::move(entry));
        touch();
        return count();
    }

    // Appends a complete entry as it is (loading, copying between figures);
    // refused like add().
    int32_t addEntry(Entry entry)
    {
        if (full() || entry.name.empty() || find(entry.name) > 0) return -1;
        if (entry.uid == 0) entry.uid = newUid();
        entries_.push_back(std::move(entry));
        touch();
        return count();
    }

    bool remove(int32_t n)
    {
        if (!valid(n)) return false;
        entries_.erase(entries_.begin() + (n - 1));
        touch();
        return true;
    }

    bool swap(int32_t a, int32_t b)
    {
        if (!valid(a) || !valid(b)) return false;
        std::swap(entries_[static_cast<std::size_t>(a - 1)], entries_[static_cast<std::size_t>(b - 1)]);
        return true;
    }

    // Renames entry n; refused for an empty name or one that another entry has.
    bool rename(int32_t n, std::string_view name)
    {
        Entry* e = at(n);
        if (!e || name.empty()) return false;
        const int32_t other = find(name);
        if (other > 0 && other != n) return false;
        e->name = std::string(name);
        return true;
    }

    void clear()
    {
        entries_.clear();
        touch();
    }

    const std::vector<Entry>& entries() const { return entries_; }

protected:
    std::vector<Entry> entries_;
};

// For each entry of `before` (index = number - 1), the number that the entry
// with the same identity has in `after`, 0 when it is gone.
template <typename Table>
std::vector<int32_t> uidMap(const Table& before, const Table& after)
{
    std::vector<int32_t> map(static_cast<std::size_t>(before.count()), 0);
    for (int32_t n = 1; n <= before.count(); ++n) map[static_cast<std::size_t>(n - 1)] = after.findUid(before.at(n)->uid);
    return map;
}

}  // namespace mobrhost
