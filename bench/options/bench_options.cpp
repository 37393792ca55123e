// The options dialog on the bundled system folder. The first benchmark
// times aapLopt from its call to the moment its first page is shown (the
// backup of the option file and the reading of every page's values
// included) and cancels outside the timing; the second visits every tab
// outside the timing and times OK from the press to the return of aapLopt
// (every page's write-back, the option values and the tool bars included).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QTemporaryDir>

#include <chrono>
#include <string>

#include "api/HostRuntime.h"
#include "mobrdlg/ZqResources.h"
#include "mobrdlg/ZqUiDriver.h"

extern "C" int aapLopt(void);

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kTabs = 6;

void prepare(benchmark::State& state)
{
    static QTemporaryDir folder;
    static bool ready = false;
    if (ready) return;
    mobrhost::HostStart start;
    start.systemFolder = folder.filePath("system").toStdString() + "/";
    std::string error;
    if (!mobrhost::startHost(start, &error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    mobrhost::journalEnable(false);
    const std::string resources = QCoreApplication::applicationDirPath().toStdString() + "/ZQRCTMPL.rcc";
    if (ZqLoadResourceFile(resources.c_str()) == 0) {
        state.SkipWithError("no resource file beside the benchmark");
        return;
    }
    ready = true;
}

double seconds(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double>(to - from).count();
}

void BM_OpenOptionsToFirstPage(benchmark::State& state)
{
    prepare(state);
    for (auto _ : state) {
        Clock::time_point shown{};
        CZqUiDriver driver(ZqUiScript().inspect([&shown](CZqWindow&) { shown = Clock::now(); }).cancel());
        const Clock::time_point start = Clock::now();
        aapLopt();
        if (shown == Clock::time_point{}) {
            state.SkipWithError("the options dialog was not shown");
            break;
        }
        state.SetIterationTime(seconds(start, shown));
    }
}
BENCHMARK(BM_OpenOptionsToFirstPage)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_OkWithEveryPageVisited(benchmark::State& state)
{
    prepare(state);
    for (auto _ : state) {
        Clock::time_point pressed{};
        ZqUiScript script;
        for (int tab = 1; tab < kTabs; ++tab) script.page(tab);
        script.inspect([&pressed](CZqWindow&) { pressed = Clock::now(); }).ok();
        CZqUiDriver driver(script);
        aapLopt();
        const Clock::time_point done = Clock::now();
        if (pressed == Clock::time_point{}) {
            state.SkipWithError("the options dialog was not shown");
            break;
        }
        state.SetIterationTime(seconds(pressed, done));
    }
}
BENCHMARK(BM_OkWithEveryPageVisited)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
