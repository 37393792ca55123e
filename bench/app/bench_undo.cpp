// What one undo step costs on a figure of 1,000,000 line elements (128 MB of
// records): the capture the window makes before every settings command, the
// comparison after it that decides whether the command changed anything,
// and undo itself (which captures the state it replaces for redo).

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include "UndoHistory.h"
#include "api/HostRuntime.h"
#include "model/Bytes.h"
#include "model/FigureModel.h"

namespace el = mobrhost::element;

namespace {

constexpr int kElements = 1'000'000;

mobrhost::Figure& bigFigure()
{
    static bool started = [] {
        mobrhost::startHost(mobrhost::HostStart{});
        mobrhost::FigureModel& model = mobrhost::FigureModel::instance();
        mobrhost::Figure& f = *model.figure(model.current());
        mobrhost::ElementDatabase::Record r{};
        mobrhost::bytes::setU16(r.data(), el::kKind, el::Line);
        mobrhost::bytes::setI32(r.data(), el::kOwner, -1);
        for (int i = 0; i < kElements; ++i) {
            r[el::kPen] = static_cast<unsigned char>(1 + i % 4);
            mobrhost::bytes::put<double>(r.data(), el::kGeometry, i * 0.5);
            f.elements.append(0, r);
        }
        return true;
    }();
    (void)started;
    mobrhost::FigureModel& model = mobrhost::FigureModel::instance();
    return *model.figure(model.current());
}

void BM_CaptureBeforeACommand(benchmark::State& state)
{
    bigFigure();
    for (auto _ : state) benchmark::DoNotOptimize(HostState::capture());
    state.counters["MB"] = double(HostState::capture().bytes()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_CaptureBeforeACommand)->Unit(benchmark::kMillisecond);

void BM_UnchangedCheckAfterACommand(benchmark::State& state)
{
    bigFigure();
    const HostState before = HostState::capture();
    for (auto _ : state) benchmark::DoNotOptimize(before.matchesCurrent());
}
BENCHMARK(BM_UnchangedCheckAfterACommand)->Unit(benchmark::kMillisecond);

// Undo then redo: two restores, each capturing the state it replaces.
void BM_UndoAndRedo(benchmark::State& state)
{
    mobrhost::Figure& f = bigFigure();
    UndoHistory history;
    history.record("Drawing size", HostState::capture());
    f.paperIndex = 3;
    for (auto _ : state) {
        history.undo();
        history.redo();
    }
}
BENCHMARK(BM_UndoAndRedo)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
