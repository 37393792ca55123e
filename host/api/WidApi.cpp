// Line widths: the width table of a figure, its edit copies and tables made
// with aatWidOpen.

#include "api/Families.h"
#include "api/FigureApiSupport.h"

namespace mobrhost {

using figapi::model;

namespace {

Width* widthOf(void* table, int32_t width)
{
    return figapi::entryAt(&FigureModel::widths, table, width);
}

}  // namespace

void* aatWidOpen()
{
    return figapi::tableOpen(TableKind::Width, "newwidth");
}

int32_t aatWidClose(void* table)
{
    return figapi::tableClose(table, TableKind::Width);
}

int32_t aatWidGetCount(void* table)
{
    return figapi::tableCount(&FigureModel::widths, table);
}

int32_t aatWidNewInfo(void* table, const char* name)
{
    return figapi::tableAdd(&FigureModel::widths, table, name);
}

int32_t aatWidDeleteInfo(void* table, int32_t width)
{
    // Nothing here keeps a width from going.
    return figapi::tableRemove(&FigureModel::widths, table, width, [](const Width&) { return false; });
}

int32_t aatWidFindName(void* table, const char* name)
{
    return figapi::tableFind(&FigureModel::widths, table, name);
}

int32_t aatWidGetName(void* table, int32_t width, char* name)
{
    return figapi::tableGetName(&FigureModel::widths, table, width, name);
}

int32_t aatWidSetName(void* table, int32_t width, const char* name)
{
    return figapi::tableSetName(&FigureModel::widths, table, width, name);
}

int32_t aatWidGetAttrib(void* table, int32_t width)
{
    return figapi::tableAttrib(&FigureModel::widths, table, width);
}

int32_t aatWidSetAttrib(void* table, int32_t width, int32_t attrib)
{
    Width* w = widthOf(table, width);
    if (!w) return -1;
    w->attrib = attrib;
    return 0;
}

void* aatWidGetInfo(void* table, int32_t width)
{
    return figapi::tableRecord(&FigureModel::widths, table, width);
}

int32_t aatWidGetPlotPen(void* table, int32_t width)
{
    const Width* w = widthOf(table, width);
    return w ? w->plotPen : -1;
}

int32_t aatWidSetPlotPen(void* table, int32_t width, int32_t pen)
{
    Width* w = widthOf(table, width);
    if (!w || pen < 1 || pen > 9) return -1;
    w->plotPen = pen;
    return 0;
}

double aatWidGetWidth(void* table, int32_t width)
{
    const Width* w = widthOf(table, width);
    return w ? w->width : -1.0;
}

int32_t aatWidSetWidth(void* table, int32_t width, double value)
{
    Width* w = widthOf(table, width);
    if (!w || !figapi::inRange(value, WidthTable::kMinWidth, WidthTable::kMaxWidth)) return -1;
    w->width = value;
    return 0;
}

double aatWidGetWidthEx(const void* record)
{
    return record ? WidthTable::widthOf(record) : -1.0;
}

void registerWidApi()
{
    MOBR_HOST_IMPLEMENT(aatWidOpen);
    MOBR_HOST_IMPLEMENT(aatWidClose);
    MOBR_HOST_IMPLEMENT(aatWidGetCount);
    MOBR_HOST_IMPLEMENT(aatWidNewInfo);
    MOBR_HOST_IMPLEMENT(aatWidDeleteInfo);
    MOBR_HOST_IMPLEMENT(aatWidFindName);
    MOBR_HOST_IMPLEMENT(aatWidGetName);
    MOBR_HOST_IMPLEMENT(aatWidSetName);
    MOBR_HOST_IMPLEMENT(aatWidGetAttrib);
    MOBR_HOST_IMPLEMENT(aatWidSetAttrib);
    MOBR_HOST_IMPLEMENT(aatWidGetInfo);
    MOBR_HOST_IMPLEMENT(aatWidGetPlotPen);
    MOBR_HOST_IMPLEMENT(aatWidSetPlotPen);
    MOBR_HOST_IMPLEMENT(aatWidGetWidth);
    MOBR_HOST_IMPLEMENT(aatWidSetWidth);
    MOBR_HOST_IMPLEMENT(aatWidGetWidthEx);
}

}  // namespace mobrhost
