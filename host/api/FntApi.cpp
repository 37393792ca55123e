// Named fonts of a figure.

#include "api/Families.h"
#include "api/FigureApiSupport.h"

namespace mobrhost {

using figapi::model;

namespace {

Font* fontOf(void* table, int32_t font)
{
    return figapi::entryAt(&FigureModel::fonts, table, font);
}

}  // namespace

int32_t aatFntGetCount(void* table)
{
    return figapi::tableCount(&FigureModel::fonts, table);
}

int32_t aatFntNewInfo(void* table, const char* name)
{
    return figapi::tableAdd(&FigureModel::fonts, table, name);
}

int32_t aatFntDeleteInfo(void* table, int32_t font)
{
    // A font that elements use cannot go.
    return figapi::tableRemove(&FigureModel::fonts, table, font, [](const Font& f) { return (f.attrib & FontTable::kInUse) != 0; });
}

int32_t aatFntFindName(void* table, const char* name)
{
    return figapi::tableFind(&FigureModel::fonts, table, name);
}

int32_t aatFntGetName(void* table, int32_t font, char* name)
{
    return figapi::tableGetName(&FigureModel::fonts, table, font, name);
}

int32_t aatFntSetName(void* table, int32_t font, const char* name)
{
    return figapi::tableSetName(&FigureModel::fonts, table, font, name);
}

int32_t aatFntGetAttrib(void* table, int32_t font)
{
    return figapi::tableAttrib(&FigureModel::fonts, table, font);
}

int32_t aatFntSetAttrib(void* table, int32_t font, int32_t attrib)
{
    Font* f = fontOf(table, font);
    if (!f) return -1;
    // The in-use bit follows the elements, not the caller.
    f->attrib = (attrib & ~FontTable::kInUse) | (f->attrib & FontTable::kInUse);
    return 0;
}

int32_t aatFntGetFaceName(void* table, int32_t font, char* face)
{
    const Font* f = fontOf(table, font);
    if (!f || !face) return -1;
    mobr::cp932::copyToBuffer(f->face, face, mobr::kHostFaceNameBytes);
    return 0;
}

int32_t aatFntSetFaceName(void* table, int32_t font, const char* face)
{
    Font* f = fontOf(table, font);
    if (!f || !face || !*face) return -1;
    f->face = mobr::cp932::cut(std::string_view(face, strnlen(face, mobr::kHostFaceNameBytes)),
                               mobr::kHostFaceNameBytes - 1);
    return 0;
}

int32_t aatFntGetLogFont(void* table, int32_t font, void* logFont)
{
    const FontTable* t = model().fonts(table);
    return t && t->logFont(font, logFont) ? 0 : -1;
}

void registerFntApi()
{
    MOBR_HOST_IMPLEMENT(aatFntGetCount);
    MOBR_HOST_IMPLEMENT(aatFntNewInfo);
    MOBR_HOST_IMPLEMENT(aatFntDeleteInfo);
    MOBR_HOST_IMPLEMENT(aatFntFindName);
    MOBR_HOST_IMPLEMENT(aatFntGetName);
    MOBR_HOST_IMPLEMENT(aatFntSetName);
    MOBR_HOST_IMPLEMENT(aatFntGetAttrib);
    MOBR_HOST_IMPLEMENT(aatFntSetAttrib);
    MOBR_HOST_IMPLEMENT(aatFntGetFaceName);
    MOBR_HOST_IMPLEMENT(aatFntSetFaceName);
    MOBR_HOST_IMPLEMENT(aatFntGetLogFont);
}

}  // namespace mobrhost
