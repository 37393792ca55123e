// libFuzzer target: the figure file reader on arbitrary file contents. The
// input is written to a temporary file and read back through LoadFigCtrl,
// which must refuse or read it without crashing, and may only change the
// control word when it reports success.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

#include "mobrdata/FileZq.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = [] {
        const char* tmp = std::getenv("TMPDIR");
        return std::string(tmp && *tmp ? tmp : "/tmp") + "/fuzz_figfile_" + std::to_string(getpid()) + ".fig";
    }();
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    if (size) std::fwrite(data, 1, size, f);
    std::fclose(f);

    uint32_t control = 0xA5A5A5A5u;
    const int ok = aCFileZq::LoadFigCtrl(path.c_str(), &control);
    if (!ok && control != 0xA5A5A5A5u) std::abort();  // a refusal must not touch the word
    std::remove((path + "-journal").c_str());
    return 0;
}
