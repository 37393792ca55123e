#include "atrcnv/CAtrCnvFile.h"

#include <algorithm>
#include <cstdio>

#include "atrcnv/AtrCnvRules.h"
#include "frame/HostApi.h"
#include "frame/ModuleLog.h"
#include "platform/CodePage.h"
#include "platform/Files.h"
#include "platform/PrivateProfile.h"

using atrcnv::Kind;

namespace {

constexpr const char* kSystemSection = "System";
constexpr const char* kVersionKey = "ZqAtrCnv";
constexpr const char* kReferenceKey = "RefFile";
constexpr const char* kAbsent = "#";
constexpr uint32_t kValueBuffer = 260;
constexpr uint32_t kTagBuffer = 32;
constexpr uint32_t kPathBuffer = mobr::kHostPathBytes;

struct KindLayout {
    const char* section;
    const char* keyFormat;
    int fields;
};

KindLayout layoutOf(Kind kind)
{
    switch (kind) {
    case Kind::Pen: return {"PenCnvAtr", "Pen%03d", 6};
    case Kind::Width: return {"WidCnvAtr", "Wid%03d", 2};
    case Kind::Colour: break;
    }
    return {"ColCnvAtr", "Col%03d", 2};
}

std::string numberedKey(const char* format, int number)
{
    char key[16];
    std::snprintf(key, sizeof key, format, number);
    return key;
}

std::string readValue(const char* section, const std::string& key, uint32_t size, const std::string& path)
{
    std::string buffer(size, '\0');
    const uint32_t n = GetPrivateProfileStringA(section, key.c_str(), kAbsent, buffer.data(), size, path.c_str());
    buffer.resize(n);
    return buffer;
}

std::string joinFields(const std::vector<std::string>& fields)
{
    std::string value;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i) value += CAtrCnvFile::kSeparator;
        value += fields[i];
    }
    return value;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// The value as the private-profile reader hands it back: blanks around it
// dropped, one pair of matching outer quotes removed, cut to the buffer.
std::string_view asReadBack(std::string_view v)
{
    while (!v.empty() && isBlank(v.front())) v.remove_prefix(1);
    while (!v.empty() && isBlank(v.back())) v.remove_suffix(1);
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return v.substr(0, mobr::cp932::cutLength(v, kValueBuffer - 1));
}

bool readsBack(const std::string& value, const std::vector<std::string>& fields)
{
    std::vector<std::string> again;
    CAtrCnvFile::splitValue(asReadBack(value), again);
    return again == fields && value.find_first_of("\r\n") == std::string::npos;
}

// The name to blame when an entry would not read back: the first field that
// holds the separator, is empty or has blanks or quotes at an outer end.
const std::string& culprit(const std::vector<std::string>& fields)
{
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::string& f = fields[i];
        const bool outer = i == 0 || i + 1 == fields.size();
        if (f.empty() || f.find(CAtrCnvFile::kSeparator) != std::string::npos ||
            f.find_first_of("\r\n") != std::string::npos)
            return f;
        if (outer && (isBlank(f.front()) || isBlank(f.back()) || f.front() == '"' || f.front() == '\'' ||
                      f.back() == '"' || f.back() == '\''))
            return f;
    }
    return fields.front();
}

template <typename Entry, typename Assign>
int readEntries(const CAtrCnvFile& file, Kind kind, std::vector<Entry>& entries, Assign assign)
{
    entries.clear();
    std::vector<std::string> source, target;
    for (int number = 1; number <= CAtrCnvFile::kMaxEntries; ++number) {
        source.clear();
        target.clear();
        if (!file.readEntry(kind, number, source, target)) break;
        entries.push_back(assign(source, target));
    }
    return static_cast<int>(entries.size());
}

}  // namespace

int CAtrCnvFile::splitValue(std::string_view text, std::vector<std::string>& fields)
{
    const std::string_view separator(kSeparator);
    int appended = 0;
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = text.find(separator, from);
        if (at == std::string_view::npos) break;
        fields.emplace_back(text.substr(from, at - from));
        ++appended;
        from = at + separator.size();
    }
    if (from < text.size()) {
        fields.emplace_back(text.substr(from));
        ++appended;
    }
    return appended;
}

int CAtrCnvFile::readEntry(Kind kind, int number, std::vector<std::string>& source,
                           std::vector<std::string>& target) const
{
    const KindLayout layout = layoutOf(kind);
    if (number < 1 || number > kMaxEntries) return 0;
    const std::string value = readValue(layout.section, numberedKey(layout.keyFormat, number), kValueBuffer, path_);
    std::vector<std::string> fields;
    if (splitValue(value, fields) != layout.fields) return 0;
    const std::size_t half = fields.size() / 2;
    source.insert(source.end(), fields.begin(), fields.begin() + half);
    target.insert(target.end(), fields.begin() + half, fields.end());
    return 1;
}

int CAtrCnvFile::readPenEntries(std::vector<atrcnv::PenEntry>& entries) const
{
    return readEntries(*this, Kind::Pen, entries, [](const auto& s, const auto& t) {
        return atrcnv::PenEntry{s[0], s[1], s[2], t[0], t[1], t[2]};
    });
}

int CAtrCnvFile::readWidthEntries(std::vector<atrcnv::NameEntry>& entries) const
{
    return readEntries(*this, Kind::Width, entries,
                       [](const auto& s, const auto& t) { return atrcnv::NameEntry{s[0], t[0]}; });
}

int CAtrCnvFile::readColourEntries(std::vector<atrcnv::NameEntry>& entries) const
{
    return readEntries(*this, Kind::Colour, entries,
                       [](const auto& s, const auto& t) { return atrcnv::NameEntry{s[0], t[0]}; });
}

std::string CAtrCnvFile::readReferenceFile() const
{
    const std::string value = readValue(kSystemSection, kReferenceKey, kPathBuffer, path_);
    return !value.empty() && value[0] == '#' ? std::string() : value;
}

int CAtrCnvFile::checkVersion() const
{
    return mobr::cp932::equalNoCase(readValue(kSystemSection, kVersionKey, kTagBuffer, path_), kVersionTag) ? 1 : 0;
}

int CAtrCnvFile::isPenColourGiven(std::string_view colourName)
{
    return mobr::cp932::equalNoCase(colourName, kNoPenColour) ? 0 : 1;
}

int CAtrCnvFile::writeHeader(const std::string& referencePath)
{
    WritePrivateProfileStringA(kSystemSection, kVersionKey, kVersionTag, path_.c_str());
    WritePrivateProfileStringA(kSystemSection, kReferenceKey, referencePath.c_str(), path_.c_str());
    for (Kind kind : {Kind::Pen, Kind::Width, Kind::Colour})
        WritePrivateProfileStringA(layoutOf(kind).section, nullptr, nullptr, path_.c_str());
    return 1;
}

bool CAtrCnvFile::writeEntry(Kind kind, int number, const std::vector<std::string>& fields)
{
    const KindLayout layout = layoutOf(kind);
    const std::string value = joinFields(fields);
    if (readsBack(value, fields) &&
        WritePrivateProfileStringA(layout.section, numberedKey(layout.keyFormat, number).c_str(), value.c_str(),
                                   path_.c_str()))
        return true;
    unwritable_.push_back({kind, culprit(fields)});
    qCWarning(lcModule, "conversion definition %s: entry of \"%s\" left out, the name would not read back",
              path_.c_str(), mobr::cp932::toUtf8(culprit(fields)).c_str());
    return false;
}

namespace {

// The writers' common walk: host entries 1..count against target items
// 0..count-1. `fetch(i, source)` reads host entry i (false skips it),
// `differs` compares, `fields` makes the entry's texts.
template <typename Source, typename Target, typename Fetch, typename Differs, typename Fields, typename Write>
int writeDifferences(int count, const std::vector<Target>& targets, bool write, Fetch fetch, Differs differs,
                     Fields fields, Write writeEntry)
{
    if (count < 1) return 0;
    int result = 0;
    int number = 1;
    for (int i = 1; i <= count; ++i) {
        Source source;
        if (!fetch(i, source)) continue;
        const bool hasTarget = static_cast<std::size_t>(i - 1) < targets.size();
        if (hasTarget && !differs(source, targets[i - 1])) continue;
        if (!write) return 1;
        result = 1;
        // A missing target has no names to write; it still counts as a change.
        if (hasTarget && writeEntry(number, fields(source, targets[i - 1]))) ++number;
    }
    return result;
}

}  // namespace

namespace {

// The colour and width writers: one name on each side.
template <typename Record, typename WriteEntry>
int writeNameEntries(Kind kind, void* table, int32_t (*count)(void*), bool (*fetch)(void*, int, Record&),
                     bool (*differs)(const Record&, const Record&), const std::vector<Record>& targets, bool write,
                     const std::string& path, WriteEntry writeEntry)
{
    const int n = table ? count(table) : -1;
    if (n >= 1 && write) WritePrivateProfileStringA(layoutOf(kind).section, nullptr, nullptr, path.c_str());
    return writeDifferences<Record>(
        n, targets, write, [table, fetch](int i, Record& r) { return fetch(table, i, r); }, differs,
        [](const Record& s, const Record& t) { return std::vector<std::string>{s.name(), t.name()}; },
        [&](int number, const std::vector<std::string>& f) { return writeEntry(kind, number, f); });
}

}  // namespace

int CAtrCnvFile::writeColourEntries(void* colours, const std::vector<atrcnv::ColourRecord>& targets, bool write)
{
    return writeNameEntries(Kind::Colour, colours, hostapi::aatColGetCount, atrcnv::fetchColour, atrcnv::coloursDiffer,
                            targets, write, path_,
                            [this](Kind k, int n, const std::vector<std::string>& f) { return writeEntry(k, n, f); });
}

int CAtrCnvFile::writeWidthEntries(void* widths, const std::vector<atrcnv::WidthRecord>& targets, bool write)
{
    return writeNameEntries(Kind::Width, widths, hostapi::aatWidGetCount, atrcnv::fetchWidth, atrcnv::widthsDiffer,
                            targets, write, path_,
                            [this](Kind k, int n, const std::vector<std::string>& f) { return writeEntry(k, n, f); });
}

int CAtrCnvFile::writePenEntries(void* pens, void* penColours, void* widths, void* colours,
                                 const std::vector<atrcnv::PenTargetItem>& targets, bool write)
{
    const int count = pens ? hostapi::aatPenGetCount(pens) : -1;
    if (count >= 1 && write) WritePrivateProfileStringA(layoutOf(Kind::Pen).section, nullptr, nullptr, path_.c_str());
    const auto colourField = [](const atrcnv::ColourRecord& c) {
        return c.isNoColour() ? std::string(kNoPenColour) : c.name();
    };
    return writeDifferences<atrcnv::PenTargetItem>(
        count, targets, write,
        [=](int i, atrcnv::PenTargetItem& r) { return atrcnv::fetchPenTriple(pens, penColours, widths, colours, i, r); },
        atrcnv::pensDiffer,
        [&](const atrcnv::PenTargetItem& s, const atrcnv::PenTargetItem& t) {
            return std::vector<std::string>{s.pen.name(), s.width.name(), colourField(s.colour),
                                            t.pen.name(), t.width.name(), colourField(t.colour)};
        },
        [this](int n, const std::vector<std::string>& f) { return writeEntry(Kind::Pen, n, f); });
}

// ---- History ---------------------------------------------------------------

namespace {

constexpr const char* kReferenceHistory = "RefHist";
constexpr const char* kDefinitionHistory = "DefHist";

void readHistoryList(const char* section, const char* format, const std::string& path, std::vector<std::string>& list)
{
    list.clear();
    for (int k = 1; k <= CAtrCnvFile::historyMax(); ++k) {
        std::string value = readValue(section, numberedKey(format, k), kPathBuffer, path);
        if (value.empty() || value[0] == '#') break;
        list.push_back(std::move(value));
    }
}

void writeHistoryList(const char* section, const char* format, const std::string& path,
                      const std::vector<std::string>& list)
{
    const std::size_t count = std::min<std::size_t>(list.size(), CAtrCnvFile::historyMax());
    for (std::size_t k = 0; k < count; ++k)
        WritePrivateProfileStringA(section, numberedKey(format, static_cast<int>(k + 1)).c_str(), list[k].c_str(),
                                   path.c_str());
}

}  // namespace

int CAtrCnvFile::readHistory(std::vector<std::string>& references, std::vector<std::string>& definitions) const
{
    readHistoryList(kReferenceHistory, "Ref%03d", path_, references);
    readHistoryList(kDefinitionHistory, "Def%03d", path_, definitions);
    return 1;
}

int CAtrCnvFile::writeHistory(const std::vector<std::string>& references, const std::vector<std::string>& definitions)
{
    WritePrivateProfileStringA(kReferenceHistory, nullptr, nullptr, path_.c_str());
    WritePrivateProfileStringA(kDefinitionHistory, nullptr, nullptr, path_.c_str());
    writeHistoryList(kReferenceHistory, "Ref%03d", path_, references);
    writeHistoryList(kDefinitionHistory, "Def%03d", path_, definitions);
    return 1;
}

void CAtrCnvFile::addToHistory(std::vector<std::string>& list, const std::string& path)
{
    if (path.empty() || path[0] == '(') return;
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (mobr::cp932::equalNoCase(*it, path)) {
            std::rotate(list.begin(), it, it + 1);
            return;
        }
    }
    list.insert(list.begin(), path);
    if (list.size() > static_cast<std::size_t>(historyMax())) list.resize(historyMax());
}

// ---- Locations ---------------------------------------------------------------

std::string CAtrCnvFile::historyFilePath()
{
    char folder[kPathBuffer] = {};
    if (!hostapi::aatFilCrpath(folder, static_cast<int32_t>(sizeof folder))) return {};
    std::string path(folder);
    if (path.size() + 1 + std::string_view(kHistoryFileName).size() >= kPathBuffer) return {};
    return path + "/" + kHistoryFileName;
}

std::string CAtrCnvFile::automaticFilePath()
{
    char directory[kPathBuffer] = {};
    if (hostapi::aatDrvGetDirectory(hostapi::aatSysGetWorkDrive(), 1, directory)) {
        const std::string path = std::string(directory) + kAutomaticFileName;
        if (path.size() < kPathBuffer) return path;
    }
    char temp[kPathBuffer] = {};
    GetTempPathA(kPathBuffer, temp);
    char joined[kPathBuffer] = {};
    hostapi::aatComPathJoint(joined, "", temp, kAutomaticFileName);
    return joined;
}
