#pragma once

// Colour numbers of the exchange format's index palette.

#include <cstdint>

namespace mobrdxf {

// 0xRRGGBB of index 1..255; index 7 (the foreground colour) is black.
uint32_t aciToRgb(int aci);
// The index whose colour is nearest to 0xRRGGBB (black gives 7).
int nearestAci(uint32_t rgb);

}  // namespace mobrdxf
