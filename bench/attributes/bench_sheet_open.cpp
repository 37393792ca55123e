// Opening the system attribute sheet on a full figure: 255 pens, 255 widths,
// 255 colours and 255 fonts. Each iteration times the call from its start to
// the moment its first page is shown (the UI driver's first action), then
// cancels the sheet outside the timing.

#include <benchmark/benchmark.h>

#include "../DialogBench.h"

#include <QApplication>
#include <QCoreApplication>

#include <chrono>
#include <cstdio>
#include <string>

#include "api/HostRuntime.h"
#include "attributes/SysAttributeSheet.h"
#include "frame/HostApi.h"
#include "mobrdlg/ZqResources.h"
#include "mobrdlg/ZqUiDriver.h"

namespace {

constexpr int kFull = 255;

std::string nameOf(const char* prefix, int n)
{
    char text[32];
    std::snprintf(text, sizeof text, "%s%03d", prefix, n);
    return text;
}

// Fills figure 0's tables up to 255 entries each through edit copies.
bool fillFigure()
{
    void* widths = hostapi::aatFigEditWidInfo(0);
    for (int n = hostapi::aatWidGetCount(widths); n < kFull; ++n) {
        const int w = hostapi::aatWidNewInfo(widths, nameOf("W", n).c_str());
        hostapi::aatWidSetWidth(widths, w, 0.01 + (n % 50) * 0.1);
    }
    if (hostapi::aatFigRestoreWidInfo(0, widths, 0) != 1) return false;

    void* colours = hostapi::aatFigEditColInfo(0);
    for (int n = hostapi::aatColGetCount(colours); n < kFull; ++n) {
        const int c = hostapi::aatColNewInfo(colours, nameOf("C", n).c_str());
        hostapi::aatColSetRGB(colours, c, n, 255 - n, (n * 7) % 256);
    }
    if (hostapi::aatFigRestoreColInfo(0, colours, 0) != 1) return false;

    void* fonts = hostapi::aatFigEditFntInfo(0);
    for (int n = hostapi::aatFntGetCount(fonts); n < kFull; ++n) {
        const int f = hostapi::aatFntNewInfo(fonts, nameOf("F", n).c_str());
        hostapi::aatFntSetFaceName(fonts, f, "DejaVu Sans");
        hostapi::aatFntSetAttrib(fonts, f, 0x1);
    }
    if (hostapi::aatFigRestoreFntInfo(0, fonts, 0) != 1) return false;

    void* pens = hostapi::aatFigEditPenInfo(0);
    void* penColours = hostapi::aatFigEditPenExInfo(0);
    const double pitch[4] = {3.0, 1.0, 0.5, 1.0};
    for (int n = hostapi::aatPenGetCount(pens); n < kFull; ++n) {
        const int p = hostapi::aatPenNewInfo(pens, nameOf("P", n).c_str());
        hostapi::aatPenExNewInfo(penColours, pens, p);
        hostapi::aatPenSetWidth(pens, p, 1 + n % kFull);
        hostapi::aatPenSetPlotStyle(pens, p, 2 + n % 4);
        hostapi::aatPenSetPitch(pens, p, pitch, 2 + 2 * (n % 2));
        hostapi::aatPenExSetColor(penColours, pens, p, 1 + n % kFull);
    }
    if (hostapi::aatFigRestorePenInfo(0, pens, 0) != 1) return false;
    return hostapi::aatFigRestorePenExInfo(0, penColours, 0) == 1;
}

void BM_OpenSheetOnFullFigure(benchmark::State& state)
{
    static bool started = false;
    if (!started && !(started = dialogbench::startHost(state, {}, fillFigure))) return;
    dialogbench::timeToFirstShown(state, [] { CSysAttributeSheet().run(); });
    state.counters["pens"] = hostapi::aatPenGetCount(hostapi::aatFigGetPenInfo(0));
    void* widths = hostapi::aatFigEditWidInfo(0);
    void* colours = hostapi::aatFigEditColInfo(0);
    void* fonts = hostapi::aatFigEditFntInfo(0);
    state.counters["widths"] = hostapi::aatWidGetCount(widths);
    state.counters["colours"] = hostapi::aatColGetCount(colours);
    state.counters["fonts"] = hostapi::aatFntGetCount(fonts);
    hostapi::aatFigRestoreWidInfo(0, widths, 1);
    hostapi::aatFigRestoreColInfo(0, colours, 1);
    hostapi::aatFigRestoreFntInfo(0, fonts, 1);
}
BENCHMARK(BM_OpenSheetOnFullFigure)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv)
{
    return dialogbench::runAll(argc, argv);
}
