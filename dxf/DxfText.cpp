#include "DxfText.h"

#include <algorithm>
#include <cstdint>

#include "platform/CodePage.h"

namespace mobrdxf {
namespace {

void appendUtf8(std::string& out, uint32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Replaces every \U+XXXX (four hex digits) by its character. UTF-8 text never
// has an ASCII byte inside a multi-byte character, so a byte scan is safe.
std::string resolveUnicodeEscapes(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i + 7 <= text.size() && text[i] == '\\' && (text[i + 1] == 'U' || text[i + 1] == 'u') && text[i + 2] == '+') {
            uint32_t cp = 0;
            bool ok = true;
            for (std::size_t k = 3; ok && k < 7; ++k) {
                const int v = hexValue(text[i + k]);
                ok = v >= 0;
                cp = cp * 16 + static_cast<uint32_t>(std::max(v, 0));
            }
            if (ok && cp != 0 && (cp < 0xD800 || cp > 0xDFFF)) {
                appendUtf8(out, cp);
                i += 6;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

std::string latin1ToUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) appendUtf8(out, static_cast<unsigned char>(c));
    return out;
}

// Bytes that are not valid UTF-8 are read as Latin-1, so that a file that
// claims UTF-8 and lies still gives readable text instead of failing.
bool validUtf8(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > text.size()) return false;
        for (std::size_t k = 1; k < n; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        }
        i += n;
    }
    return true;
}

}  // namespace

TextEncoding encodingFor(std::string_view acadVersion, std::string_view codePage)
{
    // Version strings are "AC1009" (R12) ... "AC1032"; R2007 is AC1021.
    if (acadVersion.size() == 6 && acadVersion >= "AC1021") return TextEncoding::Utf8;
    std::string page(codePage);
    std::transform(page.begin(), page.end(), page.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (page == "ANSI_932" || page == "DOS932") return TextEncoding::Cp932;
    return TextEncoding::Latin1;
}

std::string decodeToUtf8(std::string_view raw, TextEncoding encoding)
{
    std::string utf8;
    switch (encoding) {
    case TextEncoding::Utf8: utf8 = validUtf8(raw) ? std::string(raw) : latin1ToUtf8(raw); break;
    case TextEncoding::Cp932: utf8 = mobr::cp932::toUtf8(raw); break;
    case TextEncoding::Latin1: utf8 = latin1ToUtf8(raw); break;
    }
    return resolveUnicodeEscapes(utf8);
}

std::string resolvePercentCodes(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%' || i + 2 >= text.size() || text[i + 1] != '%') {
            out += text[i];
            continue;
        }
        switch (std::tolower(static_cast<unsigned char>(text[i + 2]))) {
        case 'd': out += "\xC2\xB0"; break;          // degree sign
        case 'p': out += "\xC2\xB1"; break;          // plus-minus
        case 'c': out += "\xCF\x86"; break;          // diameter, as the code page's phi
        case '%': out += '%'; break;
        case 'u': case 'o': break;                   // underline and overline toggles
        default: out.append(text.substr(i, 3)); break;
        }
        i += 2;
    }
    return out;
}

std::string stripMTextFormatting(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '{' || c == '}') continue;
        if (c != '\\' || i + 1 >= text.size()) {
            out += c;
            continue;
        }
        const char code = text[++i];
        switch (code) {
        case 'P': case 'X': out += '\n'; break;
        case '~': out += ' '; break;
        case '\\': case '{': case '}': out += code; break;
        case 'L': case 'l': case 'O': case 'o': case 'K': case 'k': break;
        case 'S': {   // stacked fraction "\S1^2;" or "\S1/2;" or "\S1#2;"
            const std::size_t end = text.find(';', i + 1);
            const std::string_view stack = text.substr(i + 1, end == std::string_view::npos ? std::string_view::npos : end - i - 1);
            for (const char s : stack) out += (s == '^' || s == '#') ? '/' : s;
            i = end == std::string_view::npos ? text.size() : end;
            break;
        }
        case 'f': case 'F': case 'H': case 'C': case 'c': case 'A': case 'T': case 'Q': case 'W': case 'p': {
            // Font, height, colour, alignment...: a value up to ';'.
            const std::size_t end = text.find(';', i + 1);
            i = end == std::string_view::npos ? text.size() : end;
            break;
        }
        default: out += '\\'; out += code; break;
        }
    }
    return out;
}

std::string toHostText(std::string_view utf8, bool* lossy)
{
    std::string host = mobr::cp932::fromUtf8(utf8);
    if (lossy) {
        const auto questions = [](std::string_view s) { return std::count(s.begin(), s.end(), '?'); };
        *lossy = questions(host) != questions(utf8);
    }
    return host;
}

bool NameFitter::taken(const std::string& name) const
{
    return taken_.count(mobr::cp932::foldCase(name)) != 0;
}

void NameFitter::reserve(const std::string& hostName)
{
    taken_.insert(mobr::cp932::foldCase(hostName));
}

std::string NameFitter::fit(const std::string& hostName, bool* changed)
{
    std::string base = hostName.empty() ? std::string("NONAME") : hostName;
    std::string name = mobr::cp932::cut(base, kMaxBytes);
    for (int n = 2; taken(name); ++n) {
        const std::string suffix = "~" + std::to_string(n);
        name = mobr::cp932::cut(base, kMaxBytes - suffix.size()) + suffix;
    }
    reserve(name);
    if (changed) *changed = name != hostName;
    return name;
}

}  // namespace mobrdxf
