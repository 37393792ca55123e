// What a host pays to load and unload the settings module: dlopen, the
// attach entry (which registers the resource file), detach and dlclose.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "platform/Library.h"

namespace {

const std::string kModule = std::string(MOBR_BIN_DIR) + "/libmobrtmpl.so";

void BM_ModuleAttachDetach(benchmark::State& state)
{
    for (auto _ : state) {
        mobr::Library module(kModule);
        if (!module.isLoaded()) {
            state.SkipWithError(module.error().c_str());
            break;
        }
        benchmark::DoNotOptimize(module.handle());
    }
}
BENCHMARK(BM_ModuleAttachDetach)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
