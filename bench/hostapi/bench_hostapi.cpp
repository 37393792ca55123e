// One host call through the module's by-name wrapper: registry lookup of the
// name on every call, then the indirect call.
#include <benchmark/benchmark.h>

#include "frame/HostApi.h"
#include "mobr/host_api_register.h"

namespace benchhost {

int32_t aatPenGetPlotStyle(void* table, int32_t pen) { return pen + (table ? 1 : 0); }

}  // namespace benchhost

namespace {

// Fills the registry the way a full host does: one entry per row, so that the
// lookup runs against a realistic table.
void registerEveryRow()
{
    static int placeholder = 0;
    for (const char* name : hostapi::allNames()) aatDlgDllSetZqProcPtr(name, &placeholder);
    MOBR_REGISTER_ONE(benchhost, aatPenGetPlotStyle);
}

void byNameCall(benchmark::State& state)
{
    registerEveryRow();
    int table = 0;
    int32_t pen = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(pen = hostapi::aatPenGetPlotStyle(&table, pen & 0xFF));
    }
}
BENCHMARK(byNameCall)->Iterations(5'000'000);

void directCall(benchmark::State& state)
{
    int table = 0;
    int32_t pen = 1;
    auto* volatile function = &benchhost::aatPenGetPlotStyle;
    for (auto _ : state) {
        benchmark::DoNotOptimize(pen = function(&table, pen & 0xFF));
    }
}
BENCHMARK(directCall)->Iterations(5'000'000);

void lookupOnly(benchmark::State& state)
{
    registerEveryRow();
    for (auto _ : state) benchmark::DoNotOptimize(aatDlgDllGetZqProcPtr("aatFigRestoreWidInfoEx"));
}
BENCHMARK(lookupOnly)->Iterations(5'000'000);

}  // namespace

BENCHMARK_MAIN();
