#pragma once

#include <string>

#include "mobr/export.h"

// Number texts as the dialogs accept and show them, independent of the
// process locale (the point is always '.').
//
// Accepted grammar (ASCII only, host code page texts):
//   blank* [ '+' | '-' ] digits [ '.' digits? ] blank*
//   blank* [ '+' | '-' ] '.' digits blank*
// where blank is a space, a tab or the double-byte space 0x81 0x40. There is
// no exponent, no thousands separator and no full-width digit: a field shows
// and takes plain decimal numbers only.
namespace numtext {

struct Parsed {
    bool ok = false;        // the text follows the grammar
    bool negative = false;
    int intDigits = 0;      // digits before the point (leading zeros included)
    int decimals = 0;       // digits after the point
    bool hasPoint = false;
    std::string number;     // the number without blanks and without '+'
};

// Parses `text` by the grammar above (no value conversion).
MOBR_API Parsed parse(const std::string& text);

// `value` with `digits` significant digits (1 to 17) in plain decimal notation,
// trailing zeros after the point removed and the point too when nothing
// follows it; -0 is written "0". Magnitudes beyond 1e30 or below 1e-30 fall
// back to exponent notation. Not-a-number and infinities give an empty text.
MOBR_API std::string significant(double value, int digits);

// `value` with exactly `decimals` decimals (0 to 17), like "%.*f" in the C
// locale; an empty text for not-a-number and infinities.
MOBR_API std::string fixed(double value, int decimals);

// True for a space, a tab or the double-byte space starting at text[i]; sets
// `length` to the bytes of that blank.
bool blankAt(const std::string& text, std::size_t i, std::size_t& length);
// Bytes of the character starting at text[i] (2 for a lead byte followed by a
// byte, else 1).
std::size_t charLength(const std::string& text, std::size_t i);

}  // namespace numtext
