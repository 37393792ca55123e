// The attribute conversion at scale:
// - reading a definition file with 999 pen, 999 width and 999 colour entries
//   (the file parsed afresh every time);
// - converting the pens, widths and colours of a figure of 1,000,000 elements
//   (resolution, new tables, renumbering), next to the host's own commit of
//   the same three index tables;
// - mobr convert over 100 drawings of 10,000 elements, one job and one per
//   core (drawings per second).

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include <unistd.h>

#include "api/HostRuntime.h"
#include "atrcnv/AtrCnvApply.h"
#include "atrcnv/CAtrCnvFile.h"
#include "atrcnv/CAtrCnvTargets.h"
#include "frame/HostApi.h"
#include "model/Bytes.h"
#include "model/FigureModel.h"
#include "platform/PrivateProfile.h"
#include "store/FigureFile.h"

namespace {

namespace el = mobrhost::element;
using mobrhost::FigureModel;

std::string folder()
{
    static const std::string path = [] {
        char pattern[] = "/tmp/bench_atrcnv_XXXXXX";
        const char* made = mkdtemp(pattern);
        return std::string(made ? made : "/tmp");
    }();
    return path;
}

struct Quiet : atrcnv::Listener {
    int message(int, unsigned) override { return 1; }
    void warning(int) override {}
};

void startHost()
{
    static bool started = false;
    if (started) return;
    started = true;
    mobrhost::HostStart start;
    std::string error;
    if (!mobrhost::startHost(start, &error)) std::fprintf(stderr, "host start: %s\n", error.c_str());
    mobrhost::journalEnable(false);
}

std::unique_ptr<mobrhost::Figure> figureOf(int32_t elements)
{
    auto f = mobrhost::Figure::makeDefault();
    f->elements.reserve(0, elements);
    const uint16_t kinds[4] = {el::Line, el::Arc, el::Circle, el::Text};
    for (int32_t i = 0; i < elements; ++i) {
        mobrhost::ElementDatabase::Record r{};
        mobrhost::bytes::setU16(r.data(), el::kKind, kinds[i % 4]);
        mobrhost::bytes::setI32(r.data(), el::kOwner, -1);
        r[el::kPen] = static_cast<unsigned char>(1 + i % 5);
        r[el::kColour] = static_cast<unsigned char>(i % 9);
        mobrhost::bytes::setF64(r.data(), el::kGeometry, i * 0.5);
        f->elements.append(0, r);
    }
    return f;
}

// The reference: the default tables with other widths and colours, and two
// pens more.
std::string referencePath()
{
    static const std::string path = [] {
        startHost();
        const std::string p = folder() + "/reference.fig";
        const short fig = FigureModel::instance().addFigure(mobrhost::Figure::makeDefault(), true);
        void* widths = hostapi::aatFigEditWidInfo(fig);
        void* colours = hostapi::aatFigEditColInfo(fig);
        hostapi::aatWidSetWidth(widths, hostapi::aatWidNewInfo(widths, "HAIR"), 0.05);
        hostapi::aatColSetRGB(colours, hostapi::aatColNewInfo(colours, "ORANGE"), 255, 128, 0);
        hostapi::aatFigRestoreColInfo(fig, colours, 0);
        hostapi::aatFigRestoreWidInfo(fig, widths, 0);
        void* pens = hostapi::aatFigEditPenInfo(fig);
        void* penColours = hostapi::aatFigEditPenExInfo(fig);
        widths = hostapi::aatFigGetWidInfo(fig);
        colours = hostapi::aatFigGetColInfo(fig);
        for (const char* name : {"PHANTOM", "HIDDEN"}) {
            const int n = hostapi::aatPenNewInfo(pens, name);
            hostapi::aatPenExNewInfo(penColours, pens, n);
            hostapi::aatPenSetPlotStyle(pens, n, 2);
            hostapi::aatPenSetWidth(pens, n, hostapi::aatWidFindName(widths, "HAIR"));
            hostapi::aatPenExSetColor(penColours, pens, n, hostapi::aatColFindName(colours, "ORANGE"));
        }
        hostapi::aatFigRestorePenInfo(fig, pens, 0);
        hostapi::aatFigRestorePenExInfo(fig, penColours, 0);
        std::string error;
        if (!mobrhost::FigureFile::save(*FigureModel::instance().figure(fig), p, &error))
            std::fprintf(stderr, "reference: %s\n", error.c_str());
        FigureModel::instance().closeFigure(fig);
        return p;
    }();
    return path;
}

// A definition that changes every kind: two colours and one width merged
// into reference entries, three pens replaced.
std::string definitionPath()
{
    static const std::string path = [] {
        const std::string p = folder() + "/convert.fac";
        std::FILE* f = std::fopen(p.c_str(), "wb");
        std::fputs("[System]\r\nZqAtrCnv=ZQV10_01\r\n"
                   "[ColCnvAtr]\r\nCol001=RED /#,#/ ORANGE\r\nCol002=GREEN /#,#/ ORANGE\r\n"
                   "[WidCnvAtr]\r\nWid001=THIN /#,#/ HAIR\r\n"
                   "[PenCnvAtr]\r\nPen001=DASHED /#,#/ x /#,#/ x /#,#/ PHANTOM /#,#/ HAIR /#,#/ ORANGE\r\n"
                   "Pen002=DOTTED /#,#/ x /#,#/ x /#,#/ HIDDEN /#,#/ HAIR /#,#/ ORANGE\r\n"
                   "Pen003=CHAIN /#,#/ x /#,#/ x /#,#/ PHANTOM /#,#/ HAIR /#,#/ ORANGE\r\n",
                   f);
        std::fclose(f);
        return p;
    }();
    return path;
}

void BM_ReadDefinition999(benchmark::State& state)
{
    const std::string path = folder() + "/big.fac";
    std::string text = "[System]\r\nZqAtrCnv=ZQV10_01\r\n";
    char line[256];
    for (const char* kind : {"Pen", "Wid", "Col"}) {
        text += std::string("[") + kind + "CnvAtr]\r\n";
        for (int k = 1; k <= 999; ++k) {
            if (kind[0] == 'P')
                std::snprintf(line, sizeof line, "Pen%03d=\x83y\x83\x93%03d /#,#/ W%03d /#,#/ C%03d /#,#/ T%03d /#,#/ W%03d /#,#/ C%03d\r\n",
                              k, k, k, k, k, k, k);
            else
                std::snprintf(line, sizeof line, "%s%03d=\x90\xfc%03d /#,#/ \x90\x46%03d\r\n", kind, k, k, k);
            text += line;
        }
    }
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
    for (auto _ : state) {
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());  // parse afresh
        const CAtrCnvFile file(path);
        std::vector<atrcnv::PenEntry> pens;
        std::vector<atrcnv::NameEntry> widths, colours;
        const int n = file.readPenEntries(pens) + file.readWidthEntries(widths) + file.readColourEntries(colours);
        if (n != 3 * 999) state.SkipWithError("not every entry was read");
    }
}
BENCHMARK(BM_ReadDefinition999)->Unit(benchmark::kMillisecond);

constexpr int32_t kMillion = 1000000;

// Figure 0 becomes a fresh copy of the million-element figure (untimed).
void freshMillion()
{
    static std::unique_ptr<mobrhost::Figure> master;
    if (!master) master = figureOf(kMillion);
    FigureModel::instance().replaceFigure(0, std::make_unique<mobrhost::Figure>(*master));
}

void BM_ConvertMillionElements(benchmark::State& state)
{
    startHost();
    const std::string ref = referencePath(), def = definitionPath();
    for (auto _ : state) {
        state.PauseTiming();
        freshMillion();
        state.ResumeTiming();
        Quiet quiet;
        CAtrCnvTargets targets(quiet);
        targets.prepare();
        targets.loadReference(ref);
        targets.applyWidthEntries(def);
        targets.applyColourEntries(def);
        targets.applyPenEntries(def);
        const atrcnv::CommitReport r = atrcnv::commitConversion(targets, {});
        if (!r.pensConverted || !r.coloursConverted || !r.widthsConverted) state.SkipWithError("not converted");
    }
    state.SetItemsProcessed(state.iterations() * kMillion);
}
BENCHMARK(BM_ConvertMillionElements)->Unit(benchmark::kMillisecond)->Iterations(5);

// The application alone (what OK does after the sheet): new tables, three
// renumberings, pen colours rebuilt, mask repair. Loading and resolving are
// not timed.
void BM_ApplyConversionMillion(benchmark::State& state)
{
    startHost();
    const std::string ref = referencePath(), def = definitionPath();
    Quiet quiet;
    std::unique_ptr<CAtrCnvTargets> targets;
    for (auto _ : state) {
        state.PauseTiming();
        targets.reset();  // the previous run's copies and reference go back untimed
        freshMillion();
        targets = std::make_unique<CAtrCnvTargets>(quiet);
        targets->prepare();
        targets->loadReference(ref);
        targets->applyWidthEntries(def);
        targets->applyColourEntries(def);
        targets->applyPenEntries(def);
        state.ResumeTiming();
        const atrcnv::CommitReport r = atrcnv::commitConversion(*targets, {});
        if (!r.pensConverted || !r.coloursConverted || !r.widthsConverted) state.SkipWithError("not converted");
    }
    targets.reset();
    state.SetItemsProcessed(state.iterations() * kMillion);
}
BENCHMARK(BM_ApplyConversionMillion)->Unit(benchmark::kMillisecond)->Iterations(5);

// The host's own commit of index tables like the conversion's: colours,
// widths and pens, each renumbering the figure in conversion mode.
void BM_HostCommitSameIndexTables(benchmark::State& state)
{
    startHost();
    const struct {
        void* (*edit)(short);
        int32_t (*mode)(int32_t);
        int32_t (*restore)(short, void*, int32_t, void*);
        int32_t map[5];
    } kinds[] = {
        {hostapi::aatFigEditColInfo, hostapi::aatFigColSetCnvMode, hostapi::aatFigRestoreColInfoEx, {0, 1, 1, 3, 4}},
        {hostapi::aatFigEditWidInfo, hostapi::aatFigWidSetCnvMode, hostapi::aatFigRestoreWidInfoEx, {0, 1, 2, 3, 0}},
        {hostapi::aatFigEditPenInfo, hostapi::aatFigPenSetCnvMode, hostapi::aatFigRestorePenInfoEx, {0, 1, 2, 1, 4}},
    };
    for (auto _ : state) {
        state.PauseTiming();
        freshMillion();
        state.ResumeTiming();
        for (const auto& k : kinds) {
            state.PauseTiming();
            void* copy = k.edit(0);
            int32_t out = 0;
            void* index = hostapi::as_MakeTable(static_cast<char*>(copy) + 4, &out);
            for (int j = 0; j < 5 && j < out; ++j) hostapi::as_SetTableIndex(index, j, k.map[j]);
            state.ResumeTiming();
            k.mode(1);
            k.restore(0, copy, 0, index);
            k.mode(0);
            state.PauseTiming();
            hostapi::as_FreeTable(index);
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(state.iterations() * kMillion);
}
BENCHMARK(BM_HostCommitSameIndexTables)->Unit(benchmark::kMillisecond)->Iterations(5);

// mobr convert over 100 drawings of 10,000 elements; argument: jobs.
void BM_MobrConvert100Drawings(benchmark::State& state)
{
    constexpr int kDrawings = 100;
    startHost();
    const std::string in = folder() + "/drawings", out = folder() + "/converted";
    static bool made = false;
    if (!made) {
        made = true;
        std::system(("mkdir -p '" + in + "' '" + out + "'").c_str());
        const auto figure = figureOf(10000);
        std::string error;
        for (int i = 0; i < kDrawings; ++i)
            mobrhost::FigureFile::save(*figure, in + "/d" + std::to_string(i) + ".fig", &error);
    }
    const std::string command = std::string("QT_QPA_PLATFORM=offscreen '") + MOBR_PROGRAM + "' convert --reference '" +
                                referencePath() + "' --definition '" + definitionPath() + "' --out '" + out +
                                "' --jobs " + std::to_string(state.range(0)) + " '" + in + "'/*.fig > /dev/null 2>&1";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) state.SkipWithError("mobr convert failed");
    }
    state.counters["drawings_per_s"] = benchmark::Counter(kDrawings * static_cast<double>(state.iterations()),
                                                          benchmark::Counter::kIsRate);
}
BENCHMARK(BM_MobrConvert100Drawings)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
