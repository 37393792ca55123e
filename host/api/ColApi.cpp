// Named colours: the colour table of a figure, its edit copies and tables
// made with aatColOpen.

#include "api/Families.h"
#include "api/FigureApiSupport.h"

namespace mobrhost {

using figapi::model;

namespace {

Colour* colourOf(void* table, int32_t colour)
{
    ColourTable* t = model().colours(table);
    return t ? t->at(colour) : nullptr;
}

bool channel(int32_t v)
{
    return v >= 0 && v <= 255;
}

}  // namespace

void* aatColOpen()
{
    return figapi::handedOut(model().open(TableKind::Colour), "newcolour");
}

int32_t aatColClose(void* table)
{
    if (!model().close(table, TableKind::Colour)) return -1;
    figapi::ended(table);
    return 0;
}

int32_t aatColGetCount(void* table)
{
    const ColourTable* t = model().colours(table);
    return t ? t->count() : -1;
}

int32_t aatColNewInfo(void* table, const char* name)
{
    ColourTable* t = model().colours(table);
    return t ? t->add(nameArg(name)) : -1;
}

int32_t aatColDeleteInfo(void* table, int32_t colour)
{
    ColourTable* t = model().colours(table);
    const Colour* c = t ? t->at(colour) : nullptr;
    // A colour that elements carry cannot go: they would lose it.
    if (!c || c->usedByElements) return -1;
    return t->remove(colour) ? 0 : -1;
}

int32_t aatColFindName(void* table, const char* name)
{
    const ColourTable* t = model().colours(table);
    return t ? t->find(nameArg(name)) : -1;
}

int32_t aatColGetName(void* table, int32_t colour, char* name)
{
    const Colour* c = colourOf(table, colour);
    return c ? figapi::putName(c->name, name) : -1;
}

int32_t aatColSetName(void* table, int32_t colour, const char* name)
{
    ColourTable* t = model().colours(table);
    return t && t->rename(colour, nameArg(name)) ? 0 : -1;
}

int32_t aatColGetAttrib(void* table, int32_t colour)
{
    const Colour* c = colourOf(table, colour);
    return c ? c->attrib : -1;
}

void* aatColGetInfo(void* table, int32_t colour)
{
    ColourTable* t = model().colours(table);
    return t ? const_cast<unsigned char*>(t->record(colour)) : nullptr;
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
