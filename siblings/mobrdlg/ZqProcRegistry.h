#pragma once

#include <stddef.h>

#include "mobr/export.h"

// The registry of host functions by name. The host registers each of its
// functions under its name once at start; the module looks a name up on every
// call. One registry per process: it lives in this shared library.
extern "C" {

// Host function registered under `name`, or null when there is none.
MOBR_API void* aatDlgDllGetZqProcPtr(const char* name);

// The same for a name of known length (no terminating zero needed): what the
// module's wrappers call, since they know each name's length at compile time.
MOBR_API void* aatDlgDllFindZqProc(const char* name, size_t length);

// Registers (or replaces, when `function` is not null) or removes (null) the
// host function for `name`. Returns the function registered before, or null.
MOBR_API void* aatDlgDllSetZqProcPtr(const char* name, void* function);

// Removes every registration (a host shutting down, a test ending).
MOBR_API void aatDlgDllClearZqProcPtr(void);

}
