// Named colours: the colour table of a figure, its edit copies and tables
// made with aatColOpen.

#include "api/Families.h"
#include "api/FigureApiSupport.h"

namespace mobrhost {

using figapi::model;

namespace {

Colour* colourOf(void* table, int32_t colour)
{
    return figapi::entryAt(&FigureModel::colours, table, colour);
}

bool channel(int32_t v)
{
    return v >= 0 && v <= 255;
}

}  // namespace

void* aatColOpen()
{
    return figapi::tableOpen(TableKind::Colour, "newcolour");
}

int32_t aatColClose(void* table)
{
    return figapi::tableClose(table, TableKind::Colour);
}

int32_t aatColGetCount(void* table)
{
    return figapi::tableCount(&FigureModel::colours, table);
}

int32_t aatColNewInfo(void* table, const char* name)
{
    return figapi::tableAdd(&FigureModel::colours, table, name);
}

int32_t aatColDeleteInfo(void* table, int32_t colour)
{
    // A colour that elements carry cannot go: they would lose it.
    return figapi::tableRemove(&FigureModel::colours, table, colour, [](const Colour& c) { return c.usedByElements; });
}

int32_t aatColFindName(void* table, const char* name)
{
    return figapi::tableFind(&FigureModel::colours, table, name);
}

int32_t aatColGetName(void* table, int32_t colour, char* name)
{
    return figapi::tableGetName(&FigureModel::colours, table, colour, name);
}

int32_t aatColSetName(void* table, int32_t colour, const char* name)
{
    return figapi::tableSetName(&FigureModel::colours, table, colour, name);
}

int32_t aatColGetAttrib(void* table, int32_t colour)
{
    return figapi::tableAttrib(&FigureModel::colours, table, colour);
}

void* aatColGetInfo(void* table, int32_t colour)
{
    return figapi::tableRecord(&FigureModel::colours, table, colour);
}

int32_t aatColGetRGB(void* table, int32_t colour, int32_t* red, int32_t* green, int32_t* blue)
{
    const Colour* c = colourOf(table, colour);
    if (!c || !red || !green || !blue) return -1;
    *red = c->red;
    *green = c->green;
    *blue = c->blue;
    return 0;
}

int32_t aatColSetRGB(void* table, int32_t colour, int32_t red, int32_t green, int32_t blue)
{
    Colour* c = colourOf(table, colour);
    if (!c || !channel(red) || !channel(green) || !channel(blue)) return -1;
    c->red = red;
    c->green = green;
    c->blue = blue;
    return 0;
}

int32_t aatColSetUseFlgPenEx(void* penEx, void* colours)
{
    const PenColourTable* x = model().penColours(penEx);
    ColourTable* c = model().colours(colours);
    if (!x || !c) return -1;
    FigureModel::markColoursUsed(*c, *x);
    return 0;
}

void registerColApi()
{
    MOBR_HOST_IMPLEMENT(aatColOpen);
    MOBR_HOST_IMPLEMENT(aatColClose);
    MOBR_HOST_IMPLEMENT(aatColGetCount);
    MOBR_HOST_IMPLEMENT(aatColNewInfo);
    MOBR_HOST_IMPLEMENT(aatColDeleteInfo);
    MOBR_HOST_IMPLEMENT(aatColFindName);
    MOBR_HOST_IMPLEMENT(aatColGetName);
    MOBR_HOST_IMPLEMENT(aatColSetName);
    MOBR_HOST_IMPLEMENT(aatColGetAttrib);
    MOBR_HOST_IMPLEMENT(aatColGetInfo);
    MOBR_HOST_IMPLEMENT(aatColGetRGB);
    MOBR_HOST_IMPLEMENT(aatColSetRGB);
    MOBR_HOST_IMPLEMENT(aatColSetUseFlgPenEx);
}

}  // namespace mobrhost
