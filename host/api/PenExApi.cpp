// The pen colour table: each pen's colour, kept by pen identity.

#include "api/Families.h"
#include "api/FigureApiSupport.h"

namespace mobrhost {

using figapi::model;

int32_t aatPenExClose(void* penEx)
{
    return figapi::tableClose(penEx, TableKind::PenColour);
}

int32_t aatPenExCreateInfo(void* penEx, void* pens, int32_t mode)
{
    PenColourTable* x = model().penColours(penEx);
    const PenTable* p = model().pens(pens);
    if (!x || !p) return -1;
    x->rebuild(*p);
    return 0;
}

int32_t aatPenExDeleteColor(void* penEx, int32_t colour)
{
    PenColourTable* x = model().penColours(penEx);
    if (!x || colour < 1) return -1;
    x->deleteColour(colour);
    return 0;
}

int32_t aatPenExDeleteInfo(void* penEx, void* pens, int32_t pen)
{
    PenColourTable* x = model().penColours(penEx);
    const PenTable* p = model().pens(pens);
    return x && p && x->removeFor(*p, pen) ? 0 : -1;
}

int32_t aatPenExGetColor(void* penEx, void* pens, int32_t pen)
{
    PenColourTable* x = model().penColours(penEx);
    const PenTable* p = model().pens(pens);
    return x && p ? x->colourOf(*p, pen) : -1;
}

int32_t aatPenExNewInfo(void* penEx, void* pens, int32_t pen)
{
    PenColourTable* x = model().penColours(penEx);
    const PenTable* p = model().pens(pens);
    return x && p ? x->addFor(*p, pen) : -1;
}

int32_t aatPenExSetColor(void* penEx, void* pens, int32_t pen, int32_t colour)
{
    PenColourTable* x = model().penColours(penEx);
    const PenTable* p = model().pens(pens);
    if (!x || !p || colour > 255) return -1;
    uint32_t uid = 0;
    if (colour > 0) {
        const ColourTable* colours = model().colourContext(penEx);
        if (colours && !colours->valid(colour)) return -1;
        if (colours) uid = colours->at(colour)->uid;
    }
    return x->setColour(*p, pen, colour, uid) ? 0 : -1;
}

int32_t aatPenExSetName(void* penEx, int32_t pen, const char* name)
{
    PenColourTable* x = model().penColours(penEx);
    const std::string text = nameArg(name);
    if (!x || text.empty()) return -1;
    return x->setName(pen, text) ? 0 : -1;
}

void registerPenExApi()
{
    MOBR_HOST_IMPLEMENT(aatPenExClose);
    MOBR_HOST_IMPLEMENT(aatPenExCreateInfo);
    MOBR_HOST_IMPLEMENT(aatPenExDeleteColor);
    MOBR_HOST_IMPLEMENT(aatPenExDeleteInfo);
    MOBR_HOST_IMPLEMENT(aatPenExGetColor);
    MOBR_HOST_IMPLEMENT(aatPenExNewInfo);
    MOBR_HOST_IMPLEMENT(aatPenExSetColor);
    MOBR_HOST_IMPLEMENT(aatPenExSetName);
}

}  // namespace mobrhost
