// User templates and the settings report on the bundled system folder: the
// select dialog opened on a folder of 1,000 templates (from the call to the
// list shown: the folder listed, sorted and every file checked), and the
// report of every page of the options dialog to a file (from OK in the item
// choice to the options dialog back on top: every page's lines, the header
// and the atomic write).

#include <benchmark/benchmark.h>

#include "../DialogBench.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <chrono>
#include <string>

#include "api/HostRuntime.h"
#include "mobrdlg/ZqResources.h"
#include "mobrdlg/ZqUiDriver.h"
#include "options/CPrintItemDlg.h"
#include "options/CUserOpSheet.h"
#include "platform/Files.h"

extern "C" int aapLopt(void);
extern "C" int aapLSelUserOpt(void);

namespace {

using dialogbench::Clock;
constexpr int kTemplates = 1000;

std::string systemFolder()
{
    static QTemporaryDir folder;
    return folder.filePath("system").toStdString() + "/";
}

// The bundled system folder with 1,000 more templates beside the standard one.
bool makeTemplates()
{
    for (int i = 0; i < kTemplates; ++i) {
        const std::string name = systemFolder() + "template/T" + std::to_string(100000 + (i * 7919) % 100000) + ".INI";
        if (mobr::files::copyFile(systemFolder() + "MOBRSTD.INI", name) != 0) return false;
    }
    return true;
}

bool prepare(benchmark::State& state)
{
    static bool started = false;
    mobrhost::HostStart start;
    start.systemFolder = systemFolder();
    return started || (started = dialogbench::startHost(state, start, makeTemplates));
}

using dialogbench::seconds;

void BM_SelectDialogListsThousandTemplates(benchmark::State& state)
{
    if (!prepare(state)) return;
    for (auto _ : state) {
        Clock::time_point shown{};
        int rows = 0;
        CZqUiDriver driver(ZqUiScript()
                               .inspect([&](CZqWindow& dialog) {
                                   shown = Clock::now();
                                   rows = dialog.GetCount(1601);
                               })
                               .cancel());
        const Clock::time_point start = Clock::now();
        aapLSelUserOpt();
        if (rows < kTemplates) {
            state.SkipWithError("the templates were not listed");
            break;
        }
        state.SetIterationTime(seconds(start, shown));
    }
}
BENCHMARK(BM_SelectDialogListsThousandTemplates)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_ReportOfEveryPageToAFile(benchmark::State& state)
{
    if (!prepare(state)) return;
    const std::string path = systemFolder() + "report.txt";
    for (auto _ : state) {
        Clock::time_point pressed{};
        Clock::time_point done{};
        ZqUiScript script;
        script.click(CUserOpSheet::kReport).click(CPrintItemDlg::kTextFile).type(CPrintItemDlg::kPath, path);
        script.inspect([&](CZqWindow&) { pressed = Clock::now(); }).ok();
        script.inspect([&](CZqWindow&) { done = Clock::now(); }).in("IDD_S_017").cancel();
        CZqUiDriver driver(script);
        aapLopt();
        if (done == Clock::time_point{} || !mobr::files::fileExists(path)) {
            state.SkipWithError("the report was not written");
            break;
        }
        state.SetIterationTime(seconds(pressed, done));
    }
}
BENCHMARK(BM_ReportOfEveryPageToAFile)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
