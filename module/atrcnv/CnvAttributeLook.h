#pragma once

#include <string>
#include <vector>

#include <QColor>

#include "atrcnv/AtrCnvTypes.h"

class CZqWindow;
class QTreeWidgetItem;
class QIcon;

// What the conversion pages and dialogs show of a pen, a width or a colour,
// read either from a host table or from a record of a target list, so that
// both sides of a page and the choice dialogs show them the same way.
struct CnvPenLook {
    std::string name;
    std::string widthName;
    double width = 0.0;
    int style = 0;
    int mask = 0;
    std::vector<double> pitch;  // dash and gap lengths, up to five pairs
    bool hasColour = false;
    std::string colourName;
    uint32_t colourWord = 0;

    // Pen `pen` of the current figure's tables; false when its width is unreadable.
    static bool fromTables(void* pens, void* widths, void* colours, void* penColours, int pen, CnvPenLook& look);
    static CnvPenLook fromTarget(const atrcnv::PenTargetItem& item);
};

namespace cnvlook {

inline constexpr int kNoColourText = 7009;
inline constexpr int kFirstStyleText = 7145;  // + style (1 .. 6)
inline constexpr int kStyleCount = 6;

QColor colourOf(uint32_t colourWord);
// Screen dots of a line width (at least 1).
int dotsOf(double width);
// The shown name of a plot style; empty for a style without a name.
std::string styleText(int style);

// The controls of one side of a pen's details.
struct PenControls {
    int widthName, width, style, mask1, mask2, mask4, pairCount;
    int pitch[10];
    int red, green, blue;  // 0 when the side shows a colour name instead
    int colourName;        // 0 when the side shows red, green and blue
};
void showPen(CZqWindow& window, const PenControls& controls, const CnvPenLook& look);
// Shows `value` with `format` in `control`, or empties it.
void showNumber(CZqWindow& window, int control, const char* format, double value);
void clearText(CZqWindow& window, int control);

// Owner-drawn cells of the conversion lists (ZqSampleDelegate roles).
void setLineSample(QTreeWidgetItem* item, int column, const CnvPenLook& look);
void setWidthSample(QTreeWidgetItem* item, int column, double width);
void setSwatch(QTreeWidgetItem* item, int column, bool hasColour, uint32_t colourWord);
// The image 0 of bitmap 7412 with its green background transparent.
QIcon inUseIcon();

}  // namespace cnvlook
