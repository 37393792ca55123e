// Index tables (as_...): a display order kept over a host table, handed to
// a commit with ...Ex to renumber the figure's references.

#include "api/Families.h"
#include "api/FigureApiSupport.h"
#include "model/Bytes.h"

namespace mobrhost {

using figapi::model;

void* as_MakeTable(void* countWord, int32_t* out)
{
    // countWord is the second 32-bit word of a host table: its entry count.
    if (!countWord) return nullptr;
    const int32_t count = bytes::i32(countWord, 0);
    void* handle = figapi::handedOut(model().makeIndex(count), "index");
    if (out) *out = handle ? count : -1;
    return handle;
}

int32_t as_FreeTable(void* index)
{
    if (!model().freeIndex(index)) return -1;
    figapi::ended(index);
    return 0;
}

int32_t as_GetTableIndex(void* index, int32_t entry)
{
    const IndexTable* t = model().index(index);
    return t ? t->get(entry) : -1;
}

int32_t as_SetTableIndex(void* index, int32_t entry, int32_t value)
{
    IndexTable* t = model().index(index);
    return t && t->set(entry, value) ? 0 : -1;
}

int32_t as_PackTableIndex(void* index)
{
    IndexTable* t = model().index(index);
    if (!t) return -1;
    t->pack();
    return 0;
}

void* as_TableAddIndex(void* index, int32_t entry)
{
    return figapi::handedOut(model().addIndex(index, entry), "index");
}

int32_t as_TableDeleteIndex(void* index, int32_t entry)
{
    IndexTable* t = model().index(index);
    return t && t->removePosition(entry) ? 0 : -1;
}

int32_t as_TableSwapIndex(void* index, int32_t a, int32_t b)
{
    IndexTable* t = model().index(index);
    return t && t->swapPositions(a, b) ? 0 : -1;
}

void registerIndexTableApi()
{
    MOBR_HOST_IMPLEMENT(as_MakeTable);
    MOBR_HOST_IMPLEMENT(as_FreeTable);
    MOBR_HOST_IMPLEMENT(as_GetTableIndex);
    MOBR_HOST_IMPLEMENT(as_SetTableIndex);
    MOBR_HOST_IMPLEMENT(as_PackTableIndex);
    MOBR_HOST_IMPLEMENT(as_TableAddIndex);
    MOBR_HOST_IMPLEMENT(as_TableDeleteIndex);
    MOBR_HOST_IMPLEMENT(as_TableSwapIndex);
}

}  // namespace mobrhost
