#include "options/FolderListing.h"

#include <algorithm>

#include "platform/CodePage.h"
#include "platform/Files.h"

std::vector<std::string> ListFolderFiles(const std::string& prefix, const std::string& extension)
{
    std::vector<std::string> names;
    mobr::files::findFiles(prefix, extension, names);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const int order = mobr::cp932::compareNoCase(a, b);
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}
