// Figure files and JSON: round trips, opening a file as a reference figure,
// compatibility with the figure file reader, refusal of bad files and
// documents, and saves that never damage the file they replace.

#include <sqlite3.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "FigureTestSupport.h"
#include "HostFixture.h"
#include "mobrdata/FileZq.h"
#include "store/FigureFile.h"
#include "store/FigureJson.h"

using namespace figtest;
namespace el = mobrhost::element;
using mobrhost::Figure;
using mobrhost::FigureFile;
using mobrhost::FigureJson;

namespace {

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeAll(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

void sql(const std::string& path, const std::string& statement)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, statement.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

std::size_t filesIn(const std::string& folder)
{
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder)) ++n;
    return n;
}

class StoreTest : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        std::filesystem::create_directories(folder());
        Figure* f = model().figure(0);
        addElement(0, el::Line, 2, 3);
        const int32_t group = addElement(0, el::Group, 1, 0);
        addElement(0, el::Hatch, 4, 5, group);
        f->elements.appendState(0, 2, el::Empty);
        addElement(0, el::Text, 1, 0, -1, 1);
        f->elements.erase(1 | (1 << 24));
        f->control = 0x80000001u;
        f->errorDistance = 0.01;
        f->tips->addUser("\x83\x65\x83\x58\x83\x67", "", {0.0, 1.0}, {1.0, 0.0});   // a double-byte name
        f->charEx->add(0x81, "\x82\xa0");
        void* pens = hostapi::aatFigGetPenInfo(0);
        const double pitch[4] = {2.5, 0.5, 1.0, 0.5};
        hostapi::aatPenSetPitch(pens, 4, pitch, 4);
        f->layers->setColour(1, 2, 3);
        f->layers->setName(1, 2, "\x95\xc7");   // a double-byte layer name
    }

    std::string folder() const { return tempPath("figs"); }
    std::string file(const char* name) const { return folder() + "/" + name; }
};

}  // namespace

TEST_F(StoreTest, SavedFigureOpensAsAReferenceFigureWithEverything)
{
    const std::string path = file("one.mfg");
    std::string error;
    ASSERT_TRUE(FigureFile::save(*model().figure(0), path, &error)) << error;
    EXPECT_EQ(filesIn(folder()), 1u) << "no temporary file left behind";

    uint32_t control = 0;
    EXPECT_NE(aCFileZq::LoadFigCtrl(path.c_str(), &control), 0) << "the shared reader accepts the file";
    EXPECT_EQ(control, 0x80000001u);

    const double scale[2] = {100.0, 100.0};
    short ref = -1;
    ASSERT_EQ(hostapi::aatFigOpen(1, scale, path.c_str(), &ref), 0);
    EXPECT_EQ(ref, 1);
    short current = -1;
    EXPECT_EQ(hostapi::aatSysInfCFigno(82, &current), 0) << "opening a reference figure keeps the current one";
    EXPECT_EQ(current, 0);
    EXPECT_EQ(FigureJson::toJson(*model().figure(ref)), FigureJson::toJson(*model().figure(0)));
    unsigned char a[128], b[128];
    for (int32_t id : {1, 2, 3, 4, 1 | (1 << 24)}) {
        const int32_t rc = hostapi::aatDbRead(0, id, a);
        EXPECT_EQ(hostapi::aatDbRead(ref, id, b), rc) << id;
        if (rc == 0) {
            EXPECT_EQ(std::memcmp(a, b, 128), 0) << id;
        }
    }
    EXPECT_EQ(penColourName(ref, "CHAIN"), "GREEN");
    double pitch[10];
    EXPECT_EQ(hostapi::aatPenGetPitch(hostapi::aatFigGetPenInfo(ref), 4, pitch, 10), 4);
    void* copy = hostapi::aatFigEditPenInfo(ref);
    EXPECT_EQ(hostapi::aatFigClose(ref), 0);
    EXPECT_EQ(hostapi::aatFigRestorePenInfo(ref, copy, 0), 0) << "its figure is closed";
    EXPECT_EQ(hostapi::aatFigRestorePenInfo(0, copy, 1), 1);
    EXPECT_EQ(hostapi::aatFigClose(ref), -1);
    model().reset();   // the second close is refused and counted on purpose
}

TEST_F(StoreTest, SavingReplacesAnOldFileWhole)
{
    const std::string path = file("two.mfg");
    ASSERT_TRUE(FigureFile::save(*model().figure(0), path, nullptr));
    model().figure(0)->control = 7;
    std::string error;
    ASSERT_TRUE(FigureFile::save(*model().figure(0), path, &error)) << error;
    auto back = FigureFile::load(path, &error);
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(back->control, 7u);
    EXPECT_EQ(filesIn(folder()), 1u);
}

TEST_F(StoreTest, AFailedSaveLeavesTheOldFileUntouched)
{
    const std::string path = file("keep.mfg");
    ASSERT_TRUE(FigureFile::save(*model().figure(0), path, nullptr));
    const std::string before = readAll(path);
    for (int i = 0; i < 20000; ++i) addElement(0, el::Line, 1, 1);

    // A file size limit stands in for a full disk: writes beyond it fail.
    struct rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = before.size() + 65536;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string error;
    const bool saved = FigureFile::save(*model().figure(0), path, &error);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);

    EXPECT_FALSE(saved);
    EXPECT_NE(error.find(path), std::string::npos) << error;
    EXPECT_EQ(readAll(path), before);
    EXPECT_EQ(filesIn(folder()), 1u);
    EXPECT_FALSE(FigureFile::save(*model().figure(0), folder() + "/missing/x.mfg", &error));
}

TEST_F(StoreTest, BadFilesAreRefusedWithTheFileAndTheProblem)
{
    const std::string good = file("good.mfg");
    ASSERT_TRUE(FigureFile::save(*model().figure(0), good, nullptr));
    const std::string bytes = readAll(good);

    struct Case {
        const char* name;
        std::string expected;
    };
    writeAll(file("text.mfg"), "this is not a figure\n");
    writeAll(file("truncated.mfg"), bytes.substr(0, bytes.size() / 2));
    std::filesystem::copy_file(good, file("newer.mfg"));
    sql(file("newer.mfg"), "PRAGMA user_version=2");
    std::filesystem::copy_file(good, file("foreign.mfg"));
    sql(file("foreign.mfg"), "PRAGMA application_id=1234");
    std::filesystem::copy_file(good, file("width300.mfg"));
    {
        nlohmann::json tables = FigureJson::toJson(*model().figure(0), false);
        tables["pens"][1]["width"] = 300;
        sql(file("width300.mfg"), "UPDATE figure_meta SET value='" + tables.dump() + "' WHERE key='tables'");
    }
    std::filesystem::copy_file(good, file("pen9.mfg"));
    sql(file("pen9.mfg"), "UPDATE element_chunks SET records=zeroblob(128*count)");
    std::filesystem::copy_file(good, file("hostnewer.mfg"));
    sql(file("hostnewer.mfg"), "UPDATE figure_meta SET value=" + std::to_string(FigureFile::kHostFormat + 1) + " WHERE key='host_format'");
    std::filesystem::copy_file(good, file("short.mfg"));
    sql(file("short.mfg"), "UPDATE element_chunks SET records=substr(records, 1, 100)");

    const Case cases[] = {
        {"text.mfg", "not an SQLite database"},
        {"truncated.mfg", "truncated"},
        {"newer.mfg", "newer program"},
        {"foreign.mfg", "another kind of database"},
        {"width300.mfg", "pens[1].width: value 300 outside 1 to 255"},
        {"pen9.mfg", "refers to pen 0"},
        {"hostnewer.mfg", "newer host"},
        {"short.mfg", "wrong size"},
        {"absent.mfg", "no such file"},
    };
    for (const Case& c : cases) {
        const std::string path = file(c.name);
        const std::string before = readAll(path);
        std::string error;
        EXPECT_EQ(FigureFile::load(path, &error), nullptr) << c.name;
        EXPECT_NE(error.find(path + ": "), std::string::npos) << error;
        EXPECT_NE(error.find(c.expected), std::string::npos) << c.name << ": " << error;
        EXPECT_EQ(readAll(path), before) << "nothing written to " << c.name;
        const double scale[2] = {100.0, 100.0};
        short ref = -1;
        EXPECT_NE(hostapi::aatFigOpen(1, scale, path.c_str(), &ref), 0) << c.name;
        EXPECT_EQ(ref, -1);
        EXPECT_EQ(model().lastError(), error) << "the application can show why";
    }
    EXPECT_EQ(model().figureNumbers().size(), 1u);
}

TEST_F(StoreTest, JsonRoundTripIsStableAndUsesUtf8)
{
    const std::string text = FigureJson::exportText(*model().figure(0));
    std::string error;
    auto back = FigureJson::importText(text, &error);
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(FigureJson::exportText(*back), text);
    const nlohmann::json doc = nlohmann::json::parse(text);
    EXPECT_EQ(doc["tips"].back()["name"], "\xe3\x83\x86\xe3\x82\xb9\xe3\x83\x88");   // UTF-8 in JSON
    EXPECT_EQ(back->tips->at(17)->name, "\x83\x65\x83\x58\x83\x67");                   // host code page inside
    EXPECT_EQ(doc["pens"][3]["pitch"].size(), 4u);
    EXPECT_EQ(doc["pens"][0]["colour"], 1);
    EXPECT_EQ(doc["blocks"]["dim"].get<std::string>().size(), 368u);
    EXPECT_EQ(doc["elements"][3]["state"], "empty");
}

TEST_F(StoreTest, JsonImportFillsDefaultsAndRefusesWrongTypes)
{
    std::string error;
    auto minimal = FigureJson::importText(R"({"widths":[{"name":"W"}],"pens":[{"name":"P"}]})", &error);
    ASSERT_TRUE(minimal) << error;
    EXPECT_EQ(minimal->pens->count(), 1);
    EXPECT_EQ(minimal->colours->count(), 8) << "default colours";
    EXPECT_DOUBLE_EQ(minimal->widths->at(1)->width, 0.25);
    EXPECT_EQ(minimal->tips->count(), 9);
    // Default pens bound to the one width and no colour of a document that
    // gives only those.
    auto bare = FigureJson::importText(R"({"widths":[{"name":"ONLY"}],"colours":[{"name":"C"}]})", &error);
    ASSERT_TRUE(bare) << error;
    EXPECT_EQ(bare->pens->at(2)->width, 1);
    EXPECT_TRUE(FigureJson::importText(FigureJson::exportText(*bare), &error)) << error;

    const std::pair<const char*, const char*> refused[] = {
        {R"([1,2])", "document: expected an object"},
        {R"({"pens":{"name":"P"}})", "pens: expected a list"},
        {R"({"pens":[{"name":"P","width":"thin"}]})", "pens[0].width: expected an integer"},
        {R"({"pens":[{"name":"P","colour":9}]})", "pens[0].colour: refers to colour 9"},
        {R"({"pens":[{"name":"P"},{"name":"p"}]})", "pens[1]: the name 'p' is used twice"},
        {R"({"pens":[{"name":"SEVENTEEN_BYTES_X"}]})", "longer than 16 bytes"},
        {R"({"colours":[{"name":"C","rgb":[0,256,0]}]})", "colours[0].rgb[1]: value out of range"},
        {R"({"widths":[{"name":"W","width":5.5}]})", "widths[0].width"},
        {R"({"blocks":{"dim":"00"}})", "blocks.dim: expected 184 bytes of hex"},
        {R"({"version":3})", "newer"},
        {R"({"elements":[{"id":1,"kind":"line","pen":40}]})", "element 1 refers to pen 40"},
        {R"({"elements":[{"id":1,"kind":"spline"}]})", "unknown element kind"},
        {R"({"elements":[{"id":16777215,"kind":"line"}]})", "far beyond"},
        {R"({"elements":[{"id":1,"kind":"line","owner":5}]})", "owner that does not exist"},
        {R"({"tips":[{"number":12,"name":"T"}]})", "reserved"},
        {R"({"tips":[{"name":"T"}]})", "tips[0].number: a tip number is required"},
        {"{\"pens\":[", "not JSON"},
        {R"({"widths":[]})", "pens need at least one width"},
    };
    for (const auto& [text, expected] : refused) {
        error.clear();
        EXPECT_EQ(FigureJson::importText(text, &error), nullptr) << text;
        EXPECT_NE(error.find(expected), std::string::npos) << text << " -> " << error;
    }
}

TEST_F(StoreTest, LayerNamesAreOptionalDistinctAndKeptByCopiesJsonAndFigureFiles)
{
    mobrhost::LayerTable& layers = *model().figure(0)->layers;
    EXPECT_FALSE(layers.setName(3, 4, "\x95\xc7")) << "another layer's name";
    EXPECT_FALSE(layers.setName(3, 4, "SEVENTEEN_BYTES_X"));
    EXPECT_FALSE(layers.setName(3, 4, "TAB\tNAME"));
    EXPECT_FALSE(layers.setName(3, 4, "HALF\x95")) << "half a double-byte character";
    EXPECT_FALSE(layers.setName(16, 0, "OUTSIDE"));
    EXPECT_TRUE(layers.setName(3, 4, "Walls"));
    EXPECT_FALSE(layers.setName(0, 1, "WALLS")) << "names compare without regard to case";
    EXPECT_TRUE(layers.setName(3, 4, "WALLS")) << "a layer may take its own name in other case";

    const Figure copy(*model().figure(0));
    EXPECT_EQ(copy.layers->name(3, 4), "WALLS");
    EXPECT_EQ(copy.layers->name(1, 2), "\x95\xc7");

    const nlohmann::json doc = FigureJson::toJson(copy);
    EXPECT_EQ(doc["layerNames"], nlohmann::json::parse(R"([{"group":1,"layer":2,"name":"\u58c1"},{"group":3,"layer":4,"name":"WALLS"}])"));
    EXPECT_FALSE(FigureJson::toJson(*Figure::makeDefault()).contains("layerNames")) << "the key is written only when a layer has a name";

    const std::string path = file("names.mfg");
    std::string error;
    ASSERT_TRUE(FigureFile::saveFile(copy, path, &error)) << error;
    auto loaded = FigureFile::loadFile(path, &error);
    ASSERT_TRUE(loaded) << error;
    EXPECT_EQ(loaded->layers->name(3, 4), "WALLS");
    EXPECT_EQ(loaded->layers->name(0, 0), "");

    // A figure file of format 2 has no layer names: it reads as before, and
    // one whose tables list names anyway is damaged.
    nlohmann::json tables = FigureJson::toJson(copy, false);
    tables.erase("layerNames");
    sql(path, "UPDATE figure_meta SET value=2 WHERE key='host_format'");
    sql(path, "UPDATE figure_meta SET value='" + tables.dump() + "' WHERE key='tables'");
    loaded = FigureFile::loadFile(path, &error);
    ASSERT_TRUE(loaded) << error;
    EXPECT_FALSE(loaded->layers->hasNames());
    sql(path, "UPDATE figure_meta SET value='" + FigureJson::toJson(copy, false).dump() + "' WHERE key='tables'");
    EXPECT_FALSE(FigureFile::loadFile(path, &error));
    EXPECT_NE(error.find("newer than its host format"), std::string::npos) << error;

    const std::pair<const char*, const char*> refused[] = {
        {R"({"layerNames":[{"group":0,"layer":1,"name":"A"},{"group":0,"layer":2,"name":"a"}]})", "layerNames[1].name: the name of group 0 layer 1"},
        {R"({"layerNames":[{"group":0,"layer":1,"name":"SEVENTEEN_BYTES_X"}]})", "longer than 16 bytes"},
        {R"({"layerNames":[{"group":0,"layer":1,"name":""}]})", "a name is required"},
        {R"({"layerNames":[{"group":0,"layer":16,"name":"A"}]})", "layerNames[0].layer"},
        {R"({"layerNames":{"name":"A"}})", "layerNames: expected a list"},
    };
    for (const auto& [text, expected] : refused) {
        error.clear();
        EXPECT_EQ(FigureJson::importText(text, &error), nullptr) << text;
        EXPECT_NE(error.find(expected), std::string::npos) << text << " -> " << error;
    }
}

TEST_F(StoreTest, ElementsKeepTheirSlotsTextsAndGeometryThroughJson)
{
    const char* doc = R"({"elements":[
        {"id":3,"kind":"text","pen":2,"font":3,"text":"\u30c6\u30ad\u30b9\u30c8","geometry":[1.5,2.5,3.5]},
        {"id":1,"kind":"line","pen":1,"colour":4,"geometry":[0,0,10,20],"tips":[1,2],"layer":[3,4]},
        {"id":16777218,"kind":"hatch","hatchAttrib":196611,"owner":-1},
        {"id":4,"state":"deleted"}]})";
    std::string error;
    auto f = FigureJson::importText(doc, &error);
    ASSERT_TRUE(f) << error;
    EXPECT_EQ(f->elements.slotCount(0), 4);
    EXPECT_EQ(f->elements.slotCount(1), 2);
    unsigned char r[128];
    EXPECT_EQ(f->elements.read(2, r), 620) << "the slot between listed ids is empty";
    EXPECT_EQ(f->elements.read(4, r), 612);
    EXPECT_EQ(f->elements.read(1 | (1 << 24), r), 620);
    ASSERT_EQ(f->elements.read(3, r), 0);
    EXPECT_EQ(mobrhost::bytes::text(r, el::kText, el::kTextBytes), "\x83\x65\x83\x4c\x83\x58\x83\x67");
    EXPECT_EQ(mobrhost::bytes::u16(r, el::kFont), 3);
    EXPECT_DOUBLE_EQ(mobrhost::bytes::f64(r, el::kGeometry + 16), 3.5);
    ASSERT_EQ(f->elements.read(2 | (1 << 24), r), 0);
    EXPECT_EQ(r[el::kPen], 3);
    EXPECT_EQ(r[el::kColour], 3);
    ASSERT_EQ(f->elements.read(1, r), 0);
    EXPECT_EQ(mobrhost::bytes::u16(r, el::kEndTip), 2);
    EXPECT_EQ(mobrhost::bytes::u16(r, el::kLayer), 4);

    // The same through a figure file.
    const std::string path = file("elements.mfg");
    ASSERT_TRUE(FigureFile::save(*f, path, &error)) << error;
    auto back = FigureFile::load(path, &error);
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(FigureJson::exportText(*back), FigureJson::exportText(*f));
}
