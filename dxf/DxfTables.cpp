#include "DxfTables.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "DxfColours.h"
#include "platform/CodePage.h"

using mobrhost::Figure;

namespace mobrdxf {
namespace {

constexpr double kMinPitch = 0.1;
constexpr double kMaxPitch = 200.0;
constexpr std::size_t kMaxPitchValues = 10;

std::string upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

// A name as messages show it: control characters as '?'.
std::string printable(std::string name)
{
    std::replace_if(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }, '?');
    return name;
}

std::string widthName(int hundredths)
{
    char name[24];
    std::snprintf(name, sizeof name, "%d.%02d mm", hundredths / 100, hundredths % 100);
    return name;
}

std::string rgbName(uint32_t rgb)
{
    char name[16];
    std::snprintf(name, sizeof name, "#%06X", static_cast<unsigned>(rgb & 0xFFFFFF));
    return name;
}

}  // namespace

std::string defaultLayerName(int slot)
{
    if (slot == 0) return "0";
    char name[32];
    std::snprintf(name, sizeof name, "G%02d-L%02d", slot / 16, slot % 16);
    return name;
}

std::vector<double> pitchFromPattern(const std::vector<double>& pattern, bool* changed)
{
    bool adjusted = false;
    // Runs of the same sign merge; a dot (0) is the shortest dash.
    std::vector<double> runs;   // positive dash, negative gap
    for (const double raw : pattern) {
        if (!std::isfinite(raw)) { adjusted = true; continue; }
        const double v = raw == 0.0 ? kMinPitch : raw;
        if (!runs.empty() && (runs.back() > 0) == (v > 0)) {
            runs.back() += v;
            adjusted = true;
        } else {
            runs.push_back(v);
        }
    }
    // A pattern that starts with a gap starts with its first dash instead.
    if (!runs.empty() && runs.front() < 0) {
        std::rotate(runs.begin(), runs.begin() + 1, runs.end());
        adjusted = true;
    }
    if (runs.size() % 2 == 1) {
        if (runs.size() == 1) runs.clear();   // one dash alone is a solid line
        else runs.pop_back();
        adjusted = true;
    }
    std::vector<double> pitch;
    for (const double v : runs) {
        const double length = std::clamp(std::fabs(v), kMinPitch, kMaxPitch);
        adjusted = adjusted || length != std::fabs(v);
        pitch.push_back(length);
    }
    if (pitch.size() > kMaxPitchValues) {
        pitch.resize(kMaxPitchValues);
        adjusted = true;
    }
    if (changed) *changed = adjusted;
    return pitch;
}

std::vector<double> patternFromPitch(const std::vector<double>& pitch)
{
    std::vector<double> pattern;
    for (std::size_t i = 0; i + 1 < pitch.size(); i += 2) {
        pattern.push_back(pitch[i]);
        pattern.push_back(-pitch[i + 1]);
    }
    return pattern;
}

int plotStyleForPitch(const std::vector<double>& pitch)
{
    if (pitch.empty()) return 1;
    if (pitch.size() > 2) return 4;
    return pitch[0] <= kMinPitch * 2 ? 3 : 2;
}

namespace {
const char* const kStyleNames[] = {"Solid", "Dashed", "Dotted", "Chain", "Double chain", "Assist line"};
}

int plotStyleNamed(const std::string& description)
{
    const std::string text = upper(description);
    for (int style = 1; style <= 6; ++style) {
        const std::string name = upper(kStyleNames[style - 1]);
        if (text.compare(0, name.size(), name) == 0 && (text.size() == name.size() || !std::isalpha(static_cast<unsigned char>(text[name.size()]))))
            return style;
    }
    return 0;
}

const char* plotStyleName(int style)
{
    return style >= 1 && style <= 6 ? kStyleNames[style - 1] : "";
}

DxfTables::DxfTables(Figure& figure, DxfReport& report) : figure_(figure), report_(report) {}

void DxfTables::setDefaultLineWeight(int hundredths)
{
    if (hundredths >= 0 && hundredths <= 211) defaultLineWeight_ = hundredths;
}

std::string DxfTables::key(const std::string& rawName) { return upper(rawName); }

std::string DxfTables::hostText(const std::string& raw, const char* what)
{
    return toHost(decodeToUtf8(raw, encoding_), what);
}

std::string DxfTables::toHost(const std::string& utf8, const char* what)
{
    bool lossy = false;
    std::string host = toHostText(utf8, &lossy);
    if (lossy) report_.count(std::string(what) + " with characters the host code page lacks (shown as ?)");
    return host;
}

std::string DxfTables::fitted(NameFitter& fitter, const std::string& raw, const char* table)
{
    const std::string host = hostText(raw, "names");
    bool changed = false;
    std::string name = fitter.fit(host, &changed);
    if (changed) {
        report_.note(std::string(table) + " \"" + mobr::cp932::toUtf8(host) + "\" is called \""
                     + mobr::cp932::toUtf8(name) + "\" (names hold 16 bytes and differ)");
    }
    return name;
}

int DxfTables::makePen(const std::string& rawName, const std::vector<double>& pattern, const std::string& description)
{
    if (figure_.pens->full()) return 0;
    bool changed = false;
    mobrhost::Pen pen;
    pen.pitch = pitchFromPattern(pattern, &changed);
    if (changed) report_.count("line type patterns adjusted to a pen's pitch (dash, gap pairs of 0.1 to 200, at most 10)");
    const int named = plotStyleNamed(description);
    pen.plotStyle = named > 0 ? named : plotStyleForPitch(pen.pitch);
    pen.name = fitted(penNames_, rawName, "line type");
    pen.width = 0;   // set on first use or by finish()
    return figure_.pens->addEntry(std::move(pen));
}

void DxfTables::addLineType(const std::string& rawName, const std::vector<double>& pattern, const std::string& description)
{
    // The solid CONTINUOUS every file lists becomes a pen only when used.
    if (key(rawName) == "CONTINUOUS" && pattern.empty()) return;
    makeLineType(rawName, pattern, description);
}

void DxfTables::makeLineType(const std::string& rawName, const std::vector<double>& pattern, const std::string& description)
{
    const std::string k = key(rawName);
    if (k == "BYLAYER" || k == "BYBLOCK" || lineTypeByName_.count(k)) return;
    const int pen = makePen(rawName, pattern, description);
    if (pen <= 0) {
        report_.count("line types beyond the 255 pens a figure holds (drawn with pen 1)");
        lineTypeByName_[k] = 0;
        return;
    }
    lineTypeByName_[k] = static_cast<int>(lineTypes_.size());
    lineTypes_.push_back(LineType{pen, -1});
}

int DxfTables::lineTypeIndex(const std::string& rawName)
{
    const std::string k = key(rawName.empty() ? std::string("CONTINUOUS") : rawName);
    const auto it = lineTypeByName_.find(k);
    if (it != lineTypeByName_.end()) return it->second;
    if (k != "CONTINUOUS") report_.note("line type \"" + decodeToUtf8(rawName, encoding_) + "\" is not in the file's table: drawn solid");
    makeLineType(rawName.empty() ? std::string("CONTINUOUS") : rawName, {}, {});
    return lineTypeByName_[k];
}

int DxfTables::widthFor(int lineWeight)
{
    const int hundredths = std::clamp(lineWeight, 1, 500);
    const auto it = widthByWeight_.find(hundredths);
    if (it != widthByWeight_.end()) return it->second;
    mobrhost::Width width;
    width.name = widthNames_.fit(widthName(hundredths), nullptr);
    width.width = hundredths / 100.0;
    width.plotPen = 1;
    const int n = figure_.widths->addEntry(std::move(width));
    if (n <= 0) return 1;
    widthByWeight_[hundredths] = n;
    return n;
}

int DxfTables::penFor(int lineType, int lineWeight)
{
    if (lineType < 0 || lineType >= static_cast<int>(lineTypes_.size())) return 1;
    LineType& type = lineTypes_[static_cast<std::size_t>(lineType)];
    mobrhost::Pen* base = figure_.pens->at(type.pen);
    if (!base) return 1;
    if (type.lineWeight < 0 || type.lineWeight == lineWeight) {
        if (type.lineWeight < 0) {
            type.lineWeight = lineWeight;
            base->width = widthFor(lineWeight);
            base->widthUid = figure_.widths->at(base->width)->uid;
        }
        return type.pen;
    }
    const auto pair = std::make_pair(lineType, lineWeight);
    if (const auto it = penByPair_.find(pair); it != penByPair_.end()) return it->second;
    // The same line type at another lineweight needs a pen of its own.
    mobrhost::Pen pen = *base;
    pen.uid = 0;
    pen.name = penNames_.fit(base->name, nullptr);
    pen.width = widthFor(lineWeight);
    pen.widthUid = figure_.widths->at(pen.width)->uid;
    int n = figure_.pens->addEntry(std::move(pen));
    if (n <= 0) {
        report_.count("line type and lineweight pairs beyond the 255 pens a figure holds (drawn with the line type's first pen)");
        n = type.pen;
    }
    penByPair_[pair] = n;
    return n;
}

int DxfTables::addColour(const std::string& name, uint32_t rgb)
{
    mobrhost::Colour colour;
    colour.name = colourNames_.fit(name, nullptr);
    colour.red = static_cast<int32_t>((rgb >> 16) & 0xFF);
    colour.green = static_cast<int32_t>((rgb >> 8) & 0xFF);
    colour.blue = static_cast<int32_t>(rgb & 0xFF);
    return figure_.colours->addEntry(std::move(colour));
}

int DxfTables::colourFor(int aci, int trueColour)
{
    const bool isTrue = trueColour >= 0;
    const int64_t k = isTrue ? (int64_t{1} << 32) | (trueColour & 0xFFFFFF) : std::clamp(aci, 1, 255);
    if (const auto it = colourByKey_.find(k); it != colourByKey_.end()) return it->second;
    const int index = static_cast<int>(k & 0xFF);
    int n = isTrue ? addColour(rgbName(static_cast<uint32_t>(trueColour)), static_cast<uint32_t>(trueColour))
                   : addColour("ACI " + std::to_string(index), aciToRgb(index));
    if (n <= 0) {
        report_.count("colours beyond the 255 a figure holds (drawn with colour 1)");
        n = 1;
    }
    colourByKey_[k] = n;
    return n;
}

void DxfTables::addLayer(const std::string& rawName, const RawAttributes& a)
{
    const std::string k = key(rawName);
    if (layers_.count(k)) return;
    Layer layer;
    bool fresh = true;
    if (k == "0") {
        layer.slot = 0;
    } else if (nextLayerSlot_ >= mobrhost::LayerTable::kGroups * mobrhost::LayerTable::kLayers) {
        report_.count("layers beyond the 256 a figure holds (put on group 15, layer 15)");
        layer.slot = nextLayerSlot_ - 1;
        fresh = false;
    } else {
        layer.slot = nextLayerSlot_++;
    }
    // A negative colour number means the layer is off; its colour is the same.
    const int aci = std::abs(a.aci) == 0 || std::abs(a.aci) > 255 ? 7 : std::abs(a.aci);
    layer.colour = colourFor(aci, a.trueColour);
    layer.lineType = a.lineType;
    layer.lineWeight = a.lineWeight < 0 ? -3 : a.lineWeight;
    figure_.layers->setColour(layer.slot / 16, layer.slot % 16, layer.colour);
    layers_[k] = layer;
    if (!fresh) return;
    layerInSlot_[static_cast<std::size_t>(layer.slot)] = layer;
    const std::string name = fitted(layerNames_, rawName, "layer");
    if (name == defaultLayerName(layer.slot)) return;
    const std::string problem = figure_.layers->nameProblem(layer.slot / 16, layer.slot % 16, name);
    if (problem.empty()) figure_.layers->setName(layer.slot / 16, layer.slot % 16, name);
    else report_.note("layer \"" + mobr::cp932::toUtf8(printable(name)) + "\" keeps no name (" + problem + ")");
}

int DxfTables::layerSlotOf(const std::string& rawName)
{
    const std::string k = key(rawName.empty() ? std::string("0") : rawName);
    if (!layers_.count(k)) addLayer(rawName.empty() ? std::string("0") : rawName, RawAttributes{"", 7, -1, "CONTINUOUS", -3});
    return layers_[k].slot;
}

void DxfTables::addTextStyle(const std::string& rawName, const std::string& fontFile, bool bold, bool italic)
{
    const std::string k = key(rawName);
    if (fontByStyle_.count(k) || figure_.fonts->full()) return;
    mobrhost::Font font;
    font.name = fitted(fontNames_, rawName, "text style");
    // The face is the font file's name without folder and extension; a
    // style without one is drawn in the standard face.
    std::string face = hostText(fontFile, "names");
    if (const std::size_t slash = face.find_last_of("/\\"); slash != std::string::npos) face.erase(0, slash + 1);
    if (const std::size_t dot = face.rfind('.'); dot != std::string::npos && dot > 0) face.erase(dot);
    font.face = face.empty() ? "DejaVu Sans" : mobr::cp932::cut(face, 31);
    font.attrib = (bold ? mobrhost::FontTable::kBold : 0) | (italic ? mobrhost::FontTable::kItalic : 0);
    const int n = figure_.fonts->addEntry(std::move(font));
    if (n > 0) fontByStyle_[k] = n;
}

int DxfTables::fontFor(const std::string& rawStyle) const
{
    const auto it = fontByStyle_.find(key(rawStyle.empty() ? std::string("STANDARD") : rawStyle));
    return it == fontByStyle_.end() ? 0 : it->second;
}

Resolved DxfTables::topLevel() const
{
    // Outside a block "by block" means white (black on our paper), solid, default weight.
    Resolved r;
    r.layerSlot = -1;
    r.colour = 0;
    r.lineType = -1;
    r.lineWeight = defaultLineWeight_;
    return r;
}

Resolved DxfTables::resolve(const RawAttributes& a, const Resolved& block)
{
    Resolved r;
    // Entities of a block on layer 0 take the layer of the insertion.
    const std::string layerKey = key(a.layer.empty() ? std::string("0") : a.layer);
    r.layerSlot = layerKey == "0" && block.layerSlot >= 0 ? block.layerSlot : layerSlotOf(a.layer);
    const Layer* layer = &layerInSlot_[static_cast<std::size_t>(r.layerSlot)];
    const std::string type = key(a.lineType);
    if (type.empty() || type == "BYLAYER") r.lineType = lineTypeIndex(layer->lineType);
    else if (type == "BYBLOCK") r.lineType = block.lineType >= 0 ? block.lineType : lineTypeIndex("CONTINUOUS");
    else r.lineType = lineTypeIndex(a.lineType);

    if (a.lineWeight == -1) r.lineWeight = layer && layer->lineWeight >= 0 ? layer->lineWeight : defaultLineWeight_;
    else if (a.lineWeight == -2) r.lineWeight = block.lineWeight;
    else if (a.lineWeight < 0 || a.lineWeight > 211) r.lineWeight = defaultLineWeight_;
    else r.lineWeight = a.lineWeight;
    if (r.lineWeight == 0) r.lineWeight = 1;   // the thinnest width the model holds

    if (a.trueColour >= 0) r.colour = colourFor(0, a.trueColour);
    else if (a.aci == kByLayer || a.aci < 0 || a.aci > 256) r.colour = layer ? layer->colour : colourFor(7, -1);
    else if (a.aci == kByBlock) r.colour = block.colour > 0 ? block.colour : colourFor(7, -1);
    else r.colour = colourFor(a.aci, -1);
    return r;
}

void DxfTables::finish()
{
    if (figure_.pens->count() == 0) lineTypeIndex("CONTINUOUS");
    for (int n = 1; n <= figure_.pens->count(); ++n) {
        mobrhost::Pen* pen = figure_.pens->at(n);
        if (pen->width > 0) continue;
        pen->width = widthFor(defaultLineWeight_);
        pen->widthUid = figure_.widths->at(pen->width)->uid;
    }
    if (figure_.fonts->count() == 0) addTextStyle("STANDARD", "", false, false);
    if (figure_.colours->count() == 0) colourFor(7, -1);
}

}  // namespace mobrdxf
