// Figure file loader: any file is refused with a message or loaded; a loaded
// figure saves to a file that loads again.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "store/FigureFile.h"
#include "store/FigureJson.h"

namespace {

std::string folder()
{
    static const std::string path = [] {
        char pattern[] = "/tmp/fuzz_figure_file_XXXXXX";
        const char* made = mkdtemp(pattern);
        return std::string(made ? made : "/tmp");
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input = folder() + "/input.mfg";
    FILE* f = std::fopen(input.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    std::string error;
    auto figure = mobrhost::FigureFile::load(input, &error);
    if (!figure) {
        if (error.empty()) std::abort();
        return 0;
    }
    const std::string output = folder() + "/output.mfg";
    if (!mobrhost::FigureFile::save(*figure, output, &error)) std::abort();
    auto again = mobrhost::FigureFile::load(output, &error);
    if (!again || mobrhost::FigureJson::exportText(*again) != mobrhost::FigureJson::exportText(*figure)) std::abort();
    return 0;
}
