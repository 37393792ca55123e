#pragma once

// The host's side of the host functions: binding each name of
// mobr/host_api.def to the host's implementation, with a compile-time check
// that the implementation has exactly the type of its row, and the list of all
// names with their row index (to report which names a host leaves out).
//
// One row, from namespace ns (the host is built family by family):
//     MOBR_REGISTER_ONE(myhost, aatPenGetCount);
//
// Every row from namespace ns, in a function body:
//     #define MOBR_HOST_FN(ReturnType, name, params, args) MOBR_REGISTER_ONE(myhost, name);
//     #include "mobr/host_api.def"
//     #undef MOBR_HOST_FN
// (an #include cannot live inside a macro, hence the three lines).

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "mobr/host_types.h"
#include "mobrdlg/ZqProcRegistry.h"

namespace hostapi {

// The function pointer type of every row, under the row's name:
// hostapi::signature::aatPenGetCount is int32_t (*)(void*).
namespace signature {
#define MOBR_HOST_FN(ReturnType, name, params, args) using name = ReturnType(*) params;
#include "mobr/host_api.def"
#undef MOBR_HOST_FN
}  // namespace signature

// Every name of the table, in row order (the index is the row index).
inline constexpr std::array kHostFunctionNames = {
#define MOBR_HOST_FN(ReturnType, name, params, args) #name,
#include "mobr/host_api.def"
#undef MOBR_HOST_FN
};

inline constexpr std::size_t kHostFunctionCount = kHostFunctionNames.size();

inline const std::array<const char*, kHostFunctionCount>& allNames() noexcept
{
    return kHostFunctionNames;
}

// Row index of name, or -1 when the table has no such row.
inline int rowIndex(const char* name) noexcept
{
    if (!name) return -1;
    for (std::size_t i = 0; i < kHostFunctionCount; ++i) {
        if (std::strcmp(kHostFunctionNames[i], name) == 0) return static_cast<int>(i);
    }
    return -1;
}

// Registers function under name and returns the function registered before.
// Callers go through MOBR_REGISTER_ONE, which checks the type first.
template <typename Function>
inline void* registerHostFunction(const char* name, Function function) noexcept
{
    static_assert(std::is_pointer_v<Function> && std::is_function_v<std::remove_pointer_t<Function>>,
                  "a host function is registered by its address");
    return aatDlgDllSetZqProcPtr(name, reinterpret_cast<void*>(function));
}

}  // namespace hostapi

// Binds the row `name` to ns::name. Fails to compile when ns::name does not
// have exactly the row's type (a wrong parameter or result type would
// otherwise be called through the wrong type at run time).
#define MOBR_REGISTER_ONE(ns, name)                                                      \
    do {                                                                                 \
        static_assert(std::is_same_v<decltype(&ns::name), ::hostapi::signature::name>,   \
                      #ns "::" #name " does not have the type of its row in host_api.def"); \
        ::hostapi::registerHostFunction(#name, &ns::name);                               \
    } while (false)
