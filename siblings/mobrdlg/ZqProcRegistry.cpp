#include "mobrdlg/ZqProcRegistry.h"

#include <array>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

// The perfect hash of every host_api.def name, generated at build time by
// gperf: HostNameHash::find(name, length) answers the row's slot or null.
#include "HostNames.inc"

namespace {

// Lookups run on every host call (millions of times in a conversion), so the
// names of the host table are found through the generated perfect hash and
// their functions kept in a fixed array: one hash over a few characters, one
// compare of the name, one load. The name is still looked up on every call,
// so a host may replace any function at any time.
std::array<void*, kHostNameCount>& fixedSlots()
{
    static std::array<void*, kHostNameCount> slots{};
    return slots;
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

void** fixedSlotOf(const char* name, size_t length)
{
    const HostNameSlot* word = HostNameHash::find(name, length);
    return word ? &fixedSlots()[static_cast<size_t>(word->slot)] : nullptr;
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
    const auto& map = otherNames();
    if (map.empty()) return nullptr;
    auto it = map.find(std::string_view(name, length));
    return it == map.end() ? nullptr : it->second.function;
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
