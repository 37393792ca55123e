#pragma once

// The extended character groups of a figure: entries of a mode word (bits
// 0x1..0x40 the seven standard groups, 0x80 the user group) and a group text
// (host code page, at most 519 bytes).

#include "mobr/export.h"
#include <string>
#include <vector>

#include "model/HostTable.h"

namespace mobrhost {

struct CharExEntry {
    int32_t mode = 0;
    std::string text;
};

class MOBR_API CharExTable : public HostTable {
public:
    static constexpr int32_t kMaxEntries = 64;
    static constexpr std::size_t kMaxTextBytes = 519;

    CharExTable() : HostTable(TableKind::CharEx) {}

    int32_t count() const override { return static_cast<int32_t>(entries_.size()); }
    std::unique_ptr<HostTable> cloneTable() const override { return std::make_unique<CharExTable>(*this); }

    // Adds an entry; refused (false) when the table is full.
    bool add(int32_t mode, std::string_view text);
    bool remove(int32_t n);   // 1-based
    // The OR of every entry's mode word, and the text of the first entry
    // that carries the user group bit 0x80 (else the first non-empty text).
    int32_t modeWord(std::string* text) const;
    // Orders the entries by mode word, then text (stable).
    void sort();

    std::vector<CharExEntry>& entries() { return entries_; }
    const std::vector<CharExEntry>& entries() const { return entries_; }

private:
    std::vector<CharExEntry> entries_;
};

}  // namespace mobrhost
