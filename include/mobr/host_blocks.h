#pragma once

// Field offsets inside the blocks and records that cross the table of host
// functions, declared once for the module and the host. Fields are read and
// written through mobr/Bytes.h.

#include <array>
#include <cstddef>
#include <cstdint>

namespace mobr {

// Bit fields of the attribute words that new elements get: the line word LW
// (pen, colour, two tips), the point word PW (colour, point type) and the
// character word CW (pen, colour, two 2-bit choices, font). The dimension
// block keeps a CW-shaped word for its text and an LW-shaped one for its
// line. Only an element's hatch attribute word is split differently (pen in
// the low 16 bits, colour in the high 16).
namespace attrword {
struct Field {
    unsigned shift;
    unsigned bits;
};
inline constexpr Field kPen{0, 8};
inline constexpr Field kColour{8, 8};
inline constexpr Field kFirstTip{16, 6};
inline constexpr Field kSecondTip{22, 6};
inline constexpr Field kPointType{16, 4};
inline constexpr Field kCharBits17{17, 2};
inline constexpr Field kCharBits19{19, 2};
inline constexpr Field kFont{21, 8};

constexpr uint32_t mask(Field f) { return ((1u << f.bits) - 1u) << f.shift; }
constexpr int32_t maxValue(Field f) { return static_cast<int32_t>((1u << f.bits) - 1u); }
constexpr int32_t get(uint32_t word, Field f) { return static_cast<int32_t>((word & mask(f)) >> f.shift); }
// The word with field f replaced by v (cut to the field's width); every
// other bit is kept.
constexpr uint32_t put(uint32_t word, Field f, int32_t v)
{
    return (word & ~mask(f)) | ((static_cast<uint32_t>(v) << f.shift) & mask(f));
}
}  // namespace attrword

// The dimension block (kHostDimBlockBytes). The system attribute sheet edits
// the three floats at 40, 44 and 48 (the tip length is kept by the tip
// table, not here); the element settings edit the other fields named here.
namespace dimblock {
inline constexpr std::size_t kValue1 = 40;  // f32
inline constexpr std::size_t kValue2 = 44;  // f32, an angle in degrees
inline constexpr std::size_t kValue3 = 48;  // f32
inline constexpr std::array<std::size_t, 3> kValues = {kValue1, kValue2, kValue3};
// Text sizes (f32) at 0, 4, 8 and 16; the ones shown in paper units.
inline constexpr std::array<std::size_t, 4> kTextSizes = {0, 4, 8, 16};
inline constexpr std::size_t kTextWord = 24;       // u32, CW layout (pen, colour, font)
inline constexpr std::size_t kLineWord = 80;       // u32, LW layout (pen, colour, two tips)
inline constexpr std::size_t kThirdTip = 164;      // u16 (tips of the dimension line's
inline constexpr std::size_t kFourthTip = 166;     // u16  auxiliary ends)
}  // namespace dimblock

// The character block (kHostCharInfoBytes): four sizes and a value in
// hundredths.
namespace charblock {
inline constexpr std::array<std::size_t, 4> kSizes = {0, 4, 8, 16};  // f32
inline constexpr std::size_t kHundredths = 20;                        // i16
}  // namespace charblock

// The element database's status block (kHostDbStatusBytes).
namespace dbstatus {
inline constexpr std::size_t kLiveTotal = 0;   // i32
inline constexpr std::size_t kDeleted = 4;     // i32
inline constexpr std::size_t kSlots0 = 8;      // i32, slots of space 0 (the drawing)
inline constexpr std::size_t kLive0 = 12;      // i32
inline constexpr std::size_t kFigure = 16;     // i16
inline constexpr std::size_t kSlots1 = 22;     // i32, slots of space 1 (the sketch)
inline constexpr std::size_t kLive1 = 26;      // i32
inline constexpr std::array<std::size_t, 2> kSlotsOfSpace = {kSlots0, kSlots1};
}  // namespace dbstatus

// One element record (kHostElementRecordBytes).
namespace element {
inline constexpr std::size_t kBytes = 128;
inline constexpr std::size_t kFlags = 0;        // u16 (0x4000: keeps its colour when pens are recoloured)
inline constexpr std::size_t kKind = 2;         // u16
inline constexpr std::size_t kId = 4;           // i32, the element's own id
inline constexpr std::size_t kLayerGroup = 8;   // u16
inline constexpr std::size_t kLayer = 10;       // u16
inline constexpr std::size_t kOwner = 12;       // i32, owning group, dimension or hatch; -1 none
inline constexpr std::size_t kHatchAttrib = 16; // i32, hatch parents: pen low 16 bits, colour high
inline constexpr std::size_t kFont = 20;        // u16
inline constexpr std::size_t kStartTip = 22;    // u16
inline constexpr std::size_t kEndTip = 24;      // u16
inline constexpr std::size_t kPen = 28;         // u8
inline constexpr std::size_t kColour = 29;      // u8, 0 the pen's colour
inline constexpr std::size_t kState = 30;       // u8
inline constexpr std::size_t kText = 32;        // 28 bytes of host code page text
inline constexpr std::size_t kTextBytes = 28;
inline constexpr std::size_t kGroupFlags = 60;  // u32
inline constexpr std::size_t kGeometry = 64;    // eight doubles
inline constexpr int kGeometryValues = 8;
}  // namespace element

// The 60-byte logical font description of the font table (kHostLogFontBytes).
namespace logfont {
inline constexpr std::size_t kHeight = 0;        // i32, negative: character height
inline constexpr std::size_t kWidth = 4;         // i32
inline constexpr std::size_t kEscapement = 8;    // i32
inline constexpr std::size_t kOrientation = 12;  // i32
inline constexpr std::size_t kWeight = 16;       // i32, 700 bold
inline constexpr std::size_t kItalic = 20;       // u8
inline constexpr std::size_t kUnderline = 21;    // u8
inline constexpr std::size_t kStrikeOut = 22;    // u8
inline constexpr std::size_t kCharSet = 23;      // u8
inline constexpr std::size_t kFace = 28;         // 32 bytes, zero-terminated
inline constexpr std::size_t kFaceBytes = 32;
}  // namespace logfont

}  // namespace mobr
