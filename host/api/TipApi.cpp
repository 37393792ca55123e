// Arrow tips of a figure.

#include "api/Families.h"
#include "api/FigureApiSupport.h"

namespace mobrhost {

using figapi::model;

namespace {

Tip* tipOf(void* table, int32_t tip)
{
    TipTable* t = model().tips(table);
    Tip* e = t ? t->at(tip) : nullptr;
    return e && !e->reserved ? e : nullptr;
}

int32_t shape(void* table, int32_t tip, double* values, int32_t capacity, bool start)
{
    const Tip* t = tipOf(table, tip);
    if (!t || capacity < 0 || (capacity > 0 && !values)) return -1;
    const std::vector<double>& s = start ? t->start : t->end;
    const int32_t n = std::min<int32_t>(static_cast<int32_t>(s.size()), capacity & ~1);
    for (int32_t i = 0; i < n; ++i) values[i] = s[static_cast<std::size_t>(i)];
    return n;
}

}  // namespace

int32_t aatTipGetCount(void* table)
{
    return figapi::tableCount(&FigureModel::tips, table);
}

int32_t aatTipFindName(void* table, const char* name)
{
    return figapi::tableFind(&FigureModel::tips, table, name);
}

int32_t aatTipFindLocalName(void* table, const char* name)
{
    const TipTable* t = model().tips(table);
    return t ? t->findLocal(nameArg(name)) : -1;
}

int32_t aatTipGetLocalName(void* table, int32_t tip, char* name)
{
    const Tip* t = tipOf(table, tip);
    return t ? figapi::putName(t->localName, name) : -1;
}

int32_t aatTipSetName(void* table, int32_t tip, const char* name)
{
    TipTable* t = model().tips(table);
    return t && t->renameUser(tip, nameArg(name)) ? 0 : -1;
}

int32_t aatTipGetAttrib(void* table, int32_t tip)
{
    const Tip* t = tipOf(table, tip);
    return t ? t->attrib : -1;
}

int32_t aatTipDeleteInfo(void* table, int32_t tip)
{
    TipTable* t = model().tips(table);
    return t && t->removeUser(tip) ? 0 : -1;
}

int32_t aatTipGetMask(void* table, int32_t tip)
{
    const Tip* t = tipOf(table, tip);
    return t ? t->mask : -1;
}

int32_t aatTipSetMask(void* table, int32_t tip, int32_t mask)
{
    Tip* t = tipOf(table, tip);
    if (!t) return -1;
    t->mask = mask & 0x3;
    return 0;
}

double aatTipGetLength(void* table)
{
    const TipTable* t = model().tips(table);
    return t ? t->length() : -1.0;
}

int32_t aatTipSetLength(void* table, double length)
{
    TipTable* t = model().tips(table);
    if (!t || !figapi::inRange(length, 0.01, 999999.0)) return -1;
    t->setLength(length);
    return 0;
}

int32_t aatTipGetDataSt2(void* table, int32_t tip, double* values, int32_t capacity)
{
    return shape(table, tip, values, capacity, true);
}

int32_t aatTipGetDataEn2(void* table, int32_t tip, double* values, int32_t capacity)
{
    return shape(table, tip, values, capacity, false);
}

void registerTipApi()
{
    MOBR_HOST_IMPLEMENT(aatTipGetCount);
    MOBR_HOST_IMPLEMENT(aatTipFindName);
    MOBR_HOST_IMPLEMENT(aatTipFindLocalName);
    MOBR_HOST_IMPLEMENT(aatTipGetLocalName);
    MOBR_HOST_IMPLEMENT(aatTipSetName);
    MOBR_HOST_IMPLEMENT(aatTipGetAttrib);
    MOBR_HOST_IMPLEMENT(aatTipDeleteInfo);
    MOBR_HOST_IMPLEMENT(aatTipGetMask);
    MOBR_HOST_IMPLEMENT(aatTipSetMask);
    MOBR_HOST_IMPLEMENT(aatTipGetLength);
    MOBR_HOST_IMPLEMENT(aatTipSetLength);
    MOBR_HOST_IMPLEMENT(aatTipGetDataSt2);
    MOBR_HOST_IMPLEMENT(aatTipGetDataEn2);
}

}  // namespace mobrhost
