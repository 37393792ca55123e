#pragma once

// Figures stored before the attribute words got their bit fields (figure
// JSON version 1, figure files of host format 1) kept:
//  - the line, point and character words as a pen half (low 16 bits) and a
//    colour half (high 16 bits);
//  - the character font in the character block's 16-bit field at byte 20
//    (now the hundredths value);
//  - a 1-based centre-line pen;
//  - display colours as RGB values (red in the low byte).
// These functions convert such a figure, read whole, into the present layout.

#include <array>
#include <cstdint>

#include "model/Figure.h"

namespace mobrhost::firstlayout {

// The blocks as a figure of the first layout had them when its document
// did not give them (to be read over and then converted).
void setFirstDefaults(Figure& f);
// The attribute words and the character block. Dimension fields that the
// first layout left unused (and zero) get the present defaults.
void convertBlocks(Figure& f);
// A 1-based centre-line pen to a 0-based one.
int32_t convertCentreLinePen(int32_t pen);
// RGB display colours to the numbers of the nearest colours of the figure's
// colour table (0 when it has none).
std::array<int32_t, 4> convertDisplayColours(const Figure& f, const std::array<int32_t, 4>& rgb);

}  // namespace mobrhost::firstlayout
