#pragma once

// Shared vocabulary of the attribute conversion: the host records as the
// conversion copies and compares them, a pen target item, the entries of a
// definition file, the reports of a resolution run and the one seam through
// which the conversion speaks to a person (a dialog in the sheet, plain text
// in the batch command).

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "mobr/host_types.h"

namespace atrcnv {

// The three kinds, numbered as the definition file's reader numbers them.
enum class Kind : int { Pen = 0, Width = 1, Colour = 2 };

// Text of a record's 16-byte name field: at most 16 bytes, up to the first
// zero byte.
std::string nameOfRecord(const void* record);

// A host record copied by value: its bytes exactly as the host gave them.
template <std::size_t Bytes>
struct HostRecord {
    std::array<unsigned char, Bytes> bytes{};

    static constexpr std::size_t kBytes = Bytes;
    // Copies `Bytes` bytes from a host record (null leaves the record zero).
    static HostRecord from(const void* record);
    const void* data() const { return bytes.data(); }
    void* data() { return bytes.data(); }
    std::string name() const { return nameOfRecord(bytes.data()); }
    bool operator==(const HostRecord& other) const { return bytes == other.bytes; }
};

// Pen record (40 bytes): name 0-15, 16-bit width number at 18, the 20-byte
// style block at 20.
struct PenRecord : HostRecord<mobr::kHostPenRecordBytes> {
    static constexpr std::size_t kWidthIndex = 18;
    static constexpr std::size_t kStyleBlock = 20;
    static constexpr std::size_t kStyleBlockBytes = 20;
    int widthIndex() const;
    static PenRecord from(const void* record);
};

// Width record (24 bytes): name, first 16-bit value at 16 (the width),
// second at 18 (the plotter pen).
struct WidthRecord : HostRecord<mobr::kHostWidthRecordBytes> {
    static constexpr std::size_t kFirstValue = 16;
    static constexpr std::size_t kSecondValue = 18;
    uint16_t firstValue() const;
    uint16_t secondValue() const;
    static WidthRecord from(const void* record);
};

// Colour record (22 bytes): name, 32-bit colour at 16 (red bits 0-7, green
// 8-15, blue 16-23), a 16-bit value at 20 copied along. A record whose name
// begins with a zero byte stands for "no colour" in a pen target item.
struct ColourRecord : HostRecord<mobr::kHostColorRecordBytes> {
    static constexpr std::size_t kColourValue = 16;
    uint32_t colourValue() const;
    int red() const { return static_cast<int>(colourValue() & 0xFF); }
    int green() const { return static_cast<int>((colourValue() >> 8) & 0xFF); }
    int blue() const { return static_cast<int>((colourValue() >> 16) & 0xFF); }
    bool isNoColour() const { return bytes[0] == 0; }
    static ColourRecord from(const void* record);
};

// The target of one current pen: the reference pen, its width and its colour.
struct PenTargetItem {
    PenRecord pen;
    WidthRecord width;
    ColourRecord colour;  // name starting with a zero byte: the pen has no colour
};

// One colour or width entry of a definition file.
struct NameEntry {
    std::string source;
    std::string target;
};

// One pen entry of a definition file (fields in file order).
struct PenEntry {
    std::string sourcePen, sourceWidth, sourceColour;
    std::string targetPen, targetWidth, targetColour;
};

// Why a definition entry did not reach the target lists.
enum class SkipReason {
    SourceNotInFigure,      // the source name is not in the current figure
    TargetNotInReference,   // the target name is not in the reference figure
    TargetRecordMissing,    // the reference did not give the target's record
    TargetWidthDiffers,     // the reference pen now has another width
    TargetColourDiffers,    // the reference pen now has another colour (or none / one)
};
const char* describe(SkipReason reason);

struct SkippedEntry {
    Kind kind = Kind::Pen;
    int entry = 0;            // 1-based number of the entry in its section
    std::string source;       // source name (host code page)
    std::string target;       // target name (host code page)
    SkipReason reason = SkipReason::SourceNotInFigure;
};

// What applying one kind of a definition file did to the target lists.
struct ApplyReport {
    int read = 0;                        // entries read from the file
    int applied = 0;                     // entries that reached the target lists
    std::vector<SkippedEntry> skipped;   // the others, in file order
};

// A name the definition writer left out because it would not read back.
struct UnwritableName {
    Kind kind = Kind::Pen;
    std::string name;   // host code page
};

// Message ids of the conversion that the core itself shows.
inline constexpr int kMsgCaption = 7175;
inline constexpr int kMsgPenTableFull = 7265;
inline constexpr int kMsgWidthTableFull = 7267;
inline constexpr int kMsgColourTableFull = 7268;
inline constexpr int kMsgMissingTables = 7289;
inline constexpr int kMsgWidthTargetsFull = 7290;
inline constexpr int kMsgColourTargetsFull = 7291;

// How the conversion reaches a person. The sheet shows dialogs
// (CAtrCnvDialogListener); the batch command collects texts.
class Listener {
public:
    virtual ~Listener() = default;
    // A message box with message-box flags (0x30 exclamation, 0x10 stop);
    // returns the answer (1 OK).
    virtual int message(int messageId, unsigned flags) = 0;
    // A warning (exclamation, OK) shown by ZqDlgWarningBox in the sheet.
    virtual void warning(int messageId) = 0;
    // The target list of `kind` changed as a whole: a page showing it
    // rebuilds its list.
    virtual void targetsChanged(Kind kind) { (void)kind; }
    // A fact worth telling that is not a numbered message (batch summaries,
    // a pen that fell back to width 1); host code page text.
    virtual void note(const std::string& text) { (void)text; }
};

}  // namespace atrcnv
