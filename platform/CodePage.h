#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include <QString>

#include "mobr/export.h"

// Text in the host's multibyte code page (Windows code page 932).
//
// Names and texts stay raw bytes (std::string) everywhere; conversion to and
// from QString happens only where text meets a widget, a JSON file or a
// resource text. Every helper here scans forward from the start of the text:
// a trail byte (0x40-0x7E, 0x80-0xFC) can look like '\', '[', ']', '|', '{',
// '}', '~' or a Latin letter, so a byte can only be classified by knowing
// where the character it belongs to starts. A byte below 0x40 always starts a
// character; a lead byte (0x81-0x9F, 0xE0-0xFC) followed by a trail byte forms
// one double-byte character; a lead byte followed by anything else (or by the
// end of the text) is a broken character of one byte.
namespace mobr::cp932 {

// Buffer size for paths: 520 bytes including the terminator.
inline constexpr std::size_t kMaxPathBytes = 520;

MOBR_API bool isLeadByte(unsigned char c);
MOBR_API bool isTrailByte(unsigned char c);

// Length in bytes (1 or 2) of the character that starts at `pos`.
MOBR_API std::size_t charLength(std::string_view text, std::size_t pos);

// The longest prefix length <= maxBytes that does not split a double-byte
// character: a lead byte that would lose its trail byte, or that ends up
// last without one, is dropped. A text that fits is kept whole.
MOBR_API std::size_t cutLength(std::string_view text, std::size_t maxBytes);
MOBR_API std::string cut(std::string_view text, std::size_t maxBytes);

// Copies `text` into a fixed buffer of `size` bytes, always terminated, cut
// with cutLength(text, size - 1). Returns the bytes copied (without the
// terminator); size 0 writes nothing and returns 0.
MOBR_API std::size_t copyToBuffer(std::string_view text, char* buffer, std::size_t size);

// True when the text ends with a lead byte that has no trail byte.
MOBR_API bool endsWithBrokenChar(std::string_view text);

// Position of the single-byte character `c` at or after `from` (never a trail
// byte that happens to have the same value), or npos.
MOBR_API std::size_t findChar(std::string_view text, char c, std::size_t from = 0);
// Position of the last single-byte character `c`, or npos.
MOBR_API std::size_t findLastChar(std::string_view text, char c);

// Case-insensitive comparison of names, the way the system's multibyte
// compare does it on this code page: ASCII letters fold; the double-byte
// full-width Latin (0x8260-0x8279 / 0x8281-0x829A), Greek (0x839F-0x83B6 /
// 0x83BF-0x83D6) and Cyrillic (0x8440-0x8460 / 0x8470-0x8491) letters fold
// with their own case partners; every other character, including trail bytes
// that look like ASCII letters, compares by its code. A half-width letter never
// equals a full-width one. Returns <0, 0 or >0 (byte order of the folded texts).
MOBR_API int compareNoCase(std::string_view a, std::string_view b);
MOBR_API bool equalNoCase(std::string_view a, std::string_view b);
// The folded form: equalNoCase(a, b) exactly when foldCase(a) == foldCase(b).
// Capital letters become small ones; the length in bytes never changes.
MOBR_API std::string foldCase(std::string_view text);
// The same into `out`, which has room for text.size() bytes (no allocation,
// for lookups that fold a name on every call).
MOBR_API void foldCaseInto(std::string_view text, char* out);

// Conversion for display and input, through the system's own table for code
// page 932 (ICU "windows-31j", which maps 0x5C to '\' and 0x7E to '~').
//
// The round trip bytes -> QString -> bytes is exact for any byte string:
// - a byte that does not start a valid character (a broken lead byte, an
//   unassigned double-byte code, a byte with no mapping) becomes the Private
//   Use code point U+F700 + byte, so it stays visible and comes back unchanged;
//   an unassigned double-byte code becomes two such code points;
// - a code that shares its character with another code (the duplicate
//   NEC/IBM rows: 0x8790 and 0x81E0 are both U+2252) decodes to that
//   character followed by VARIATION SELECTOR-1 (U+FE00; -2 for a third code),
//   which does not show, so that it encodes back to the code it came from.
// On the way back a character without a code becomes '?' (as the system's
// default character), one '?' per character.
MOBR_API QString toQString(std::string_view bytes);
MOBR_API std::string fromQString(const QString& text);

// UTF-8 <-> code page 932 for JSON and resource texts, with the same rules.
MOBR_API std::string toUtf8(std::string_view bytes);
MOBR_API std::string fromUtf8(std::string_view utf8);

// A path in host code page split into its folder (with its trailing
// separator, empty when there is none), the file name's stem and its
// extension (with the dot; empty when the name has no dot). Both '/' and a
// single-byte '\' separate folders; a 0x5C trail byte does not.
struct PathParts {
    std::string folder;
    std::string stem;
    std::string extension;
    std::string fileName() const { return stem + extension; }
};
MOBR_API PathParts splitPath(std::string_view path);

// A host path as this system uses it: every single-byte '\' becomes '/', and
// a drive-and-root prefix ("C:\" or "C:/") becomes the root "/". Trail bytes
// are left alone.
MOBR_API std::string toNativePath(std::string_view path);

}  // namespace mobr::cp932
