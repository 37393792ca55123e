#include "mobrdlg/ZqProcRegistry.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "mobrdlg/HostNameHash.h"

namespace hostnamehash {
// The seed, displacements and slots of every host_api.def name, generated at
// build time by GenerateHostNameHash.
#include "HostNames.inc"
}  // namespace hostnamehash

namespace {

namespace names = hostnamehash::generated;

// Lookups run on every host call (millions of times in a conversion), so the
// names of the host table are found through the generated perfect hash and
// their functions kept in a fixed array of its slots: one hash of four words
// of the name, one compare with the slot's name, one load. The name is still
// looked up on every call, so a host may replace any function at any time.
std::array<void*, names::kSlots>& fixedSlots()
{
    static std::array<void*, names::kSlots> slots{};
    return slots;
}

// The slot of a host-table name, or null for any other name.
// Inlined into the lookup so that the host-table path is a leaf function.
__attribute__((always_inline)) inline void** fixedSlotOf(const char* name, size_t length)
{
    using namespace hostnamehash;
    if (length < kMinNameLength || length > names::kLongestName) return nullptr;
    const uint64_t key = nameKey(name, length, names::kMultipliers);
    const size_t slot = slotOf(key, names::kBucketBits, names::kSlotBits, names::kDisplacement[bucketOf(key, names::kBucketBits)]);
    const uint32_t entry = names::kEntry[slot];
    if ((entry & 0xFFu) != length || !sameName(name, names::kPool + (entry >> 8), length)) return nullptr;
    return &fixedSlots()[slot];
}

// Names outside the host table (a host's own extras, tests) live in a map. It
// must not allocate on lookup: it is keyed by views into name strings that
// each entry owns (heap strings do not move when the map rehashes).
struct Entry {
    std::unique_ptr<std::string> name;
    void* function = nullptr;
};

std::unordered_map<std::string_view, Entry>& otherNames()
{
    static std::unordered_map<std::string_view, Entry> byName;
    return byName;
}

// Kept out of line so that the host-table path above needs no stack frame.
__attribute__((noinline)) void* findOtherName(const char* name, size_t length)
{
    const auto& map = otherNames();
    if (map.empty()) return nullptr;
    auto it = map.find(std::string_view(name, length));
    return it == map.end() ? nullptr : it->second.function;
}

}  // namespace

void* aatDlgDllGetZqProcPtr(const char* name)
{
    return name ? aatDlgDllFindZqProc(name, std::strlen(name)) : nullptr;
}

void* aatDlgDllFindZqProc(const char* name, size_t length)
{
    if (!name) return nullptr;
    if (void** slot = fixedSlotOf(name, length)) return *slot;
    return findOtherName(name, length);
}

void* aatDlgDllSetZqProcPtr(const char* name, void* function)
{
    if (!name || !*name) return nullptr;
    const size_t length = std::strlen(name);
    if (void** slot = fixedSlotOf(name, length)) {
        void* previous = *slot;
        *slot = function;
        return previous;
    }
    auto& map = otherNames();
    auto it = map.find(std::string_view(name, length));
    void* previous = it == map.end() ? nullptr : it->second.function;
    if (!function) {
        if (it != map.end()) map.erase(it);
    } else if (it != map.end()) {
        it->second.function = function;
    } else {
        Entry entry{std::make_unique<std::string>(name, length), function};
        std::string_view key(*entry.name);
        map.emplace(key, std::move(entry));
    }
    return previous;
}

void aatDlgDllClearZqProcPtr(void)
{
    fixedSlots().fill(nullptr);
    otherNames().clear();
}
