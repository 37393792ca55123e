#include "attributes/RenameList.h"

#include <algorithm>

void CRenameList::record(const std::string& oldName, const std::string& newName)
{
    if (oldName == newName) return;
    // The entry called `oldName` now may carry a name it got earlier in this sheet.
    auto earlier = std::find_if(pairs_.begin(), pairs_.end(),
                                [&oldName](const auto& pair) { return pair.second == oldName; });
    if (earlier == pairs_.end()) {
        pairs_.emplace_back(oldName, newName);
        add_(oldName.c_str(), newName.c_str());
        return;
    }
    earlier->second = newName;
    // Renamed back to where it started: the sketch data keeps its name.
    if (earlier->first == earlier->second) pairs_.erase(earlier);
    rewrite();
}

void CRenameList::rewrite()
{
    clear_();
    for (const auto& [from, to] : pairs_) add_(from.c_str(), to.c_str());
}
