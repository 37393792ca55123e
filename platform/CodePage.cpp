#include "platform/CodePage.h"

#include <algorithm>
#include <cstring>

#include "platform/Cp932Table.h"

namespace mobr::cp932 {

namespace {

constexpr char16_t kRawBase = 0xF700;
constexpr char16_t kSelectorFirst = 0xFE00;
constexpr char16_t kSelectorLast = 0xFE0F;

// The small-letter partner of a capital letter (same length), or the code.
unsigned foldCode(unsigned code)
{
    if (code < 0x100)
        return (code >= 'A' && code <= 'Z') ? code + 0x20 : code;
    if (code >= 0x8260 && code <= 0x8279)  // full-width A-Z -> a-z
        return code + 0x21;
    if (code >= 0x839F && code <= 0x83B6)  // Greek capitals -> small
        return code + 0x20;
    if (code >= 0x8440 && code <= 0x8460) {  // Cyrillic capitals -> small (0x847F unused)
        const unsigned small = 0x8470 + (code - 0x8440);
        return small >= 0x847F ? small + 1 : small;
    }
    return code;
}

// Inline forms for the scanning loops (the exported functions go through the
// dynamic linker's table even inside this library).
inline bool lead(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

inline bool trail(unsigned char c)
{
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

inline std::size_t charLen(std::string_view text, std::size_t pos)
{
    return lead(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size()
                   && trail(static_cast<unsigned char>(text[pos + 1]))
               ? 2
               : 1;
}

void appendCode(std::string& out, uint16_t code)
{
    if (code >= 0x100)
        out.push_back(char(code >> 8));
    out.push_back(char(code & 0xFF));
}

}  // namespace

bool isLeadByte(unsigned char c)
{
    return lead(c);
}

bool isTrailByte(unsigned char c)
{
    return trail(c);
}

std::size_t charLength(std::string_view text, std::size_t pos)
{
    return pos < text.size() ? charLen(text, pos) : 0;
}

std::size_t cutLength(std::string_view text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return text.size();
    std::size_t pos = 0;
    while (pos < maxBytes) {
        const std::size_t len = charLen(text, pos);
        if (pos + len > maxBytes)
            break;
        if (len == 1 && lead(static_cast<unsigned char>(text[pos])) && pos + 1 == maxBytes)
            break;  // a lead byte whose trail byte would be cut off
        pos += len;
    }
    return pos;
}

std::string cut(std::string_view text, std::size_t maxBytes)
{
    return std::string(text.substr(0, cutLength(text, maxBytes)));
}

std::size_t copyToBuffer(std::string_view text, char* buffer, std::size_t size)
{
    if (buffer == nullptr || size == 0)
        return 0;
    const std::size_t n = cutLength(text, size - 1);
    if (n > 0)
        std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return n;
}

bool endsWithBrokenChar(std::string_view text)
{
    std::size_t pos = 0;
    std::size_t last = 0;
    while (pos < text.size()) {
        last = pos;
        pos += charLen(text, pos);
    }
    return !text.empty() && charLen(text, last) == 1
           && lead(static_cast<unsigned char>(text[last]));
}

std::size_t findChar(std::string_view text, char c, std::size_t from)
{
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t len = charLen(text, pos);
        if (len == 1 && pos >= from && text[pos] == c)
            return pos;
        pos += len;
    }
    return std::string_view::npos;
}

std::size_t findLastChar(std::string_view text, char c)
{
    std::size_t found = std::string_view::npos;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t len = charLen(text, pos);
        if (len == 1 && text[pos] == c)
            found = pos;
        pos += len;
    }
    return found;
}

void foldCaseInto(std::string_view text, char* out)
{
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto b0 = static_cast<unsigned char>(text[pos]);
        if (b0 < 0x80) {  // the common case: never a lead byte
            out[pos] = char(b0 >= 'A' && b0 <= 'Z' ? b0 + 0x20 : b0);
            ++pos;
            continue;
        }
        const std::size_t len = charLen(text, pos);
        if (len == 1) {
            out[pos] = char(b0);
        } else {
            const unsigned code = b0 << 8 | static_cast<unsigned char>(text[pos + 1]);
            const unsigned folded = foldCode(code);
            out[pos] = char(folded >> 8);
            out[pos + 1] = char(folded & 0xFF);
        }
        pos += len;
    }
}

std::string foldCase(std::string_view text)
{
    std::string out(text.size(), '\0');
    foldCaseInto(text, out.data());
    return out;
}

int compareNoCase(std::string_view a, std::string_view b)
{
    const std::string fa = foldCase(a);
    const std::string fb = foldCase(b);
    const int r = fa.compare(fb);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

bool equalNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && foldCase(a) == foldCase(b);
}

QString toQString(std::string_view bytes)
{
    const Cp932Table& table = Cp932Table::instance();
    QString out;
    out.reserve(int(bytes.size()));
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (lead(b) && i + 1 < bytes.size()
            && trail(static_cast<unsigned char>(bytes[i + 1]))) {
            const auto t = static_cast<unsigned char>(bytes[i + 1]);
            int variant = 0;
            const char16_t unit = table.pair(b, t, variant);
            if (unit == Cp932Table::kNone) {
                out.append(QChar(char16_t(kRawBase + b)));
                out.append(QChar(char16_t(kRawBase + t)));
            } else {
                out.append(QChar(unit));
                if (variant > 0)
                    out.append(QChar(char16_t(kSelectorFirst + variant - 1)));
            }
            i += 2;
            continue;
        }
        const char16_t unit = lead(b) ? Cp932Table::kNone : table.single(b);
        out.append(QChar(unit == Cp932Table::kNone ? char16_t(kRawBase + b) : unit));
        ++i;
    }
    return out;
}

std::string fromQString(const QString& text)
{
    const Cp932Table& table = Cp932Table::instance();
    std::string out;
    out.reserve(std::size_t(text.size()) * 2);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = text.at(i).unicode();
        if (u >= kRawBase && u <= kRawBase + 0xFF) {
            out.push_back(char(u - kRawBase));
            continue;
        }
        if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(text.at(i + 1).unicode())) {
            out.push_back('?');  // outside the code page's repertoire
            ++i;
            continue;
        }
        if (i + 1 < n) {
            const char16_t next = text.at(i + 1).unicode();
            if (next >= kSelectorFirst && next <= kSelectorLast) {
                const uint16_t code = table.encode(u, next - kSelectorFirst + 1);
                if (code != Cp932Table::kNoCode) {
                    appendCode(out, code);
                    ++i;
                    continue;
                }
            }
        }
        const uint16_t code = table.encode(u, 0);
        if (code == Cp932Table::kNoCode)
            out.push_back('?');
        else
            appendCode(out, code);
    }
    return out;
}

std::string toUtf8(std::string_view bytes)
{
    return toQString(bytes).toStdString();
}

std::string fromUtf8(std::string_view utf8)
{
    return fromQString(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
}

PathParts splitPath(std::string_view path)
{
    PathParts parts;
    std::size_t nameStart = 0;
    std::size_t pos = 0;
    while (pos < path.size()) {
        const std::size_t len = charLen(path, pos);
        if (len == 1 && (path[pos] == '/' || path[pos] == '\\'))
            nameStart = pos + 1;
        pos += len;
    }
    parts.folder = std::string(path.substr(0, nameStart));
    const std::string_view name = path.substr(nameStart);
    const std::size_t dot = findLastChar(name, '.');
    if (dot == std::string_view::npos) {
        parts.stem = std::string(name);
    } else {
        parts.stem = std::string(name.substr(0, dot));
        parts.extension = std::string(name.substr(dot));
    }
    return parts;
}

std::string toNativePath(std::string_view path)
{
    const bool drive = path.size() >= 3 && path[1] == ':';
    if (!drive && path.find('\\') == std::string_view::npos)
        return std::string(path);
    std::string out;
    out.reserve(path.size());
    std::size_t pos = 0;
    if (path.size() >= 3 && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'))
        && path[1] == ':' && (path[2] == '\\' || path[2] == '/'))
        pos = 2;  // "C:\..." -> "/..."
    while (pos < path.size()) {
        const std::size_t len = charLen(path, pos);
        if (len == 1 && path[pos] == '\\')
            out.push_back('/');
        else
            out.append(path.substr(pos, len));
        pos += len;
    }
    return out;
}

}  // namespace mobr::cp932
