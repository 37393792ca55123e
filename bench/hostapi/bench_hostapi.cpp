// One host call through the module's by-name wrapper: registry lookup of the
// name on every call, then the indirect call. Beside it, the same name looked
// up through gperf's perfect hash of the table and in a general hash map of
// every name (what the registry used first), and a direct call, the floor.
#include <benchmark/benchmark.h>

#include <array>
#include <cstring>
#include <string_view>
#include <unordered_map>

#include "frame/HostApi.h"
#include "mobr/host_api_register.h"

// gperf's lookup of the same names: HostNameHash::find(name, length).
#include "GperfHostNames.inc"

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

// A name whose length the caller knows, as the wrappers pass it.
void lookupOnly(benchmark::State& state)
{
    registerEveryRow();
    static const char name[] = "aatFigRestoreWidInfoEx";
    for (auto _ : state) benchmark::DoNotOptimize(aatDlgDllFindZqProc(name, sizeof(name) - 1));
}
BENCHMARK(lookupOnly)->Iterations(5'000'000);

// A zero-terminated name, as a host or another library may pass it.
void lookupByCString(benchmark::State& state)
{
    registerEveryRow();
    const char* volatile name = "aatFigRestoreWidInfoEx";
    for (auto _ : state) benchmark::DoNotOptimize(aatDlgDllGetZqProcPtr(name));
}
BENCHMARK(lookupByCString)->Iterations(5'000'000);

// gperf's generated hash and compare of the same name, then the slot's
// function, all inside this program (no call into the dialog library). The
// name is read through a volatile pointer: with gperf's tables in view, the
// compiler would otherwise work the whole lookup out at compile time.
void lookupInGperfTable(benchmark::State& state)
{
    static int placeholder = 0;
    std::array<void*, kHostNameCount> slots;
    slots.fill(&placeholder);
    static const char text[] = "aatFigRestoreWidInfoEx";
    const char* volatile name = text;
    for (auto _ : state) {
        const HostNameSlot* word = HostNameHash::find(name, sizeof(text) - 1);
        benchmark::DoNotOptimize(word ? slots[static_cast<size_t>(word->slot)] : nullptr);
    }
}
BENCHMARK(lookupInGperfTable)->Iterations(5'000'000);

// The general map: std::unordered_map keyed by string_view over every name.
void lookupInGeneralMap(benchmark::State& state)
{
    static int placeholder = 0;
    std::unordered_map<std::string_view, void*> map(1024);
    for (const char* name : hostapi::allNames()) map.emplace(name, &placeholder);
    const char* volatile name = "aatFigRestoreWidInfoEx";
    for (auto _ : state) {
        const char* n = name;
        auto it = map.find(std::string_view(n, std::strlen(n)));
        benchmark::DoNotOptimize(it == map.end() ? nullptr : it->second);
    }
}
BENCHMARK(lookupInGeneralMap)->Iterations(5'000'000);

}  // namespace

BENCHMARK_MAIN();
