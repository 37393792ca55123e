#pragma once

// The three rename lists of (old name, new name) pairs for pens, widths and
// colours, and their application to a figure's sketch references. All pairs
// of a list apply at once: a reference is renamed by the first pair whose old
// name it has, and a renamed reference is not renamed again by a later pair
// (so swapping two names through the list works).

#include "mobr/export.h"
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "model/Figure.h"

namespace mobrhost {

class MOBR_API RenameLists {
public:
    enum Kind { Pens = 0, Widths = 1, Colours = 2 };
    using Pairs = std::vector<std::pair<std::string, std::string>>;
    static constexpr std::size_t kMaxPairs = 4096;

    bool add(Kind kind, std::string oldName, std::string newName);
    void clear(Kind kind) { lists_[kind].clear(); }
    void clearAll();
    const Pairs& pairs(Kind kind) const { return lists_[kind]; }

    // Renames the figure's sketch references of that kind; pens also take
    // the names of their renamed widths from the width list when given.
    // Returns the number of references renamed.
    int32_t apply(Kind kind, Figure& figure) const;

private:
    std::array<Pairs, 3> lists_;
};

}  // namespace mobrhost
