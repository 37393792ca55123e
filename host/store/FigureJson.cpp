#include "store/FigureJson.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "mobr/host_types.h"
#include "model/Bytes.h"
#include "platform/CodePage.h"
#include "store/FirstLayout.h"

namespace mobrhost {

using nlohmann::json;

namespace {

// A refusal with the place in the document ("pens[2].width: ...").
struct Refusal : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] void refuse(const std::string& where, const std::string& what)
{
    throw Refusal(where + ": " + what);
}

std::string at(const std::string& where, const char* key)
{
    return where.empty() ? std::string(key) : where + "." + key;
}

std::string at(const std::string& where, std::size_t i)
{
    return where + "[" + std::to_string(i) + "]";
}

// A member, or null when it is missing. A member that is there with the
// value null is refused: "pens": null is not "no pens given".
const json* member(const json& object, const char* key, const std::string& where = std::string())
{
    const auto it = object.find(key);
    if (it == object.end()) return nullptr;
    if (it->is_null()) refuse(at(where, key), "null is not a value here (leave the member out for its default)");
    return &*it;
}

int64_t integer(const json& object, const char* key, int64_t fallback, const std::string& where, int64_t low,
                int64_t high)
{
    const json* v = member(object, key, where);
    if (!v) return fallback;
    if (!v->is_number_integer()) refuse(at(where, key), "expected an integer");
    const int64_t n = v->is_number_unsigned() ? static_cast<int64_t>(std::min<uint64_t>(v->get<uint64_t>(), INT64_MAX))
                                              : v->get<int64_t>();
    if (n < low || n > high)
        refuse(at(where, key), "value " + std::to_string(n) + " outside " + std::to_string(low) + " to " + std::to_string(high));
    return n;
}

int32_t int32(const json& object, const char* key, int64_t fallback, const std::string& where, int64_t low, int64_t high)
{
    return static_cast<int32_t>(integer(object, key, fallback, where, low, high));
}

double real(const json& object, const char* key, double fallback, const std::string& where, double low, double high)
{
    const json* v = member(object, key, where);
    if (!v) return fallback;
    if (!v->is_number()) refuse(at(where, key), "expected a number");
    const double d = v->get<double>();
    if (!std::isfinite(d) || d < low || d > high)
        refuse(at(where, key), "value outside " + std::to_string(low) + " to " + std::to_string(high));
    return d;
}

// A text in UTF-8, returned in host code page, at most maxBytes there.
std::string text(const json& object, const char* key, const std::string& fallback, const std::string& where,
                 std::size_t maxBytes)
{
    const json* v = member(object, key, where);
    if (!v) return fallback;
    if (!v->is_string()) refuse(at(where, key), "expected a text");
    const std::string& utf8 = v->get_ref<const std::string&>();
    if (utf8.find('\0') != std::string::npos) refuse(at(where, key), "contains a NUL character");
    const std::string bytes = mobr::cp932::fromUtf8(utf8);
    // Never changed without a word: a character the code page lacks would
    // become '?'.
    if (mobr::cp932::toUtf8(bytes) != utf8) refuse(at(where, key), "has characters the host's code page lacks");
    if (bytes.size() > maxBytes) refuse(at(where, key), "longer than " + std::to_string(maxBytes) + " bytes");
    if (mobr::cp932::endsWithBrokenChar(bytes)) refuse(at(where, key), "ends in half a double-byte character");
    return bytes;
}

std::string name(const json& object, const std::string& where)
{
    const std::string n = text(object, "name", "", where, 16);
    if (n.empty()) refuse(at(where, "name"), "a name is required");
    return n;
}

const json& array(const json& object, const char* key, const std::string& where)
{
    static const json empty = json::array();
    const json* v = member(object, key, where);
    if (!v) return empty;
    if (!v->is_array()) refuse(at(where, key), "expected a list");
    return *v;
}

const json& object(const json& value, const std::string& where)
{
    if (!value.is_object()) refuse(where, "expected an object");
    return value;
}

std::vector<double> numbers(const json& object, const char* key, const std::string& where, std::size_t maxCount,
                            double low, double high, bool integral = false)
{
    const json& list = array(object, key, where);
    if (list.size() > maxCount) refuse(at(where, key), "more than " + std::to_string(maxCount) + " values");
    std::vector<double> out;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (!list[i].is_number()) refuse(at(at(where, key), i), "expected a number");
        if (integral && !list[i].is_number_integer()) refuse(at(at(where, key), i), "expected an integer");
        const double d = list[i].get<double>();
        if (!std::isfinite(d) || d < low || d > high) refuse(at(at(where, key), i), "value out of range");
        out.push_back(d);
    }
    return out;
}

std::string hex(const unsigned char* data, std::size_t size)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(size * 2);
    for (std::size_t i = 0; i < size; ++i) {
        out += digits[data[i] >> 4];
        out += digits[data[i] & 0xF];
    }
    return out;
}

template <std::size_t N>
void unhex(const json& blocks, const char* key, std::array<unsigned char, N>& out, const std::string& where)
{
    const json* v = member(blocks, key, where);
    if (!v) return;
    if (!v->is_string()) refuse(at(where, key), "expected a hex text");
    const std::string& s = v->get_ref<const std::string&>();
    if (s.size() != 2 * N) refuse(at(where, key), "expected " + std::to_string(N) + " bytes of hex");
    auto nibble = [&](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        refuse(at(where, key), "not a hex digit");
    };
    for (std::size_t i = 0; i < N; ++i) out[i] = static_cast<unsigned char>(nibble(s[2 * i]) * 16 + nibble(s[2 * i + 1]));
}

const char* kindName(uint16_t kind)
{
    switch (kind) {
    case element::Line: return "line";
    case element::Arc: return "arc";
    case element::Circle: return "circle";
    case element::Text: return "text";
    case element::Point: return "point";
    case element::Hatch: return "hatch";
    case element::Dimension: return "dimension";
    case element::Group: return "group";
    default: return nullptr;
    }
}

uint16_t kindOf(const json& e, const std::string& where)
{
    const json* v = member(e, "kind", where);
    if (!v) refuse(at(where, "kind"), "an element kind is required");
    if (v->is_string()) {
        for (uint16_t k : {element::Line, element::Arc, element::Circle, element::Text, element::Point,
                           element::Hatch, element::Dimension, element::Group}) {
            if (v->get<std::string>() == kindName(k)) return k;
        }
        refuse(at(where, "kind"), "unknown element kind '" + v->get<std::string>() + "'");
    }
    return static_cast<uint16_t>(integer(e, "kind", 0, where, 1, 0xFFFF));
}

const char* stateName(uint8_t state)
{
    switch (state) {
    case element::Deleted: return "deleted";
    case element::Empty: return "empty";
    case element::Purged: return "purged";
    default: return "live";
    }
}

json elementJson(const ElementDatabase::Record& rec)
{
    const unsigned char* r = rec.data();
    json e;
    e["id"] = bytes::i32(r, element::kId);
    const uint8_t state = r[element::kState];
    if (state != element::Live) {
        e["state"] = stateName(state);
        return e;
    }
    const uint16_t kind = bytes::u16(r, element::kKind);
    if (const char* k = kindName(kind)) e["kind"] = k;
    else e["kind"] = kind;
    e["flags"] = bytes::u16(r, element::kFlags);
    e["pen"] = r[element::kPen];
    e["colour"] = r[element::kColour];
    e["owner"] = bytes::i32(r, element::kOwner);
    e["layer"] = {bytes::u16(r, element::kLayerGroup), bytes::u16(r, element::kLayer)};
    if (kind == element::Text) {
        e["font"] = bytes::u16(r, element::kFont);
        e["text"] = mobr::cp932::toUtf8(bytes::text(r, element::kText, element::kTextBytes));
    }
    if (bytes::u16(r, element::kStartTip) || bytes::u16(r, element::kEndTip))
        e["tips"] = {bytes::u16(r, element::kStartTip), bytes::u16(r, element::kEndTip)};
    if (kind == element::Hatch) e["hatchAttrib"] = bytes::u32(r, element::kHatchAttrib);
    if (kind == element::Group) e["groupFlags"] = bytes::u32(r, element::kGroupFlags);
    json g = json::array();
    for (int i = 0; i < element::kGeometryValues; ++i) g.push_back(bytes::f64(r, element::kGeometry + 8 * static_cast<std::size_t>(i)));
    while (!g.empty() && g.back().get<double>() == 0.0) g.erase(g.size() - 1);
    e["geometry"] = g;
    return e;
}

ElementDatabase::Record elementFromJson(const json& e, int32_t id, const std::string& where)
{
    ElementDatabase::Record rec{};
    unsigned char* r = rec.data();
    bytes::setI32(r, element::kId, id);
    bytes::setI32(r, element::kOwner, -1);
    const std::string state = text(e, "state", "live", where, 16);
    if (state != "live") {
        if (state == "deleted") r[element::kState] = element::Deleted;
        else if (state == "empty") r[element::kState] = element::Empty;
        else if (state == "purged") r[element::kState] = element::Purged;
        else refuse(at(where, "state"), "unknown state '" + state + "'");
        return rec;
    }
    const uint16_t kind = kindOf(e, where);
    bytes::setU16(r, element::kKind, kind);
    bytes::setU16(r, element::kFlags, static_cast<uint16_t>(integer(e, "flags", 0, where, 0, 0xFFFF)));
    r[element::kPen] = static_cast<unsigned char>(integer(e, "pen", 1, where, 1, 255));
    r[element::kColour] = static_cast<unsigned char>(integer(e, "colour", 0, where, 0, 255));
    bytes::setI32(r, element::kOwner, int32(e, "owner", -1, where, -1, INT32_MAX));
    const json& layer = array(e, "layer", where);
    if (!layer.empty()) {
        if (layer.size() != 2 || !layer[0].is_number_integer() || !layer[1].is_number_integer() ||
            !LayerTable::valid(layer[0].get<int32_t>(), layer[1].get<int32_t>()))
            refuse(at(where, "layer"), "expected [group, layer] within 0 to 15");
        bytes::setU16(r, element::kLayerGroup, layer[0].get<uint16_t>());
        bytes::setU16(r, element::kLayer, layer[1].get<uint16_t>());
    }
    bytes::setU16(r, element::kFont, static_cast<uint16_t>(integer(e, "font", kind == element::Text ? 1 : 0, where, 0, 255)));
    bytes::setText(r, element::kText, text(e, "text", "", where, element::kTextBytes - 1), element::kTextBytes);
    const std::vector<double> tips = numbers(e, "tips", where, 2, 0, 255, true);
    if (tips.size() == 2) {
        bytes::setU16(r, element::kStartTip, static_cast<uint16_t>(tips[0]));
        bytes::setU16(r, element::kEndTip, static_cast<uint16_t>(tips[1]));
    } else if (!tips.empty()) {
        refuse(at(where, "tips"), "expected [start, end]");
    }
    if (kind == element::Hatch) {
        const uint32_t word = static_cast<uint32_t>(integer(e, "hatchAttrib", r[element::kPen], where, 0, UINT32_MAX));
        bytes::setU32(r, element::kHatchAttrib, word);
        r[element::kPen] = static_cast<unsigned char>(word & 0xFF);
        r[element::kColour] = static_cast<unsigned char>((word >> 16) & 0xFF);
        if ((word & 0xFFFF) > 255 || (word >> 16) > 255) refuse(at(where, "hatchAttrib"), "pen or colour above 255");
    }
    bytes::setU32(r, element::kGroupFlags, static_cast<uint32_t>(integer(e, "groupFlags", 0, where, 0, UINT32_MAX)));
    const std::vector<double> g = numbers(e, "geometry", where, element::kGeometryValues, -1e300, 1e300);
    for (std::size_t i = 0; i < g.size(); ++i) bytes::setF64(r, element::kGeometry + 8 * i, g[i]);
    return rec;
}

// A list of named entries (colours, widths, fonts) replacing the table's:
// at most 255, each an object made into an entry by `read`, names unique.
template <typename Table, typename Read>
void readNamedList(const json& doc, const char* key, Table& table, Read read)
{
    table.clear();
    const json& list = array(doc, key, "");
    if (list.size() > 255) refuse(key, std::string("more than 255 ") + key);
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string where = at(std::string(key), i);
        const auto e = read(object(list[i], where), where);
        if (table.addEntry(e) < 1) refuse(where, "the name '" + mobr::cp932::toUtf8(e.name) + "' is used twice");
    }
}

void readElements(const json& list, Figure& f)
{
    struct Placed {
        int32_t id;
        ElementDatabase::Record record;
    };
    std::vector<Placed> placed;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string where = at(std::string("elements"), i);
        const json& e = object(list[i], where);
        const int32_t id = int32(e, "id", 0, where, 1, INT32_MAX);
        const int space = element::spaceOf(id);
        const int32_t slot = element::slotOf(id);
        if (space >= ElementDatabase::kSpaces || slot < 1) refuse(at(where, "id"), "not an element id of space 0 or 1");
        // Slots between listed ids are created empty; a far id would make
        // millions of them, so ids stay close to the number listed.
        if (static_cast<std::size_t>(slot) > list.size() + 65536) refuse(at(where, "id"), "slot number far beyond the elements listed");
        placed.push_back(Placed{id, elementFromJson(e, id, where)});
    }
    std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) { return a.id < b.id; });
    for (std::size_t i = 1; i < placed.size(); ++i) {
        if (placed[i].id == placed[i - 1].id) refuse("elements", "id " + std::to_string(placed[i].id) + " appears twice");
    }
    for (const Placed& p : placed) {
        const int space = element::spaceOf(p.id);
        const int32_t gap = element::slotOf(p.id) - 1 - f.elements.slotCount(space);
        if (gap > 0) f.elements.appendState(space, gap, element::Empty);
        f.elements.append(space, p.record);
    }
}

}  // namespace

// The rules of one live element record, the same for the loader, the import,
// the export and the host's record writes (so that what loads can be exported
// and imported again, and what the host keeps can be saved and loaded again).
std::string FigureJson::recordProblem(const Figure& f, const unsigned char* r, bool checkOwner)
{
    const int32_t pen = r[element::kPen];
    const int32_t colour = r[element::kColour];
    const uint16_t kind = bytes::u16(r, element::kKind);
    if (pen < 1 || pen > f.pens->count()) return "refers to pen " + std::to_string(pen);
    if (colour > f.colours->count()) return "refers to colour " + std::to_string(colour);
    if (kind == 0) return "has no kind";
    const uint16_t group = bytes::u16(r, element::kLayerGroup), layer = bytes::u16(r, element::kLayer);
    if (!LayerTable::valid(group, layer))
        return "is on layer [" + std::to_string(group) + ", " + std::to_string(layer) + "], outside 0 to 15";
    for (std::size_t at : {element::kStartTip, element::kEndTip}) {
        const uint16_t tip = bytes::u16(r, at);
        if (tip != 0 && (tip > f.tips->count() || f.tips->at(tip) == nullptr || f.tips->at(tip)->reserved))
            return "refers to tip " + std::to_string(tip) + ", which the figure does not have";
    }
    for (int i = 0; i < element::kGeometryValues; ++i) {
        const double v = bytes::f64(r, element::kGeometry + 8 * static_cast<std::size_t>(i));
        if (!std::isfinite(v) || std::fabs(v) > 1e300)
            return "has geometry value " + std::to_string(i) + " that is not a finite number within 1e300";
    }
    if (kind == element::Text) {
        const uint16_t font = bytes::u16(r, element::kFont);
        if (font > f.fonts->count())   // 0: no font of its own
            return "refers to font " + std::to_string(font) + " but the figure has " + std::to_string(f.fonts->count());
        const unsigned char* t = r + element::kText;
        const std::size_t length = static_cast<std::size_t>(
            std::find(t, t + element::kTextBytes, '\0') - t);
        if (length >= element::kTextBytes) return "has a text without its terminator";
        if (mobr::cp932::endsWithBrokenChar(std::string_view(reinterpret_cast<const char*>(t), length)))
            return "has a text ending in half a double-byte character";
    }
    if (kind == element::Hatch) {
        // The import takes a hatch's pen and colour from its attribute word,
        // so the word names exactly the element's own.
        const uint32_t word = bytes::u32(r, element::kHatchAttrib);
        if ((word & 0xFFFF) > 255 || (word >> 16) > 255)
            return "has hatch attribute " + std::to_string(word) + " (pen or colour above 255)";
        if (static_cast<int32_t>(word & 0xFFFF) != pen || static_cast<int32_t>(word >> 16) != colour)
            return "has hatch attribute " + std::to_string(word) + ", which names another pen or colour than the element";
    }
    const int32_t owner = bytes::i32(r, element::kOwner);
    if (checkOwner && owner != -1 && f.elements.read(owner, nullptr) == element::kNoSuchElement)
        return "has an owner that does not exist";
    return std::string();
}

bool FigureJson::checkElements(const Figure& f, std::string* error)
{
    for (int s = 0; s < ElementDatabase::kSpaces; ++s) {
        for (const ElementDatabase::Record& rec : f.elements.records(s)) {
            const unsigned char* r = rec.data();
            if (r[element::kState] > element::Purged) {
                if (error) *error = "element " + std::to_string(bytes::i32(r, element::kId)) + " has an unknown slot state";
                return false;
            }
            if (r[element::kState] != element::Live) continue;
            if (const std::string problem = recordProblem(f, r); !problem.empty()) {
                if (error) *error = "element " + std::to_string(bytes::i32(r, element::kId)) + " " + problem;
                return false;
            }
        }
    }
    return true;
}

json FigureJson::toJson(const Figure& f, bool withElements)
{
    auto utf8 = [](const std::string& s) { return mobr::cp932::toUtf8(s); };
    json doc;
    doc["format"] = "mobr-figure";
    doc["version"] = kVersion;

    json pens = json::array();
    for (const Pen& p : f.pens->entries()) {
        PenColourTable& pc = const_cast<PenColourTable&>(*f.penColours);
        const PenColourEntry* e = pc.entryOf(p.uid);
        pens.push_back({{"name", utf8(p.name)}, {"width", p.width}, {"style", p.plotStyle}, {"mask", p.mask},
                        {"pitch", p.pitch}, {"colour", e ? e->colour : 0}, {"attrib", p.attrib}});
    }
    doc["pens"] = pens;
    json widths = json::array();
    for (const Width& w : f.widths->entries())
        widths.push_back({{"name", utf8(w.name)}, {"width", w.width}, {"plotPen", w.plotPen}, {"attrib", w.attrib}});
    doc["widths"] = widths;
    json colours = json::array();
    for (const Colour& c : f.colours->entries())
        colours.push_back({{"name", utf8(c.name)}, {"rgb", {c.red, c.green, c.blue}}, {"attrib", c.attrib}});
    doc["colours"] = colours;
    json fonts = json::array();
    for (const Font& x : f.fonts->entries())
        fonts.push_back({{"name", utf8(x.name)}, {"face", utf8(x.face)}, {"attrib", x.attrib}});
    doc["fonts"] = fonts;
    json tips = json::array();
    for (int32_t n = 1; n <= f.tips->count(); ++n) {
        const Tip* t = f.tips->at(n);
        if (t->reserved) continue;
        json tip = {{"number", n}, {"name", utf8(t->name)}, {"localName", utf8(t->localName)},
                    {"attrib", t->attrib}, {"mask", t->mask}};
        if (n >= TipTable::kFirstUser) {
            tip["start"] = t->start;
            tip["end"] = t->end;
        }
        tips.push_back(tip);
    }
    doc["tips"] = tips;
    doc["tipLength"] = f.tips->length();
    json charEx = json::array();
    for (const CharExEntry& e : f.charEx->entries()) charEx.push_back({{"mode", e.mode}, {"text", utf8(e.text)}});
    doc["charEx"] = charEx;
    doc["errorDistance"] = f.errorDistance;
    doc["imageBitCount"] = f.imageBitCount;
    doc["drawOrder"] = f.drawOrder;
    doc["layerColourMode"] = std::string(1, f.colourMode);
    doc["blocks"] = {{"dim", hex(f.dim.data(), f.dim.size())},
                     {"lineAttrib", hex(f.lineAttrib.data(), f.lineAttrib.size())},
                     {"pointAttrib", hex(f.pointAttrib.data(), f.pointAttrib.size())},
                     {"charAttrib", hex(f.charAttrib.data(), f.charAttrib.size())},
                     {"charInfo", hex(f.charInfo.data(), f.charInfo.size())}};
    doc["curve"] = {f.curveA, f.curveB};
    doc["curveTolerance"] = f.curveTolerance;
    doc["hatchRatio"] = f.hatchRatio;
    doc["scale"] = {f.scaleNumerator, f.scaleDenominator};
    doc["displayColours"] = f.displayColours;
    doc["activeLayer"] = {f.activeGroup, f.activeLayer};
    json layers = json::array();
    for (int32_t g = 0; g < LayerTable::kGroups; ++g) {
        for (int32_t l = 0; l < LayerTable::kLayers; ++l) {
            if (const int32_t c = f.layers->colour(g, l); c != 0) layers.push_back({{"group", g}, {"layer", l}, {"colour", c}});
        }
    }
    doc["layerColours"] = layers;
    // Names are optional: a figure without any writes no key.
    if (f.layers->hasNames()) {
        json names = json::array();
        for (int32_t g = 0; g < LayerTable::kGroups; ++g) {
            for (int32_t l = 0; l < LayerTable::kLayers; ++l) {
                if (const std::string& n = f.layers->name(g, l); !n.empty()) names.push_back({{"group", g}, {"layer", l}, {"name", utf8(n)}});
            }
        }
        doc["layerNames"] = names;
    }
    doc["centreLinePen"] = f.centreLinePen;
    doc["fontSlant"] = f.fontSlant;
    doc["fontType"] = f.fontType;
    doc["control"] = f.control;
    doc["paper"] = {{"index", f.paperIndex}, {"width", f.paperWidth}, {"height", f.paperHeight}};
    json sketch = json::array();
    for (const SketchRef& s : f.sketch) {
        json ref = {{"kind", s.kind == SketchRef::PenRef ? "pen" : s.kind == SketchRef::WidthRef ? "width" : "colour"},
                    {"name", utf8(s.name)}};
        if (s.kind == SketchRef::PenRef) ref["width"] = utf8(s.widthName);
        sketch.push_back(ref);
    }
    doc["sketch"] = sketch;
    if (withElements) {
        json elements = json::array();
        for (int s = 0; s < ElementDatabase::kSpaces; ++s) {
            for (const ElementDatabase::Record& r : f.elements.records(s)) elements.push_back(elementJson(r));
        }
        doc["elements"] = elements;
    }
    return doc;
}

std::unique_ptr<Figure> FigureJson::fromJson(const json& doc, std::string* error, bool withElements)
{
    try {
        object(doc, "document");
        if (const json* format = member(doc, "format"); format && (!format->is_string() || *format != "mobr-figure"))
            refuse("format", "not a figure document");
        const int64_t version = integer(doc, "version", kVersion, "", 1, INT32_MAX);
        if (version > kVersion) refuse("version", "version " + std::to_string(version) + " is newer than this host reads (" + std::to_string(kVersion) + ")");

        const Figure defaults;
        auto f = Figure::makeDefault();

        // Colours and widths first: pens refer to them by number.
        if (member(doc, "colours")) {
            readNamedList(doc, "colours", *f->colours, [](const json& c, const std::string& where) {
                Colour e;
                e.name = name(c, where);
                const std::vector<double> rgb = numbers(c, "rgb", where, 3, 0, 255, true);
                if (!rgb.empty() && rgb.size() != 3) refuse(at(where, "rgb"), "expected [red, green, blue]");
                if (rgb.size() == 3) {
                    e.red = static_cast<int32_t>(rgb[0]);
                    e.green = static_cast<int32_t>(rgb[1]);
                    e.blue = static_cast<int32_t>(rgb[2]);
                }
                e.attrib = int32(c, "attrib", 0, where, INT32_MIN, INT32_MAX);
                return e;
            });
        }
        if (member(doc, "widths")) {
            readNamedList(doc, "widths", *f->widths, [](const json& w, const std::string& where) {
                Width e;
                e.name = name(w, where);
                e.width = real(w, "width", 0.25, where, WidthTable::kMinWidth, WidthTable::kMaxWidth);
                e.plotPen = int32(w, "plotPen", 1, where, 1, 9);
                e.attrib = int32(w, "attrib", 0, where, INT32_MIN, INT32_MAX);
                return e;
            });
        }
        if (member(doc, "pens")) {
            f->pens->clear();
            f->penColours->setEntries({});
            const json& list = array(doc, "pens", "");
            if (list.size() > 255) refuse("pens", "more than 255 pens");
            for (std::size_t i = 0; i < list.size(); ++i) {
                const std::string where = at(std::string("pens"), i);
                const json& p = object(list[i], where);
                Pen e;
                e.name = name(p, where);
                e.width = int32(p, "width", 1, where, 1, 255);
                if (e.width > f->widths->count())
                    refuse(at(where, "width"), "refers to width " + std::to_string(e.width) + " but the figure has " +
                                                   std::to_string(f->widths->count()));
                e.widthUid = f->widths->at(e.width)->uid;
                e.plotStyle = int32(p, "style", 1, where, 1, PenTable::kMaxPlotStyle);
                e.mask = int32(p, "mask", 0, where, 0, 7);
                e.pitch = numbers(p, "pitch", where, 10, 0.1, 200.0);
                e.attrib = int32(p, "attrib", 0, where, INT32_MIN, INT32_MAX);
                const int32_t colour = int32(p, "colour", 0, where, 0, 255);
                if (colour > f->colours->count())
                    refuse(at(where, "colour"), "refers to colour " + std::to_string(colour) + " but the figure has " +
                                                    std::to_string(f->colours->count()));
                const int32_t n = f->pens->addEntry(e);
                if (n < 1) refuse(where, "the name '" + mobr::cp932::toUtf8(e.name) + "' is used twice");
                f->penColours->setColour(*f->pens, n, colour, colour > 0 ? f->colours->at(colour)->uid : 0);
            }
        }
        if (!member(doc, "pens")) {
            // The default pens stay: bind them to the widths and colours the
            // document gave.
            for (int32_t n = 1; n <= f->pens->count(); ++n) {
                Pen* p = f->pens->at(n);
                if (!f->widths->valid(p->width)) p->width = 1;
                p->widthUid = f->widths->valid(p->width) ? f->widths->at(p->width)->uid : 0;
            }
            for (PenColourEntry& e : f->penColours->entries()) {
                if (!f->colours->valid(e.colour)) e.colour = 0;
                e.colourUid = e.colour > 0 ? f->colours->at(e.colour)->uid : 0;
            }
        }
        if (f->pens->count() > 0 && f->widths->count() == 0) refuse("widths", "pens need at least one width");

        if (member(doc, "fonts")) {
            readNamedList(doc, "fonts", *f->fonts, [](const json& x, const std::string& where) {
                Font e;
                e.name = name(x, where);
                e.face = text(x, "face", "", where, 31);
                e.attrib = int32(x, "attrib", 0, where, INT32_MIN, INT32_MAX);
                return e;
            });
        }
        if (member(doc, "tips")) {
            f->tips->resetBuiltIn();
            const json& list = array(doc, "tips", "");
            for (std::size_t i = 0; i < list.size(); ++i) {
                const std::string where = at(std::string("tips"), i);
                const json& t = object(list[i], where);
                if (!member(t, "number")) refuse(at(where, "number"), "a tip number is required");
                const int32_t number = int32(t, "number", 0, where, 1, 255);
                if (number >= 10 && number < TipTable::kFirstUser) refuse(at(where, "number"), "tips 10 to 16 are reserved");
                if (number <= TipTable::kBuiltIn) {
                    Tip* b = f->tips->at(number);
                    b->attrib = int32(t, "attrib", 0, where, INT32_MIN, INT32_MAX);
                    b->mask = int32(t, "mask", 0, where, 0, 3);
                    continue;
                }
                if (number != f->tips->count() + 1 && !(f->tips->count() < TipTable::kFirstUser && number == TipTable::kFirstUser))
                    refuse(at(where, "number"), "user tips are numbered from 17 without gaps");
                const std::string n = name(t, where);
                const int32_t added = f->tips->addUser(n, text(t, "localName", n, where, 16),
                                                       numbers(t, "start", where, mobr::kHostTipShapeValues, -100, 100),
                                                       numbers(t, "end", where, mobr::kHostTipShapeValues, -100, 100));
                if (added < 1) refuse(where, "the name '" + mobr::cp932::toUtf8(n) + "' is used twice");
                Tip* u = f->tips->at(added);
                u->attrib = int32(t, "attrib", 0, where, INT32_MIN, INT32_MAX);
                u->mask = int32(t, "mask", 0, where, 0, 3);
            }
        }
        f->tips->setLength(real(doc, "tipLength", defaults.tips->length(), "", 0.01, 999999.0));
        if (member(doc, "charEx")) {
            f->charEx = std::make_unique<CharExTable>();
            const json& list = array(doc, "charEx", "");
            for (std::size_t i = 0; i < list.size(); ++i) {
                const std::string where = at(std::string("charEx"), i);
                const json& c = object(list[i], where);
                if (!f->charEx->add(int32(c, "mode", 0, where, INT32_MIN, INT32_MAX), text(c, "text", "", where, CharExTable::kMaxTextBytes)))
                    refuse(where, "too many extended character entries");
            }
        }
        f->errorDistance = real(doc, "errorDistance", defaults.errorDistance, "", 1e-12, 1e12);
        f->imageBitCount = int32(doc, "imageBitCount", 0, "", 0, 1);
        f->drawOrder = int32(doc, "drawOrder", 0, "", 0, 2);
        const std::string mode = text(doc, "layerColourMode", "P", "", 1);
        if (mode != "P" && mode != "L") refuse("layerColourMode", "expected \"P\" or \"L\"");
        f->colourMode = mode[0];
        const bool firstLayout = version < 2;
        if (firstLayout) firstlayout::setFirstDefaults(*f);
        if (const json* blocks = member(doc, "blocks")) {
            object(*blocks, "blocks");
            unhex(*blocks, "dim", f->dim, "blocks");
            unhex(*blocks, "lineAttrib", f->lineAttrib, "blocks");
            unhex(*blocks, "pointAttrib", f->pointAttrib, "blocks");
            unhex(*blocks, "charAttrib", f->charAttrib, "blocks");
            unhex(*blocks, "charInfo", f->charInfo, "blocks");
        }
        if (firstLayout) firstlayout::convertBlocks(*f);
        const std::vector<double> curve = numbers(doc, "curve", "", 2, INT32_MIN, INT32_MAX, true);
        if (!curve.empty() && curve.size() != 2) refuse("curve", "expected [a, b]");
        if (curve.size() == 2) {
            f->curveA = static_cast<int32_t>(curve[0]);
            f->curveB = static_cast<int32_t>(curve[1]);
        }
        f->curveTolerance = int32(doc, "curveTolerance", defaults.curveTolerance, "", INT32_MIN, INT32_MAX);
        f->hatchRatio = real(doc, "hatchRatio", 1.0, "", 1e-6, 1e6);
        const std::vector<double> scale = numbers(doc, "scale", "", 2, 1, INT32_MAX, true);
        if (scale.size() == 2) {
            f->scaleNumerator = static_cast<int32_t>(scale[0]);
            f->scaleDenominator = static_cast<int32_t>(scale[1]);
        } else if (!scale.empty()) {
            refuse("scale", "expected [numerator, denominator]");
        }
        const std::vector<double> display =
            numbers(doc, "displayColours", "", 4, 0, firstLayout ? 0xFFFFFF : f->colours->count(), true);
        if (member(doc, "displayColours") && display.size() != 4) refuse("displayColours", "expected 4 colour values");
        // The default colours may be beyond a document's own colour table.
        for (int32_t& c : f->displayColours) c = std::min(c, f->colours->count());
        if (display.size() == 4) {
            for (std::size_t i = 0; i < display.size(); ++i) f->displayColours[i] = static_cast<int32_t>(display[i]);
            if (firstLayout) f->displayColours = firstlayout::convertDisplayColours(*f, f->displayColours);
        }
        const std::vector<double> active = numbers(doc, "activeLayer", "", 2, 0, 15, true);
        if (!active.empty() && active.size() != 2) refuse("activeLayer", "expected [group, layer]");
        if (active.size() == 2) {
            f->activeGroup = static_cast<int32_t>(active[0]);
            f->activeLayer = static_cast<int32_t>(active[1]);
        }
        const json& layers = array(doc, "layerColours", "");
        for (std::size_t i = 0; i < layers.size(); ++i) {
            const std::string where = at(std::string("layerColours"), i);
            const json& l = object(layers[i], where);
            const int32_t colour = int32(l, "colour", 0, where, 0, f->colours->count());
            f->layers->setColour(int32(l, "group", 0, where, 0, 15), int32(l, "layer", 0, where, 0, 15), colour);
        }
        const json& layerNames = array(doc, "layerNames", "");
        for (std::size_t i = 0; i < layerNames.size(); ++i) {
            const std::string where = at(std::string("layerNames"), i);
            const json& l = object(layerNames[i], where);
            const int32_t group = int32(l, "group", 0, where, 0, 15), layer = int32(l, "layer", 0, where, 0, 15);
            const std::string n = name(l, where);
            if (const std::string problem = f->layers->nameProblem(group, layer, n); !problem.empty()) refuse(at(where, "name"), problem);
            f->layers->setName(group, layer, n);
        }
        const int32_t lastPen = std::max(f->pens->count() - 1, 0);
        if (!member(doc, "centreLinePen")) f->centreLinePen = std::min(lastPen, 3);
        else if (firstLayout) f->centreLinePen = firstlayout::convertCentreLinePen(int32(doc, "centreLinePen", 1, "", 0, f->pens->count()));
        else f->centreLinePen = int32(doc, "centreLinePen", 0, "", 0, lastPen);
        f->fontSlant = real(doc, "fontSlant", 0.0, "", -90.0, 90.0);
        f->fontType = int32(doc, "fontType", 0, "", 0, 1);
        f->control = static_cast<uint32_t>(integer(doc, "control", 0, "", 0, UINT32_MAX));
        if (member(doc, "paper")) {
            const json& paper = object(*member(doc, "paper"), "paper");
            f->paperIndex = int32(paper, "index", defaults.paperIndex, "paper", 0, 6);
            f->paperWidth = real(paper, "width", defaults.paperWidth, "paper", 0.01, 1e13);
            f->paperHeight = real(paper, "height", defaults.paperHeight, "paper", 0.01, 1e13);
        }
        if (member(doc, "sketch")) {
            f->sketch.clear();
            const json& list = array(doc, "sketch", "");
            for (std::size_t i = 0; i < list.size(); ++i) {
                const std::string where = at(std::string("sketch"), i);
                const json& s = object(list[i], where);
                SketchRef ref;
                const std::string kind = text(s, "kind", "", where, 16);
                if (kind == "pen") ref.kind = SketchRef::PenRef;
                else if (kind == "width") ref.kind = SketchRef::WidthRef;
                else if (kind == "colour") ref.kind = SketchRef::ColourRef;
                else refuse(at(where, "kind"), "expected \"pen\", \"width\" or \"colour\"");
                ref.name = name(s, where);
                ref.widthName = text(s, "width", "", where, 16);
                f->sketch.push_back(ref);
            }
        }
        if (withElements && member(doc, "elements")) {
            readElements(array(doc, "elements", ""), *f);
            std::string problem;
            if (!checkElements(*f, &problem)) refuse("elements", problem);
        }
        return f;
    } catch (const Refusal& r) {
        if (error) *error = r.what();
    } catch (const json::exception& e) {
        if (error) *error = std::string("not a valid figure document: ") + e.what();
    }
    return nullptr;
}

std::string FigureJson::exportText(const Figure& figure)
{
    return toJson(figure).dump(1);
}

std::unique_ptr<Figure> FigureJson::importText(std::string_view text, std::string* error)
{
    json doc = json::parse(text.begin(), text.end(), nullptr, false);
    if (doc.is_discarded()) {
        if (error) *error = "not JSON";
        return nullptr;
    }
    return fromJson(doc, error);
}

}  // namespace mobrhost
