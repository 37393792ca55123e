// The options dialog on the bundled system folder. The first benchmark
// times aapLopt from its call to the moment its first page is shown (the
// backup of the option file and the reading of every page's values
// included) and cancels outside the timing; the second visits every tab
// outside the timing and times OK from the press to the return of aapLopt
// (every page's write-back, the option values and the tool bars included).
// The last two time the rebuild of the point modes offered after a change
// (the "All on" button, both lists refilled) and the opening of the numeric
// parameter page with 40 parameters and 24 reference parameters.

#include <benchmark/benchmark.h>

#include "../DialogBench.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTemporaryDir>

#include <chrono>
#include <string>

#include <QAbstractButton>

#include "api/HostRuntime.h"
#include "frame/HostApi.h"
#include "mobr/Bytes.h"
#include "mobr/ComNumUs.h"
#include "model/HostSession.h"
#include "optionpages/CUserOp05.h"
#include "optionpages/CUserOpMu.h"
#include "optionpages/ComNumDialogs.h"
#include "options/CUserOpSheet.h"
#include "options/UserOpApplyLog.h"
#include "options/UserOpValues.h"
#include "mobrdlg/ZqResources.h"
#include "mobrdlg/ZqUiDriver.h"

extern "C" int aapLopt(void);

namespace {

using dialogbench::Clock;
constexpr int kTabs = 10;

bool prepare(benchmark::State& state)
{
    static QTemporaryDir folder;
    static bool started = false;
    mobrhost::HostStart start;
    start.systemFolder = folder.filePath("system").toStdString() + "/";
    return started || (started = dialogbench::startHost(state, start));
}

using dialogbench::seconds;

void BM_OpenOptionsToFirstPage(benchmark::State& state)
{
    if (prepare(state)) dialogbench::timeToFirstShown(state, [] { aapLopt(); });
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
    return dialogbench::runAll(argc, argv);
}

// "All on" on the point mode page with four user tables: the in-use list
// and the offered list rebuilt from the mask and the sort string.
void BM_RebuildOfferedModes(benchmark::State& state)
{
    prepare(state);
    auto& settings = mobrhost::HostSession::instance().settings();
    for (int t = 1; t <= 4; ++t) settings.searchTable(t).name = "Table" + std::to_string(t);
    CUserOpApplyLog log;
    CUserOpSheet sheet(log);
    CUserOpMu page;
    sheet.SetPage(kSlotPointModes, &page);
    CZqUiDriver driver(ZqUiScript().inspect([&state, &page](CZqWindow&) {
        auto* button = qobject_cast<QAbstractButton*>(page.GetDlgItem(CUserOpMu::kAllOn));
        if (!button) {
            state.SkipWithError("no All on button");
            return;
        }
        for (auto _ : state) button->click();
    }).cancel());
    sheet.DoModal();
}
BENCHMARK(BM_RebuildOfferedModes)->Unit(benchmark::kMicrosecond);

// The numeric parameter page from its values read to its list shown: 40
// parameters in the host's table and 24 reference parameters.
void BM_OpenNumericPageFull(benchmark::State& state)
{
    prepare(state);
    auto& settings = mobrhost::HostSession::instance().settings();
    settings.refParameters().clear();
    for (int i = 0; i < 24; ++i)
        settings.refParameters().push_back({"R" + std::to_string(i), "Reference " + std::to_string(i), i * 0.25});
    std::vector<unsigned char> table(comnum::kHostTableSlots * comnum::kRecordSize, 0);
    for (int i = 0; i < comnum::kHostTableSlots; ++i) {
        unsigned char* r = table.data() + i * comnum::kRecordSize;
        mobr::bytes::put<int16_t>(r, 0, 1);
        std::snprintf(reinterpret_cast<char*>(r + 2), 12, "P%d", i);
        mobr::bytes::put<double>(r, 14, i / 3.0);
    }
    hostapi::aatComNumUsInfo(119, table.data());
    for (auto _ : state) {
        Clock::time_point shown{};
        CZqUiDriver driver(ZqUiScript().inspect([&shown](CZqWindow&) { shown = Clock::now(); }).cancel());
        const Clock::time_point start = Clock::now();
        CUserOpApplyLog log;
        CUserOpSheet sheet(log);
        CUserOp05 page;
        CComNumRefDlg references;
        page.SetPageData(CUserOp05::kItemReferenceList, reinterpret_cast<std::intptr_t>(&references));
        sheet.SetPage(kSlotNumeric, &page);
        sheet.SetReferenceList(&references);
        LoadUserOpValues(sheet.pages());
        sheet.DoModal();
        state.SetIterationTime(seconds(start, shown));
    }
}
BENCHMARK(BM_OpenNumericPageFull)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
