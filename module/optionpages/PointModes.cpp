#include "optionpages/PointModes.h"

#include <algorithm>
#include <cstring>

namespace pointmode {

int position(char code)
{
    if (code == '\0') return -1;
    const char* p = std::strchr(kCodes, code);
    return p ? static_cast<int>(p - kCodes) : -1;
}

// ---- Search tables ----------------------------------------------------------------

namespace {

constexpr uint16_t kPointOnLine = 2;
constexpr uint16_t kPointOnLineTwin = 9;

}  // namespace

int SearchTable::count() const
{
    return static_cast<int>(std::find(kinds.begin(), kinds.end(), kEnd) - kinds.begin());
}

bool SearchTable::has(uint16_t kind) const
{
    return std::find(kinds.begin(), kinds.begin() + count(), kind) != kinds.begin() + count();
}

bool SearchTable::add(uint16_t kind)
{
    const int n = count();
    const int needed = kind == kPointOnLine ? 2 : 1;
    if (has(kind) || n + needed > kKinds) return false;
    kinds[static_cast<std::size_t>(n)] = kind;
    if (kind == kPointOnLine) kinds[static_cast<std::size_t>(n + 1)] = kPointOnLineTwin;
    return true;
}

// ---- In-use state and offered order ------------------------------------------------

bool State::defined(int userTable) const
{
    if (userTable < 0 || userTable >= kUserTables) return false;
    const std::string& name = tables[static_cast<std::size_t>(1 + userTable)].name;
    return name.find_first_not_of(' ') != std::string::npos;
}

bool State::available(char code) const
{
    const int pos = position(code);
    if (pos < 0) return false;
    if (pos >= kBuiltIn) return defined(pos - kBuiltIn);
    return code != kRatio || ratioAvailable;
}

uint32_t State::openingMask() const
{
    uint32_t m = 0x7F;
    if (ratioAvailable) m |= bit(kRatio);
    for (int t = 0; t < kUserTables; ++t)
        if (defined(t)) m |= bit(userCode(t));
    return m;
}

std::vector<char> State::availableCodes() const
{
    std::vector<char> codes;
    for (int i = 0; i < kCodeCount; ++i)
        if (available(kCodes[i])) codes.push_back(kCodes[i]);
    return codes;
}

std::string State::offered()
{
    if (mask == 0) mask = openingMask();
    std::string kept;
    auto inUse = [this](char c) { return available(c) && (mask & bit(c)) != 0; };
    for (char c : sort)
        if (inUse(c) && kept.find(c) == std::string::npos) kept += c;
    for (int i = 0; i < kCodeCount; ++i)
        if (inUse(kCodes[i]) && kept.find(kCodes[i]) == std::string::npos) kept += kCodes[i];
    if (kept.empty()) kept = "A";
    sort = kept;
    return sort;
}

void State::setInUse(std::vector<char> selected, const std::vector<char>& forced)
{
    for (char c : forced)
        if (available(c)) selected.push_back(c);
    mask = 0;
    for (char c : selected)
        if (available(c)) mask |= bit(c);
    if (mask == 0) mask = 1;  // the first mode, "A", stays in use
    offered();
}

void State::switchAllOn()
{
    mask = 0;
    sort.clear();
    offered();
}

bool State::moveUp(int index)
{
    if (index <= 0 || index >= static_cast<int>(sort.size())) return false;
    std::swap(sort[static_cast<std::size_t>(index)], sort[static_cast<std::size_t>(index - 1)]);
    return true;
}

bool State::moveDown(int index)
{
    if (index < 0 || index + 1 >= static_cast<int>(sort.size())) return false;
    std::swap(sort[static_cast<std::size_t>(index)], sort[static_cast<std::size_t>(index + 1)]);
    return true;
}

void State::userTableAccepted(int table)
{
    changed = true;
    const char code = userCode(table);
    if (defined(table)) {
        mask |= bit(code);
        return;
    }
    mask &= ~bit(code);
    Sequence& s = sequence();
    for (int slot = 0; slot < kSequenceSlots; ++slot)
        if (s[static_cast<std::size_t>(slot)] == code) s[static_cast<std::size_t>(slot)] = slot == 0 ? kSequenceStart : kNone;
}

// ---- Write-back ---------------------------------------------------------------------

void State::renameCode(char from, char to)
{
    for (int b : kSequenceBytes)
        if (input[static_cast<std::size_t>(b)] == static_cast<unsigned char>(from)) input[static_cast<std::size_t>(b)] = static_cast<unsigned char>(to);
    for (int b : kChoiceBytes)
        if (input[static_cast<std::size_t>(b)] == static_cast<unsigned char>(from)) input[static_cast<std::size_t>(b)] = static_cast<unsigned char>(to);
    for (Sequence& s : sequences) std::replace(s.begin(), s.end(), from, to);
    if (defaultCode == from) defaultCode = to;
    std::replace(sort.begin(), sort.end(), from, to);
    if (mask & bit(from)) mask = (mask & ~bit(from)) | bit(to);
}

bool State::closeGaps()
{
    bool moved = false;
    for (int gap = 0; gap < kUserTables - 1; ++gap) {
        if (defined(gap)) continue;
        int next = gap + 1;
        while (next < kUserTables && !defined(next)) ++next;
        if (next == kUserTables) break;
        tables[static_cast<std::size_t>(1 + gap)] = tables[static_cast<std::size_t>(1 + next)];
        tables[static_cast<std::size_t>(1 + next)] = SearchTable();
        mask &= ~bit(userCode(gap));
        renameCode(userCode(next), userCode(gap));
        moved = true;
    }
    return moved;
}

void State::dropUndefinedCodes()
{
    auto undefinedUser = [this](unsigned char c) {
        const int pos = position(static_cast<char>(c));
        return pos >= kBuiltIn && !defined(pos - kBuiltIn);
    };
    for (char& c : sequence())
        if (undefinedUser(static_cast<unsigned char>(c))) c = kNone;
    for (int b : kChoiceBytes)
        if (undefinedUser(input[static_cast<std::size_t>(b)])) input[static_cast<std::size_t>(b)] = kNone;
    for (int t = 0; t < kUserTables; ++t)
        if (!defined(t)) mask &= ~bit(userCode(t));
    sort.erase(std::remove_if(sort.begin(), sort.end(), [&](char c) { return undefinedUser(static_cast<unsigned char>(c)); }),
               sort.end());
}

}  // namespace pointmode
