#pragma once

// The line width table: name, width 0.01..5.0, plotter pen 1..9, attribute
// word (0x10: used by a pen).

#include "mobr/export.h"
#include <array>
#include <vector>

#include "model/EntryTable.h"

namespace mobrhost {

struct Width : NamedEntry {
    double width = 0.25;
    int32_t plotPen = 1;
};

class MOBR_API WidthTable : public EntryTable<Width, TableKind::Width, 255> {
public:
    static constexpr std::size_t kRecordBytes = 24;
    static constexpr double kMinWidth = 0.01;
    static constexpr double kMaxWidth = 5.0;
    using Record = std::array<unsigned char, kRecordBytes>;

    std::unique_ptr<HostTable> cloneTable() const override { return std::make_unique<WidthTable>(*this); }

    // 24-byte record: name, width in hundredths (16-bit at 16), plotter pen
    // (16-bit at 18), attribute word (32-bit at 20).
    const unsigned char* record(int32_t n);
    static Record makeRecord(const Width& width);
    static double widthOf(const void* record);

private:
    std::vector<Record> records_;
};

}  // namespace mobrhost
