#pragma once

#include <string>

#include "mobr/export.h"

// Message ids of the check library (texts in the dialog library's built-in
// table, overridable by a resource file's string table). Each text holds at
// most one "%s", so the dialog library's message box can show it by id with
// one argument and the UI driver records which failure was reported.
namespace dchkmsg {
constexpr int NotNumber = 960;       // "Enter a number."
constexpr int TooManyDecimals = 961; // "Enter a number with at most %s decimal places."
constexpr int NotWhole = 962;        // "Enter a whole number."
constexpr int TooManyDigits = 963;   // "Enter a whole number of at most %s digits."
constexpr int OutOfRange = 964;      // "Enter a value from %s." (argument: text 965)
constexpr int RangeEnds = 965;       // "%s to %s" (the two ends of a range)
constexpr int TooLarge = 966;        // "The number is too large."
constexpr int First = 960;
constexpr int Last = 979;            // ids up to here are reserved for this library

// Text of message `id` in host code page: the resource tables first, then the
// library's own English text; empty for an id this library does not know.
MOBR_API std::string text(int id);
// `pattern` with its first "%s" replaced by `argument` (no other expansion).
MOBR_API std::string expand(const std::string& pattern, const std::string& argument);
// Adds this library's texts to the dialog library's built-in table (once).
void registerBuiltins();
}  // namespace dchkmsg
