// A figure of 1,000,000 elements: opening and saving its file, reading every
// element through the by-name aatDbRead wrapper, updating every tenth, and
// committing a pen copy with an index table (every element renumbered).
// Peak resident memory of each phase is reported as the counter peak_MB
// (the process's high-water mark is reset before each phase).

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include <unistd.h>

#include "../BenchMemory.h"
#include "api/HostRuntime.h"
#include "frame/HostApi.h"
#include "model/Bytes.h"
#include "model/FigureModel.h"
#include "store/FigureFile.h"

namespace {

constexpr int32_t kElements = 1000000;

using mobrhost::FigureModel;
namespace el = mobrhost::element;

std::string folder()
{
    static const std::string path = [] {
        char pattern[] = "/tmp/bench_host_XXXXXX";
        const char* made = mkdtemp(pattern);
        return std::string(made ? made : "/tmp");
    }();
    return path;
}

std::string figurePath()
{
    return folder() + "/million.mfg";
}

using benchmemory::peakMegabytes;
using benchmemory::resetPeak;

// The host started once, with a figure of a million lines, arcs, circles and
// texts written to disk; the model keeps only the default figure afterwards.
void prepare()
{
    static bool done = false;
    if (done) return;
    done = true;
    mobrhost::HostStart start;
    std::string error;
    if (!mobrhost::startHost(start, &error)) std::fprintf(stderr, "host start: %s\n", error.c_str());
    mobrhost::journalEnable(false);
    auto f = mobrhost::Figure::makeDefault();
    f->elements.reserve(0, kElements);
    const uint16_t kinds[4] = {el::Line, el::Arc, el::Circle, el::Text};
    for (int32_t i = 0; i < kElements; ++i) {
        mobrhost::ElementDatabase::Record r{};
        mobrhost::bytes::setU16(r.data(), el::kKind, kinds[i % 4]);
        mobrhost::bytes::setI32(r.data(), el::kOwner, -1);
        r[el::kPen] = static_cast<unsigned char>(1 + i % 5);
        r[el::kColour] = static_cast<unsigned char>(i % 9);
        mobrhost::bytes::setF64(r.data(), el::kGeometry, i * 0.5);
        f->elements.append(0, r);
    }
    if (!mobrhost::FigureFile::save(*f, figurePath(), &error)) std::fprintf(stderr, "save: %s\n", error.c_str());
}

void BM_OpenFigure(benchmark::State& state)
{
    prepare();
    FigureModel::instance().replaceFigure(0, mobrhost::Figure::makeDefault());
    double peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        FigureModel::instance().replaceFigure(0, mobrhost::Figure::makeDefault());
        resetPeak();
        state.ResumeTiming();
        std::string error;
        auto f = mobrhost::FigureFile::load(figurePath(), &error);
        if (!f) state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(f.get());
        state.PauseTiming();
        if (f) FigureModel::instance().replaceFigure(0, std::move(f));
        peak = std::max(peak, peakMegabytes());
        state.ResumeTiming();
    }
    state.counters["peak_MB"] = peak;
    state.SetItemsProcessed(state.iterations() * kElements);
}
BENCHMARK(BM_OpenFigure)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SaveFigure(benchmark::State& state)
{
    prepare();
    const std::string path = folder() + "/saved.mfg";
    double peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        resetPeak();
        state.ResumeTiming();
        std::string error;
        if (!mobrhost::FigureFile::save(*FigureModel::instance().figure(0), path, &error)) state.SkipWithError(error.c_str());
        state.PauseTiming();
        peak = std::max(peak, peakMegabytes());
        state.ResumeTiming();
    }
    state.counters["peak_MB"] = peak;
    state.SetItemsProcessed(state.iterations() * kElements);
}
BENCHMARK(BM_SaveFigure)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReadEveryElement(benchmark::State& state)
{
    prepare();
    resetPeak();
    unsigned char status[64];
    hostapi::aatDbStatus(0, status);
    const int32_t count = mobrhost::bytes::i32(status, 8);
    int64_t sum = 0;
    for (auto _ : state) {
        unsigned char record[128];
        for (int32_t n = 1; n <= count; ++n) {
            if (hostapi::aatDbRead(0, n, record) == 0) sum += record[el::kPen];
        }
    }
    benchmark::DoNotOptimize(sum);
    state.counters["peak_MB"] = peakMegabytes();
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_ReadEveryElement)->Unit(benchmark::kMillisecond);

void BM_ReadAllUpdateEveryTenth(benchmark::State& state)
{
    prepare();
    unsigned char status[64];
    hostapi::aatDbStatus(0, status);
    const int32_t count = mobrhost::bytes::i32(status, 8);
    int flip = 0;
    for (auto _ : state) {
        unsigned char record[128];
        ++flip;
        for (int32_t n = 1; n <= count; ++n) {
            if (hostapi::aatDbRead(0, n, record) != 0) continue;
            if (n % 10 == 0) {
                record[el::kColour] = static_cast<unsigned char>(1 + (flip & 1));
                int32_t id = n;
                hostapi::aatDbUpdate2(0, 0, &id, record, 1);
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_ReadAllUpdateEveryTenth)->Unit(benchmark::kMillisecond);

void BM_CommitPenCopyWithIndexTable(benchmark::State& state)
{
    prepare();
    for (auto _ : state) {
        state.PauseTiming();
        void* pens = hostapi::aatFigEditPenInfo(0);
        int32_t out = 0;
        void* order = hostapi::as_MakeTable(static_cast<char*>(pens) + 4, &out);
        hostapi::aatPenSwapInfo(pens, 1, 5);
        hostapi::as_TableSwapIndex(order, 0, 4);
        hostapi::aatPenSwapInfo(pens, 2, 3);
        hostapi::as_TableSwapIndex(order, 1, 2);
        state.ResumeTiming();
        hostapi::aatFigRestorePenInfoEx(0, pens, 0, order);
        state.PauseTiming();
        hostapi::as_FreeTable(order);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kElements);
}
BENCHMARK(BM_CommitPenCopyWithIndexTable)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
