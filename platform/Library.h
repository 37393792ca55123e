#pragma once

#include <string>

#include "mobr/export.h"

namespace mobr {

// Reasons passed to a library's attach entry, with the system's values.
inline constexpr unsigned kProcessDetach = 0;
inline constexpr unsigned kProcessAttach = 1;
inline constexpr unsigned kThreadAttach = 2;
inline constexpr unsigned kThreadDetach = 3;

// The attach entry a loadable module may export:
//     extern "C" int MobrDllMain(void* instance, unsigned reason);
// `instance` is the handle returned by loading; the result matters only for
// kProcessAttach, where 0 means "refuse to load".
using MobrDllMainFn = int (*)(void* instance, unsigned reason);
inline constexpr const char* kAttachEntryName = "MobrDllMain";

// Loads a shared library (dlopen with RTLD_NOW | RTLD_LOCAL) and calls its
// attach entry with kProcessAttach. When the entry returns 0 the library is
// closed again (without a detach call) and the result is null. A library
// without the entry loads fine. On failure `error`, when given, receives the
// reason (the loader's own text when the library could not be opened).
MOBR_API void* loadLibrary(const char* path, std::string* error = nullptr);

// Calls the attach entry with kProcessDetach, then closes the library.
// Returns 1, or 0 for a null handle or when closing failed.
MOBR_API int freeLibrary(void* handle);

// The address of an exported symbol, or null.
MOBR_API void* librarySymbol(void* handle, const char* name);

// Owns one loaded library: loads in the constructor (check isLoaded()),
// frees in the destructor or in unload().
class MOBR_API Library {
public:
    Library() = default;
    explicit Library(const std::string& path);
    ~Library();
    Library(Library&& other) noexcept;
    Library& operator=(Library&& other) noexcept;
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    bool load(const std::string& path);
    // Returns 1 when a loaded library was freed.
    int unload();

    bool isLoaded() const { return handle_ != nullptr; }
    void* handle() const { return handle_; }
    const std::string& error() const { return error_; }

    template <typename Fn>
    Fn symbol(const char* name) const {
        return reinterpret_cast<Fn>(librarySymbol(handle_, name));
    }

private:
    void* handle_ = nullptr;
    std::string error_;
};

}  // namespace mobr
