#include "model/Figure.h"

#include "model/Bytes.h"

namespace mobrhost {

Figure::Figure()
    : pens(std::make_unique<PenTable>()),
      penColours(std::make_unique<PenColourTable>()),
      widths(std::make_unique<WidthTable>()),
      colours(std::make_unique<ColourTable>()),
      fonts(std::make_unique<FontTable>()),
      tips(std::make_unique<TipTable>()),
      charEx(std::make_unique<CharExTable>()),
      layers(std::make_unique<LayerTable>())
{
    namespace aw = mobr::attrword;
    namespace db = mobr::dimblock;
    unsigned char* d = dim.data();
    bytes::setF32(d, db::kValue1, 2.5f);
    bytes::setF32(d, db::kValue2, 30.0f);
    bytes::setF32(d, db::kValue3, 1.0f);
    // Every value the element settings show starts inside its range, so an
    // untouched element settings sheet gives every value back unchanged.
    bytes::setF32(d, 0, 2.5f);
    bytes::setF32(d, 4, 2.5f);
    bytes::setF32(d, 8, 0.5f);
    bytes::setF32(d, 16, 1.0f);
    bytes::setU32(d, db::kTextWord, aw::put(aw::put(0, aw::kPen, 1), aw::kFont, 1));
    bytes::setF32(d, 36, 1.0f);
    bytes::setF32(d, 68, 2.0f);
    bytes::setU32(d, db::kLineWord, aw::put(0, aw::kPen, 1));
    bytes::setI16(d, 96, 2);
    bytes::setI16(d, 172, 1);
    bytes::setU32(lineAttrib.data(), 0, aw::put(0, aw::kPen, 1));
    bytes::setU32(pointAttrib.data(), 0, aw::put(0, aw::kPointType, 1));
    bytes::setU32(charAttrib.data(), 0, aw::put(aw::put(0, aw::kPen, 1), aw::kFont, 1));
    bytes::setF32(charInfo.data(), 0, 3.5f);
    bytes::setF32(charInfo.data(), 4, 3.0f);
    bytes::setF32(charInfo.data(), 8, 0.5f);
    bytes::setF32(charInfo.data(), 16, 1.0f);
    // Colour numbers of the default colour table: gray, black, red, green.
    displayColours = {8, 1, 2, 3};
}

Figure::Figure(const Figure& o)
    : pens(std::make_unique<PenTable>(*o.pens)),
      penColours(std::make_unique<PenColourTable>(*o.penColours)),
      widths(std::make_unique<WidthTable>(*o.widths)),
      colours(std::make_unique<ColourTable>(*o.colours)),
      fonts(std::make_unique<FontTable>(*o.fonts)),
      tips(std::make_unique<TipTable>(*o.tips)),
      charEx(std::make_unique<CharExTable>(*o.charEx)),
      layers(std::make_unique<LayerTable>(*o.layers)),
      dim(o.dim), lineAttrib(o.lineAttrib), pointAttrib(o.pointAttrib), charAttrib(o.charAttrib),
      charInfo(o.charInfo), curveA(o.curveA), curveB(o.curveB), curveTolerance(o.curveTolerance),
      hatchRatio(o.hatchRatio), scaleNumerator(o.scaleNumerator), scaleDenominator(o.scaleDenominator),
      openScaleX(o.openScaleX), openScaleY(o.openScaleY), displayColours(o.displayColours),
      activeGroup(o.activeGroup), activeLayer(o.activeLayer), colourMode(o.colourMode),
      errorDistance(o.errorDistance), imageBitCount(o.imageBitCount), drawOrder(o.drawOrder),
      centreLinePen(o.centreLinePen), fontSlant(o.fontSlant), fontType(o.fontType), control(o.control),
      paperIndex(o.paperIndex), paperWidth(o.paperWidth), paperHeight(o.paperHeight),
      changed(o.changed), path(o.path), sketch(o.sketch), elements(o.elements)
{
}

std::unique_ptr<Figure> Figure::makeDefault()
{
    auto f = std::make_unique<Figure>();

    struct W { const char* name; double width; int32_t plotPen; };
    for (const W& w : {W{"THIN", 0.13, 1}, W{"MEDIUM", 0.25, 2}, W{"THICK", 0.5, 3}, W{"EXTRA", 1.0, 4}}) {
        const int32_t n = f->widths->add(w.name);
        f->widths->at(n)->width = w.width;
        f->widths->at(n)->plotPen = w.plotPen;
    }

    struct C { const char* name; int32_t r, g, b; };
    for (const C& c : {C{"BLACK", 0, 0, 0}, C{"RED", 255, 0, 0}, C{"GREEN", 0, 160, 0}, C{"BLUE", 0, 0, 255},
                       C{"YELLOW", 255, 255, 0}, C{"CYAN", 0, 255, 255}, C{"MAGENTA", 255, 0, 255},
                       C{"GRAY", 128, 128, 128}}) {
        const int32_t n = f->colours->add(c.name);
        Colour* e = f->colours->at(n);
        e->red = c.r;
        e->green = c.g;
        e->blue = c.b;
    }

    struct P { const char* name; int32_t width; int32_t style; std::vector<double> pitch; int32_t colour; };
    const P pens[] = {
        {"SOLID", 2, 1, {}, 1},
        {"DASHED", 2, 2, {3.0, 1.0}, 2},
        {"DOTTED", 1, 3, {0.5, 1.0}, 4},
        {"CHAIN", 1, 4, {6.0, 1.0, 1.0, 1.0}, 3},
        {"ASSIST", 1, 6, {}, 6},
    };
    for (const P& p : pens) {
        const int32_t n = f->pens->add(p.name);
        Pen* e = f->pens->at(n);
        e->width = p.width;
        e->widthUid = f->widths->at(p.width)->uid;
        e->plotStyle = p.style;
        e->pitch = p.pitch;
        f->penColours->setColour(*f->pens, n, p.colour, f->colours->at(p.colour)->uid);
    }

    struct F { const char* name; const char* face; int32_t attrib; };
    for (const F& x : {F{"STANDARD", "DejaVu Sans", 0}, F{"MONO", "DejaVu Sans Mono", 0},
                       F{"HEADING", "DejaVu Serif", FontTable::kBold}}) {
        const int32_t n = f->fonts->add(x.name);
        f->fonts->at(n)->face = x.face;
        f->fonts->at(n)->attrib = x.attrib;
    }

    f->charEx->add(0x1, "");
    f->centreLinePen = 3;   // 0-based: CHAIN
    f->sketch = {
        SketchRef{SketchRef::PenRef, "SOLID", "MEDIUM"},
        SketchRef{SketchRef::PenRef, "CHAIN", "THIN"},
        SketchRef{SketchRef::WidthRef, "MEDIUM", ""},
        SketchRef{SketchRef::ColourRef, "BLACK", ""},
        SketchRef{SketchRef::ColourRef, "CYAN", ""},
    };
    return f;
}

}  // namespace mobrhost
