#pragma once

// The named colour table: name, red, green, blue, attribute word (0x1: in
// use, by a pen or by elements).

#include "mobr/export.h"
#include <array>
#include <vector>

#include "model/EntryTable.h"

namespace mobrhost {

struct Colour : NamedEntry {
    int32_t red = 0;
    int32_t green = 0;
    int32_t blue = 0;
    bool usedByElements = false;   // kept while the in-use bits are recomputed from pens
};

class MOBR_API ColourTable : public EntryTable<Colour, TableKind::Colour, 255> {
public:
    static constexpr std::size_t kRecordBytes = 22;
    using Record = std::array<unsigned char, kRecordBytes>;

    std::unique_ptr<HostTable> cloneTable() const override { return std::make_unique<ColourTable>(*this); }

    // 22-byte record: name, colour value (32-bit at 16: red bits 0-7, green
    // 8-15, blue 16-23), low 16 bits of the attribute word at 20.
    const unsigned char* record(int32_t n);
    static Record makeRecord(const Colour& colour);
    static uint32_t rgbValue(const Colour& colour);

private:
    std::vector<Record> records_;
};

}  // namespace mobrhost
