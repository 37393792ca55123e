#include "store/OptionFile.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>

#include "api/HostRuntime.h"
#include "model/ByteAccess.h"
#include "platform/Files.h"
#include "platform/ProfileBatch.h"
#include "store/IniReader.h"

namespace mobrhost {

namespace {

// Numbers that belong to the running host or to the system file, not to a
// user's options.
const std::set<std::string>& systemOnlyNumbers()
{
    static const std::set<std::string> keys = {"CurrentFigure", "UserTempCurDir", "UserTempWarnings"};
    return keys;
}
const std::set<std::string>& systemOnlyTexts()
{
    static const std::set<std::string> keys = {"UserTemplate"};
    return keys;
}

// What a number of [Values] may be: the ranges the host's setters accept
// (docs/host.md), whole numbers where the host keeps an integer. A key the
// table does not know must still fit a 32-bit integer, since the host may
// read any value as one.
struct NumberRange {
    double low, high;
    bool whole;
};

const NumberRange& rangeOf(const std::string& key)
{
    constexpr double kIntMax = 2147483647.0, kIntMin = -2147483648.0, kBig = 1e9;
    static const NumberRange anyNumber{kIntMin, kIntMax, false};
    static const std::map<std::string, NumberRange> ranges = {
        {"ApproxArcTol", {1e-12, kBig, false}}, {"ApproxBiArc", {0, 1, true}},
        {"SaveFileExtCheck", {0, 1, true}},     {"SktDispRubValue", {0, 1, true}},
        {"MakeDrag", {0, 1, true}},             {"PenMode", {0, 1, true}},
        {"WidthMode", {0, 1, true}},            {"ElemFlush", {0, 1, true}},
        {"PartsRecog", {0, 1, true}},           {"Navi", {0, 1, true}},
        {"NaviCursor", {0, 1, true}},           {"DimVaryLay", {0, 2, true}},
        {"ExtDist", {0, kBig, false}},          {"CLineDist", {0, kBig, false}},
        {"RecogPenType", {0, kIntMax, true}},   {"SplMode", {0, kIntMax, true}},
        {"RecMdef", {0, 32767, true}},          {"SktTip", {0, kIntMax, true}},
        {"SktCharSize1", {1, kIntMax, true}},   {"SktCharSize2", {1, kIntMax, true}},
        {"SktDimValueDigits", {0, 8, true}},    {"SktGrid1", {0, kBig, false}},
        {"SktGrid2", {0, kBig, false}},         {"SktGrid3", {-kBig, kBig, false}},
        {"SktGrid4", {-kBig, kBig, false}},     {"SktGrid5", {-kBig, kBig, false}},
        {"SktGrid6", {-kBig, kBig, false}},     {"SktLimitDots", {1, kIntMax, true}},
        {"PointType", {2, 5, true}},            {"SchTableMax", {1, 50, true}},
        {"DispWidthHundredths", {1, 150, true}}, {"DispWidthSetting", {1, 3, true}},
        {"Vratio1", {1e-12, kBig, false}},      {"Vratio2", {1e-12, kBig, false}},
        {"Vratio3", {1e-12, kBig, false}},      {"PModeInpType", {0, 3, true}},
        {"PModeUsed", {0, 0xFFFF, true}},       {"PosXYCls", {-32768, 32767, true}},
    };
    const auto it = ranges.find(key);
    return it == ranges.end() ? anyNumber : it->second;
}

std::string rangeText(const NumberRange& r)
{
    return (r.whole ? "a whole number from " : "a number from ") + runtime::formatDouble(r.low) + " to " +
           runtime::formatDouble(r.high);
}

std::string numberText(double v)
{
    return runtime::formatDouble(v);
}

std::string key(const char* prefix, int n, const char* suffix = "")
{
    return std::string(prefix) + std::to_string(n) + suffix;
}

// Reads the whole file into `s`; the first problem ends the read.
bool readInto(SystemSettings& s, const std::string& path, std::string& problem)
{
    if (!mobr::files::fileExists(path)) {
        problem = "the file does not exist";
        return false;
    }
    IniReader ini(path);
    const auto format = ini.value("UserOption", "Format");
    if (!format) {
        problem = "it is not an option file (no [UserOption] Format)";
        return false;
    }
    if (*format != OptionFile::kFormat) {
        problem = "unknown option file format \"" + *format + "\"";
        return false;
    }
    for (const BlockSpec& spec : SystemSettings::blockSpecs()) {
        const auto hex = ini.value("Blocks", spec.name);
        if (!hex) continue;
        if (!bytes::fromHex(*hex, s.block(spec.name), spec.size)) {
            problem = std::string("[Blocks] ") + spec.name + " is not " + std::to_string(spec.size)
                      + " bytes of hexadecimal digits";
            return false;
        }
    }
    for (const std::string& k : ini.keys("Values")) {
        bool bad = false;
        const auto v = ini.number("Values", k, &bad);
        if (bad) {
            problem = "[Values] " + k + " is not a number";
            return false;
        }
        if (v) {
            const NumberRange& range = rangeOf(k);
            if (*v < range.low || *v > range.high || (range.whole && std::floor(*v) != *v)) {
                problem = "[Values] " + k + " is not " + rangeText(range);
                return false;
            }
        }
        if (v && !systemOnlyNumbers().count(k) && k.rfind("Run.", 0) != 0) s.setNumber(k, *v);
    }
    for (const std::string& k : ini.keys("Texts")) {
        if (systemOnlyTexts().count(k)) continue;
        if (auto v = ini.value("Texts", k)) s.setText(k, *v);
    }
    for (int i = 0; i < SystemSettings::kSystemColours; ++i) {
        const auto v = ini.value("SysAtrib", key("SysCol", i));
        if (!v) continue;
        if (!OptionFile::parseColour(*v, s.systemColour(i))) {
            problem = "[SysAtrib] " + key("SysCol", i) + " is not \"name red green blue\"";
            return false;
        }
    }
    for (int k = 1; k <= SystemSettings::kSketchColours; ++k) {
        const auto v = ini.value("SysAtrib", key("SktCol", k));
        if (!v) continue;
        if (!OptionFile::parseColour(*v, s.sketchColour(k))) {
            problem = "[SysAtrib] " + key("SktCol", k) + " is not \"name red green blue\"";
            return false;
        }
    }
    if (const auto hex = ini.value("ComNum", "UserTable")) {
        if (!bytes::fromHex(*hex, s.comNumUser().data(), s.comNumUser().size())) {
            problem = "[ComNum] UserTable is not 880 bytes of hexadecimal digits";
            return false;
        }
    }
    bool bad = false;
    if (const auto count = ini.number("ComNum", "RefCount", &bad)) {
        if (*count < 0 || *count > 24 || std::floor(*count) != *count) {
            problem = "[ComNum] RefCount is not a whole number from 0 to 24";
            return false;
        }
        std::vector<RefParameter> refs;
        for (int i = 1; i <= static_cast<int>(*count); ++i) {
            RefParameter r;
            const auto name = ini.value("ComNum", key("Ref", i, "Name"));
            const auto value = ini.number("ComNum", key("Ref", i, "Value"), &bad);
            if (!name || name->empty() || name->size() >= mobr::kHostComNumNameBytes || !value) {
                problem = "[ComNum] reference parameter " + std::to_string(i) + " is incomplete or too long";
                return false;
            }
            r.name = *name;
            r.caption = ini.value("ComNum", key("Ref", i, "Caption")).value_or("");
            if (r.caption.size() >= mobr::kHostComNumCaptionBytes) {
                problem = "[ComNum] caption of reference parameter " + std::to_string(i) + " is too long";
                return false;
            }
            r.value = *value;
            refs.push_back(r);
        }
        s.refParameters() = refs;
    }
    if (bad) {
        problem = "[ComNum] RefCount is not a number";
        return false;
    }
    for (int t = 0; t <= SystemSettings::kUserSearchTables; ++t) {
        SearchTable& table = s.searchTable(t);
        if (const auto name = ini.value("PMode", key("Table", t, "Name"))) {
            if (name->size() >= mobr::kHostNameBytes) {
                problem = "[PMode] " + key("Table", t, "Name") + " is longer than 15 bytes";
                return false;
            }
            table.name = *name;
        }
        if (const auto hex = ini.value("PMode", key("Table", t, "Kinds"))) {
            unsigned char raw[2 * mobr::kHostSearchKinds];
            if (!bytes::fromHex(*hex, raw, sizeof raw)) {
                problem = "[PMode] " + key("Table", t, "Kinds") + " is not 32 bytes of hexadecimal digits";
                return false;
            }
            for (std::size_t k = 0; k < mobr::kHostSearchKinds; ++k) table.kinds[k] = bytes::read<uint16_t>(raw, 2 * k);
        }
        table.refreshBytes();
    }
    for (int type = 0; type < SystemSettings::kInputTypes; ++type) {
        if (const auto hex = ini.value("PMode", key("Input", type))) {
            if (!bytes::fromHex(*hex, s.inputTable(type).data(), mobr::kHostInputTableBytes)) {
                problem = "[PMode] " + key("Input", type) + " is not 16 bytes of hexadecimal digits";
                return false;
            }
        }
    }
    return true;
}

}  // namespace

std::string OptionFile::colourText(int index, const Rgb& rgb)
{
    char text[64];
    std::snprintf(text, sizeof text, "COL%d %d %d %d", index, rgb.red, rgb.green, rgb.blue);
    return text;
}

bool OptionFile::parseColour(const std::string& text, Rgb& rgb)
{
    if (!text.empty() && text[0] == '!') {
        rgb = Rgb{};
        return true;
    }
    char name[64];
    int r = 0, g = 0, b = 0;
    char extra = 0;
    if (text.size() >= sizeof name) return false;
    if (std::sscanf(text.c_str(), "%63s %d %d %d %c", name, &r, &g, &b, &extra) != 4) return false;
    if (r < 0 || r > 255 || g < 0 || g > 255 || b < 0 || b > 255) return false;
    rgb = Rgb{r, g, b};
    return true;
}

bool OptionFile::save(const SystemSettings& s, const std::string& path, std::string* error)
{
    mobr::ProfileBatch batch(path);
    batch.write("UserOption", "Format", kFormat);
    for (const BlockSpec& spec : SystemSettings::blockSpecs()) {
        batch.write("Blocks", spec.name, bytes::toHex(s.block(spec.name), spec.size).c_str());
    }
    for (const auto& [k, v] : s.numbers()) {
        if (!systemOnlyNumbers().count(k) && k.rfind("Run.", 0) != 0) {
            batch.write("Values", k.c_str(), numberText(v).c_str());
        }
    }
    for (const auto& [k, v] : s.texts()) {
        if (!systemOnlyTexts().count(k)) batch.write("Texts", k.c_str(), v.c_str());
    }
    for (int i = 0; i < SystemSettings::kSystemColours; ++i) {
        batch.write("SysAtrib", key("SysCol", i).c_str(), colourText(i, s.systemColour(i)).c_str());
    }
    for (int k = 1; k <= SystemSettings::kSketchColours; ++k) {
        batch.write("SysAtrib", key("SktCol", k).c_str(), colourText(k, s.sketchColour(k)).c_str());
    }
    batch.write("ComNum", "UserTable", bytes::toHex(s.comNumUser().data(), s.comNumUser().size()).c_str());
    batch.write("ComNum", "RefCount", std::to_string(s.refParameters().size()).c_str());
    int i = 1;
    for (const RefParameter& r : s.refParameters()) {
        batch.write("ComNum", key("Ref", i, "Name").c_str(), r.name.c_str());
        batch.write("ComNum", key("Ref", i, "Caption").c_str(), r.caption.c_str());
        batch.write("ComNum", key("Ref", i, "Value").c_str(), numberText(r.value).c_str());
        ++i;
    }
    for (int t = 0; t <= SystemSettings::kUserSearchTables; ++t) {
        const SearchTable& table = s.searchTable(t);
        unsigned char raw[2 * mobr::kHostSearchKinds];
        for (std::size_t k = 0; k < mobr::kHostSearchKinds; ++k) bytes::write<uint16_t>(raw, 2 * k, table.kinds[k]);
        batch.write("PMode", key("Table", t, "Name").c_str(), table.name.c_str());
        batch.write("PMode", key("Table", t, "Kinds").c_str(), bytes::toHex(raw, sizeof raw).c_str());
    }
    for (int type = 0; type < SystemSettings::kInputTypes; ++type) {
        batch.write("PMode", key("Input", type).c_str(),
                    bytes::toHex(s.inputTable(type).data(), mobr::kHostInputTableBytes).c_str());
    }
    if (!batch.commit()) {
        if (error) *error = path + ": the option file could not be written";
        return false;
    }
    return true;
}

bool OptionFile::load(SystemSettings& settings, const std::string& path, std::string* error)
{
    SystemSettings copy = settings;
    std::string problem;
    if (!readInto(copy, path, problem)) {
        if (error) *error = path + ": " + problem;
        return false;
    }
    settings = copy;
    return true;
}

namespace {

// What a file was when it was last checked; a file is checked again only
// when its size or modification time changed, so that listing a folder of
// templates over and over reads each unchanged file once.
struct CheckedFile {
    std::uintmax_t size = 0;
    std::filesystem::file_time_type written{};
    std::string problem;  // empty: a sound option file
};

bool fileStamp(const std::string& path, CheckedFile& stamp)
{
    std::error_code ec;
    const std::filesystem::path file(mobr::files::nativePath(path));
    stamp.size = std::filesystem::file_size(file, ec);
    if (ec) return false;
    stamp.written = std::filesystem::last_write_time(file, ec);
    return !ec;
}

}  // namespace

bool OptionFile::check(const std::string& path, std::string* error)
{
    static std::map<std::string, CheckedFile> checked;
    CheckedFile now;
    const bool stamped = fileStamp(mobr::files::resolvePathNoCase(path), now);
    auto known = checked.find(path);
    if (stamped && known != checked.end() && known->second.size == now.size && known->second.written == now.written) {
        now.problem = known->second.problem;
    } else {
        SystemSettings scratch;
        if (!readInto(scratch, path, now.problem) && now.problem.empty()) now.problem = "it cannot be read";
        if (stamped) checked[path] = now;
    }
    if (now.problem.empty()) return true;
    if (error) *error = path + ": " + now.problem;
    return false;
}

}  // namespace mobrhost
