#pragma once

// The layers of a figure: 16 groups of 16 layers, each with a colour number
// (0: the pen's colour) and an optional name (host code page, at most 16
// bytes, distinct without regard to case; empty when the layer has none).

#include "mobr/export.h"
#include <array>
#include <string>
#include <string_view>

#include "model/HostTable.h"

namespace mobrhost {

class MOBR_API LayerTable : public HostTable {
public:
    static constexpr int32_t kGroups = 16;
    static constexpr int32_t kLayers = 16;

    LayerTable() : HostTable(TableKind::Layer) { touch(); }

    int32_t count() const override { return kGroups * kLayers; }
    std::unique_ptr<HostTable> cloneTable() const override { return std::make_unique<LayerTable>(*this); }

    static bool valid(int32_t group, int32_t layer)
    {
        return group >= 0 && group < kGroups && layer >= 0 && layer < kLayers;
    }
    // Colour number of a layer, -1 for a layer that does not exist.
    int32_t colour(int32_t group, int32_t layer) const
    {
        return valid(group, layer) ? colours_[static_cast<std::size_t>(group * kLayers + layer)] : -1;
    }
    bool setColour(int32_t group, int32_t layer, int32_t colour)
    {
        if (!valid(group, layer) || colour < 0) return false;
        colours_[static_cast<std::size_t>(group * kLayers + layer)] = colour;
        return true;
    }
    std::array<int32_t, kGroups * kLayers>& colours() { return colours_; }
    const std::array<int32_t, kGroups * kLayers>& colours() const { return colours_; }

    static constexpr std::size_t kNameBytes = 16;
    // Name of a layer, empty for an unnamed layer or one that does not exist.
    const std::string& name(int32_t group, int32_t layer) const;
    // Why a layer cannot take this name (empty when it can): longer than
    // kNameBytes, a control character, or the name of another layer. An empty
    // name takes the layer's name away.
    std::string nameProblem(int32_t group, int32_t layer, std::string_view name) const;
    bool setName(int32_t group, int32_t layer, std::string name);
    bool hasNames() const;

private:
    std::array<int32_t, kGroups * kLayers> colours_{};
    std::array<std::string, kGroups * kLayers> names_{};
};

}  // namespace mobrhost
