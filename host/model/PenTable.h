#pragma once

// The pen (line type) table of a figure: name, width number, plot style 1..6,
// mask bits 0x1/0x2/0x4, up to ten pitch lengths, attribute word (0x1: used
// by elements). Each pen also remembers the identity of its width, so that a
// commit of the width table can renumber it.

#include "mobr/export.h"
#include <array>
#include <cstdint>
#include <vector>

#include "model/EntryTable.h"

namespace mobrhost {

struct Pen : NamedEntry {
    int32_t width = 1;           // 1-based width number
    uint32_t widthUid = 0;       // identity of that width, 0 while unknown
    int32_t plotStyle = 1;       // 1 solid .. 6 assist line
    int32_t mask = 0;            // bits 0x1, 0x2, 0x4
    std::vector<double> pitch;   // 0..10 lengths, (dash, gap) pairs
};

class MOBR_API PenTable : public EntryTable<Pen, TableKind::Pen, 255> {
public:
    static constexpr std::size_t kRecordBytes = 40;
    static constexpr int32_t kMaxPlotStyle = 6;
    using Record = std::array<unsigned char, kRecordBytes>;

    std::unique_ptr<HostTable> cloneTable() const override { return std::make_unique<PenTable>(*this); }

    // The 40-byte record of pen n, rebuilt on every call; null when absent.
    // The buffer stays valid until the table changes.
    const unsigned char* record(int32_t n);
    static Record makeRecord(const Pen& pen);

    // Readers of a pen record's style block.
    static int32_t plotStyleOf(const void* record);
    static int32_t maskOf(const void* record);
    // Pitch lengths into values (at most capacity); their count.
    static int32_t pitchOf(const void* record, double* values, int32_t capacity);

    // Number of pens of plot style 6 (assist lines) and of plot style 1.
    int32_t countStyle(int32_t style) const;

private:
    std::vector<Record> records_;
};

}  // namespace mobrhost
