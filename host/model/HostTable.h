#pragma once

// Base of every table the host hands out by handle (pens, widths, colours,
// fonts, tips, extended characters, the pen colour table, layers and index
// tables). A handle is the address of the table's 8-byte header: a tag word
// and, in the second 32-bit word, the number of entries. Callers that build
// an index table over a host table read that second word (as_MakeTable), so
// every table keeps it equal to its entry count.

#include "mobr/export.h"
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace mobrhost {

enum class TableKind : uint32_t {
    Pen = 0x4E45504Du,        // "MPEN"
    PenColour = 0x5850504Du,  // "MPPX"
    Width = 0x4449574Du,      // "MWID"
    Colour = 0x4C4F434Du,     // "MCOL"
    Font = 0x544E464Du,       // "MFNT"
    Tip = 0x5049544Du,        // "MTIP"
    CharEx = 0x5848434Du,     // "MCHX"
    Layer = 0x59414C4Du,      // "MLAY"
    Index = 0x5844494Du,      // "MIDX"
};

// Readable name of a kind ("pen", "width"...), used in journal names and
// messages.
MOBR_API const char* tableKindName(TableKind kind);

struct HandleHeader {
    uint32_t tag = 0;
    int32_t count = 0;
};

class MOBR_API HostTable {
public:
    explicit HostTable(TableKind kind);
    virtual ~HostTable() = default;

    TableKind kind() const { return static_cast<TableKind>(header_.tag); }
    virtual int32_t count() const = 0;
    virtual std::unique_ptr<HostTable> cloneTable() const = 0;

    // The handle the named functions see.
    void* handle() { return &header_; }
    const void* handle() const { return &header_; }

    // A fresh identity for a new entry. Entries keep their identity through
    // copies, reordering and renaming, which lets a commit find where each
    // entry went.
    static uint32_t newUid();

protected:
    HostTable(const HostTable&) = default;
    HostTable& operator=(const HostTable&) = default;
    // Brings the header's count word up to date after entries came or went.
    void touch() { header_.count = count(); }

private:
    HandleHeader header_;
};

// Reads a name argument: at most 16 bytes (a name that fills a record's
// 16-byte field has no terminator), never ending in half a double-byte
// character. Null gives an empty text.
MOBR_API std::string nameArg(const char* name);

// True when two names are the same, ignoring case (double-byte characters
// compare as characters).
MOBR_API bool sameName(std::string_view a, std::string_view b);

}  // namespace mobrhost
