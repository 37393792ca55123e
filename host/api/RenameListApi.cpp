// The rename lists of pens, widths and colours, and their application to the
// sketch references of a figure.

#include "api/Families.h"
#include "api/FigureApiSupport.h"

namespace mobrhost {

using figapi::model;

namespace {

int32_t addPair(RenameLists::Kind kind, const char* oldName, const char* newName)
{
    return model().renames().add(kind, nameArg(oldName), nameArg(newName)) ? 0 : -1;
}

}  // namespace

int32_t AddPenNameStringList(const char* oldName, const char* newName)
{
    return addPair(RenameLists::Pens, oldName, newName);
}

int32_t AddWidthNameStringList(const char* oldName, const char* newName)
{
    return addPair(RenameLists::Widths, oldName, newName);
}

int32_t AddColorNameStringList(const char* oldName, const char* newName)
{
    return addPair(RenameLists::Colours, oldName, newName);
}

int32_t ClearPenNameStringList()
{
    model().renames().clear(RenameLists::Pens);
    return 0;
}

int32_t ClearWidthNameStringList()
{
    model().renames().clear(RenameLists::Widths);
    return 0;
}

int32_t ClearColorNameStringList()
{
    model().renames().clear(RenameLists::Colours);
    return 0;
}

int32_t ChangeSketchPenName(short fig, void* pens, void* widths)
{
    Figure* f = model().figure(fig);
    const PenTable* p = model().pens(pens);
    const WidthTable* w = model().widths(widths);
    if (!f || !p || !w) return 0;
    model().renames().apply(RenameLists::Pens, *f);
    // Each pen reference names its pen's width as the given tables have it.
    for (SketchRef& ref : f->sketch) {
        if (ref.kind != SketchRef::PenRef) continue;
        const Pen* pen = p->at(p->find(ref.name));
        const Width* width = pen ? w->at(pen->width) : nullptr;
        if (width) ref.widthName = width->name;
    }
    f->changed = true;
    return 1;
}

int32_t ChangeSketchWidthName(short fig, void* widths)
{
    Figure* f = model().figure(fig);
    if (!f || !model().widths(widths)) return 0;
    model().renames().apply(RenameLists::Widths, *f);
    f->changed = true;
    return 1;
}

int32_t ChangeSketchColorName(short fig, void* colours)
{
    Figure* f = model().figure(fig);
    if (!f || !model().colours(colours)) return 0;
    model().renames().apply(RenameLists::Colours, *f);
    f->changed = true;
    return 1;
}

void registerRenameListApi()
{
    MOBR_HOST_IMPLEMENT(AddPenNameStringList);
    MOBR_HOST_IMPLEMENT(AddWidthNameStringList);
    MOBR_HOST_IMPLEMENT(AddColorNameStringList);
    MOBR_HOST_IMPLEMENT(ClearPenNameStringList);
    MOBR_HOST_IMPLEMENT(ClearWidthNameStringList);
    MOBR_HOST_IMPLEMENT(ClearColorNameStringList);
    MOBR_HOST_IMPLEMENT(ChangeSketchPenName);
    MOBR_HOST_IMPLEMENT(ChangeSketchWidthName);
    MOBR_HOST_IMPLEMENT(ChangeSketchColorName);
}

}  // namespace mobrhost
