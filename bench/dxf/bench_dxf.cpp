// A DXF drawing of 1,000,000 entities (lines, arcs and texts in turn):
// reading it into a figure and writing a figure of that size as DXF R2000.
// Peak resident memory of each phase is the counter peak_MB (the high-water
// mark is reset before each phase). The file stays in /tmp/bench_dxf.dxf so
// that other readers can be timed on the same drawing.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <limits>
#include <string>

#include "../BenchMemory.h"
#include "DxfExport.h"
#include "DxfImport.h"
#include "model/Bytes.h"

namespace {

constexpr int32_t kElements = 1000000;
// MOBR_BENCH_DXF names another file (engineers sharing a machine each their own).
const std::string kPath = std::getenv("MOBR_BENCH_DXF") ? std::getenv("MOBR_BENCH_DXF") : "/tmp/bench_dxf.dxf";

namespace element = mobrhost::element;
namespace bytes = mobr::bytes;

using benchmemory::peakMegabytes;
using benchmemory::resetPeak;

std::unique_ptr<mobrhost::Figure> millionFigure()
{
    auto f = mobrhost::Figure::makeDefault();
    f->elements.reserve(0, kElements);
    for (int32_t i = 0; i < kElements; ++i) {
        mobrhost::ElementDatabase::Record r{};
        unsigned char* p = r.data();
        const uint16_t kind = i % 3 == 0 ? element::Line : i % 3 == 1 ? element::Arc : element::Text;
        bytes::put<uint16_t>(p, element::kKind, kind);
        bytes::put<int32_t>(p, element::kOwner, -1);
        p[element::kPen] = static_cast<unsigned char>(1 + i % 5);
        p[element::kColour] = static_cast<unsigned char>(1 + i % 8);
        const double x = (i % 1000) * 10.0, y = (i / 1000) * 10.0;
        const double g[5] = {x, y, kind == element::Line ? x + 7.5 : 3.25, kind == element::Text ? 0.0 : y + 2.5, 90.0};
        for (int k = 0; k < 5; ++k) bytes::put<double>(p, element::kGeometry + 8 * k, g[k]);
        if (kind == element::Text) {
            bytes::put<double>(p, element::kGeometry + 24, 0.0);
            std::memcpy(p + element::kText, "TEXT 123", 8);
            bytes::put<uint16_t>(p, element::kFont, 1);
        }
        f->elements.append(0, r);
    }
    return f;
}

void BM_SaveDxf(benchmark::State& state)
{
    auto figure = millionFigure();
    double peak = 0;
    for (auto _ : state) {
        resetPeak();
        mobrdxf::DxfReport report;
        std::string error;
        if (!mobrdxf::saveDxfFile(*figure, kPath, mobrdxf::DxfVersion::R2000, report, &error)) state.SkipWithError(error.c_str());
        peak = std::max(peak, peakMegabytes());
    }
    state.counters["peak_MB"] = peak;
}
BENCHMARK(BM_SaveDxf)->Unit(benchmark::kMillisecond)->Iterations(3)->MeasureProcessCPUTime()->UseRealTime();

// Argument 0: parsed in one part; 1: in two parts at once (as mobr opens it).
// One part runs first, in a process without other threads yet.
void BM_OpenDxf(benchmark::State& state)
{
    mobrdxf::ReadLimits limits;
    if (state.range(0) == 0) limits.splitFrom = std::numeric_limits<std::size_t>::max();
    double peak = 0;
    for (auto _ : state) {
        resetPeak();
        mobrdxf::DxfReport report;
        std::string error;
        auto figure = mobrdxf::readDxfFile(kPath, report, &error, limits);
        if (!figure || figure->elements.liveCount(0) != kElements) state.SkipWithError(error.c_str());
        peak = std::max(peak, peakMegabytes());
    }
    state.counters["peak_MB"] = peak;
}
BENCHMARK(BM_OpenDxf)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3)->MeasureProcessCPUTime()->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
