// The recolour pass over a figure of 1,000,000 elements in blocks of sixteen:
// a hatch with two boundary lines, a group that keeps its members' colours
// holding an inner group with a circle and an arc, a plain group with a text
// and a line, and loose lines, arcs, circles and texts, one of them flagged to
// keep its colour, and a point. Half of the recoloured elements start with
// colour 0, the others with a colour no pen has, so every pass writes about
// 500,000 records. BM_BareReadLoop makes the same reads (records, hatch
// words, owner chains) and recolours nothing: the pass's own cost is the
// difference.

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>

#include "api/HostRuntime.h"
#include "attributes/RecolourPass.h"
#include "frame/HostApi.h"
#include "model/Bytes.h"
#include "model/FigureModel.h"

// Every allocation through operator new is counted, so that the benchmark
// can show how many the pass makes (none per element).
namespace {
std::atomic<long long> gAllocations{0};
}

void* operator new(std::size_t size)
{
    gAllocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

// Peak resident memory of the process so far, in megabytes.
double peakResidentMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Resident memory now, in megabytes.
double residentMegabytes()
{
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return static_cast<double>(resident) * 4096.0 / (1024.0 * 1024.0);
}

constexpr int32_t kElements = 1000000;
constexpr int32_t kBlock = 16;
constexpr int kYellow = 5;   // no default pen has it

namespace el = mobrhost::element;
using Record = mobrhost::ElementDatabase::Record;

// Kind and owner (as an offset within the block, -1 none) of each position.
struct Shape {
    uint16_t kind;
    int owner;
    uint32_t groupFlags;
};
constexpr Shape kShapes[kBlock] = {
    {el::Hatch, -1, 0},  {el::Line, 0, 0},    {el::Line, 0, 0},   {el::Group, -1, 0x08},
    {el::Group, 3, 0},   {el::Circle, 4, 0},  {el::Arc, 4, 0},    {el::Group, -1, 0},
    {el::Text, 7, 0},    {el::Line, 7, 0},    {el::Line, -1, 0},  {el::Arc, -1, 0},
    {el::Circle, -1, 0}, {el::Text, -1, 0},   {el::Line, -1, 0},  {el::Point, -1, 0},
};
constexpr int kFlaggedPosition = 14;

int penOf(int32_t index) { return 1 + (index / 3) % 5; }
int startColourOf(int32_t index) { return (index / kBlock) % 2 == 0 ? 0 : kYellow; }

// Puts slot `index` (0-based) back to its starting colours.
void resetColours(Record& r, int32_t index)
{
    const int pen = penOf(index);
    const int colour = startColourOf(index);
    r[el::kColour] = static_cast<unsigned char>(colour);
    if (kShapes[index % kBlock].kind == el::Hatch)
        mobrhost::bytes::setU32(r.data(), el::kHatchAttrib, static_cast<uint32_t>(pen | (colour << 16)));
}

void prepare()
{
    static bool done = false;
    if (done) return;
    done = true;
    std::string error;
    if (!mobrhost::startHost(mobrhost::HostStart{}, &error)) std::fprintf(stderr, "host start: %s\n", error.c_str());
    mobrhost::journalEnable(false);
    auto f = mobrhost::Figure::makeDefault();
    f->elements.reserve(0, kElements);
    for (int32_t i = 0; i < kElements; ++i) {
        const Shape& shape = kShapes[i % kBlock];
        Record r{};
        mobrhost::bytes::setU16(r.data(), el::kKind, shape.kind);
        const int32_t blockStart = i - i % kBlock;
        mobrhost::bytes::setI32(r.data(), el::kOwner, shape.owner < 0 ? -1 : blockStart + shape.owner + 1);
        mobrhost::bytes::setU32(r.data(), el::kGroupFlags, shape.groupFlags);
        if (i % kBlock == kFlaggedPosition) mobrhost::bytes::setU16(r.data(), el::kFlags, el::kKeepColourFlag);
        r[el::kPen] = static_cast<unsigned char>(penOf(i));
        resetColours(r, i);
        mobrhost::bytes::setF64(r.data(), el::kGeometry, i * 0.5);
        f->elements.append(0, r);
    }
    mobrhost::FigureModel::instance().replaceFigure(0, std::move(f));
}

void resetFigure()
{
    auto& records = mobrhost::FigureModel::instance().figure(0)->elements.records(0);
    for (int32_t i = 0; i < static_cast<int32_t>(records.size()); ++i) resetColours(records[static_cast<std::size_t>(i)], i);
}

void BM_RecolourPass(benchmark::State& state)
{
    prepare();
    int64_t written = 0;
    long long allocations = 0;
    double residentGrowth = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        resetFigure();
        const double residentBefore = residentMegabytes();
        const long long allocationsBefore = gAllocations.load();
        state.ResumeTiming();
        CRecolourPass pass(0);
        if (!pass.run()) state.SkipWithError("the pass stopped");
        state.PauseTiming();
        allocations = gAllocations.load() - allocationsBefore;
        residentGrowth = std::max(residentGrowth, residentMegabytes() - residentBefore);
        state.ResumeTiming();
        written = pass.written();
    }
    state.counters["written"] = static_cast<double>(written);
    // Allocations of one pass over the million elements (a constant few for
    // the wait cursor, none per element), growth of resident memory over a
    // pass, and the peak resident memory of the whole run.
    state.counters["allocs_per_pass"] = static_cast<double>(allocations);
    state.counters["rss_growth_MB"] = residentGrowth;
    state.counters["peak_rss_MB"] = peakResidentMegabytes();
    state.SetItemsProcessed(state.iterations() * kElements);
}
BENCHMARK(BM_RecolourPass)->Unit(benchmark::kMillisecond);

void BM_BareReadLoop(benchmark::State& state)
{
    prepare();
    int64_t sum = 0;
    for (auto _ : state) {
        unsigned char status[64];
        hostapi::aatDbStatus(0, status);
        benchmark::DoNotOptimize(hostapi::aatFigGetPenInfo(0));
        benchmark::DoNotOptimize(hostapi::aatFigGetPenExInfo(0));
        const int32_t count = mobrhost::bytes::i32(status, 8);
        unsigned char record[128];
        unsigned char owner[128];
        for (int32_t n = 1; n <= count; ++n) {
            if (hostapi::aatDbRead(0, n, record) != 0) continue;
            if (mobrhost::bytes::u16(record, el::kFlags) & el::kKeepColourFlag) continue;
            if (hostapi::aatChkHatInfoParent(record)) {
                int32_t first = -1, second = 1, word = 0;
                hostapi::aatHatInfoAtrbGet(0, n, 1, &first, &second, &word);
                sum += word;
                continue;
            }
            const uint16_t kind = mobrhost::bytes::u16(record, el::kKind);
            if (kind != el::Line && kind != el::Arc && kind != el::Circle && kind != el::Text) continue;
            for (int32_t link = mobrhost::bytes::i32(record, el::kOwner); link != -1;) {
                if (hostapi::aatDbRead(0, link, owner) != 0) break;
                if (mobrhost::bytes::u16(owner, el::kKind) == el::Group &&
                    (mobrhost::bytes::u32(owner, el::kGroupFlags) & el::kGroupKeepMask))
                    break;
                link = mobrhost::bytes::i32(owner, el::kOwner);
            }
            sum += record[el::kPen];
        }
    }
    benchmark::DoNotOptimize(sum);
    state.SetItemsProcessed(state.iterations() * kElements);
}
BENCHMARK(BM_BareReadLoop)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    // The pass shows the wait cursor, which needs a GUI application.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
