#include "model/RenameLists.h"

#include "model/HostTable.h"

namespace mobrhost {

bool RenameLists::add(Kind kind, std::string oldName, std::string newName)
{
    if (oldName.empty() || newName.empty() || lists_[kind].size() >= kMaxPairs) return false;
    lists_[kind].emplace_back(std::move(oldName), std::move(newName));
    return true;
}

void RenameLists::clearAll()
{
    for (Pairs& p : lists_) p.clear();
}

int32_t RenameLists::apply(Kind kind, Figure& figure) const
{
    const int32_t refKind = kind == Pens ? SketchRef::PenRef : kind == Widths ? SketchRef::WidthRef : SketchRef::ColourRef;
    int32_t renamed = 0;
    for (SketchRef& ref : figure.sketch) {
        if (ref.kind == refKind) {
            for (const auto& [from, to] : lists_[kind]) {
                if (sameName(ref.name, from)) {
                    if (ref.name != to) ++renamed;
                    ref.name = to;
                    break;
                }
            }
        }
        // A pen reference names its width too.
        if (kind == Widths && ref.kind == SketchRef::PenRef) {
            for (const auto& [from, to] : lists_[kind]) {
                if (sameName(ref.widthName, from)) {
                    ref.widthName = to;
                    break;
                }
            }
        }
    }
    return renamed;
}

}  // namespace mobrhost
