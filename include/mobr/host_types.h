#pragma once

// Plain types and byte sizes shared by the module and the host through the
// table of host functions (host_api.def). Blocks that cross the table are
// caller-owned byte buffers; their sizes live here so that both sides agree on
// how many bytes a host function may write. Fields inside a block are read and
// written with memcpy at the offsets the callers document, never by casting.

#include <cstddef>
#include <cstdint>

// The 60-byte font description that opens a print job. It travels by value
// (the host copies it), so it is a struct of raw bytes rather than a pointer.
struct HostPrintRecord60 {
    unsigned char bytes[60];
};

namespace mobr {

// Names of table entries (pens, widths, colours, fonts, tips) are at most 16
// bytes; a buffer that receives one holds the 16 bytes and a terminating NUL.
inline constexpr std::size_t kHostNameBytes = 16;
inline constexpr std::size_t kHostNameBufferBytes = kHostNameBytes + 1;

// Paths and directory texts in host code page, terminator included.
inline constexpr std::size_t kHostPathBytes = 520;

// A font family name, terminator included.
inline constexpr std::size_t kHostFaceNameBytes = 32;

// Display texts the host hands out (point mode names, mark names, printer
// names, drive display names), terminator included.
inline constexpr std::size_t kHostLabelBytes = 64;

// Logical font description filled by the font table and given to print jobs.
inline constexpr std::size_t kHostLogFontBytes = 60;

// Attribute table records, each beginning with the 16-byte name.
inline constexpr std::size_t kHostPenRecordBytes = 40;
inline constexpr std::size_t kHostWidthRecordBytes = 24;
inline constexpr std::size_t kHostColorRecordBytes = 22;

// Figure blocks.
inline constexpr std::size_t kHostDimBlockBytes = 184;
inline constexpr std::size_t kHostLineAttribBytes = 16;
inline constexpr std::size_t kHostPointAttribBytes = 16;
inline constexpr std::size_t kHostCharAttribBytes = 16;
inline constexpr std::size_t kHostCharInfoBytes = 32;

// Element database: the status block (element counts at offsets 8 and 22) and
// one element record (flags, kind, owner link, pen, colour, group flags).
inline constexpr std::size_t kHostDbStatusBytes = 64;
inline constexpr std::size_t kHostElementRecordBytes = 128;

// Settings blocks exchanged with direction code 114 (read) / 119 (write).
inline constexpr std::size_t kHostSettingsBlockBytes = 64;   // any aatSysInf block
inline constexpr std::size_t kHostAtrModeBytes = 32;         // one mode character per slot
inline constexpr std::size_t kHostFileStatusBytes = 1024;    // name at offset 768
inline constexpr std::size_t kHostFileStatusNameOffset = 768;
inline constexpr std::size_t kHostComNumRecordBytes = 22;
inline constexpr std::size_t kHostComNumRecordCount = 40;
inline constexpr std::size_t kHostComNumNameBytes = 12;      // reference parameter name, NUL included
inline constexpr std::size_t kHostComNumCaptionBytes = 17;   // reference parameter caption, NUL included

// Point modes: the input table and one search table (16-byte name followed by
// sixteen 16-bit search kinds).
inline constexpr std::size_t kHostInputTableBytes = 16;
inline constexpr std::size_t kHostSearchKinds = 16;
inline constexpr std::size_t kHostSearchTableBytes = kHostNameBytes + 2 * kHostSearchKinds;
inline constexpr std::size_t kHostSortStringBytes = 17;      // up to 16 codes and a NUL

// Printing: the job block and the printer information block (printer name,
// NUL-terminated, at offset 0).
inline constexpr std::size_t kHostPrintJobBytes = 342;
inline constexpr std::size_t kHostPrinterInfoBytes = 256;

// Pen pitch: at most five (dash, gap) pairs.
inline constexpr std::size_t kHostPitchValues = 10;

// Arrow tip shapes: (x, y) pairs in units of the tip length.
inline constexpr std::size_t kHostTipShapeValues = 64;

}  // namespace mobr
