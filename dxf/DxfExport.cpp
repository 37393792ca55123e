#include "DxfExport.h"

#include "DxfAngles.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include <dxflib/dl_dxf.h>
#include <dxflib/dl_writer_ascii.h>

#include "DxfColours.h"
#include "DxfTables.h"
#include "model/Bytes.h"
#include "platform/CodePage.h"
#include "platform/Files.h"

using mobrhost::Figure;
namespace element = mobrhost::element;
namespace bytes = mobr::bytes;

namespace mobrdxf {
namespace {


// dxflib's ASCII writer with its output sent into a string instead of a
// file, so that the file itself is written in one atomic replace.
class StringWriter : public DL_WriterA {
public:
    explicit StringWriter(DL_Codes::version version) : DL_WriterA("/dev/null", version) {}

    void dxfReal(int code, double value) const override
    {
        char text[32];
        const auto result = std::to_chars(text, text + sizeof text, std::isfinite(value) ? value : 0.0);
        line(code, std::string_view(text, static_cast<std::size_t>(result.ptr - text)));
    }
    void dxfInt(int code, int value) const override { line(code, std::to_string(value)); }
    void dxfHex(int code, int value) const override
    {
        char text[16];
        std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(value));
        line(code, text);
    }
    void dxfString(int code, const char* value) const override { line(code, value ? value : ""); }
    void dxfString(int code, const std::string& value) const override { line(code, value); }

    std::string& text() { return text_; }
    // dxflib's R12 entities carry their line type only when it is BYLAYER;
    // the entity's line type is written after its layer (group 8) instead.
    void setR12LineType(std::string name) { r12LineType_ = std::move(name); }

private:
    void line(int code, std::string_view value) const
    {
        if (code == 6 && !r12LineType_.empty()) return;
        put(code, value);
        if (code == 8 && !r12LineType_.empty()) put(6, r12LineType_);
    }
    void put(int code, std::string_view value) const
    {
        char head[8];
        std::snprintf(head, sizeof head, "%3d\n", code);
        text_ += head;
        text_ += value;
        text_ += '\n';
    }
    mutable std::string text_;
    mutable std::string r12LineType_;
};

const int kLineWeights[] = {0, 5, 9, 13, 15, 18, 20, 25, 30, 35, 40, 50, 53, 60, 70, 80, 90, 100, 106, 120, 140, 158, 200, 211};

int nearestLineWeight(double widthMm)
{
    const double hundredths = widthMm * 100.0;
    int best = 25;
    for (const int w : kLineWeights) {
        if (std::fabs(w - hundredths) < std::fabs(best - hundredths)) best = w;
    }
    return best;
}

// A table name without the characters the format forbids in names (a
// double-byte character is kept whole, whatever its second byte).
std::string safeName(const std::string& name)
{
    static const std::string forbidden = "<>/\\\":;?*|=`";
    std::string out;
    for (std::size_t i = 0; i < name.size();) {
        const std::size_t n = mobr::cp932::charLength(name, i);
        if (n == 1 && (forbidden.find(name[i]) != std::string::npos || static_cast<unsigned char>(name[i]) < 0x20)) out += '_';
        else out.append(name, i, n);
        i += n;
    }
    return out.empty() ? std::string("_") : out;
}

// `wanted`, or with ~2, ~3... when a name already taken (compared without
// regard to case) has it; the result is taken.
std::string distinctName(const std::string& wanted, std::set<std::string>& taken)
{
    std::string name = wanted;
    for (int k = 2; taken.count(mobr::cp932::foldCase(name)); ++k) name = wanted + "~" + std::to_string(k);
    taken.insert(mobr::cp932::foldCase(name));
    return name;
}

class FigureWriter {
public:
    FigureWriter(const Figure& figure, DxfVersion version, DxfReport& report)
        : figure_(figure), r12_(version == DxfVersion::R12), report_(report),
          writer_(r12_ ? DL_Codes::AC1009 : DL_Codes::AC1015)
    {
        // DL_Dxf learns the version it writes only through out(), which also
        // opens a writer of its own: it is given /dev/null and dropped.
        std::unique_ptr<DL_WriterA> unused(dxf_.out("/dev/null", r12_ ? DL_Codes::AC1009 : DL_Codes::AC1015));
    }

    std::string run()
    {
        nameLineTypes();
        nameLayers();
        collectOwners();
        dxf_.writeHeader(writer_);
        writer_.dxfString(9, "$DWGCODEPAGE");
        writer_.dxfString(3, "ANSI_932");
        writer_.dxfString(9, "$INSUNITS");
        writer_.dxfInt(70, 4);   // millimetres
        writer_.sectionEnd();
        writeTables();
        writeBlocks();
        writer_.sectionEntities();
        writeElements();
        writer_.sectionEnd();
        if (!r12_) {
            dxf_.writeObjects(writer_);
            dxf_.writeObjectsEnd(writer_);
        }
        writer_.dxfEOF();
        return std::move(writer_.text());
    }

private:
    void nameLineTypes()
    {
        std::set<std::string> taken = {"BYLAYER", "BYBLOCK"};
        for (int n = 1; n <= figure_.pens->count(); ++n) {
            const std::string& own = figure_.pens->at(n)->name;
            lineTypeNames_.push_back(distinctName(safeName(own), taken));
            noteRename("pen", own, "line type", lineTypeNames_.back());
        }
        hasContinuous_ = taken.count("CONTINUOUS") != 0;
    }

    void noteRename(const char* what, const std::string& own, const char* as, const std::string& written)
    {
        if (written != own)
            report_.note(std::string(what) + " \"" + mobr::cp932::toUtf8(own) + "\" is written as " + as + " \"" + mobr::cp932::toUtf8(written) + "\"");
    }

    // Layer names: slot 0 is "0", a named layer keeps its name (made safe and
    // distinct), an unnamed one is called after its group and layer.
    void nameLayers()
    {
        std::set<std::string> taken = {"0"};
        layerNames_[0] = "0";
        for (int slot = 1; slot < 256; ++slot) {
            const std::string& own = figure_.layers->name(slot / 16, slot % 16);
            if (own.empty()) continue;
            layerNames_[static_cast<std::size_t>(slot)] = distinctName(safeName(own), taken);
            noteRename("layer", own, "layer", layerNames_[static_cast<std::size_t>(slot)]);
        }
        noteRename("layer", figure_.layers->name(0, 0).empty() ? std::string("0") : figure_.layers->name(0, 0), "layer", "0");
        for (int slot = 1; slot < 256; ++slot) {
            if (figure_.layers->name(slot / 16, slot % 16).empty())
                layerNames_[static_cast<std::size_t>(slot)] = distinctName(defaultLayerName(slot), taken);
        }
    }

    // The elements each hatch owns (its boundary), found in one pass.
    void collectOwners()
    {
        const auto& records = figure_.elements.records(0);
        for (std::size_t i = 0; i < records.size(); ++i) {
            if (records[i][element::kState] != element::Live) continue;
            const int32_t owner = bytes::i32(records[i].data(), element::kOwner);
            if (owner > 0 && isHatch(owner)) boundaries_[owner].push_back(i);
        }
    }

    void writeTables()
    {
        writer_.sectionTables();
        dxf_.writeVPort(writer_);

        writer_.tableLinetypes(static_cast<int>(lineTypeNames_.size()) + (hasContinuous_ ? 2 : 3));
        dxf_.writeLinetype(writer_, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
        dxf_.writeLinetype(writer_, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
        if (!hasContinuous_) dxf_.writeLinetype(writer_, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
        for (int n = 1; n <= figure_.pens->count(); ++n) writeLineType(n);
        writer_.tableEnd();

        writeLayers();

        writer_.tableStyle(std::max(1, figure_.fonts->count()));
        for (int n = 1; n <= figure_.fonts->count(); ++n) writeStyle(n);
        if (figure_.fonts->count() == 0) dxf_.writeStyle(writer_, DL_StyleData("STANDARD", 0, 0.0, 1.0, 0.0, 0, 2.5, "txt", ""));
        writer_.tableEnd();

        dxf_.writeView(writer_);
        dxf_.writeUcs(writer_);
        writer_.tableAppid(1);
        dxf_.writeAppid(writer_, "ACAD");
        writer_.tableEnd();
        dxf_.writeDimStyle(writer_, 2.5, 1.25, 0.625, 0.625, 2.5);
        if (!r12_) {
            dxf_.writeBlockRecord(writer_);
            writer_.tableEnd();
        }
        writer_.sectionEnd();
    }

    void writeLineType(int n)
    {
        const mobrhost::Pen& pen = *figure_.pens->at(n);
        std::vector<double> pattern = patternFromPitch(pen.pitch);
        double length = 0;
        for (const double v : pattern) length += std::fabs(v);
        // The description starts with the plot style's name, which a reader
        // of this format takes back.
        DL_LinetypeData data(lineTypeNames_[static_cast<std::size_t>(n - 1)], plotStyleName(pen.plotStyle), 0,
                             static_cast<int>(pattern.size()), length, pattern.empty() ? nullptr : pattern.data());
        dxf_.writeLinetype(writer_, data);
    }

    int lastLayerSlot() const
    {
        int last = 0;
        for (int slot = 0; slot < 256; ++slot) {
            if (figure_.layers->colour(slot / 16, slot % 16) != 0 || !figure_.layers->name(slot / 16, slot % 16).empty()) last = slot;
        }
        for (const auto& record : figure_.elements.records(0)) {
            if (record[element::kState] != element::Live) continue;
            last = std::max(last, bytes::u16(record.data(), element::kLayerGroup) * 16 + bytes::u16(record.data(), element::kLayer));
        }
        return last;
    }

    const std::string& layerName(int slot) const { return layerNames_[static_cast<std::size_t>(slot)]; }

    void writeLayers()
    {
        // Every layer up to the last in use, in order, so that a reader that
        // numbers layers by their order finds each on its own slot again.
        const int last = lastLayerSlot();
        writer_.tableLayers(last + 1);
        for (int slot = 0; slot <= last; ++slot) {
            const int colour = figure_.layers->colour(slot / 16, slot % 16);
            const auto [aci, rgb] = colourOf(colour > 0 ? colour : -1);
            dxf_.writeLayer(writer_, DL_LayerData(layerName(slot), 0), DL_Attributes("", aci, r12_ ? -1 : rgb, -3, "CONTINUOUS"));
        }
        writer_.tableEnd();
    }

    void writeStyle(int n)
    {
        const mobrhost::Font& font = *figure_.fonts->at(n);
        DL_StyleData style(safeName(font.name), 0, 0.0, 1.0, 0.0, 0, 2.5, font.face, "");
        style.bold = (font.attrib & mobrhost::FontTable::kBold) != 0;
        style.italic = (font.attrib & mobrhost::FontTable::kItalic) != 0;
        dxf_.writeStyle(writer_, style);
    }

    void writeBlocks()
    {
        writer_.sectionBlocks();
        if (!r12_) {
            for (const char* name : {"*Model_Space", "*Paper_Space"}) {
                dxf_.writeBlock(writer_, DL_BlockData(name, 0, 0.0, 0.0, 0.0));
                dxf_.writeEndBlock(writer_, name);
            }
        }
        writer_.sectionEnd();
    }

    // An index colour and, unless it is exactly that index's, a true colour.
    std::pair<int, int> colourOf(int colour) const
    {
        const mobrhost::Colour* c = figure_.colours->at(colour);
        if (!c) return {7, -1};
        const uint32_t rgb = static_cast<uint32_t>((c->red << 16) | (c->green << 8) | c->blue);
        if (c->name.rfind("ACI ", 0) == 0) {
            const int aci = std::atoi(c->name.c_str() + 4);
            if (aci >= 1 && aci <= 255 && aciToRgb(aci) == rgb) return {aci, -1};
        }
        const int aci = nearestAci(rgb);
        return {aci, aciToRgb(aci) == rgb ? -1 : static_cast<int>(rgb)};
    }

    DL_Attributes attributesOf(const unsigned char* record)
    {
        const int pen = record[element::kPen];
        int colour = record[element::kColour];
        if (colour == 0) colour = figure_.penColours->colourOf(*figure_.pens, pen);
        const auto [aci, rgb] = colourOf(colour);
        const mobrhost::Pen* p = figure_.pens->at(pen);
        const mobrhost::Width* w = p ? figure_.widths->at(p->width) : nullptr;
        const std::string lineType = p ? lineTypeNames_[static_cast<std::size_t>(pen - 1)] : std::string("CONTINUOUS");
        const int slot = bytes::u16(record, element::kLayerGroup) * 16 + bytes::u16(record, element::kLayer);
        if (r12_) writer_.setR12LineType(lineType);
        return DL_Attributes(layerName(slot), aci, r12_ ? -1 : rgb, w ? nearestLineWeight(w->width) : -3, lineType);
    }

    static double g(const unsigned char* record, int i) { return bytes::get<double>(record, element::kGeometry + 8 * static_cast<std::size_t>(i)); }

    std::string textOf(const unsigned char* record) const
    {
        const char* text = reinterpret_cast<const char*>(record + element::kText);
        return std::string(text, strnlen(text, element::kTextBytes));
    }

    void writeElements()
    {
        const auto& records = figure_.elements.records(0);
        for (std::size_t i = 0; i < records.size(); ++i) {
            const unsigned char* r = records[i].data();
            if (r[element::kState] != element::Live) continue;
            const int32_t owner = bytes::i32(r, element::kOwner);
            const int32_t id = element::makeId(0, static_cast<int32_t>(i + 1));
            if (owner > 0 && isHatch(owner)) continue;   // written with its hatch
            writeElement(r, id);
        }
        if (figure_.elements.liveCount(1) > 0) report_.skip("sketch elements (not written)", figure_.elements.liveCount(1));
    }

    bool isHatch(int32_t id) const
    {
        const unsigned char* r = figure_.elements.slot(id);
        return r && bytes::u16(r, element::kKind) == element::Hatch && !r12_;
    }

    void writeElement(const unsigned char* r, int32_t id)
    {
        const DL_Attributes a = attributesOf(r);
        switch (bytes::u16(r, element::kKind)) {
        case element::Line: dxf_.writeLine(writer_, DL_LineData(g(r, 0), g(r, 1), 0, g(r, 2), g(r, 3), 0), a); break;
        case element::Arc: dxf_.writeArc(writer_, DL_ArcData(g(r, 0), g(r, 1), 0, g(r, 2), g(r, 3), g(r, 4)), a); break;
        case element::Circle: dxf_.writeCircle(writer_, DL_CircleData(g(r, 0), g(r, 1), 0, g(r, 2)), a); break;
        case element::Point: dxf_.writePoint(writer_, DL_PointData(g(r, 0), g(r, 1), 0), a); break;
        case element::Text: writeText(r, a); break;
        case element::Hatch: writeHatch(r, id, a); break;
        case element::Dimension: writeDimension(r, a); break;
        case element::Group: report_.count("groups written as their members"); break;
        default: report_.skip("elements of kind " + std::to_string(bytes::u16(r, element::kKind))); break;
        }
    }

    void writeText(const unsigned char* r, const DL_Attributes& a)
    {
        const mobrhost::Font* font = figure_.fonts->at(bytes::u16(r, element::kFont));
        const std::string style = font ? safeName(font->name) : std::string("STANDARD");
        dxf_.writeText(writer_, DL_TextData(g(r, 0), g(r, 1), 0, g(r, 0), g(r, 1), 0, g(r, 2), 1.0, 0, 0, 0, textOf(r), style, g(r, 3) * kPi / 180.0), a);
    }

    // Hatch boundary: the lines and arcs the hatch owns, as one loop.
    void writeHatch(const unsigned char* r, int32_t id, const DL_Attributes& a)
    {
        if (r12_) {
            report_.count("hatches written as their boundary (R12 has no hatch)");
            return;
        }
        // The boundary's lines, arcs and circles. Each edge is made where it
        // is written and never copied: dxflib's edge constructors leave the
        // members of the other edge kinds unset, so a copy would read them.
        std::vector<const unsigned char*> edges;
        for (const std::size_t index : boundaries_[id]) {
            const unsigned char* e = figure_.elements.records(0)[index].data();
            const uint16_t kind = bytes::u16(e, element::kKind);
            if (kind == element::Line || kind == element::Arc || kind == element::Circle) edges.push_back(e);
        }
        const bool solid = g(r, 1) <= 0;
        DL_HatchData data(edges.empty() ? 0 : 1, solid, solid ? 1.0 : g(r, 1), g(r, 0), solid ? "SOLID" : "ANSI31");
        dxf_.writeHatch1(writer_, data, a);
        if (!edges.empty()) {
            DL_HatchLoopData loop(static_cast<int>(edges.size()));
            dxf_.writeHatchLoop1(writer_, loop);
            for (const unsigned char* e : edges) writeHatchEdge(e);
            dxf_.writeHatchLoop2(writer_, loop);
        }
        dxf_.writeHatch2(writer_, data, a);
    }

    void writeHatchEdge(const unsigned char* e)
    {
        switch (bytes::u16(e, element::kKind)) {
        case element::Line: dxf_.writeHatchEdge(writer_, DL_HatchEdgeData(g(e, 0), g(e, 1), g(e, 2), g(e, 3))); break;
        case element::Arc:
            dxf_.writeHatchEdge(writer_, DL_HatchEdgeData(g(e, 0), g(e, 1), g(e, 2), g(e, 3) * kPi / 180.0,
                                                          g(e, 4) * kPi / 180.0, true));
            break;
        default: dxf_.writeHatchEdge(writer_, DL_HatchEdgeData(g(e, 0), g(e, 1), g(e, 2), 0.0, 2 * kPi, true)); break;
        }
    }

    void writeDimension(const unsigned char* r, const DL_Attributes& a)
    {
        // Written as its lines: a dimension needs a block of its drawing,
        // which this writer does not make.
        const double x1 = g(r, 0), y1 = g(r, 1), x2 = g(r, 2), y2 = g(r, 3), offset = g(r, 4);
        const double length = std::hypot(x2 - x1, y2 - y1);
        const double nx = length > 0 ? -(y2 - y1) / length : 0, ny = length > 0 ? (x2 - x1) / length : 1;
        const double ox = nx * offset, oy = ny * offset;
        dxf_.writeLine(writer_, DL_LineData(x1, y1, 0, x1 + ox, y1 + oy, 0), a);
        dxf_.writeLine(writer_, DL_LineData(x2, y2, 0, x2 + ox, y2 + oy, 0), a);
        dxf_.writeLine(writer_, DL_LineData(x1 + ox, y1 + oy, 0, x2 + ox, y2 + oy, 0), a);
        report_.count("dimensions written as their lines");
    }

    const Figure& figure_;
    bool r12_;
    DxfReport& report_;
    StringWriter writer_;
    DL_Dxf dxf_;
    std::vector<std::string> lineTypeNames_;
    std::array<std::string, 256> layerNames_;
    bool hasContinuous_ = false;
    std::map<int32_t, std::vector<std::size_t>> boundaries_;
};

}  // namespace

std::string writeDxf(const Figure& figure, DxfVersion version, DxfReport& report)
{
    return FigureWriter(figure, version, report).run();
}

bool saveDxfFile(const Figure& figure, const std::string& path, DxfVersion version, DxfReport& report, std::string* error)
{
    const std::string text = writeDxf(figure, version, report);
    const int rc = mobr::files::writeFileAtomically(path, text);
    if (rc != 0) {
        if (error) *error = path + ": cannot be written (" + std::strerror(rc) + "); the old file is kept";
        return false;
    }
    return true;
}

}  // namespace mobrdxf
