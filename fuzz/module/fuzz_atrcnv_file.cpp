// Reads arbitrary bytes as a conversion definition file and as the history
// file: every kind is read up to its first invalid entry, and what comes back
// keeps the readers' promises (field counts, no separator inside a field, at
// most 999 entries, at most 20 history paths none starting with '#').
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <unistd.h>

#include "atrcnv/CAtrCnvFile.h"

// The readers never reach the host; a host function asked for here is a
// finding (the wrapper throws, which ends the run).
extern "C" void* aatDlgDllGetZqProcPtr(const char*) { return nullptr; }

namespace {

std::string scratchFile()
{
    static const std::string path = [] {
        char folder[] = "/dev/shm/mobrfacXXXXXX";
        const char* made = ::mkdtemp(folder);
        return std::string(made ? made : "/tmp") + "/fuzz.fac";
    }();
    return path;
}

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "check failed: %s\n", what);
        std::abort();
    }
}

bool cleanField(const std::string& field)
{
    return field.find(CAtrCnvFile::kSeparator) == std::string::npos && field.size() < 260;
}

void checkNames(const std::vector<atrcnv::NameEntry>& entries)
{
    check(entries.size() <= 999, "at most 999 entries");
    for (const atrcnv::NameEntry& e : entries) check(cleanField(e.source) && cleanField(e.target), "clean fields");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = scratchFile();
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);

    const CAtrCnvFile file(path);
    file.checkVersion();
    check(file.readReferenceFile().size() < 520, "reference path within its buffer");
    std::vector<atrcnv::PenEntry> pens;
    const int penCount = file.readPenEntries(pens);
    check(penCount == static_cast<int>(pens.size()) && penCount <= 999, "pen count");
    for (const atrcnv::PenEntry& p : pens)
        check(cleanField(p.sourcePen) && cleanField(p.targetPen) && cleanField(p.targetColour), "clean pen fields");
    std::vector<atrcnv::NameEntry> widths, colours;
    file.readWidthEntries(widths);
    file.readColourEntries(colours);
    checkNames(widths);
    checkNames(colours);

    std::vector<std::string> references, definitions;
    file.readHistory(references, definitions);
    for (const auto* list : {&references, &definitions}) {
        check(list->size() <= 20, "at most 20 history entries");
        for (const std::string& p : *list) check(!p.empty() && p[0] != '#' && p.size() < 520, "history entry");
    }
    return 0;
}
