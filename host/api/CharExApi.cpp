// Extended character groups of a figure.

#include "api/Families.h"
#include "api/FigureApiSupport.h"

namespace mobrhost {

using figapi::model;

int32_t aatCharExGetCount(void* copy)
{
    const CharExTable* t = model().charEx(copy);
    return t ? t->count() : -1;
}

int32_t aatCharExAddInfoMode(void* copy, int32_t modeWord, const char* text)
{
    CharExTable* t = model().charEx(copy);
    if (!t) return -1;
    const std::string value = text ? std::string(text, strnlen(text, CharExTable::kMaxTextBytes + 1)) : std::string();
    return t->add(modeWord, value) ? 0 : -1;
}

int32_t aatCharExDelete(void* copy, int32_t entry)
{
    CharExTable* t = model().charEx(copy);
    return t && t->remove(entry) ? 0 : -1;
}

int32_t aatCharExGetInfoMode(void* copy, char* text, int32_t size)
{
    const CharExTable* t = model().charEx(copy);
    if (!t) return -1;
    std::string group;
    const int32_t mode = t->modeWord(&group);
    if (text && size > 0) mobr::cp932::copyToBuffer(group, text, static_cast<std::size_t>(size));
    return mode;
}

int32_t aatCharExInfoSort(void* copy)
{
    CharExTable* t = model().charEx(copy);
    if (!t) return -1;
    t->sort();
    return 0;
}

void registerCharExApi()
{
    MOBR_HOST_IMPLEMENT(aatCharExGetCount);
    MOBR_HOST_IMPLEMENT(aatCharExAddInfoMode);
    MOBR_HOST_IMPLEMENT(aatCharExDelete);
    MOBR_HOST_IMPLEMENT(aatCharExGetInfoMode);
    MOBR_HOST_IMPLEMENT(aatCharExInfoSort);
}

}  // namespace mobrhost
