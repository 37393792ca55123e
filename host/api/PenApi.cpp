// Pens (line types): the pen table of a figure, its edit copies and tables
// made with aatPenOpen.

#include "api/Families.h"
#include "api/FigureApiSupport.h"

namespace mobrhost {

using figapi::model;

namespace {

constexpr double kMinPitch = 0.1;
constexpr double kMaxPitch = 200.0;

Pen* penOf(void* table, int32_t pen)
{
    return figapi::entryAt(&FigureModel::pens, table, pen);
}

}  // namespace

void* aatPenOpen()
{
    return figapi::tableOpen(TableKind::Pen, "newpen");
}

int32_t aatPenClose(void* table)
{
    return figapi::tableClose(table, TableKind::Pen);
}

int32_t aatPenGetCount(void* table)
{
    return figapi::tableCount(&FigureModel::pens, table);
}

int32_t aatPenNewInfo(void* table, const char* name)
{
    PenTable* t = model().pens(table);
    if (!t) return -1;
    const int32_t n = t->add(nameArg(name));
    if (n < 1) return -1;
    Pen* p = t->at(n);
    if (const WidthTable* widths = model().widthContext(table); widths && widths->valid(1)) p->widthUid = widths->at(1)->uid;
    return n;
}

int32_t aatPenDeleteInfo(void* table, int32_t pen)
{
    // A pen that elements use cannot go: they would lose their pen.
    return figapi::tableRemove(&FigureModel::pens, table, pen, [](const Pen& p) { return (p.attrib & 0x1) != 0; });
}

int32_t aatPenSwapInfo(void* table, int32_t a, int32_t b)
{
    PenTable* t = model().pens(table);
    return t && t->swap(a, b) ? 0 : -1;
}

int32_t aatPenFindName(void* table, const char* name)
{
    return figapi::tableFind(&FigureModel::pens, table, name);
}

int32_t aatPenGetName(void* table, int32_t pen, char* name)
{
    return figapi::tableGetName(&FigureModel::pens, table, pen, name);
}

int32_t aatPenSetName(void* table, int32_t pen, const char* name)
{
    return figapi::tableSetName(&FigureModel::pens, table, pen, name);
}

int32_t aatPenGetAttrib(void* table, int32_t pen)
{
    return figapi::tableAttrib(&FigureModel::pens, table, pen);
}

void* aatPenGetInfo(void* table, int32_t pen)
{
    return figapi::tableRecord(&FigureModel::pens, table, pen);
}

int32_t aatPenGetWidth(void* table, int32_t pen)
{
    const Pen* p = penOf(table, pen);
    return p ? p->width : -1;
}

int32_t aatPenSetWidth(void* table, int32_t pen, int32_t width)
{
    Pen* p = penOf(table, pen);
    if (!p || width < 1 || width > 255) return -1;
    const WidthTable* widths = model().widthContext(table);
    if (widths && !widths->valid(width)) return -1;
    p->width = width;
    p->widthUid = widths ? widths->at(width)->uid : 0;
    return 0;
}

int32_t aatPenGetPlotStyle(void* table, int32_t pen)
{
    const Pen* p = penOf(table, pen);
    return p ? p->plotStyle : -1;
}

int32_t aatPenSetPlotStyle(void* table, int32_t pen, int32_t style)
{
    Pen* p = penOf(table, pen);
    if (!p || style < 1 || style > PenTable::kMaxPlotStyle) return -1;
    p->plotStyle = style;
    return 0;
}

int32_t aatPenGetMask(void* table, int32_t pen)
{
    const Pen* p = penOf(table, pen);
    return p ? p->mask : -1;
}

int32_t aatPenSetMask(void* table, int32_t pen, int32_t mask)
{
    Pen* p = penOf(table, pen);
    if (!p) return -1;
    p->mask = mask & 0x7;
    return 0;
}

int32_t aatPenGetPitch(void* table, int32_t pen, double* values, int32_t capacity)
{
    const Pen* p = penOf(table, pen);
    if (!p) return -1;
    const int32_t n = std::min<int32_t>(static_cast<int32_t>(p->pitch.size()), std::max<int32_t>(capacity, 0));
    if (n > 0 && !values) return -1;
    for (int32_t i = 0; i < n; ++i) values[i] = p->pitch[static_cast<std::size_t>(i)];
    return n;
}

int32_t aatPenSetPitch(void* table, int32_t pen, const double* values, int32_t count)
{
    Pen* p = penOf(table, pen);
    if (!p || count < 0 || count > static_cast<int32_t>(mobr::kHostPitchValues) || (count > 0 && !values)) return -1;
    for (int32_t i = 0; i < count; ++i) {
        if (!figapi::inRange(values[i], kMinPitch, kMaxPitch)) return -1;
    }
    p->pitch.assign(values, values + count);
    return 0;
}

int32_t aatPenGetPlotStyleEx(const void* record)
{
    return PenTable::plotStyleOf(record);
}

int32_t aatPenGetMaskEx(const void* record)
{
    return PenTable::maskOf(record);
}

int32_t aatPenGetPitchEx(const void* record, double* values, int32_t capacity)
{
    return PenTable::pitchOf(record, values, capacity);
}

int32_t aatPenGetAssistIndex(void* table, int32_t from, int32_t flag)
{
    const PenTable* t = model().pens(table);
    return t ? t->countStyle(6) : -1;
}

int32_t aatPenGetSolidIndex(void* table, int32_t from, int32_t flag)
{
    const PenTable* t = model().pens(table);
    return t ? t->countStyle(1) : -1;
}

void registerPenApi()
{
    MOBR_HOST_IMPLEMENT(aatPenOpen);
    MOBR_HOST_IMPLEMENT(aatPenClose);
    MOBR_HOST_IMPLEMENT(aatPenGetCount);
    MOBR_HOST_IMPLEMENT(aatPenNewInfo);
    MOBR_HOST_IMPLEMENT(aatPenDeleteInfo);
    MOBR_HOST_IMPLEMENT(aatPenSwapInfo);
    MOBR_HOST_IMPLEMENT(aatPenFindName);
    MOBR_HOST_IMPLEMENT(aatPenGetName);
    MOBR_HOST_IMPLEMENT(aatPenSetName);
    MOBR_HOST_IMPLEMENT(aatPenGetAttrib);
    MOBR_HOST_IMPLEMENT(aatPenGetInfo);
    MOBR_HOST_IMPLEMENT(aatPenGetWidth);
    MOBR_HOST_IMPLEMENT(aatPenSetWidth);
    MOBR_HOST_IMPLEMENT(aatPenGetPlotStyle);
    MOBR_HOST_IMPLEMENT(aatPenSetPlotStyle);
    MOBR_HOST_IMPLEMENT(aatPenGetMask);
    MOBR_HOST_IMPLEMENT(aatPenSetMask);
    MOBR_HOST_IMPLEMENT(aatPenGetPitch);
    MOBR_HOST_IMPLEMENT(aatPenSetPitch);
    MOBR_HOST_IMPLEMENT(aatPenGetPlotStyleEx);
    MOBR_HOST_IMPLEMENT(aatPenGetMaskEx);
    MOBR_HOST_IMPLEMENT(aatPenGetPitchEx);
    MOBR_HOST_IMPLEMENT(aatPenGetAssistIndex);
    MOBR_HOST_IMPLEMENT(aatPenGetSolidIndex);
}

}  // namespace mobrhost
