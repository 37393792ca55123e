// DXF in and out: drawings written by an independent writer (python3-ezdxf)
// read into the figure model with the mapping and reports expected; figures
// written and read back; every written file audited by ezdxf; bad files
// refused with a message naming them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>
#include <locale>
#include <map>
#include <set>
#include <sstream>

#include <QDir>
#include <QTemporaryDir>

#include <dxflib/dl_creationadapter.h>
#include <nlohmann/json.hpp>

#include "DxfCurves.h"
#include "DxfExport.h"
#include "FigureDocument.h"
#include "DxfImport.h"
#include "DxfParts.h"
#include "DxfSplit.h"
#include "DxfText.h"
#include "model/Bytes.h"
#include "platform/CodePage.h"
#include "store/FigureJson.h"

using mobrhost::Figure;
namespace element = mobrhost::element;
namespace bytes = mobr::bytes;

namespace {

std::string run(const std::string& args)
{
    std::string out;
    FILE* pipe = ::popen((std::string(MOBR_PYTHON) + " " + MOBR_DXF_TOOL + " " + args).c_str(), "r");
    char buffer[4096];
    while (pipe && std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
    if (pipe) ::pclose(pipe);
    return out;
}

nlohmann::json ezdxfCheck(const std::string& path) { return nlohmann::json::parse(run("check " + path)); }

void writeFile(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

struct Dxf : ::testing::Test {
    QTemporaryDir dir;
    std::string path(const char* name) const { return QDir(dir.path()).filePath(name).toStdString(); }
    std::unique_ptr<Figure> read(const std::string& file, mobrdxf::DxfReport& report, std::string* error = nullptr)
    {
        std::string problem;
        auto figure = mobrdxf::readDxfFile(file, report, &problem);
        if (error) *error = problem;
        else EXPECT_TRUE(figure) << problem;
        return figure;
    }
};

int countKind(const Figure& f, uint16_t kind)
{
    int n = 0;
    for (const auto& r : f.elements.records(0)) n += bytes::u16(r.data(), element::kKind) == kind;
    return n;
}

const unsigned char* firstOf(const Figure& f, uint16_t kind)
{
    for (const auto& r : f.elements.records(0))
        if (bytes::u16(r.data(), element::kKind) == kind) return r.data();
    return nullptr;
}

std::unique_ptr<Figure> sampleFigure(std::string* problem)
{
    std::ifstream in(MOBR_SAMPLE_FIGURE);
    std::stringstream text;
    text << in.rdbuf();
    return mobrhost::FigureJson::importText(text.str(), problem);
}

double geometry(const unsigned char* r, int i) { return bytes::get<double>(r, element::kGeometry + 8 * static_cast<std::size_t>(i)); }

// The shapes `owner` owns, by kind.
std::vector<const unsigned char*> ownedBy(const Figure& f, const unsigned char* owner, uint16_t kind)
{
    std::vector<const unsigned char*> out;
    for (const auto& r : f.elements.records(0)) {
        if (bytes::i32(r.data(), element::kOwner) == bytes::i32(owner, element::kId) && bytes::u16(r.data(), element::kKind) == kind)
            out.push_back(r.data());
    }
    return out;
}

TEST_F(Dxf, ReadsEveryVersionWithTheMappingAndItsReport)
{
    for (const char* version : {"R12", "R2000", "R2004", "R2007", "R2010", "R2013", "R2018"}) {
        SCOPED_TRACE(version);
        const std::string file = path("in.dxf");
        run(std::string("make ") + version + " " + file);
        mobrdxf::DxfReport report;
        auto f = read(file, report);
        ASSERT_TRUE(f);
        const bool r12 = std::string(version) == "R12";
        // Lines: 2 own, 1 in the block, 3 of the closed polyline, (R2000+) 3 hatch edges, 1 true colour line,
        // and the lines of the two splines through their fit points.
        mobrdxf::SplineCurve spline;
        spline.fit = {{0, 0}, {1, 1}, {2, 0}, {3, 1}};
        const int splineLines = static_cast<int>(mobrdxf::splinePoints(spline, nullptr).size()) - 1;
        EXPECT_EQ(countKind(*f, element::Line), r12 ? 6 : 10 + 2 * splineLines);
        EXPECT_EQ(countKind(*f, element::Arc), r12 ? 1 : 2);   // the bulged lightweight polyline segment
        EXPECT_EQ(countKind(*f, element::Circle), 1);
        EXPECT_EQ(countKind(*f, element::Point), 1);
        EXPECT_EQ(countKind(*f, element::Text), r12 ? 1 : 3);  // two lines of the MTEXT
        EXPECT_EQ(countKind(*f, element::Group), r12 ? 1 : 3);   // the insertion, the splines
        EXPECT_EQ(countKind(*f, element::Hatch), r12 ? 0 : 1);
        EXPECT_EQ(report.approximated("SPLINE"), r12 ? 0 : 2);

        // The line type with its pitch (dot as the shortest dash, gaps merged).
        const int pen = f->pens->find("DASHDOT");
        ASSERT_GT(pen, 0);
        EXPECT_EQ(f->pens->at(pen)->pitch, (std::vector<double>{6.0, 2.0, 0.1, 2.0}));
        // The explicit lineweight 0.50 mm made a second pen of that line type.
        bool found = false;
        for (int n = 1; n <= f->pens->count(); ++n) {
            const auto* p = f->pens->at(n);
            found = found || (p->pitch == f->pens->at(pen)->pitch && std::fabs(f->widths->at(p->width)->width - 0.5) < 1e-9);
        }
        EXPECT_EQ(found, !r12);   // R12 has no lineweights
        // Names cut to 16 bytes and made distinct.
        EXPECT_GT(f->fonts->find("ROMAN_STYLE_WITH"), 0);
        EXPECT_GT(f->fonts->find("ROMAN_STYLE_WI~2"), 0);

        // By layer: the WALLS line is red (index 1); by block: the block's
        // line takes the insertion's yellow (index 2), rotated by 90 degrees.
        const unsigned char* line = firstOf(*f, element::Line);
        EXPECT_EQ(f->colours->at(line[element::kColour])->name, "ACI 1");
        // The insertion's group comes first; the splines' groups follow it.
        const auto blockLines = ownedBy(*f, firstOf(*f, element::Group), element::Line);
        ASSERT_EQ(blockLines.size(), 1u);
        EXPECT_EQ(f->colours->at(blockLines[0][element::kColour])->name, "ACI 2");
        EXPECT_NEAR(geometry(blockLines[0], 2), 200.0, 1e-9);
        EXPECT_NEAR(geometry(blockLines[0], 3), 10.0, 1e-9);
        const unsigned char* text = firstOf(*f, element::Text);
        EXPECT_NEAR(geometry(text, 3), 90.0, 1e-9);
        const std::string utf8 = mobr::cp932::toUtf8(reinterpret_cast<const char*>(text + element::kText));
        EXPECT_EQ(utf8.substr(0, 6), "\u56f3\u9762");
        // R12 text was CP932 bytes and is kept; the others have characters CP932 lacks, reported.
        EXPECT_EQ(report.counted("texts with characters the host code page lacks (shown as ?)") > 0, !r12);
        // What is read can be exported and imported again.
        std::string problem;
        EXPECT_TRUE(mobrhost::FigureJson::importText(mobrhost::FigureJson::exportText(*f), &problem)) << problem;
    }
}

TEST_F(Dxf, SampleFigureRoundTripsThroughR2000AndR12AndEzdxfAcceptsIt)
{
    std::string problem;
    auto original = sampleFigure(&problem);
    ASSERT_TRUE(original) << problem;
    for (const auto version : {mobrdxf::DxfVersion::R2000, mobrdxf::DxfVersion::R12}) {
        const bool r12 = version == mobrdxf::DxfVersion::R12;
        SCOPED_TRACE(r12 ? "R12" : "R2000");
        const std::string file = path("out.dxf");
        mobrdxf::DxfReport written;
        ASSERT_TRUE(mobrdxf::saveDxfFile(*original, file, version, written, &problem)) << problem;

        const nlohmann::json check = ezdxfCheck(file);
        EXPECT_TRUE(check["errors"].empty()) << check.dump();
        EXPECT_EQ(check["version"], r12 ? "AC1009" : "AC1015");
        for (int n = 1; n <= original->pens->count(); ++n) {
            const std::string name = original->pens->at(n)->name;
            EXPECT_NE(std::find(check["linetypes"].begin(), check["linetypes"].end(), name), check["linetypes"].end()) << name;
        }
        EXPECT_GT(check["entities"].value("LINE", 0), 0);

        mobrdxf::DxfReport report;
        auto back = read(file, report);
        ASSERT_TRUE(back);
        // Pens come back by name with their pitch and plot style, and none
        // for the CONTINUOUS line type the format requires; every element of a kind
        // the format holds comes back with its geometry, pen name and colour.
        EXPECT_EQ(back->pens->count(), original->pens->count());
        for (int n = 1; n <= original->pens->count(); ++n) {
            const auto* pen = original->pens->at(n);
            const int other = back->pens->find(pen->name);
            ASSERT_GT(other, 0) << pen->name;
            EXPECT_EQ(back->pens->at(other)->pitch, pen->pitch);
            EXPECT_EQ(back->pens->at(other)->plotStyle, pen->plotStyle);
        }
        for (const uint16_t kind : {element::Line, element::Arc, element::Circle, element::Text, element::Point}) {
            if (kind == element::Line) continue;   // dimensions (and R12 hatches) add lines
            EXPECT_EQ(countKind(*back, kind), countKind(*original, kind)) << kind;
        }
        EXPECT_EQ(countKind(*back, element::Hatch), r12 ? 0 : countKind(*original, element::Hatch));
        const unsigned char* a = firstOf(*original, element::Arc);
        const unsigned char* b = firstOf(*back, element::Arc);
        if (a && b) {
            for (int i = 0; i < 5; ++i) EXPECT_NEAR(geometry(a, i), geometry(b, i), 1e-9);
            EXPECT_EQ(original->pens->at(a[element::kPen])->name, back->pens->at(b[element::kPen])->name);
        }
    }
}

TEST_F(Dxf, BadFilesAreRefusedWithTheirNameAndNeverCrash)
{
    const std::string good = [&] {
        const std::string file = path("good.dxf");
        run("make R2000 " + file);
        std::ifstream in(file, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }();
    const std::string header = "0\nSECTION\n2\nENTITIES\n";
    const struct { const char* name; std::string text; const char* expect; } cases[] = {
        {"truncated", good.substr(0, good.size() / 2), "cut short"},
        {"binary", std::string("AutoCAD Binary DXF\r\n\x1a\0", 22) + "xxxx", "binary DXF"},
        {"trash", "PK\x03\x04 not a drawing", "not a DXF file"},
        {"empty", "", "not a DXF file"},
        {"nan", header + "0\nLINE\n8\n0\n10\nnan\n20\n0\n11\n1e400\n21\n0\n0\nENDSEC\n0\nEOF\n", ""},
        {"negative count", header + "0\nLWPOLYLINE\n8\n0\n90\n-5\n70\n0\n10\n1\n20\n1\n0\nENDSEC\n0\nEOF\n", ""},
        {"self insert", "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nB\n10\n0\n20\n0\n0\nINSERT\n2\nB\n10\n1\n20\n0\n0\nENDBLK\n0\nENDSEC\n"
                        + header + "0\nINSERT\n2\nB\n10\n0\n20\n0\n0\nENDSEC\n0\nEOF\n", ""},
        {"array bomb", "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nB\n0\nLINE\n10\n0\n20\n0\n11\n1\n21\n1\n0\nENDBLK\n0\nENDSEC\n"
                       + header + "0\nINSERT\n2\nB\n70\n30000\n71\n30000\n44\n1\n45\n1\n0\nENDSEC\n0\nEOF\n", "more than"},
        {"duplicate handles", header + "0\nLINE\n5\n2A\n8\n0\n10\n0\n20\n0\n11\n1\n21\n1\n0\nLINE\n5\n2A\n8\n0\n10\n0\n20\n0\n11\n2\n21\n2\n0\nENDSEC\n0\nEOF\n", ""},
        {"unreadable type", header + "0\n\x01\xff\xfe\n8\n0\n0\nENDSEC\n0\nEOF\n", ""},
        {"unknown section and codes", "0\nSECTION\n2\nWHATEVER\n1\nx\n0\nENDSEC\n" + header
                                      + "0\nLINE\n999999\nbad\n10\nabc\n0\nENDSEC\n0\nEOF\ntrash after the end\n", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = path("bad.dxf");
        writeFile(file, c.text);
        mobrdxf::DxfReport report;
        std::string error;
        auto figure = read(file, report, &error);
        if (*c.expect) {
            EXPECT_FALSE(figure);
            EXPECT_EQ(error.rfind(file + ": ", 0), 0u) << error;
            EXPECT_NE(error.find(c.expect), std::string::npos) << error;
        } else if (figure) {
            for (const std::string& line : report.lines())
                EXPECT_TRUE(std::all_of(line.begin(), line.end(), [](unsigned char c) { return c >= 0x20; })) << line;
            std::string problem;
            EXPECT_TRUE(mobrhost::FigureJson::checkElements(*figure, &problem)) << problem;
        }
    }
}

TEST_F(Dxf, DrawingsAreToldApartByContentAndSavedByName)
{
    // A DXF drawing under a figure file's name is still read as DXF; a
    // ".dxf" target is written as DXF, R12 when asked for.
    const std::string disguised = path("drawing.fig");
    run("make R2000 " + disguised);
    std::string error;
    auto figure = FigureDocument::loadDrawing(disguised, &error);
    ASSERT_TRUE(figure) << error;
    EXPECT_NE(std::find(FigureDocument::lastNotes().begin(), FigureDocument::lastNotes().end(), "approximated 2 SPLINE as lines"),
              FigureDocument::lastNotes().end());
    for (const bool r12 : {false, true}) {
        FigureDocument::preferDxfR12(r12);
        const std::string out = path("copy.DXF");
        ASSERT_TRUE(FigureDocument::saveDrawing(*figure, out, FigureDocument::Format::ByName, &error)) << error;
        EXPECT_EQ(ezdxfCheck(out)["version"], r12 ? "AC1009" : "AC1015");
    }
    FigureDocument::preferDxfR12(false);
    // A refused drawing leaves the target as it was.
    writeFile(path("cut.dxf"), "0\nSECTION\n2\nENTITIES\n0\nLINE\n");
    writeFile(path("target.json"), "{}");
    EXPECT_FALSE(FigureDocument::importJson(path("cut.dxf"), path("target.json"), &error));
    EXPECT_NE(error.find("cut.dxf: is cut short"), std::string::npos) << error;
    std::ifstream kept(path("target.json"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "{}");
}

std::map<std::string, int> layerSlotsByName(const Figure& f)
{
    std::map<std::string, int> named;
    for (int slot = 0; slot < 256; ++slot) {
        const std::string& name = f.layers->name(slot / 16, slot % 16);
        if (!name.empty()) named[mobr::cp932::toUtf8(name)] = slot;
    }
    return named;
}

int layerSlotOf(const unsigned char* r) { return bytes::u16(r, element::kLayerGroup) * 16 + bytes::u16(r, element::kLayer); }

bool hasNote(const mobrdxf::DxfReport& report, const std::string& text)
{
    const auto lines = report.lines();
    return std::find(lines.begin(), lines.end(), text) != lines.end();
}

TEST_F(Dxf, LayerNamesAreReadAndWrittenBackOnTheirSlots)
{
    const std::string drawing = path("layers.dxf");
    run("make R2000 " + drawing);
    mobrdxf::DxfReport report;
    auto read = this->read(drawing, report);
    ASSERT_TRUE(read);
    const auto named = layerSlotsByName(*read);
    ASSERT_TRUE(named.count("WALLS"));
    EXPECT_TRUE(named.count("A_VERY_LONG_LAYE")) << "cut to 16 bytes";
    EXPECT_TRUE(hasNote(report, "layer \"A_VERY_LONG_LAYER_NAME_INDEED\" is called \"A_VERY_LONG_LAYE\" (names hold 16 bytes and differ)"));
    EXPECT_EQ(read->layers->name(0, 0), "") << "layer 0 needs no name";
    EXPECT_EQ(layerSlotOf(firstOf(*read, element::Line)), named.at("WALLS"));
    // A name the layer table cannot hold leaves the layer unnamed, with a word.
    writeFile(drawing, "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n0\nLAYER\n2\nA\x01" "B\n70\n0\n62\n1\n6\nCONTINUOUS\n"
                       "0\nENDTAB\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n0\nENDSEC\n0\nEOF\n");
    mobrdxf::DxfReport control;
    auto unnamed = this->read(drawing, control);
    ASSERT_TRUE(unnamed);
    EXPECT_FALSE(unnamed->layers->hasNames());
    EXPECT_TRUE(hasNote(control, "layer \"A?B\" keeps no name (contains a control character)"));

    // Named layers keep their names; an unnamed one whose default name a named
    // one took gets another; a forbidden character is replaced.
    std::string problem;
    auto original = sampleFigure(&problem);
    ASSERT_TRUE(original) << problem;
    const std::string wall = mobr::cp932::fromUtf8("\u58c1");
    ASSERT_TRUE(original->layers->setName(0, 1, "Walls"));
    ASSERT_TRUE(original->layers->setName(0, 3, "G00-L02"));
    ASSERT_TRUE(original->layers->setName(0, 5, wall));
    ASSERT_TRUE(original->layers->setName(2, 0, "A/B"));
    for (const auto version : {mobrdxf::DxfVersion::R2000, mobrdxf::DxfVersion::R12}) {
        SCOPED_TRACE(version == mobrdxf::DxfVersion::R12 ? "R12" : "R2000");
        const std::string file = path("named.dxf");
        mobrdxf::DxfReport written;
        ASSERT_TRUE(mobrdxf::saveDxfFile(*original, file, version, written, &problem)) << problem;
        EXPECT_TRUE(hasNote(written, "layer \"A/B\" is written as layer \"A_B\""));
        const nlohmann::json check = ezdxfCheck(file);
        EXPECT_TRUE(check["errors"].empty()) << check.dump();
        const auto& layers = check["layers"];
        for (const char* name : {"0", "Walls", "G00-L02", "G00-L02~2", "\u58c1", "A_B", "G00-L04", "G01-L15"})
            EXPECT_NE(std::find(layers.begin(), layers.end(), name), layers.end()) << name << " in " << layers.dump();

        mobrdxf::DxfReport back;
        auto again = this->read(file, back);
        ASSERT_TRUE(again);
        EXPECT_EQ(again->layers->name(0, 1), "Walls");
        EXPECT_EQ(again->layers->name(0, 3), "G00-L02");
        EXPECT_EQ(again->layers->name(0, 5), wall);
        EXPECT_EQ(again->layers->name(2, 0), "A_B");
        EXPECT_EQ(again->layers->name(0, 2), "G00-L02~2") << "the name it was written under";
        EXPECT_EQ(again->layers->name(0, 4), "") << "a default name does not stick";
        EXPECT_EQ(again->layers->name(0, 0), "");
    }
}

TEST_F(Dxf, HatchPolylinePathsEllipsesAndSplinesBecomeLinesAndArcs)
{
    const std::string file = path("curves.dxf");
    run("curves " + file);
    mobrdxf::DxfReport report;
    auto f = read(file, report);
    ASSERT_TRUE(f);
    // The hatch owns both polyline paths: a square with a half circle for
    // its top edge (bulge 1), and a triangle.
    const unsigned char* hatch = firstOf(*f, element::Hatch);
    ASSERT_TRUE(hatch);
    EXPECT_EQ(ownedBy(*f, hatch, element::Line).size(), 6u);
    const auto arcs = ownedBy(*f, hatch, element::Arc);
    ASSERT_EQ(arcs.size(), 1u);
    for (const auto& [i, value] : std::vector<std::pair<int, double>>{{0, 5}, {1, 10}, {2, 5}, {3, 0}, {4, 180}})
        EXPECT_NEAR(geometry(arcs[0], i), value, 1e-9) << i;
    // The other hatch's elliptic and spline edges are lines on their curves.
    EXPECT_EQ(report.approximated("HATCH boundary ellipse"), 1);
    EXPECT_EQ(report.approximated("HATCH boundary spline"), 1);
    int onCurves = 0;
    for (const auto& r : f->elements.records(0)) {
        if (bytes::u16(r.data(), element::kKind) != element::Line || f->colours->at(r[element::kColour])->name != "ACI 6") continue;
        for (int end = 0; end < 2; ++end) {
            const double x = geometry(r.data(), 2 * end), y = geometry(r.data(), 2 * end + 1);
            if (y == 0) continue;   // the closing lines
            ++onCurves;
            if (x < 250) EXPECT_NEAR(std::hypot((x - 200) / 20, y / 10), 1.0, 1e-9) << x << " " << y;
            else EXPECT_NEAR(y, 40 * (x - 300) / 20 * (1 - (x - 300) / 20), 1e-9) << x << " " << y;
        }
    }
    EXPECT_GT(onCurves, 8);
    const auto said = report.lines();
    EXPECT_EQ(said.end(), std::find_if(said.begin(), said.end(), [](const std::string& l) {
                  return l.find("HATCH") != std::string::npos && l.rfind("approximated", 0) != 0;
              })) << "nothing of the hatches is skipped or damaged";

    // Ellipses: the circular one is an arc, the others groups of lines on the ellipse.
    EXPECT_EQ(report.approximated("ELLIPSE"), 2);
    EXPECT_EQ(report.approximated("SPLINE"), 3);
    bool quarterArc = false;
    for (const auto& r : f->elements.records(0)) {
        if (bytes::u16(r.data(), element::kKind) != element::Arc || bytes::i32(r.data(), element::kOwner) > 0) continue;
        quarterArc = std::fabs(geometry(r.data(), 0) - 50) < 1e-9 && std::fabs(geometry(r.data(), 2) - 10) < 1e-9
                     && std::fabs(geometry(r.data(), 3)) < 1e-9 && std::fabs(geometry(r.data(), 4) - 90) < 1e-9;
    }
    EXPECT_TRUE(quarterArc);
    int onEllipse = 0;
    for (const auto& r : f->elements.records(0)) {
        if (bytes::u16(r.data(), element::kKind) != element::Line || f->colours->at(r[element::kColour])->name != "ACI 1") continue;
        EXPECT_EQ(f->layers->name(bytes::u16(r.data(), element::kLayerGroup), bytes::u16(r.data(), element::kLayer)), "CURVES");
        for (int end = 0; end < 2; ++end) {
            // Centre (100, 50), major axis (40, 30): a = 50 along (0.8, 0.6), b = 25.
            const double dx = geometry(r.data(), 2 * end) - 100, dy = geometry(r.data(), 2 * end + 1) - 50;
            const double u = (dx * 0.8 + dy * 0.6) / 50, v = (-dx * 0.6 + dy * 0.8) / 25;
            EXPECT_NEAR(u * u + v * v, 1.0, 1e-9);
        }
        ++onEllipse;
    }
    EXPECT_GE(onEllipse, 16);
    EXPECT_LE(onEllipse, mobrdxf::kMaxCurveSegments);
}

// The distance from (x, y) to a line, arc or circle element; arcs run
// counter-clockwise from their start angle to their end angle.
double distanceToCurve(const unsigned char* r, double x, double y)
{
    const uint16_t kind = bytes::u16(r, element::kKind);
    if (kind == element::Line) {
        const double x1 = geometry(r, 0), y1 = geometry(r, 1), dx = geometry(r, 2) - x1, dy = geometry(r, 3) - y1;
        const double length2 = dx * dx + dy * dy;
        const double t = length2 > 0 ? std::clamp(((x - x1) * dx + (y - y1) * dy) / length2, 0.0, 1.0) : 0.0;
        return std::hypot(x - x1 - t * dx, y - y1 - t * dy);
    }
    const double cx = geometry(r, 0), cy = geometry(r, 1), radius = geometry(r, 2);
    const double onCircle = std::fabs(std::hypot(x - cx, y - cy) - radius);
    if (kind == element::Circle) return onCircle;
    const auto sweep = [](double from, double to) { return std::fmod(std::fmod(to - from, 360.0) + 360.0, 360.0); };
    const double a1 = geometry(r, 3), a2 = geometry(r, 4);
    if (sweep(a1, std::atan2(y - cy, x - cx) * 180.0 / M_PI) <= sweep(a1, a2) + 1e-9) return onCircle;
    double nearestEnd = std::numeric_limits<double>::infinity();
    for (const double a : {a1, a2})
        nearestEnd = std::min(nearestEnd, std::hypot(x - cx - radius * std::cos(a * M_PI / 180), y - cy - radius * std::sin(a * M_PI / 180)));
    return nearestEnd;
}

// Every point ezdxf computed for an entity lies on the lines and arcs of
// its colour; a text of that colour stands at its point.
void expectWorldPlacement(const Figure& f, const nlohmann::json& expected)
{
    for (const auto& [colour, points] : expected.items()) {
        SCOPED_TRACE("colour " + colour);
        std::vector<const unsigned char*> curves, texts;
        for (const auto& r : f.elements.records(0)) {
            if (f.colours->at(r[element::kColour])->name != "ACI " + colour) continue;
            const uint16_t kind = bytes::u16(r.data(), element::kKind);
            if (kind == element::Line || kind == element::Arc || kind == element::Circle) curves.push_back(r.data());
            if (kind == element::Text) texts.push_back(r.data());
        }
        if (!texts.empty()) {
            ASSERT_EQ(texts.size(), 1u);
            EXPECT_NEAR(geometry(texts[0], 0), points[0][0].get<double>(), 1e-9);
            EXPECT_NEAR(geometry(texts[0], 1), points[0][1].get<double>(), 1e-9);
            continue;
        }
        ASSERT_FALSE(curves.empty());
        // ezdxf's points of the hatch (colour 4) stand within 2e-3 of its
        // arcs; the ellipse (colour 6) is drawn as lines within the chord
        // tolerance; the others are exact.
        const double tolerance = colour == "4" ? 2e-3 : colour == "6" ? mobrdxf::chordTolerance(20) : 1e-9;
        for (const auto& point : points) {
            const double x = point[0], y = point[1];
            double nearest = std::numeric_limits<double>::infinity();
            for (const unsigned char* r : curves) nearest = std::min(nearest, distanceToCurve(r, x, y));
            EXPECT_LE(nearest, tolerance) << x << " " << y;
        }
    }
}

TEST_F(Dxf, MirroredEntitiesArePlacedWhereTheWorldSeesThemAndStayThereWrittenBack)
{
    // Arcs, a circle, a polyline with bulges both ways, a hatch with line,
    // arc (both ways round) and bulged polyline paths, a scaled and rotated
    // insertion of a block with an arc, an elliptic arc and a text, all with
    // the extrusion (0, 0, -1) and all at positive x in their own system.
    const std::string file = path("mirrored.dxf");
    const nlohmann::json expected = nlohmann::json::parse(run("mirrored " + file));
    ASSERT_EQ(expected.size(), 7u);
    mobrdxf::DxfReport report;
    auto f = read(file, report);
    ASSERT_TRUE(f);
    expectWorldPlacement(*f, expected);

    // The tilted arc cannot lie in the plane; the report says so.
    EXPECT_EQ(report.counted("ARC placed as if seen from above (tilted extrusion)"), 1);

    // Written with the world's extrusion and read back, nothing moves.
    const std::string written = path("written.dxf");
    mobrdxf::DxfReport writeReport, readBack;
    writeFile(written, mobrdxf::writeDxf(*f, mobrdxf::DxfVersion::R2000, writeReport));
    auto again = read(written, readBack);
    ASSERT_TRUE(again);
    expectWorldPlacement(*again, expected);
}

TEST_F(Dxf, DamagedHatchPathsAndSplinesAreTakenAsFarAsTheyGo)
{
    const std::string head = "0\nSECTION\n2\nENTITIES\n0\nHATCH\n8\n0\n2\nSOLID\n70\n1\n71\n0\n91\n1\n";
    const std::string tail = "97\n0\n75\n0\n76\n1\n98\n1\n10\n5\n20\n5\n0\nENDSEC\n0\nEOF\n";
    // A vertex count of 2^31 - 1, a y that is not a number, a vertex without
    // its y; the seed point after the path is no vertex.
    const std::string hostile = head + "92\n2\n72\n0\n73\n1\n93\n2147483647\n10\n0\n20\n0\n10\n10\n20\n0\n10\n10\n20\nnan\n"
                                "10\n7\n10\n0\n20\n10\n" + tail;
    const std::string file = path("hostile.dxf");
    writeFile(file, hostile);
    mobrdxf::DxfReport report;
    auto f = read(file, report);
    ASSERT_TRUE(f);
    const unsigned char* hatch = firstOf(*f, element::Hatch);
    ASSERT_TRUE(hatch);
    const auto lines = ownedBy(*f, hatch, element::Line);
    ASSERT_EQ(lines.size(), 3u) << "(0,0) (10,0) (0,10), closed";
    EXPECT_EQ(geometry(lines[2], 0), 0);
    EXPECT_EQ(geometry(lines[2], 1), 10);
    EXPECT_EQ(report.counted("HATCH polyline boundaries whose vertex count is wrong (the vertices given are used)"), 1);
    EXPECT_EQ(report.counted("HATCH polyline boundaries with vertices that are not numbers (left out)"), 1);

    // A path of one vertex, and a bulge too large to be a real arc.
    writeFile(file, head + "92\n2\n72\n1\n73\n1\n93\n1\n10\n0\n20\n0\n42\n1e300\n" + tail);
    mobrdxf::DxfReport small;
    ASSERT_TRUE(read(file, small));
    EXPECT_EQ(small.skipped("HATCH polyline boundary with fewer than 2 vertices"), 1);

    // A spline of degree 3 with two control points and no knots: drawn as
    // the line between them, and said.
    writeFile(file, "0\nSECTION\n2\nENTITIES\n0\nSPLINE\n8\n0\n70\n8\n71\n3\n72\n0\n73\n2\n74\n0\n"
                    "10\n0\n20\n0\n30\n0\n10\n4\n20\n3\n30\n0\n0\nENDSEC\n0\nEOF\n");
    mobrdxf::DxfReport spline;
    f = read(file, spline);
    ASSERT_TRUE(f);
    EXPECT_EQ(spline.counted("SPLINE with damaged degree, knots (made uniform)"), 1);
    const unsigned char* line = firstOf(*f, element::Line);
    ASSERT_TRUE(line);
    EXPECT_EQ(countKind(*f, element::Line), 1);
    EXPECT_NEAR(geometry(line, 2), 4, 1e-12);
    EXPECT_NEAR(geometry(line, 3), 3, 1e-12);
}

// A hatch or spline is complete only when the next entity begins; whether
// it is in paper space is its own flag, not the next entity's.
TEST_F(Dxf, EntitiesKeptUntilTheNextOneBeginsKeepTheirOwnSpace)
{
    const std::string hatch = "0\nHATCH\n8\n0\n2\nSOLID\n70\n1\n71\n0\n91\n1\n92\n2\n72\n0\n73\n1\n93\n3\n"
                              "10\n0\n20\n0\n10\n1\n20\n0\n10\n0\n20\n1\n97\n0\n75\n0\n76\n1\n";
    const std::string spline = "0\nSPLINE\n8\n0\n70\n8\n71\n1\n72\n4\n73\n2\n74\n0\n40\n0\n40\n0\n40\n1\n40\n1\n"
                               "10\n0\n20\n0\n30\n0\n10\n4\n20\n3\n30\n0\n";
    const std::string paperLine = "0\nLINE\n67\n1\n8\n0\n10\n0\n20\n0\n11\n1\n21\n1\n";
    const std::string file = path("spaces.dxf");
    writeFile(file, "0\nSECTION\n2\nENTITIES\n" + hatch + paperLine + spline + paperLine + "0\nENDSEC\n0\nEOF\n");
    mobrdxf::DxfReport report;
    auto f = read(file, report);
    ASSERT_TRUE(f);
    EXPECT_EQ(countKind(*f, element::Hatch), 1);
    EXPECT_EQ(report.approximated("SPLINE"), 1);
    EXPECT_EQ(countKind(*f, element::Line), 3 + 1) << "the hatch's boundary and the spline's line";
    EXPECT_EQ(report.skipped("entities in paper space"), 2);
}

TEST(DxfCurves, EllipsesAndSplinesStayWithinTheChordToleranceOfKnownCurves)
{
    // A rotated elliptic arc: its ends are those of its parameters, every
    // point is on the ellipse, and the middle of every line is within the
    // tolerance of it.
    const mobrdxf::EllipseCurve e{10, -5, 0, 200, 0.25, 0.5, 4.0};
    const auto points = mobrdxf::ellipsePoints(e);
    ASSERT_GE(points.size(), 2u);
    EXPECT_NEAR(points.front().x, e.at(0.5).x, 1e-12);
    EXPECT_NEAR(points.back().y, e.at(4.0).y, 1e-12);
    const double tolerance = mobrdxf::chordTolerance(400);
    for (std::size_t i = 1; i < points.size(); ++i) {
        // Frame of the ellipse: major axis along y, a = 200, b = 50.
        const auto residual = [](double x, double y) { return std::hypot((y + 5) / 200, -(x - 10) / 50); };
        EXPECT_NEAR(residual(points[i].x, points[i].y), 1.0, 1e-12);
        const double mx = (points[i - 1].x + points[i].x) / 2, my = (points[i - 1].y + points[i].y) / 2;
        // The middle of a chord is inside the ellipse, by at most the tolerance.
        EXPECT_LE(residual(mx, my), 1.0);
        EXPECT_GE(residual(mx, my), 1.0 - tolerance / 50);
    }
    const mobrdxf::EllipseCurve round{0, 0, 3, 4, 1.0, 0, 0};
    ASSERT_TRUE(round.isCircular());
    EXPECT_TRUE(round.asArc().full);
    EXPECT_DOUBLE_EQ(round.asArc().radius, 5);
    EXPECT_TRUE(mobrdxf::ellipsePoints({0, 0, 0, 0, 0.5, 0, 1}).empty()) << "no size";
    EXPECT_TRUE(mobrdxf::ellipsePoints({0, 0, 1, 0, NAN, 0, 1}).empty());

    // A quadratic B-spline is the parabola y = 2x - x^2.
    mobrdxf::SplineCurve parabola;
    parabola.degree = 2;
    parabola.knots = {0, 0, 0, 1, 1, 1};
    parabola.control = {{0, 0, 1}, {1, 2, 1}, {2, 0, 1}};
    std::string problem;
    const auto p = mobrdxf::splinePoints(parabola, &problem);
    EXPECT_EQ(problem, "");
    ASSERT_GE(p.size(), 3u);
    EXPECT_EQ(p.front().x, 0);
    EXPECT_EQ(p.back().x, 2);
    for (const auto& q : p) EXPECT_NEAR(q.y, 2 * q.x - q.x * q.x, 1e-12);

    // A rational one is a quarter of the unit circle exactly.
    mobrdxf::SplineCurve quarter = parabola;
    quarter.control = {{1, 0, 1}, {1, 1, std::sqrt(0.5)}, {0, 1, 1}};
    const auto c = mobrdxf::splinePoints(quarter, &problem);
    ASSERT_GE(c.size(), 3u);
    for (std::size_t i = 0; i < c.size(); ++i) {
        EXPECT_NEAR(std::hypot(c[i].x, c[i].y), 1.0, 1e-12);
        if (i == 0) continue;
        EXPECT_GE(std::hypot((c[i].x + c[i - 1].x) / 2, (c[i].y + c[i - 1].y) / 2), 1.0 - mobrdxf::kMinChordTolerance);
    }

    // Fit points only: a curve through each of them.
    mobrdxf::SplineCurve fit;
    fit.control.clear();
    fit.fit = {{0, 0}, {10, 10}, {20, 0}, {30, 10}};
    const auto through = mobrdxf::splinePoints(fit, &problem);
    for (const auto& want : fit.fit) {
        EXPECT_NE(std::find_if(through.begin(), through.end(), [&](const mobrdxf::CurvePoint& q) { return q.x == want.x && q.y == want.y; }),
                  through.end()) << want.x;
    }

    // Damaged knots are replaced; a wild zigzag keeps to the bound on lines.
    mobrdxf::SplineCurve zigzag;
    zigzag.degree = 3;
    for (int i = 0; i < 5000; ++i) zigzag.control.push_back({static_cast<double>(i), i % 2 ? 1000.0 : -1000.0, 1});
    zigzag.knots = {3, 2, 1};
    const auto z = mobrdxf::splinePoints(zigzag, &problem);
    EXPECT_EQ(problem, "with damaged knots (made uniform)");
    EXPECT_LE(z.size(), static_cast<std::size_t>(mobrdxf::kMaxCurveSegments) + 1);
    EXPECT_GE(z.size(), 2u);
    zigzag.control[7].y = NAN;
    EXPECT_TRUE(mobrdxf::splinePoints(zigzag, &problem).empty());
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

mobrdxf::ReadLimits inOnePart()
{
    mobrdxf::ReadLimits limits;
    limits.splitFrom = std::numeric_limits<std::size_t>::max();
    return limits;
}

mobrdxf::ReadLimits inTwoParts(std::size_t maxRecordedCalls = 1'000'000)
{
    mobrdxf::ReadLimits limits;
    limits.splitFrom = 0;
    limits.maxRecordedCalls = maxRecordedCalls;
    return limits;
}

// The figure and the report as text, to compare two reads of one file.
std::string readAsText(const std::string& file, const mobrdxf::ReadLimits& limits, std::string* error)
{
    mobrdxf::DxfReport report;
    const auto figure = mobrdxf::readDxfFile(file, report, error, limits);
    if (!figure) return {};
    std::string text = mobrhost::FigureJson::exportText(*figure);
    for (const std::string& line : report.lines()) text += "\n" + line;
    return text;
}

TEST_F(Dxf, ADrawingReadInTwoPartsGivesTheFigureAndReportOfOneRead)
{
    // Each round has polylines with vertices, an insertion with attributes,
    // a hatch, texts in code page bytes, layers and colours in no table. A
    // comment after the end, longer each time, moves the cut (at the middle
    // of the file) from entity to entity.
    const std::string drawing = path("mixed.dxf");
    run("mixed 4 " + drawing);
    const std::string text = readFile(drawing);
    std::set<std::string> cutBefore;
    for (std::size_t padding = 0; padding < text.size() / 2; padding += text.size() / 100) {
        SCOPED_TRACE(padding);
        const std::string file = path("padded.dxf");
        const std::string padded = text + "999\n" + std::string(padding, 'x') + "\n";
        writeFile(file, padded);
        const auto cut = mobrdxf::findEntityCut(padded, padded.size() / 2);
        if (!cut) continue;   // the middle is past the entities
        cutBefore.insert(padded.substr(cut->at, padded.find('\n', padded.find('\n', cut->at) + 1) - cut->at));
        DL_CreationAdapter ignore;
        EXPECT_TRUE(mobrdxf::readInTwoParts(file, ignore, {0, 1000}));

        std::string error;
        const std::string whole = readAsText(file, inOnePart(), &error);
        ASSERT_FALSE(whole.empty()) << error;
        EXPECT_EQ(readAsText(file, inTwoParts(), &error), whole) << error;
        // A second part too large to record is read after the first instead.
        EXPECT_EQ(readAsText(file, inTwoParts(10), &error), whole) << error;
    }
    EXPECT_GE(cutBefore.size(), 8u) << ::testing::PrintToString(cutBefore);
}

TEST_F(Dxf, NumbersAreReadInTheClassicLocaleAndTheProgramsLocaleIsKept)
{
    const std::string file = path("mixed.dxf");
    run("mixed 3 " + file);
    std::string error;
    const std::string expected = readAsText(file, inOnePart(), &error);
    ASSERT_FALSE(expected.empty()) << error;

    struct CommaDecimal : std::numpunct<char> {
        char do_decimal_point() const override { return ','; }
    };
    const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
    const std::string oneRead = readAsText(file, inOnePart(), &error);
    const std::string twoParts = readAsText(file, inTwoParts(), &error);
    const char decimalPoint = std::use_facet<std::numpunct<char>>(std::locale()).decimal_point();
    std::locale::global(previous);
    EXPECT_EQ(oneRead, expected);
    EXPECT_EQ(twoParts, expected);
    EXPECT_EQ(decimalPoint, ',');
}

TEST_F(Dxf, ADamagedSecondPartIsRefusedAsInOneRead)
{
    const std::string file = path("mixed.dxf");
    run("mixed 9 " + file);
    const std::string text = readFile(file);
    const struct { const char* name; std::string text; const char* expect; } cases[] = {
        {"cut after the middle", text.substr(0, text.size() * 3 / 4), "cut short"},
        {"no EOF", text.substr(0, text.rfind("EOF")), "cut short"},
        // dxflib asks for memory for this many vertices in the second part's thread.
        {"huge vertex count", text.substr(0, text.rfind("  0\nENDSEC")) + "0\nLWPOLYLINE\n90\n2000000000\n0\nENDSEC\n0\nEOF\n",
         "more memory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string damaged = path("damaged.dxf");
        writeFile(damaged, c.text);
        for (const auto& limits : {inOnePart(), inTwoParts()}) {
            std::string error;
            EXPECT_TRUE(readAsText(damaged, limits, &error).empty());
            EXPECT_NE(error.find(c.expect), std::string::npos) << error;
        }
    }
}

TEST(DxfSplit, CutsOnlyBeforeAnEntityThatStandsAloneInTheEntitiesSection)
{
    const std::string text = "999\nnote\n0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1009\n0\nENDSEC\n"
                             "0\nSECTION\n2\nENTITIES\n0\nPOLYLINE\n70\n0\n0\nVERTEX\n10\n0\n0\nSEQEND\n"
                             "0\nINSERT\n66\n1\n0\nATTRIB\n1\n0\n0\nSEQEND\n  0\r\nLINE\r\n0\nENDSEC\n0\nEOF\n";
    const auto at = [&](const char* word) { return text.find(word); };
    const auto cutFrom = [&](std::size_t from) { return mobrdxf::findEntityCut(text, from); };
    ASSERT_TRUE(cutFrom(0));
    EXPECT_EQ(text.substr(0, cutFrom(0)->headerEnd), text.substr(0, at("0\nSECTION\n2\nENTITIES")));
    EXPECT_EQ(cutFrom(0)->at, at("0\nPOLYLINE"));
    // Values "0", vertices, attributes and sequence ends are passed over.
    ASSERT_TRUE(cutFrom(at("POLYLINE")));
    EXPECT_EQ(cutFrom(at("POLYLINE"))->at, at("0\nINSERT"));
    ASSERT_TRUE(cutFrom(at("INSERT")));
    EXPECT_EQ(cutFrom(at("INSERT"))->at, at("  0\r\nLINE"));
    EXPECT_FALSE(cutFrom(at("LINE\r")));   // the section ends first
    EXPECT_FALSE(mobrdxf::findEntityCut("0\nSECTION\n2\nBLOCKS\n0\nLINE\n0\nENDSEC\n", 0));
}

TEST(DxfText, NamesAreCutOnCharacterBoundariesAndMadeDistinct)
{
    mobrdxf::NameFitter fitter;
    const std::string kanji = mobr::cp932::fromUtf8("\u56f3\u56f3\u56f3\u56f3\u56f3\u56f3\u56f3\u56f3\u56f3");   // 18 bytes
    bool changed = false;
    EXPECT_EQ(fitter.fit(kanji, &changed), kanji.substr(0, 16));
    EXPECT_TRUE(changed);
    const std::string second = fitter.fit("a" + kanji, &changed);
    EXPECT_EQ(second, "a" + kanji.substr(0, 14));   // a half character is never kept
    EXPECT_EQ(fitter.fit("SOLID", &changed), "SOLID");
    EXPECT_EQ(fitter.fit("solid", &changed), "solid~2");
    EXPECT_EQ(mobrdxf::stripMTextFormatting("{\\fArial|b1;Bold}\\Pnext \\S1^2; 50\\%"), "Bold\nnext 1/2 50\\%");
    EXPECT_EQ(mobrdxf::decodeToUtf8("\\U+56F3", mobrdxf::TextEncoding::Latin1), "\u56f3");
}

}  // namespace
