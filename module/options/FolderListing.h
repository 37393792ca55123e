#pragma once

#include <string>
#include <vector>

// The files of a folder that match "%s*.%s" (the folder text used as a
// prefix exactly as given, and an extension), sorted by name the way the
// host code page compares names: case-insensitively, exact bytes breaking
// ties. Every list and every "first entry" is then the same on every file
// system, whatever order the folder returns.
std::vector<std::string> ListFolderFiles(const std::string& prefix, const std::string& extension);
