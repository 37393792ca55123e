#pragma once

// Loads the settings module once per test program through the platform's
// library loader, as a host does, and offers a small recording host for the
// few host functions the module frame calls.

#include <string>
#include <vector>

#include "mobr/entrypoints.h"
#include "platform/Library.h"

namespace moduletest {

// Folder of the built module and its resource file (ends with "/").
std::string binFolder();

// The loaded module (loaded on first use, freed at program end).
mobr::Library& module();

template <typename Fn>
Fn entry(const char* name)
{
    return module().symbol<Fn>(name);
}

// Calls the host functions received, in order: "aapRunDlgHelp(472)".
std::vector<std::string>& hostCalls();
// Registers the recording host functions (and clears the record).
void installRecordingHost();

}  // namespace moduletest
