#pragma once

// The element database of a figure: two element spaces (0 the drawing, 1 the
// sketch), each a flat array of fixed 128-byte records. An element id is its
// 1-based slot number with the space in the top byte. Record fields (all
// little-endian, read and written through Bytes.h; offsets in
// mobr/host_blocks.h):
//
//   0  u16 flags (0x4000: keeps its colour when pens are recoloured)
//   2  u16 kind (Kind below)
//   4  i32 the element's own id
//   8  u16 layer group, 10 u16 layer
//  12  i32 owner link (id of the owning group, dimension or hatch; -1 none)
//  16  i32 hatch attribute word (hatch parents: pen low 16 bits, colour high)
//  20  u16 font number (texts), 22 u16 start tip, 24 u16 end tip (0 none)
//  26  u16 reserved
//  28  u8 pen number, 29 u8 colour number (0: the pen's colour)
//  30  u8 slot state (SlotState), 31 reserved
//  32  28 bytes of text (texts; host code page, zero-filled)
//  60  u32 group flags (groups: bits 0x3E keep the members' colours)
//  64  eight doubles of geometry (see Kind)

#include "mobr/export.h"
#include "mobr/host_blocks.h"
#include <array>
#include <cstdint>
#include <vector>

namespace mobrhost {

namespace element {
// The record's field offsets are shared with the module.
using namespace mobr::element;

constexpr uint16_t kKeepColourFlag = 0x4000;
constexpr uint32_t kGroupKeepMask = 0x3E;

// Kinds and their geometry values:
enum Kind : uint16_t {
    Line = 2,          // x1 y1 x2 y2
    Arc = 4,           // cx cy r startDeg endDeg
    Circle = 8,        // cx cy r
    Text = 16,         // x y height angleDeg
    Point = 0x20,      // x y
    Hatch = 0x40,      // angleDeg spacing (its boundary and lines are owned elements)
    Dimension = 0x80,  // x1 y1 x2 y2 offset
    Group = 0x1200,    // none
};

enum SlotState : uint8_t { Live = 0, Deleted = 1, Empty = 2, Purged = 3 };

// Results of reading a slot.
constexpr int32_t kReadDeleted = 612;
constexpr int32_t kReadEmpty = 620;
constexpr int32_t kReadPurged = 625;
constexpr int32_t kNoSuchElement = 602;
constexpr int32_t kBadRecord = 630;
constexpr int32_t kNotHatch = 640;

constexpr int32_t makeId(int space, int32_t n) { return n | (space << 24); }
constexpr int spaceOf(int32_t id) { return (static_cast<uint32_t>(id) >> 24) & 0xFF; }
constexpr int32_t slotOf(int32_t id) { return id & 0xFFFFFF; }
}  // namespace element

class MOBR_API ElementDatabase {
public:
    using Record = std::array<unsigned char, element::kBytes>;
    static constexpr int kSpaces = 2;
    static constexpr int32_t kMaxSlots = 0xFFFFFF;

    int32_t slotCount(int space) const;
    int32_t liveCount(int space) const;

    // 0 and the record for a live element; 612, 620 or 625 for a deleted,
    // empty or purged slot (record untouched); 602 for an id that names no
    // slot.
    int32_t read(int32_t id, void* out) const;
    // The slot of id whatever its state, null when there is none.
    unsigned char* slot(int32_t id);
    const unsigned char* slot(int32_t id) const;

    // Appends a record to a space (its id field set); the new id, or 0 when
    // the space is full.
    int32_t append(int space, const Record& record);
    // Appends `count` slots in the given state (empty or purged slots).
    void appendState(int space, int32_t count, uint8_t state);
    bool erase(int32_t id);   // marks a live element deleted

    std::vector<Record>& records(int space) { return spaces_[static_cast<std::size_t>(space)]; }
    const std::vector<Record>& records(int space) const { return spaces_[static_cast<std::size_t>(space)]; }
    void clear();
    void reserve(int space, std::size_t n) { spaces_[static_cast<std::size_t>(space)].reserve(n); }

    // The 64-byte status block: i32 live elements (0), i32 deleted slots (4),
    // i32 slots of space 0 (8), i32 live in space 0 (12), i16 figure (16),
    // i32 slots of space 1 (22), i32 live in space 1 (26).
    void status(void* block, short figure) const;

private:
    std::array<std::vector<Record>, kSpaces> spaces_;
};

}  // namespace mobrhost
