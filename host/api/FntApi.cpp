// Named fonts of a figure.

#include "api/Families.h"
#include "api/FigureApiSupport.h"

namespace mobrhost {

using figapi::model;

namespace {

Font* fontOf(void* table, int32_t font)
{
    FontTable* t = model().fonts(table);
    return t ? t->at(font) : nullptr;
}

}  // namespace

int32_t aatFntGetCount(void* table)
{
    const FontTable* t = model().fonts(table);
    return t ? t->count() : -1;
}

int32_t aatFntNewInfo(void* table, const char* name)
{
    FontTable* t = model().fonts(table);
    return t ? t->add(nameArg(name)) : -1;
}

int32_t aatFntDeleteInfo(void* table, int32_t font)
{
    FontTable* t = model().fonts(table);
    const Font* f = t ? t->at(font) : nullptr;
    if (!f || (f->attrib & FontTable::kInUse)) return -1;
    return t->remove(font) ? 0 : -1;
}

int32_t aatFntFindName(void* table, const char* name)
{
    const FontTable* t = model().fonts(table);
    return t ? t->find(nameArg(name)) : -1;
}

int32_t aatFntGetName(void* table, int32_t font, char* name)
{
    const Font* f = fontOf(table, font);
    return f ? figapi::putName(f->name, name) : -1;
}

int32_t aatFntSetName(void* table, int32_t font, const char* name)
{
    FontTable* t = model().fonts(table);
    return t && t->rename(font, nameArg(name)) ? 0 : -1;
}

int32_t aatFntGetAttrib(void* table, int32_t font)
{
    const Font* f = fontOf(table, font);
    return f ? f->attrib : -1;
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
