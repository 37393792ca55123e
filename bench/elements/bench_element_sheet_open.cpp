// Opening the element settings sheet on a full figure: 255 pens (every
// other one without a colour of its own, so its colour list holds all
// colours), 255 colours, 255 fonts and 255 tips. Each iteration times the
// call from its start to the moment its first page is shown (the UI driver's
// first action), then cancels the sheet outside the timing.

#include <benchmark/benchmark.h>

#include "../DialogBench.h"

#include <QApplication>
#include <QCoreApplication>

#include <chrono>
#include <cstdio>
#include <string>

#include "api/HostRuntime.h"
#include "elements/ElementSheet.h"
#include "frame/HostApi.h"
#include "mobrdlg/ZqResources.h"
#include "mobrdlg/ZqUiDriver.h"
#include "model/FigureModel.h"

namespace {

constexpr int kFull = 255;

std::string nameOf(const char* prefix, int n)
{
    char text[32];
    std::snprintf(text, sizeof text, "%s%03d", prefix, n);
    return text;
}

bool fillFigure()
{
    void* colours = hostapi::aatFigEditColInfo(0);
    for (int n = hostapi::aatColGetCount(colours); n < kFull; ++n)
        hostapi::aatColSetRGB(colours, hostapi::aatColNewInfo(colours, nameOf("C", n).c_str()), n, 255 - n, 0);
    if (hostapi::aatFigRestoreColInfo(0, colours, 0) != 1) return false;

    void* fonts = hostapi::aatFigEditFntInfo(0);
    for (int n = hostapi::aatFntGetCount(fonts); n < kFull; ++n)
        hostapi::aatFntSetFaceName(fonts, hostapi::aatFntNewInfo(fonts, nameOf("F", n).c_str()), "DejaVu Sans");
    if (hostapi::aatFigRestoreFntInfo(0, fonts, 0) != 1) return false;

    void* pens = hostapi::aatFigEditPenInfo(0);
    void* penColours = hostapi::aatFigEditPenExInfo(0);
    for (int n = hostapi::aatPenGetCount(pens); n < kFull; ++n) {
        const int p = hostapi::aatPenNewInfo(pens, nameOf("P", n).c_str());
        hostapi::aatPenExNewInfo(penColours, pens, p);
        hostapi::aatPenSetPlotStyle(pens, p, 1 + n % 2);
        if (n % 2) hostapi::aatPenExSetColor(penColours, pens, p, 1 + n % kFull);
    }
    if (hostapi::aatFigRestorePenInfo(0, pens, 0) != 1 || hostapi::aatFigRestorePenExInfo(0, penColours, 0) != 1)
        return false;

    // The host offers no named call that adds a tip; the model does.
    mobrhost::Figure* f = mobrhost::FigureModel::instance().figure(0);
    for (int n = f->tips->count(); n < kFull; ++n) f->tips->addUser(nameOf("T", n), nameOf("T", n), {0, 0, 1, 1}, {});
    return f->tips->count() == kFull;
}

void BM_OpenElementSheetOnFullFigure(benchmark::State& state)
{
    static bool started = false;
    if (!started && !(started = dialogbench::startHost(state, {}, fillFigure))) return;
    dialogbench::timeToFirstShown(state, [] { CElementSheet().run(); });
    state.counters["pens"] = hostapi::aatPenGetCount(hostapi::aatFigGetPenInfo(0));
    state.counters["colours"] = hostapi::aatColGetCount(hostapi::aatFigGetColInfo(0));
    state.counters["fonts"] = hostapi::aatFntGetCount(hostapi::aatFigGetFntInfo(0));
    state.counters["tips"] = hostapi::aatTipGetCount(hostapi::aatFigGetTipInfo(0));
}
BENCHMARK(BM_OpenElementSheetOnFullFigure)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv)
{
    return dialogbench::runAll(argc, argv);
}
