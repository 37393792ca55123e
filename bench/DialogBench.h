#pragma once

// What the dialog benchmarks share: a started reference host with its
// journal off and the module's resource file loaded; the timing of a call
// from its start to its first dialog shown (the UI driver's first action),
// with the dialog cancelled outside the timing; and a main that runs offscreen
// unless told otherwise.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>

#include <chrono>
#include <functional>
#include <string>

#include "api/HostRuntime.h"
#include "mobrdlg/ZqResources.h"
#include "mobrdlg/ZqUiDriver.h"

namespace dialogbench {

using Clock = std::chrono::steady_clock;

inline double seconds(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double>(to - from).count();
}

// Starts the host (a running one is replaced) with the resource file loaded;
// on a failure the benchmark is skipped with the reason and false is
// returned. `fill` runs after the start, to give the host its contents. Each
// benchmark file keeps its own "started" flag, since files that share a
// program may want different system folders.
inline bool startHost(benchmark::State& state, const mobrhost::HostStart& start = {},
                      const std::function<bool()>& fill = {})
{
    std::string error;
    if (!mobrhost::startHost(start, &error)) {
        state.SkipWithError(error.c_str());
        return false;
    }
    mobrhost::journalEnable(false);
    const std::string resources = QCoreApplication::applicationDirPath().toStdString() + "/ZQRCTMPL.rcc";
    if (ZqLoadResourceFile(resources.c_str()) == 0) {
        state.SkipWithError("no resource file beside the benchmark");
        return false;
    }
    if (fill && !fill()) {
        state.SkipWithError("the host could not be given its contents");
        return false;
    }
    return true;
}

// Times `call` from its start to the first dialog it shows, every iteration.
inline void timeToFirstShown(benchmark::State& state, const std::function<void()>& call)
{
    for (auto _ : state) {
        Clock::time_point shown{};
        CZqUiDriver driver(ZqUiScript().inspect([&shown](CZqWindow&) { shown = Clock::now(); }).cancel());
        const Clock::time_point start = Clock::now();
        call();
        if (shown == Clock::time_point{}) {
            state.SkipWithError("the dialog was not shown");
            break;
        }
        state.SetIterationTime(seconds(start, shown));
    }
}

inline int runAll(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace dialogbench
