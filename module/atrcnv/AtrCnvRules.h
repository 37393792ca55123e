#pragma once

// The comparison and record-fetching rules that the definition writer, the
// changed tests and the target lists share.

#include <string_view>

#include "atrcnv/AtrCnvTypes.h"

namespace atrcnv {

// Names compare without regard to case, double-byte characters as characters.
bool sameName(std::string_view a, std::string_view b);

// Records of host tables by 1-based index; false when the host gave none.
bool fetchWidth(void* widths, int index, WidthRecord& out);
bool fetchColour(void* colours, int index, ColourRecord& out);
// The pen, its width and its colour (a zero record when the pen has none);
// false when a table is missing, a lookup fails or `index` < 1.
bool fetchPenTriple(void* pens, void* penColours, void* widths, void* colours, int index,
                    PenTargetItem& out);

// Difference rules: names (case ignored), then the values that follow.
bool coloursDiffer(const ColourRecord& source, const ColourRecord& target);
bool widthsDiffer(const WidthRecord& source, const WidthRecord& target);
// Pen name, style block, mask, width, then colour; a source without colour
// equals a target whose colour name is empty.
bool pensDiffer(const PenTargetItem& source, const PenTargetItem& target);

}  // namespace atrcnv
