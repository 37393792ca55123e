#pragma once

// The module's side of the host functions: one inline wrapper per row of
// mobr/host_api.def, named and typed like the host function. Every call looks
// the name up again in the dialog library's registry (the host may replace a
// function at any time) and forwards its arguments unchanged. A name that the
// host does not provide ends the call with MissingHostFunction instead of a
// jump through a null pointer.

#include <cstdint>
#include <stdexcept>
#include <string>

#include "mobr/host_types.h"
#include "mobrdlg/ZqProcRegistry.h"

namespace hostapi {

// Thrown by a wrapper whose host function is not registered.
class MissingHostFunction : public std::runtime_error {
public:
    explicit MissingHostFunction(const std::string& name);

    // The name that was looked up.
    const std::string& name() const noexcept { return name_; }

private:
    std::string name_;
};

// Reports the missing name on stderr and throws MissingHostFunction. Kept out
// of line so that the wrappers' fast path stays a lookup and an indirect call.
[[noreturn]] void missingHostFunction(const char* name);

#define MOBR_HOST_FN(ReturnType, name, params, args)                           \
    inline ReturnType name params                                             \
    {                                                                         \
        using Function = ReturnType(*) params;                                \
        void* const address = aatDlgDllFindZqProc(#name, sizeof(#name) - 1);  \
        if (__builtin_expect(address == nullptr, 0)) missingHostFunction(#name); \
        return reinterpret_cast<Function>(address) args;                      \
    }
#include "mobr/host_api.def"
#undef MOBR_HOST_FN

}  // namespace hostapi
