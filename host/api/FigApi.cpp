// The figure: its tables and edit copies, blocks, figure-wide values,
// layers, opening and closing reference figures, and the conversion modes.

#include <cmath>
#include <cstring>

#include "api/Families.h"
#include "api/FigureApiSupport.h"
#include "model/Bytes.h"
#include "model/HostSession.h"
#include "store/FigureFile.h"

namespace mobrhost {

using figapi::model;

namespace {

Figure* fig(short number)
{
    return model().figure(number);
}

template <std::size_t N>
int32_t getBlock(short number, std::array<unsigned char, N> Figure::*field, void* block)
{
    const Figure* f = fig(number);
    if (!f || !block) return -1;
    std::memcpy(block, ((*f).*field).data(), N);
    return 0;
}

template <std::size_t N>
int32_t setBlock(short number, std::array<unsigned char, N> Figure::*field, const void* block)
{
    Figure* f = fig(number);
    if (!f || !block) return -1;
    std::memcpy(((*f).*field).data(), block, N);
    f->changed = true;
    return 0;
}

void* editCopy(short number, TableKind kind)
{
    return figapi::handedOut(model().editCopy(number, kind), tableKindName(kind));
}

void* committed(short number, TableKind kind)
{
    Figure* f = fig(number);
    if (!f) return nullptr;
    if (kind != TableKind::CharEx && kind != TableKind::PenColour && kind != TableKind::Layer) model().refreshInUse(*f);
    HostTable* t = model().committed(number, kind);
    if (!t) return nullptr;
    model().handOutCommitted(t->handle());
    return t->handle();
}

int32_t restore(short number, void* copy, int32_t discard, TableKind kind, void* index = nullptr)
{
    const int32_t ended = model().restore(number, copy, discard, kind, index);
    if (ended) figapi::ended(copy);
    return ended;
}

int32_t setConversion(TableKind kind, int32_t on)
{
    if (on != 0 && on != 1) return -1;
    model().setConversionMode(kind, on == 1);
    return 0;
}

}  // namespace

// Edit copies and their ends ------------------------------------------------

void* aatFigEditPenInfo(short f) { return editCopy(f, TableKind::Pen); }
void* aatFigEditPenExInfo(short f) { return editCopy(f, TableKind::PenColour); }
void* aatFigEditWidInfo(short f) { return editCopy(f, TableKind::Width); }
void* aatFigEditColInfo(short f) { return editCopy(f, TableKind::Colour); }
void* aatFigEditFntInfo(short f) { return editCopy(f, TableKind::Font); }
void* aatFigEditTipInfo(short f) { return editCopy(f, TableKind::Tip); }
void* aatFigEditCharExInfo(short f) { return editCopy(f, TableKind::CharEx); }

int32_t aatFigRestorePenInfo(short f, void* copy, int32_t discard) { return restore(f, copy, discard, TableKind::Pen); }
int32_t aatFigRestorePenInfoEx(short f, void* copy, int32_t discard, void* index)
{
    return restore(f, copy, discard, TableKind::Pen, index);
}
int32_t aatFigRestorePenExInfo(short f, void* copy, int32_t discard) { return restore(f, copy, discard, TableKind::PenColour); }
int32_t aatFigRestoreWidInfo(short f, void* copy, int32_t discard) { return restore(f, copy, discard, TableKind::Width); }
int32_t aatFigRestoreWidInfoEx(short f, void* copy, int32_t discard, void* index)
{
    return restore(f, copy, discard, TableKind::Width, index);
}
int32_t aatFigRestoreColInfo(short f, void* copy, int32_t discard) { return restore(f, copy, discard, TableKind::Colour); }
int32_t aatFigRestoreColInfoEx(short f, void* copy, int32_t discard, void* index)
{
    return restore(f, copy, discard, TableKind::Colour, index);
}
int32_t aatFigRestoreFntInfo(short f, void* copy, int32_t discard) { return restore(f, copy, discard, TableKind::Font); }
int32_t aatFigRestoreTipInfo(short f, void* copy, int32_t discard) { return restore(f, copy, discard, TableKind::Tip); }
int32_t aatFigRestoreCharExInfo(short f, void* copy, int32_t discard) { return restore(f, copy, discard, TableKind::CharEx); }

int32_t aatFigPenSetCnvMode(int32_t on) { return setConversion(TableKind::Pen, on); }
int32_t aatFigWidSetCnvMode(int32_t on) { return setConversion(TableKind::Width, on); }
int32_t aatFigColSetCnvMode(int32_t on) { return setConversion(TableKind::Colour, on); }

// Committed tables ----------------------------------------------------------

void* aatFigGetPenInfo(short f) { return committed(f, TableKind::Pen); }
void* aatFigGetPenExInfo(short f) { return committed(f, TableKind::PenColour); }
void* aatFigGetWidInfo(short f) { return committed(f, TableKind::Width); }
void* aatFigGetColInfo(short f) { return committed(f, TableKind::Colour); }
void* aatFigGetFntInfo(short f) { return committed(f, TableKind::Font); }
void* aatFigGetTipInfo(short f) { return committed(f, TableKind::Tip); }
void* aatFigLayGetInfo(short f) { return committed(f, TableKind::Layer); }

int32_t aatLayGetColor(void* layers, int32_t group, int32_t layer)
{
    const LayerTable* t = model().layers(layers);
    return t ? t->colour(group, layer) : -1;
}

// Blocks --------------------------------------------------------------------

int32_t aatFigGetDimInfo(short f, void* block) { return getBlock(f, &Figure::dim, block); }
int32_t aatFigSetDimInfo(short f, const void* block) { return setBlock(f, &Figure::dim, block); }
int32_t aatFigGetLineAttrib(short f, void* block) { return getBlock(f, &Figure::lineAttrib, block); }
int32_t aatFigSetLineAttrib(short f, const void* block) { return setBlock(f, &Figure::lineAttrib, block); }
int32_t aatFigGetPntAttrib(short f, void* block) { return getBlock(f, &Figure::pointAttrib, block); }
int32_t aatFigSetPntAttrib(short f, const void* block) { return setBlock(f, &Figure::pointAttrib, block); }
int32_t aatFigGetCharAttrib(short f, void* block) { return getBlock(f, &Figure::charAttrib, block); }
int32_t aatFigSetCharAttrib(short f, const void* block) { return setBlock(f, &Figure::charAttrib, block); }
int32_t aatFigGetCharInfo(short f, void* block) { return getBlock(f, &Figure::charInfo, block); }
int32_t aatFigSetCharInfo(short f, const void* block) { return setBlock(f, &Figure::charInfo, block); }

// Figure-wide values --------------------------------------------------------

int32_t aatFigGetCurvInfo(short number, int32_t* a, int32_t* b)
{
    const Figure* f = fig(number);
    if (!f || !a || !b) return -1;
    *a = f->curveA;
    *b = f->curveB;
    return 0;
}

int32_t aatFigSetCurvInfo(short number, int32_t a, int32_t b)
{
    Figure* f = fig(number);
    if (!f) return -1;
    f->curveA = a;
    f->curveB = b;
    f->changed = true;
    return 0;
}

int32_t aatFigGetCurvTole(short number, int32_t* tolerance)
{
    const Figure* f = fig(number);
    if (!f || !tolerance) return -1;
    *tolerance = f->curveTolerance;
    return 0;
}

int32_t aatFigSetCurvTole(short number, int32_t tolerance)
{
    Figure* f = fig(number);
    if (!f) return -1;
    f->curveTolerance = tolerance;
    f->changed = true;
    return 0;
}

int32_t aatFigGetDispColor(short number, int32_t which)
{
    const Figure* f = fig(number);
    if (!f || which < 0 || which > 3) return -1;
    return f->displayColours[static_cast<std::size_t>(which)];
}

int32_t aatFigSetDispColor(short number, int32_t which, int32_t colour)
{
    Figure* f = fig(number);
    // A display colour is a number of the figure's colour table.
    if (!f || which < 0 || which > 3 || colour < 0 || colour > f->colours->count()) return -1;
    f->displayColours[static_cast<std::size_t>(which)] = colour;
    return 0;
}

int32_t aatFigGetDrwOrder(short number, int32_t kind, int32_t* order)
{
    const Figure* f = fig(number);
    if (!f || kind != 3 || !order) return -1;
    *order = f->drawOrder;
    return 0;
}

int32_t aatFigSetDrwOrder(short number, int32_t kind, int32_t order)
{
    Figure* f = fig(number);
    if (!f || kind != 3 || order < 0 || order > 2) return -1;
    f->drawOrder = order;
    f->changed = true;
    return 0;
}

int32_t aatFigSetErrDist(short number, double distance)
{
    Figure* f = fig(number);
    if (!f || !std::isfinite(distance) || distance <= 0.0) return -1;
    f->errorDistance = distance;
    f->changed = true;
    return 0;
}

int32_t aatFigGetFontSlant(short number, double* slant)
{
    const Figure* f = fig(number);
    if (!f || !slant) return -1;
    *slant = f->fontSlant;
    return 0;
}

int32_t aatFigSetFontSlant(short number, double slant)
{
    Figure* f = fig(number);
    if (!f || !std::isfinite(slant) || std::fabs(slant) > 90.0) return -1;
    f->fontSlant = slant;
    f->changed = true;
    return 0;
}

int32_t aatFigGetFontType(short number)
{
    const Figure* f = fig(number);
    return f ? f->fontType : -1;
}

int32_t aatFigSetFontType(short number, int32_t type)
{
    Figure* f = fig(number);
    if (!f || (type != 0 && type != 1)) return -1;
    f->fontType = type;
    f->changed = true;
    return 0;
}

int32_t aatFigGetHatPtnRatu(short number, double* ratio)
{
    const Figure* f = fig(number);
    if (!f || !ratio) return -1;
    *ratio = f->hatchRatio;
    return 0;
}

int32_t aatFigSetHatPtnRatu(short number, double ratio)
{
    Figure* f = fig(number);
    if (!f || !std::isfinite(ratio) || ratio <= 0.0) return -1;
    f->hatchRatio = ratio;
    f->changed = true;
    return 0;
}

int32_t aatFigGetLayActiveNo(short number, int32_t* group, int32_t* layer)
{
    const Figure* f = fig(number);
    if (!f || !group || !layer) return -1;
    *group = f->activeGroup;
    *layer = f->activeLayer;
    return 0;
}

int32_t aatFigGetScale(short number, int32_t* numerator, int32_t* denominator)
{
    const Figure* f = fig(number);
    if (!f || !numerator || !denominator) return -1;
    *numerator = f->scaleNumerator;
    *denominator = f->scaleDenominator;
    return 0;
}

int32_t aatPaperSizeToRealSize(short number, double paper, double* real)
{
    const Figure* f = fig(number);
    if (!f || !real || f->scaleNumerator == 0) return -1;
    *real = paper * f->scaleDenominator / f->scaleNumerator;
    return 0;
}

int32_t aatRealSizeToPaperSize(short number, double real, double* paper)
{
    const Figure* f = fig(number);
    if (!f || !paper || f->scaleDenominator == 0) return -1;
    *paper = real * f->scaleNumerator / f->scaleDenominator;
    return 0;
}

int32_t aatImageGetBitCount(short number)
{
    const Figure* f = fig(number);
    return f ? f->imageBitCount : -1;
}

int32_t aatImageSetBitCount(short number, int32_t flag)
{
    Figure* f = fig(number);
    if (!f || (flag != 0 && flag != 1)) return -1;
    f->imageBitCount = flag;
    f->changed = true;
    return 0;
}

int32_t aauFigCLinePen(int32_t write, short number, int32_t* pen)
{
    Figure* f = fig(number);
    if (!f || !pen || (write != 0 && write != 1)) return -1;
    if (write == 0) {
        *pen = f->centreLinePen;
        return 0;
    }
    // The centre-line pen is 0-based: 0 is the table's first pen.
    if (*pen < 0 || *pen >= f->pens->count()) return -1;
    f->centreLinePen = *pen;
    f->changed = true;
    return 0;
}

int32_t aatFigUflgSetup(short number)
{
    Figure* f = fig(number);
    if (!f) return -1;
    f->changed = true;
    return 0;
}

int32_t aatFigIsExistSktFigure()
{
    const Figure* f = fig(model().current());
    return f && f->elements.liveCount(1) > 0 ? 1 : 0;
}

// Reference figures ---------------------------------------------------------

int32_t aatFigOpen(int32_t mode, const double* scalePair, const char* path, short* out)
{
    if (!path || !out || !scalePair) return 1;
    if (!std::isfinite(scalePair[0]) || !std::isfinite(scalePair[1]) || scalePair[0] <= 0 || scalePair[1] <= 0) return 1;
    std::string error;
    std::unique_ptr<Figure> f = FigureFile::load(path, &error);
    if (!f) {
        figapi::refusedFile(error);
        return 1;
    }
    f->openScaleX = scalePair[0];
    f->openScaleY = scalePair[1];
    const short number = model().addFigure(std::move(f), true);
    if (number < 0) {
        figapi::refusedFile(std::string(path) + ": too many figures are open");
        return 2;
    }
    *out = number;
    return 0;
}

int32_t aatFigClose(short number)
{
    return model().closeFigure(number) ? 0 : -1;
}

void registerFigApi()
{
    HostSession::instance().setCurrentFigureSource([] { return model().current(); });
    setResetHandler("figures", [](const HostStart&) { model().reset(); });
    setLiveReporter("figures", [] {
        std::vector<LiveCount> out;
        for (const FigureModel::HandleCount& c : model().handleCounts())
            out.push_back(LiveCount{c.kind, c.open, c.badEnds, c.usesAfterEnd});
        return out;
    });

    MOBR_HOST_IMPLEMENT(aatFigEditPenInfo);
    MOBR_HOST_IMPLEMENT(aatFigEditPenExInfo);
    MOBR_HOST_IMPLEMENT(aatFigEditWidInfo);
    MOBR_HOST_IMPLEMENT(aatFigEditColInfo);
    MOBR_HOST_IMPLEMENT(aatFigEditFntInfo);
    MOBR_HOST_IMPLEMENT(aatFigEditTipInfo);
    MOBR_HOST_IMPLEMENT(aatFigEditCharExInfo);
    MOBR_HOST_IMPLEMENT(aatFigRestorePenInfo);
    MOBR_HOST_IMPLEMENT(aatFigRestorePenInfoEx);
    MOBR_HOST_IMPLEMENT(aatFigRestorePenExInfo);
    MOBR_HOST_IMPLEMENT(aatFigRestoreWidInfo);
    MOBR_HOST_IMPLEMENT(aatFigRestoreWidInfoEx);
    MOBR_HOST_IMPLEMENT(aatFigRestoreColInfo);
    MOBR_HOST_IMPLEMENT(aatFigRestoreColInfoEx);
    MOBR_HOST_IMPLEMENT(aatFigRestoreFntInfo);
    MOBR_HOST_IMPLEMENT(aatFigRestoreTipInfo);
    MOBR_HOST_IMPLEMENT(aatFigRestoreCharExInfo);
    MOBR_HOST_IMPLEMENT(aatFigPenSetCnvMode);
    MOBR_HOST_IMPLEMENT(aatFigWidSetCnvMode);
    MOBR_HOST_IMPLEMENT(aatFigColSetCnvMode);
    MOBR_HOST_IMPLEMENT(aatFigGetPenInfo);
    MOBR_HOST_IMPLEMENT(aatFigGetPenExInfo);
    MOBR_HOST_IMPLEMENT(aatFigGetWidInfo);
    MOBR_HOST_IMPLEMENT(aatFigGetColInfo);
    MOBR_HOST_IMPLEMENT(aatFigGetFntInfo);
    MOBR_HOST_IMPLEMENT(aatFigGetTipInfo);
    MOBR_HOST_IMPLEMENT(aatFigLayGetInfo);
    MOBR_HOST_IMPLEMENT(aatLayGetColor);
    MOBR_HOST_IMPLEMENT(aatFigGetDimInfo);
    MOBR_HOST_IMPLEMENT(aatFigSetDimInfo);
    MOBR_HOST_IMPLEMENT(aatFigGetLineAttrib);
    MOBR_HOST_IMPLEMENT(aatFigSetLineAttrib);
    MOBR_HOST_IMPLEMENT(aatFigGetPntAttrib);
    MOBR_HOST_IMPLEMENT(aatFigSetPntAttrib);
    MOBR_HOST_IMPLEMENT(aatFigGetCharAttrib);
    MOBR_HOST_IMPLEMENT(aatFigSetCharAttrib);
    MOBR_HOST_IMPLEMENT(aatFigGetCharInfo);
    MOBR_HOST_IMPLEMENT(aatFigSetCharInfo);
    MOBR_HOST_IMPLEMENT(aatFigGetCurvInfo);
    MOBR_HOST_IMPLEMENT(aatFigSetCurvInfo);
    MOBR_HOST_IMPLEMENT(aatFigGetCurvTole);
    MOBR_HOST_IMPLEMENT(aatFigSetCurvTole);
    MOBR_HOST_IMPLEMENT(aatFigGetDispColor);
    MOBR_HOST_IMPLEMENT(aatFigSetDispColor);
    MOBR_HOST_IMPLEMENT(aatFigGetDrwOrder);
    MOBR_HOST_IMPLEMENT(aatFigSetDrwOrder);
    MOBR_HOST_IMPLEMENT(aatFigSetErrDist);
    MOBR_HOST_IMPLEMENT(aatFigGetFontSlant);
    MOBR_HOST_IMPLEMENT(aatFigSetFontSlant);
    MOBR_HOST_IMPLEMENT(aatFigGetFontType);
    MOBR_HOST_IMPLEMENT(aatFigSetFontType);
    MOBR_HOST_IMPLEMENT(aatFigGetHatPtnRatu);
    MOBR_HOST_IMPLEMENT(aatFigSetHatPtnRatu);
    MOBR_HOST_IMPLEMENT(aatFigGetLayActiveNo);
    MOBR_HOST_IMPLEMENT(aatFigGetScale);
    MOBR_HOST_IMPLEMENT(aatPaperSizeToRealSize);
    MOBR_HOST_IMPLEMENT(aatRealSizeToPaperSize);
    MOBR_HOST_IMPLEMENT(aatImageGetBitCount);
    MOBR_HOST_IMPLEMENT(aatImageSetBitCount);
    MOBR_HOST_IMPLEMENT(aauFigCLinePen);
    MOBR_HOST_IMPLEMENT(aatFigUflgSetup);
    MOBR_HOST_IMPLEMENT(aatFigIsExistSktFigure);
    MOBR_HOST_IMPLEMENT(aatFigOpen);
    MOBR_HOST_IMPLEMENT(aatFigClose);
}

}  // namespace mobrhost
