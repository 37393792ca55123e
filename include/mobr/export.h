#pragma once

// Symbols are hidden by default; MOBR_API marks what a shared library offers
// to the others (sibling classes, the registry, the module's entry points).
#define MOBR_API __attribute__((visibility("default")))
