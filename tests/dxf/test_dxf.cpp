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
#include <set>
#include <sstream>

#include <QDir>
#include <QTemporaryDir>

#include <dxflib/dl_creationadapter.h>
#include <nlohmann/json.hpp>

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

double geometry(const unsigned char* r, int i) { return bytes::get<double>(r, element::kGeometry + 8 * static_cast<std::size_t>(i)); }

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
        // Lines: 2 own, 1 in the block, 3 of the closed polyline, (R2000+) 3 hatch edges, 1 true colour line.
        EXPECT_EQ(countKind(*f, element::Line), r12 ? 6 : 10);
        EXPECT_EQ(countKind(*f, element::Arc), r12 ? 1 : 2);   // the bulged lightweight polyline segment
        EXPECT_EQ(countKind(*f, element::Circle), 1);
        EXPECT_EQ(countKind(*f, element::Point), 1);
        EXPECT_EQ(countKind(*f, element::Text), r12 ? 1 : 3);  // two lines of the MTEXT
        EXPECT_EQ(countKind(*f, element::Group), 1);
        EXPECT_EQ(countKind(*f, element::Hatch), r12 ? 0 : 1);
        EXPECT_EQ(report.skipped("SPLINE"), r12 ? 0 : 2);

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
        const auto& records = f->elements.records(0);
        for (const auto& r : records) {
            if (bytes::i32(r.data(), element::kOwner) <= 0 || bytes::u16(r.data(), element::kKind) != element::Line) continue;
            const auto* owner = f->elements.slot(bytes::i32(r.data(), element::kOwner));
            if (bytes::u16(owner, element::kKind) != element::Group) continue;
            EXPECT_EQ(f->colours->at(r[element::kColour])->name, "ACI 2");
            EXPECT_NEAR(geometry(r.data(), 2), 200.0, 1e-9);
            EXPECT_NEAR(geometry(r.data(), 3), 10.0, 1e-9);
        }
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
    std::ifstream in(MOBR_SAMPLE_FIGURE);
    std::stringstream text;
    text << in.rdbuf();
    std::string problem;
    auto original = mobrhost::FigureJson::importText(text.str(), &problem);
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
    EXPECT_NE(std::find(FigureDocument::lastNotes().begin(), FigureDocument::lastNotes().end(), "skipped 2 SPLINE"),
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
