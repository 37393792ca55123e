// Figure file loader: any file is refused with a message or loaded, within
// its time bound; a loaded figure exports to JSON that imports again (one set
// of rules for loader, import and export) and saves to a file that loads
// again. Run with -timeout=10 so that a hang is a finding.

#include <unistd.h>

#include <chrono>
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
    const auto started = std::chrono::steady_clock::now();
    auto figure = mobrhost::FigureFile::load(input, &error);
    // The loader's own bound is one second for any file below 16 MB.
    if (std::chrono::steady_clock::now() - started > std::chrono::seconds(3)) std::abort();
    if (!figure) {
        if (error.empty()) std::abort();
        return 0;
    }
    // What loads can be exported and imported again.
    if (!mobrhost::FigureJson::importText(mobrhost::FigureJson::exportText(*figure), &error)) {
        std::fprintf(stderr, "loaded but not importable: %s\n", error.c_str());
        std::abort();
    }
    const std::string output = folder() + "/output.mfg";
    if (!mobrhost::FigureFile::save(*figure, output, &error)) std::abort();
    auto again = mobrhost::FigureFile::load(output, &error);
    if (!again || mobrhost::FigureJson::exportText(*again) != mobrhost::FigureJson::exportText(*figure)) std::abort();
    return 0;
}
