#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// The renames one page made in one of the host's rename lists (pens, widths
// or colours) during one sheet. The host applies a list as one simultaneous
// mapping from the names the sketch data holds, which lets two names swap;
// so a rename of a name renamed earlier in the same sheet is composed here
// (A to B, then B to C, is A to C) and the host's list is written again.
// A rename that changes nothing is not recorded.
class CRenameList {
public:
    using Add = std::int32_t (*)(const char* oldName, const char* newName);
    using Clear = std::int32_t (*)();

    CRenameList(Add add, Clear clear) : add_(add), clear_(clear) {}

    // `oldName` became `newName`.
    void record(const std::string& oldName, const std::string& newName);
    // The pairs as the host's list holds them, in recording order.
    const std::vector<std::pair<std::string, std::string>>& pairs() const { return pairs_; }

private:
    void rewrite();

    Add add_;
    Clear clear_;
    std::vector<std::pair<std::string, std::string>> pairs_;
};
