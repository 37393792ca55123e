#include "platform/ProfileDocument.h"

#include <algorithm>

#include "platform/CodePage.h"

namespace mobr {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view s)
{
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && isBlank(s[b]))
        ++b;
    while (e > b && isBlank(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

bool hasLineBreak(std::string_view s)
{
    return s.find_first_of("\r\n") != std::string_view::npos;
}

std::string_view unquote(std::string_view v)
{
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

// The folded form of a name looked up, in a buffer on the stack unless the
// name is long.
class FoldedName {
public:
    explicit FoldedName(std::string_view name)
    {
        char* out = small_;
        if (name.size() > sizeof small_) {
            large_.resize(name.size());
            out = large_.data();
        }
        cp932::foldCaseInto(name, out);
        view_ = std::string_view(out, name.size());
    }
    FoldedName(const FoldedName&) = delete;
    FoldedName& operator=(const FoldedName&) = delete;
    std::string_view view() const { return view_; }

private:
    char small_[128];
    std::string large_;
    std::string_view view_;
};

// FNV-1a over the folded name, started from `seed` (the section's line for a
// key, so that equal key names of different sections spread), then mixed so
// that the low bits that pick a slot depend on every byte.
uint32_t nameHash(std::string_view folded, uint32_t seed)
{
    uint32_t h = 2166136261u ^ (seed * 0x9E3779B1u);
    for (const char c : folded) {
        h ^= static_cast<unsigned char>(c);
        h *= 16777619u;
    }
    h ^= h >> 16;
    h *= 0x85EBCA6Bu;
    h ^= h >> 13;
    h *= 0xC2B2AE35u;
    h ^= h >> 16;
    return h;
}

// A table size (a power of two) with at least twice the room of `count`.
std::size_t tableSize(std::size_t count)
{
    std::size_t n = 8;
    while (n < count * 2)
        n *= 2;
    return n;
}

}  // namespace

std::string_view ProfileDocument::Line::name() const
{
    return std::string_view(text).substr(nameBegin, nameEnd - nameBegin);
}

ProfileDocument::ProfileDocument(std::string_view bytes)
{
    bool eolSeen = false;
    lines_.reserve(std::size_t(std::count(bytes.begin(), bytes.end(), '\n')) + 1);
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        // CR and LF are below 0x40 and so always start a character: the line
        // ends can be found byte by byte.
        std::size_t end = pos;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        std::size_t eolLength = 0;
        if (end < bytes.size())
            eolLength = (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ? 2 : 1;
        std::string eol(bytes.substr(end, eolLength));
        if (!eolSeen && eolLength > 0) {
            eol_ = eol;
            eolSeen = true;
        }
        lines_.push_back(parseLine(std::string(bytes.substr(pos, end - pos)), std::move(eol)));
        pos = end + eolLength;
    }
}

ProfileDocument::Line ProfileDocument::parseLine(std::string text, std::string eol)
{
    Line line;
    line.text = std::move(text);
    line.eol = std::move(eol);
    const std::string_view t(line.text);
    std::size_t p = 0;
    while (p < t.size() && isBlank(t[p]))
        ++p;
    if (p == t.size() || t[p] == ';')
        return line;
    if (t[p] == '[') {
        // The first ']' that is a character of its own ends the name; without
        // one the name runs to the end of the line.
        std::size_t close = cp932::findChar(t, ']', p + 1);
        if (close == std::string_view::npos)
            close = t.size();
        std::size_t b = p + 1;
        std::size_t e = close;
        while (b < e && isBlank(t[b]))
            ++b;
        while (e > b && isBlank(t[e - 1]))
            --e;
        line.kind = LineKind::Section;
        line.nameBegin = b;
        line.nameEnd = e;
        line.folded = cp932::foldCase(t.substr(b, e - b));
        return line;
    }
    const std::size_t eq = cp932::findChar(t, '=', p);
    if (eq == std::string_view::npos)
        return line;
    std::size_t e = eq;
    while (e > p && isBlank(t[e - 1]))
        --e;
    std::size_t v = eq + 1;
    while (v < t.size() && isBlank(t[v]))
        ++v;
    std::size_t ve = t.size();
    while (ve > v && isBlank(t[ve - 1]))
        --ve;
    line.kind = LineKind::Key;
    line.nameBegin = p;
    line.nameEnd = e;
    line.valueStart = v;
    line.valueEnd = ve;
    line.folded = cp932::foldCase(t.substr(p, e - p));
    return line;
}

std::string ProfileDocument::bytes() const
{
    std::string out;
    out.reserve(byteSize());
    for (const Line& line : lines_) {
        out += line.text;
        out += line.eol;
    }
    return out;
}

std::size_t ProfileDocument::byteSize() const
{
    std::size_t n = 0;
    for (const Line& line : lines_)
        n += line.text.size() + line.eol.size();
    return n;
}

void ProfileDocument::buildIndex() const
{
    std::size_t sectionCount = 0;
    std::size_t keyCount = 0;
    for (const Line& line : lines_) {
        sectionCount += line.kind == LineKind::Section;
        keyCount += line.kind == LineKind::Key;
    }
    sections_.assign(tableSize(sectionCount), Slot());
    keys_.assign(tableSize(keyCount), Slot());
    const std::size_t sectionMask = sections_.size() - 1;
    const std::size_t keyMask = keys_.size() - 1;

    // Keys of a section whose name came before are never read: only the
    // first section of a name is searched, and the first of its keys wins.
    uint32_t current = kNoLine;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const Line& line = lines_[i];
        if (line.kind == LineKind::Section) {
            const uint32_t h = nameHash(line.folded, 0);
            std::size_t slot = h & sectionMask;
            while (sections_[slot].line != kNoLine
                   && !(sections_[slot].hash == h && lines_[sections_[slot].line].folded == line.folded))
                slot = (slot + 1) & sectionMask;
            if (sections_[slot].line == kNoLine) {
                sections_[slot].hash = h;
                sections_[slot].line = uint32_t(i);
                current = uint32_t(i);
            } else {
                current = kNoLine;
            }
        } else if (line.kind == LineKind::Key && current != kNoLine) {
            const uint32_t h = nameHash(line.folded, current);
            std::size_t slot = h & keyMask;
            while (keys_[slot].line != kNoLine
                   && !(keys_[slot].hash == h && keys_[slot].section == current
                        && lines_[keys_[slot].line].folded == line.folded))
                slot = (slot + 1) & keyMask;
            if (keys_[slot].line == kNoLine)
                keys_[slot] = Slot{h, uint32_t(i), current};
        }
    }
    indexed_ = true;
}

uint32_t ProfileDocument::indexedSection(std::string_view folded) const
{
    const uint32_t h = nameHash(folded, 0);
    const std::size_t mask = sections_.size() - 1;
    for (std::size_t slot = h & mask; sections_[slot].line != kNoLine; slot = (slot + 1) & mask) {
        if (sections_[slot].hash == h && lines_[sections_[slot].line].folded == folded)
            return sections_[slot].line;
    }
    return kNoLine;
}

void ProfileDocument::changed()
{
    indexed_ = false;
    sections_.clear();
    keys_.clear();
    lastSectionKnown_ = false;
}

std::optional<std::string_view> ProfileDocument::value(std::string_view section,
                                                       std::string_view key) const
{
    if (!indexed_)
        buildIndex();
    // Names are looked up as they are written: without surrounding blanks.
    section = trimBlanks(section);
    key = trimBlanks(key);
    if (!lastSectionKnown_ || section != lastSection_) {
        const FoldedName folded(section);
        lastSectionLine_ = indexedSection(folded.view());
        lastSection_.assign(section.data(), section.size());
        lastSectionKnown_ = true;
    }
    const uint32_t sectionLine = lastSectionLine_;
    if (sectionLine == kNoLine)
        return std::nullopt;

    const FoldedName folded(key);
    const uint32_t h = nameHash(folded.view(), sectionLine);
    const std::size_t mask = keys_.size() - 1;
    for (std::size_t slot = h & mask; keys_[slot].line != kNoLine; slot = (slot + 1) & mask) {
        const Slot& s = keys_[slot];
        if (s.hash == h && s.section == sectionLine && lines_[s.line].folded == folded.view()) {
            const Line& line = lines_[s.line];
            return unquote(std::string_view(line.text).substr(line.valueStart,
                                                              line.valueEnd - line.valueStart));
        }
    }
    return std::nullopt;
}

std::vector<std::string_view> ProfileDocument::sectionNames() const
{
    std::vector<std::string_view> names;
    for (const Line& line : lines_) {
        if (line.kind == LineKind::Section)
            names.push_back(line.name());
    }
    return names;
}

std::vector<std::string_view> ProfileDocument::keyNames(std::string_view section) const
{
    std::vector<std::string_view> names;
    const std::size_t header = findSection(cp932::foldCase(trimBlanks(section)));
    if (header == std::string::npos)
        return names;
    const std::size_t end = sectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        if (lines_[i].kind == LineKind::Key)
            names.push_back(lines_[i].name());
    }
    return names;
}

std::size_t ProfileDocument::findSection(const std::string& folded) const
{
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind == LineKind::Section && lines_[i].folded == folded)
            return i;
    }
    return std::string::npos;
}

std::size_t ProfileDocument::sectionEnd(std::size_t header) const
{
    std::size_t i = header + 1;
    while (i < lines_.size() && lines_[i].kind != LineKind::Section)
        ++i;
    return i;
}

void ProfileDocument::ensureLineEnd(std::size_t line)
{
    if (line < lines_.size() && lines_[line].eol.empty())
        lines_[line].eol = lineEnd();
}

const std::string& ProfileDocument::lineEnd() const
{
    return eol_;
}

bool ProfileDocument::prepareWrite(std::string& section, std::optional<std::string>& key,
                                   const std::optional<std::string>& value)
{
    section = std::string(trimBlanks(section));
    if (hasLineBreak(section) || cp932::findChar(section, ']') != std::string::npos
        || cp932::endsWithBrokenChar(section))
        return false;
    if (key) {
        *key = std::string(trimBlanks(*key));
        if (hasLineBreak(*key) || cp932::findChar(*key, '=') != std::string::npos
            || cp932::endsWithBrokenChar(*key))
            return false;
        if (!key->empty() && (key->front() == ';' || key->front() == '['))
            return false;
    }
    if (value && hasLineBreak(*value))
        return false;
    return true;
}

bool ProfileDocument::write(const std::string& section, const std::optional<std::string>& key,
                            const std::optional<std::string>& value)
{
    const std::string foldedSection = cp932::foldCase(section);
    if (!key) {
        // Remove every section of the name, so that no later duplicate
        // surfaces in place of the deleted one.
        bool removed = false;
        std::size_t header;
        while ((header = findSection(foldedSection)) != std::string::npos) {
            lines_.erase(lines_.begin() + std::ptrdiff_t(header),
                         lines_.begin() + std::ptrdiff_t(sectionEnd(header)));
            removed = true;
        }
        if (removed)
            changed();
        return removed;
    }

    const std::string foldedKey = cp932::foldCase(*key);
    const std::size_t header = findSection(foldedSection);
    if (!value) {
        if (header == std::string::npos)
            return false;
        bool removed = false;
        for (std::size_t i = sectionEnd(header); i-- > header + 1;) {
            if (lines_[i].kind == LineKind::Key && lines_[i].folded == foldedKey) {
                lines_.erase(lines_.begin() + std::ptrdiff_t(i));
                removed = true;
            }
        }
        if (removed)
            changed();
        return removed;
    }

    if (header == std::string::npos) {
        // A new section goes at the end of the file.
        if (!lines_.empty())
            ensureLineEnd(lines_.size() - 1);
        lines_.push_back(parseLine("[" + section + "]", lineEnd()));
        lines_.push_back(parseLine(*key + "=" + *value, lineEnd()));
        changed();
        return true;
    }

    const std::size_t end = sectionEnd(header);
    std::size_t lastKey = header;
    for (std::size_t i = header + 1; i < end; ++i) {
        Line& line = lines_[i];
        if (line.kind != LineKind::Key)
            continue;
        if (line.folded == foldedKey) {
            // Keep everything up to the value (indent, the key's spelling,
            // the blanks around '='); replace the rest of the line.
            if (std::string_view(line.text).substr(line.valueStart) == *value)
                return false;
            std::string text = line.text.substr(0, line.valueStart) + *value;
            std::string eol = std::move(line.eol);
            line = parseLine(std::move(text), std::move(eol));
            changed();
            return true;
        }
        lastKey = i;
    }
    // A new key goes right after the last key of the section, before the
    // blank lines and comments that lead to the next section.
    ensureLineEnd(lastKey);
    lines_.insert(lines_.begin() + std::ptrdiff_t(lastKey + 1),
                  parseLine(*key + "=" + *value, lineEnd()));
    changed();
    return true;
}

}  // namespace mobr
