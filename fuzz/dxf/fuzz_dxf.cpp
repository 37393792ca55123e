// Feeds arbitrary bytes to the DXF reader (through a memory file, as dxflib
// reads by path) and writes every figure it accepts, which must keep the
// model's rules.

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "DxfExport.h"
#include "DxfImport.h"
#include "store/FigureJson.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const int fd = ::memfd_create("fuzz.dxf", 0);
    if (fd < 0) return 0;
    if (::ftruncate(fd, 0) != 0 || ::pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) return 0;
    const std::string path = "/proc/self/fd/" + std::to_string(fd);
    mobrdxf::DxfReport report;
    std::string error;
    mobrdxf::ReadLimits limits;
    limits.maxElements = 20000;   // keeps one input (with its JSON round trip) under a second
    auto figure = mobrdxf::readDxfFile(path, report, &error, limits);
    if (!figure) return 0;
    // What is read keeps the model's rules: it exports and imports again.
    std::string problem;
    if (!mobrhost::FigureJson::checkElements(*figure, &problem)) std::abort();
    if (!mobrhost::FigureJson::importText(mobrhost::FigureJson::exportText(*figure), &problem)) std::abort();
    mobrdxf::DxfReport written;
    (void)mobrdxf::writeDxf(*figure, mobrdxf::DxfVersion::R2000, written);
    (void)mobrdxf::writeDxf(*figure, mobrdxf::DxfVersion::R12, written);
    return 0;
}
