#include "store/IniReader.h"

#include <charconv>
#include <cmath>

#include "platform/PrivateProfile.h"

namespace mobrhost {

namespace {
constexpr uint32_t kListBytes = 64 * 1024;
constexpr uint32_t kValueBytes = 8 * 1024;
// A default no file holds, to tell a missing key from an empty value.
constexpr const char* kAbsent = "\x01\x02" "absent" "\x03";

std::vector<std::string> splitList(const std::vector<char>& buffer, uint32_t length)
{
    std::vector<std::string> out;
    std::string current;
    for (uint32_t i = 0; i < length; ++i) {
        if (buffer[i] == '\0') {
            if (!current.empty()) out.push_back(current);
            current.clear();
        } else {
            current.push_back(buffer[i]);
        }
    }
    if (!current.empty()) out.push_back(current);
    return out;
}
}  // namespace

bool IniReader::hasSection(const std::string& section) const
{
    std::vector<char> buffer(kListBytes);
    const uint32_t n = GetPrivateProfileStringA(nullptr, nullptr, "", buffer.data(), kListBytes, path_.c_str());
    for (const std::string& s : splitList(buffer, n)) {
        if (s == section) return true;
    }
    return false;
}

std::vector<std::string> IniReader::keys(const std::string& section) const
{
    std::vector<char> buffer(kListBytes);
    const uint32_t n = GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer.data(), kListBytes, path_.c_str());
    return splitList(buffer, n);
}

std::optional<std::string> IniReader::value(const std::string& section, const std::string& key) const
{
    std::vector<char> buffer(kValueBytes);
    const uint32_t n = GetPrivateProfileStringA(section.c_str(), key.c_str(), kAbsent, buffer.data(), kValueBytes,
                                                path_.c_str());
    std::string text(buffer.data(), n);
    if (text == kAbsent) return std::nullopt;
    return text;
}

std::optional<double> IniReader::number(const std::string& section, const std::string& key, bool* bad) const
{
    const auto text = value(section, key);
    if (!text) return std::nullopt;
    // Locale-independent: the application may have set a locale whose
    // decimal separator is not '.'.
    const char* begin = text->data();
    const char* last = begin + text->size();
    if (begin != last && *begin == '+') ++begin;
    double v = 0;
    const auto [end, ec] = std::from_chars(begin, last, v);
    // "nan" and "inf" read as numbers but are none: refused like any other
    // text that is not a number.
    if (text->empty() || ec != std::errc() || end != last || !std::isfinite(v)) {
        if (bad) *bad = true;
        return std::nullopt;
    }
    return v;
}

}  // namespace mobrhost
