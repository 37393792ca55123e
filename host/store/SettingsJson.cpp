#include "store/SettingsJson.h"

#include <nlohmann/json.hpp>

#include "model/ByteAccess.h"
#include "platform/CodePage.h"

namespace mobrhost {

namespace {

using nlohmann::json;

std::string utf8(const std::string& bytes) { return mobr::cp932::toUtf8(bytes); }
std::string host(const json& j) { return mobr::cp932::fromUtf8(j.get<std::string>()); }

json rgbJson(const Rgb& c) { return json::array({c.red, c.green, c.blue}); }
Rgb rgbFrom(const json& j)
{
    if (!j.is_array() || j.size() != 3) throw std::runtime_error("a colour is [red, green, blue]");
    Rgb c{j[0].get<int32_t>(), j[1].get<int32_t>(), j[2].get<int32_t>()};
    for (int32_t v : {c.red, c.green, c.blue}) {
        if (v < 0 || v > 255) throw std::runtime_error("a colour component is outside 0..255");
    }
    return c;
}

json foldersJson(const std::vector<FolderEntry>& list)
{
    json out = json::array();
    for (const FolderEntry& f : list) out.push_back({{"name", utf8(f.name)}, {"directory", utf8(f.directory)}});
    return out;
}
std::vector<FolderEntry> foldersFrom(const json& j)
{
    std::vector<FolderEntry> list;
    for (const json& f : j) {
        std::string dir = host(f.at("directory"));
        if (dir.empty() || dir.back() != '/') dir += '/';
        list.push_back({host(f.at("name")), dir});
    }
    return list;
}

void hexInto(const json& j, void* out, std::size_t size, const std::string& what)
{
    if (!bytes::fromHex(j.get<std::string>(), out, size)) {
        throw std::runtime_error(what + " is not " + std::to_string(size) + " bytes of hexadecimal digits");
    }
}

void readInto(SystemSettings& s, const json& root)
{
    const json& sys = root.at("system");
    if (sys.contains("blocks")) {
        for (const auto& [name, hex] : sys["blocks"].items()) {
            const std::size_t size = SystemSettings::blockSize(name);
            if (size == 0) throw std::runtime_error("unknown block " + name);
            hexInto(hex, s.block(name), size, name);
        }
    }
    if (sys.contains("numbers")) {
        for (const auto& [k, v] : sys["numbers"].items()) s.setNumber(k, v.get<double>());
    }
    if (sys.contains("texts")) {
        for (const auto& [k, v] : sys["texts"].items()) s.setText(k, host(v));
    }
    if (sys.contains("systemColours")) {
        const json& list = sys["systemColours"];
        if (list.size() != SystemSettings::kSystemColours) throw std::runtime_error("systemColours needs 64 colours");
        for (int i = 0; i < SystemSettings::kSystemColours; ++i) s.systemColour(i) = rgbFrom(list[static_cast<std::size_t>(i)]);
    }
    if (sys.contains("sketchColours")) {
        const json& list = sys["sketchColours"];
        if (list.size() != SystemSettings::kSketchColours) throw std::runtime_error("sketchColours needs 4 colours");
        for (int k = 1; k <= SystemSettings::kSketchColours; ++k) s.sketchColour(k) = rgbFrom(list[static_cast<std::size_t>(k - 1)]);
    }
    if (sys.contains("comNumUser")) hexInto(sys["comNumUser"], s.comNumUser().data(), s.comNumUser().size(), "comNumUser");
    if (sys.contains("refParameters")) {
        std::vector<RefParameter> refs;
        for (const json& r : sys["refParameters"]) {
            RefParameter p{host(r.at("name")), host(r.at("caption")), r.at("value").get<double>()};
            if (p.name.empty() || p.name.size() >= mobr::kHostComNumNameBytes
                || p.caption.size() >= mobr::kHostComNumCaptionBytes) {
                throw std::runtime_error("a reference parameter's name or caption is too long");
            }
            refs.push_back(p);
        }
        if (refs.size() > 24) throw std::runtime_error("more than 24 reference parameters");
        s.refParameters() = refs;
    }
    if (sys.contains("searchTables")) {
        const json& list = sys["searchTables"];
        if (list.size() != 1 + SystemSettings::kUserSearchTables) throw std::runtime_error("searchTables needs 5 tables");
        for (int t = 0; t <= SystemSettings::kUserSearchTables; ++t) {
            const json& j = list[static_cast<std::size_t>(t)];
            SearchTable& table = s.searchTable(t);
            table.name = host(j.at("name"));
            if (table.name.size() >= mobr::kHostNameBytes) throw std::runtime_error("a search table name is too long");
            const json& kinds = j.at("kinds");
            if (kinds.size() != mobr::kHostSearchKinds) throw std::runtime_error("a search table has 16 kinds");
            for (std::size_t k = 0; k < mobr::kHostSearchKinds; ++k) table.kinds[k] = kinds[k].get<uint16_t>();
            table.refreshBytes();
        }
    }
    if (sys.contains("inputTables")) {
        const json& list = sys["inputTables"];
        if (list.size() != SystemSettings::kInputTypes) throw std::runtime_error("inputTables needs 4 tables");
        for (int t = 0; t < SystemSettings::kInputTypes; ++t) {
            hexInto(list[static_cast<std::size_t>(t)], s.inputTable(t).data(), mobr::kHostInputTableBytes, "inputTables");
        }
    }
    if (sys.contains("templateFolders")) s.templateFolders() = foldersFrom(sys["templateFolders"]);
    if (sys.contains("workFolders")) s.workFolders() = foldersFrom(sys["workFolders"]);
    if (sys.contains("figTempFolders")) s.figTempFolders() = foldersFrom(sys["figTempFolders"]);
    if (sys.contains("recentFiles")) {
        const json& list = sys["recentFiles"];
        if (list.size() > SystemSettings::kRecentFiles) throw std::runtime_error("more than 80 recent files");
        for (int i = 0; i < SystemSettings::kRecentFiles; ++i) {
            s.recentFile(i) = i < static_cast<int>(list.size()) ? host(list[static_cast<std::size_t>(i)]) : std::string();
        }
    }
    if (sys.contains("templateMenu")) {
        std::vector<std::string> menu;
        for (const json& item : sys["templateMenu"]) menu.push_back(host(item));
        s.templateMenu() = menu;
    }
}

}  // namespace

std::string SettingsJson::exportSettings(const SystemSettings& s)
{
    json sys;
    json blocks = json::object();
    for (const BlockSpec& spec : SystemSettings::blockSpecs()) blocks[spec.name] = bytes::toHex(s.block(spec.name), spec.size);
    sys["blocks"] = blocks;
    json numbers = json::object();
    for (const auto& [k, v] : s.numbers()) {
        if (k.rfind("Run.", 0) != 0) numbers[k] = v;
    }
    sys["numbers"] = numbers;
    json texts = json::object();
    for (const auto& [k, v] : s.texts()) texts[k] = utf8(v);
    sys["texts"] = texts;
    json colours = json::array();
    for (int i = 0; i < SystemSettings::kSystemColours; ++i) colours.push_back(rgbJson(s.systemColour(i)));
    sys["systemColours"] = colours;
    json sketch = json::array();
    for (int k = 1; k <= SystemSettings::kSketchColours; ++k) sketch.push_back(rgbJson(s.sketchColour(k)));
    sys["sketchColours"] = sketch;
    sys["comNumUser"] = bytes::toHex(s.comNumUser().data(), s.comNumUser().size());
    json refs = json::array();
    for (const RefParameter& r : s.refParameters()) {
        refs.push_back({{"name", utf8(r.name)}, {"caption", utf8(r.caption)}, {"value", r.value}});
    }
    sys["refParameters"] = refs;
    json tables = json::array();
    for (int t = 0; t <= SystemSettings::kUserSearchTables; ++t) {
        const SearchTable& table = s.searchTable(t);
        tables.push_back({{"name", utf8(table.name)}, {"kinds", table.kinds}});
    }
    sys["searchTables"] = tables;
    json inputs = json::array();
    for (int t = 0; t < SystemSettings::kInputTypes; ++t) {
        inputs.push_back(bytes::toHex(s.inputTable(t).data(), mobr::kHostInputTableBytes));
    }
    sys["inputTables"] = inputs;
    sys["templateFolders"] = foldersJson(s.templateFolders());
    sys["workFolders"] = foldersJson(s.workFolders());
    sys["figTempFolders"] = foldersJson(s.figTempFolders());
    json recent = json::array();
    for (int i = 0; i < SystemSettings::kRecentFiles; ++i) recent.push_back(utf8(s.recentFile(i)));
    sys["recentFiles"] = recent;
    json menu = json::array();
    for (const std::string& item : s.templateMenu()) menu.push_back(utf8(item));
    sys["templateMenu"] = menu;
    return json{{"system", sys}}.dump(1);
}

bool SettingsJson::importSettings(SystemSettings& settings, const std::string& text, std::string* error)
{
    SystemSettings copy = settings;
    try {
        readInto(copy, json::parse(text));
    } catch (const std::exception& e) {
        if (error) *error = e.what();
        return false;
    }
    settings = copy;
    return true;
}

}  // namespace mobrhost
