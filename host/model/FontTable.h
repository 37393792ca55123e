#pragma once

// The named font table: name, face name (at most 31 bytes), attribute word
// (0x1 edited, 0x10 italic, 0x20 bold, 0x10000 used by text elements).

#include "mobr/export.h"
#include "model/EntryTable.h"

namespace mobrhost {

struct Font : NamedEntry {
    std::string face;
};

class MOBR_API FontTable : public EntryTable<Font, TableKind::Font, 255> {
public:
    static constexpr std::size_t kLogFontBytes = 60;
    static constexpr int32_t kItalic = 0x10;
    static constexpr int32_t kBold = 0x20;
    static constexpr int32_t kInUse = 0x10000;

    std::unique_ptr<HostTable> cloneTable() const override { return std::make_unique<FontTable>(*this); }

    // Fills the 60-byte font description of font n: height (32-bit at 0,
    // -12), width 4, escapement 8, orientation 12, weight 16 (700 bold, 400),
    // italic byte 20, underline 21, strike-out 22, character set 23 (128),
    // four precision/quality bytes 24-27, face name 28-59.
    bool logFont(int32_t n, void* out) const;
};

}  // namespace mobrhost
