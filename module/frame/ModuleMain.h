#pragma once

// The module's state between attach and detach.
namespace module {

// The module's own instance handle (the loader's handle of this library), or
// null before attach and after detach.
void* instanceHandle();

// The folder this library was loaded from, ending in "/".
const char* moduleFolder();

// File name of the resource file that must lie next to the module.
inline constexpr char kResourceFileName[] = "ZQRCTMPL.rcc";

// Message shown when the resource file cannot be loaded.
inline constexpr int kMsgResourceMissing = 950;

}  // namespace module
