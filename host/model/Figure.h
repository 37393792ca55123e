#pragma once

// One figure: its attribute tables, blocks, figure-wide values and element
// database. The tables are owned here; committing an edit copy replaces the
// table object (so the committed table's handle changes with it).

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/CharExTable.h"
#include "model/ColourTable.h"
#include "model/ElementDatabase.h"
#include "model/FontTable.h"
#include "model/LayerTable.h"
#include "model/PenColourTable.h"
#include "model/PenTable.h"
#include "model/TipTable.h"
#include "model/WidthTable.h"

namespace mobrhost {

// A reference of the sketch data, by name: a pen (with the name of its
// width), a width or a colour.
struct SketchRef {
    enum Kind : int32_t { PenRef = 0, WidthRef = 1, ColourRef = 2 };
    int32_t kind = PenRef;
    std::string name;
    std::string widthName;   // pens only
};

struct MOBR_API Figure {
    static constexpr std::size_t kDimBytes = 184;
    static constexpr std::size_t kAttribBytes = 16;
    static constexpr std::size_t kCharInfoBytes = 32;

    Figure();
    Figure(const Figure& other);
    Figure& operator=(const Figure&) = delete;

    // A new figure with a few pens (solid, dashed, dotted, chain, assist),
    // widths, colours, fonts and tips 1 to 9, and no elements.
    static std::unique_ptr<Figure> makeDefault();

    std::unique_ptr<PenTable> pens;
    std::unique_ptr<PenColourTable> penColours;
    std::unique_ptr<WidthTable> widths;
    std::unique_ptr<ColourTable> colours;
    std::unique_ptr<FontTable> fonts;
    std::unique_ptr<TipTable> tips;
    std::unique_ptr<CharExTable> charEx;
    std::unique_ptr<LayerTable> layers;

    std::array<unsigned char, kDimBytes> dim{};
    // Word 0 of the attribute blocks: LW, PW and CW of mobr::attrword.
    std::array<unsigned char, kAttribBytes> lineAttrib{};
    std::array<unsigned char, kAttribBytes> pointAttrib{};
    std::array<unsigned char, kAttribBytes> charAttrib{};
    std::array<unsigned char, kCharInfoBytes> charInfo{};    // floats at 0, 4, 8, 16; i16 hundredths at 20

    int32_t curveA = 2;             // curve kind
    int32_t curveB = 16;            // curve division count
    int32_t curveTolerance = 2;     // kept negated: 2 is a tolerance of -2
    double hatchRatio = 1.0;
    int32_t scaleNumerator = 1;
    int32_t scaleDenominator = 1;
    double openScaleX = 100.0;      // the scale pair a reference figure was opened with
    double openScaleY = 100.0;
    std::array<int32_t, 4> displayColours{};   // colour numbers
    int32_t activeGroup = 0;
    int32_t activeLayer = 0;
    char colourMode = 'P';          // 'P' pen colours, 'L' layer colours
    double errorDistance = 0.001;
    int32_t imageBitCount = 0;
    int32_t drawOrder = 0;
    int32_t centreLinePen = 0;      // 0-based pen number
    double fontSlant = 0.0;
    int32_t fontType = 0;
    uint32_t control = 0;           // the stored figure's control word
    // The drawing size chosen in the drawing size dialog: paper index 0..5
    // for a standard paper, 6 for a size of the user's own; millimetres.
    int32_t paperIndex = 4;
    double paperWidth = 297.0;
    double paperHeight = 210.0;
    bool changed = false;
    std::string path;               // file it was loaded from or saved to

    std::vector<SketchRef> sketch;
    ElementDatabase elements;
};

}  // namespace mobrhost
