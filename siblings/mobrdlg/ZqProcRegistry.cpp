#include "mobrdlg/ZqProcRegistry.h"

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

namespace {

// Lookups run on every host call, so they must not allocate: the map is keyed
// by views into name strings that each entry owns (heap strings do not move
// when the map rehashes).
struct Entry {
    std::unique_ptr<std::string> name;
    void* function = nullptr;
};

std::unordered_map<std::string_view, Entry>& registry()
{
    static std::unordered_map<std::string_view, Entry> byName(1024);
    return byName;
}

}  // namespace

void* aatDlgDllGetZqProcPtr(const char* name)
{
    if (!name) return nullptr;
    const auto& map = registry();
    auto it = map.find(std::string_view(name));
    return it == map.end() ? nullptr : it->second.function;
}

void* aatDlgDllSetZqProcPtr(const char* name, void* function)
{
    if (!name || !*name) return nullptr;
    auto& map = registry();
    auto it = map.find(std::string_view(name));
    void* previous = it == map.end() ? nullptr : it->second.function;
    if (!function) {
        if (it != map.end()) map.erase(it);
    } else if (it != map.end()) {
        it->second.function = function;
    } else {
        Entry entry{std::make_unique<std::string>(name), function};
        std::string_view key(*entry.name);
        map.emplace(key, std::move(entry));
    }
    return previous;
}

void aatDlgDllClearZqProcPtr(void)
{
    registry().clear();
}
