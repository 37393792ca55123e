#include "model/LayerTable.h"

#include <algorithm>

#include "platform/CodePage.h"

namespace mobrhost {

namespace {
const std::string kNoName;
}

const std::string& LayerTable::name(int32_t group, int32_t layer) const
{
    return valid(group, layer) ? names_[static_cast<std::size_t>(group * kLayers + layer)] : kNoName;
}

std::string LayerTable::nameProblem(int32_t group, int32_t layer, std::string_view name) const
{
    if (!valid(group, layer)) return "there is no such layer";
    if (name.empty()) return {};
    if (name.size() > kNameBytes) return "longer than " + std::to_string(kNameBytes) + " bytes";
    if (mobr::cp932::endsWithBrokenChar(name)) return "ends in half a double-byte character";
    if (std::any_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }))
        return "contains a control character";
    const std::size_t own = static_cast<std::size_t>(group * kLayers + layer);
    const std::string folded = mobr::cp932::foldCase(name);
    for (std::size_t slot = 0; slot < names_.size(); ++slot) {
        if (slot != own && !names_[slot].empty() && mobr::cp932::foldCase(names_[slot]) == folded)
            return "the name of group " + std::to_string(slot / kLayers) + " layer " + std::to_string(slot % kLayers);
    }
    return {};
}

bool LayerTable::setName(int32_t group, int32_t layer, std::string name)
{
    if (!nameProblem(group, layer, name).empty()) return false;
    names_[static_cast<std::size_t>(group * kLayers + layer)] = std::move(name);
    return true;
}

bool LayerTable::hasNames() const
{
    return std::any_of(names_.begin(), names_.end(), [](const std::string& n) { return !n.empty(); });
}

}  // namespace mobrhost
