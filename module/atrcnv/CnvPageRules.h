#pragma once

// Rules of the conversion pages that need no window: the labels of the
// history menus, the shortened paths they show, the reference browser's
// first filter, the plot styles a pen choice may offer and the palette the
// colour swatches use on a palette display.

#include <cstdint>
#include <string>
#include <vector>

namespace cnvrules {

// --- History menus ------------------------------------------------------------

// The accelerator of history entry `index` (0-based): '1' .. '9', then '0'
// for the tenth, then 'A', 'B', ... from the eleventh on.
char historyAccelerator(int index);
// "&<accelerator> <shortened path>".
std::string historyMenuLabel(int index, const std::string& path);

// A long path shortened for a menu: the root prefix, the first folder, ".../",
// the last folder and the file name, used only when there are at least three
// separators after the prefix and the result is shorter. '/' and a
// single-byte '\' are separators; a 0x5C trail byte of a double-byte
// character is not. The prefix is "X:\" or "X:/" for a drive path, "/" for a
// rooted one, nothing otherwise.
std::string shortenedPath(const std::string& path);

// The first filter of the reference browser for the loaded reference's path:
// 1 "FTD", 2 "ZQD", 3 "ZQS" (extension compared without case), 4 anything
// else; 1 when no reference is loaded.
int referenceFilterIndex(const std::string& referencePath);

// --- Pen choices --------------------------------------------------------------

enum StyleCode : int {
    kAllowSolid = 0x001,
    kAllowAssist = 0x010,
    kAllowOther = 0x100,
    kAllowAll = kAllowSolid | kAllowAssist | kAllowOther,
};
inline constexpr int kSolidStyle = 1;
inline constexpr int kAssistStyle = 6;

bool styleAllowed(int code, int plotStyle);

// The plot styles a new target of a current pen may have. A pen in use by
// elements keeps its style class (solid, assist line, other); otherwise only
// the last solid target and the last assist-line target are bound to their
// style, so that the converted figure keeps one of each.
int allowedStyleCode(bool penInUse, int currentPenStyle, int targetStyle,
                     const std::vector<int>& allTargetStyles);

// --- Palette ------------------------------------------------------------------

// Colour words are the host's (red bits 0-7, green 8-15, blue 16-23).
// The logical palette of the colour lists: the first min(current, room - 1)
// current colours in table order, then reference colours (among the first
// min(reference, room - placed - 1)) whose red, green and blue are not in it
// yet. `room` is the display's palette size minus its reserved entries.
std::vector<uint32_t> swatchPalette(const std::vector<uint32_t>& current,
                                    const std::vector<uint32_t>& reference, int room);
// The palette entry closest to `colour` (squared distance in red, green and
// blue; the first of equals); -1 for an empty palette.
int nearestPaletteIndex(const std::vector<uint32_t>& palette, uint32_t colour);
// The palette-index form of a colour word (0x01000000 + index).
inline uint32_t paletteIndexColour(int index) { return 0x01000000u + static_cast<uint32_t>(index); }

}  // namespace cnvrules
