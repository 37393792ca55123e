#pragma once

// Applying a conversion to the current figure: new colour, width and pen
// tables built from the target lists, the figure's elements renumbered by the
// host through old-to-new index tables, sketch names renamed, pen colours
// rebuilt, the solid pens' masks repaired, and the reference figure's missing
// entries merged in on request. No UI: messages go to the listener.

#include <vector>

#include "atrcnv/AtrCnvTypes.h"

class CAtrCnvTargets;

namespace atrcnv {

// Each conversion consumes the current copies it is given (handed back or
// closed on every path). 1 when the figure took the new table; 0 when the
// kind was left as it was (the index table could not be made, or an entry of
// the new table could not be created: the new table is dropped, the figure
// keeps its old one, the rename list of the kind is cleared).
int applyColourConversion(short figure, void* colours, const std::vector<ColourRecord>& targets,
                          Listener& listener);
int applyWidthConversion(short figure, void* widths, const std::vector<WidthRecord>& targets,
                         Listener& listener);
// With `repairMasks`, the solid pens' masks are repaired on the fresh pen
// copy that rebuilding the pen colours takes anyway (fixSolidPenMasks's
// result, one pass over the elements less).
int applyPenConversion(short figure, void* pens, void* penColours,
                       const std::vector<PenTargetItem>& targets, Listener& listener, bool repairMasks = false);

// Makes each of the mask bits 0x1, 0x2 and 0x4 clear in at least one solid
// pen (plot style 1) of the figure.
void fixSolidPenMasks(short figure);

// Merges add the reference's entries that the figure lacks to the figure's
// edit copy (consumed: committed when it grew, else discarded); a full table
// or a refused entry shows 7268 (colours), 7267 (widths) or 7265 (pens).
// Colours and widths answer 1 when the table grew. Pens answer 1 when any of
// the four tables grew, 0 when nothing was added or a table was missing (then
// nothing is handed back, the caller still owns the copies). A pen that
// cannot be added takes back the width and colour added for it.
int mergeColours(short figure, void* colours, void* referenceColours, Listener& listener);
int mergeWidths(short figure, void* widths, void* referenceWidths, Listener& listener);
int mergePens(short figure, void* pens, void* widths, void* colours, void* penColours,
              void* referencePens, void* referenceWidths, void* referenceColours,
              void* referencePenColours, Listener& listener);

// The merge options of the settings page.
struct CommitOptions {
    bool mergePens = false;
    bool mergeWidths = false;
    bool mergeColours = false;
};

// What commitConversion did.
struct CommitReport {
    bool coloursConverted = false, widthsConverted = false, pensConverted = false;
    bool coloursChanged = false, widthsChanged = false, pensChanged = false;
    bool merged = false;          // some merge grew a table
    bool figureMarked = false;    // aatFigUflgSetup was called
    bool missingTables = false;   // 7289: nothing applied
};

// The OK step of the conversion after the settings page's closing step:
// compacts the lists and answers the changed tests; converts colours, widths
// and pens in that fixed order (each only when changed); runs the enabled
// merges (colours, widths, pens) on fresh copies; repairs the masks after a
// conversion; marks the figure changed when a conversion ran or any merge
// grew a table; and sends the host's attribute refreshes and redraw. When a
// current table or a target list is missing it shows 7289 and changes
// nothing.
CommitReport commitConversion(CAtrCnvTargets& targets, const CommitOptions& options);

}  // namespace atrcnv
