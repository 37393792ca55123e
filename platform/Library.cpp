#include "platform/Library.h"

#include <cstring>
#include <mutex>
#include <unordered_map>
#include <utility>

#include <dlfcn.h>
#include <link.h>

namespace mobr {

namespace {

// How often each library was loaded through this loader: the attach entry
// runs on the first load and the detach entry on the last free, as a library
// loaded twice is still only one library in the process.
struct LoadCounts {
    std::mutex mutex;
    std::unordered_map<void*, int> counts;
};

LoadCounts& loadCounts()
{
    static LoadCounts counts;
    return counts;
}

// The attach entry of exactly this library (not one found in a library it
// depends on), or null.
MobrDllMainFn attachEntry(void* handle)
{
    void* symbol = ::dlsym(handle, kAttachEntryName);
    if (symbol == nullptr)
        return nullptr;
    link_map* map = nullptr;
    Dl_info info{};
    if (::dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr
        || ::dladdr(symbol, &info) == 0 || info.dli_fname == nullptr || map->l_name == nullptr
        || std::strcmp(info.dli_fname, map->l_name) != 0)
        return nullptr;
    return reinterpret_cast<MobrDllMainFn>(symbol);
}

}  // namespace

void* loadLibrary(const char* path, std::string* error)
{
    if (path == nullptr || *path == '\0') {
        if (error)
            *error = "no library path given";
        return nullptr;
    }
    ::dlerror();
    void* handle = ::dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        if (error) {
            const char* text = ::dlerror();
            *error = text ? text : std::string("cannot load ") + path;
        }
        return nullptr;
    }
    LoadCounts& counts = loadCounts();
    std::unique_lock<std::mutex> lock(counts.mutex);
    int& count = counts.counts[handle];
    if (count++ > 0)
        return handle;
    // The entry may load libraries itself: do not hold the lock meanwhile.
    lock.unlock();
    const MobrDllMainFn entry = attachEntry(handle);
    if (entry != nullptr && entry(handle, kProcessAttach) == 0) {
        lock.lock();
        counts.counts.erase(handle);
        lock.unlock();
        ::dlclose(handle);
        if (error)
            *error = std::string(path) + ": the library refused to load (attach entry returned 0)";
        return nullptr;
    }
    return handle;
}

int freeLibrary(void* handle)
{
    if (handle == nullptr)
        return 0;
    LoadCounts& counts = loadCounts();
    std::unique_lock<std::mutex> lock(counts.mutex);
    const auto it = counts.counts.find(handle);
    bool detach = false;
    if (it != counts.counts.end() && --it->second == 0) {
        counts.counts.erase(it);
        detach = true;
    }
    lock.unlock();
    if (detach) {
        if (const MobrDllMainFn entry = attachEntry(handle))
            entry(handle, kProcessDetach);
    }
    return ::dlclose(handle) == 0 ? 1 : 0;
}

void* librarySymbol(void* handle, const char* name)
{
    if (handle == nullptr || name == nullptr)
        return nullptr;
    return ::dlsym(handle, name);
}

Library::Library(const std::string& path)
{
    load(path);
}

Library::~Library()
{
    unload();
}

Library::Library(Library&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), error_(std::move(other.error_))
{
}

Library& Library::operator=(Library&& other) noexcept
{
    if (this != &other) {
        unload();
        handle_ = std::exchange(other.handle_, nullptr);
        error_ = std::move(other.error_);
    }
    return *this;
}

bool Library::load(const std::string& path)
{
    unload();
    error_.clear();
    handle_ = loadLibrary(path.c_str(), &error_);
    return handle_ != nullptr;
}

int Library::unload()
{
    if (handle_ == nullptr)
        return 0;
    return freeLibrary(std::exchange(handle_, nullptr));
}

}  // namespace mobr
