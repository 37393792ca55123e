// Line widths: the width table of a figure, its edit copies and tables made
// with aatWidOpen.

#include "api/Families.h"
#include "api/FigureApiSupport.h"

namespace mobrhost {

using figapi::model;

namespace {

Width* widthOf(void* table, int32_t width)
{
    WidthTable* t = model().widths(table);
    return t ? t->at(width) : nullptr;
}

}  // namespace

void* aatWidOpen()
{
    return figapi::handedOut(model().open(TableKind::Width), "newwidth");
}

int32_t aatWidClose(void* table)
{
    if (!model().close(table, TableKind::Width)) return -1;
    figapi::ended(table);
    return 0;
}

int32_t aatWidGetCount(void* table)
{
    const WidthTable* t = model().widths(table);
    return t ? t->count() : -1;
}

int32_t aatWidNewInfo(void* table, const char* name)
{
    WidthTable* t = model().widths(table);
    return t ? t->add(nameArg(name)) : -1;
}

int32_t aatWidDeleteInfo(void* table, int32_t width)
{
    WidthTable* t = model().widths(table);
    return t && t->remove(width) ? 0 : -1;
}

int32_t aatWidFindName(void* table, const char* name)
{
    const WidthTable* t = model().widths(table);
    return t ? t->find(nameArg(name)) : -1;
}

int32_t aatWidGetName(void* table, int32_t width, char* name)
{
    const Width* w = widthOf(table, width);
    return w ? figapi::putName(w->name, name) : -1;
}

int32_t aatWidSetName(void* table, int32_t width, const char* name)
{
    WidthTable* t = model().widths(table);
    return t && t->rename(width, nameArg(name)) ? 0 : -1;
}

int32_t aatWidGetAttrib(void* table, int32_t width)
{
    const Width* w = widthOf(table, width);
    return w ? w->attrib : -1;
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
    WidthTable* t = model().widths(table);
    return t ? const_cast<unsigned char*>(t->record(width)) : nullptr;
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
