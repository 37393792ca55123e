#include "DxfSplit.h"

#include <algorithm>
#include <initializer_list>

namespace mobrdxf {
namespace {

constexpr std::size_t npos = std::string_view::npos;

struct Line {
    std::string_view text;   // without blanks and line end
    std::size_t start = 0;
    std::size_t next = 0;    // start of the following line
};

std::string_view trimmed(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

Line lineAt(std::string_view text, std::size_t start)
{
    const std::size_t end = std::min(text.find('\n', start), text.size());
    return Line{trimmed(text.substr(start, end - start)), start, std::min(end + 1, text.size())};
}

std::size_t previousLineStart(std::string_view text, std::size_t lineStart)
{
    if (lineStart == 0) return npos;
    if (lineStart < 2) return 0;
    const std::size_t newline = text.rfind('\n', lineStart - 2);
    return newline == npos ? 0 : newline + 1;
}

std::size_t lineStartFrom(std::string_view text, std::size_t at)
{
    if (at == 0 || at >= text.size() || text[at - 1] == '\n') return std::min(at, text.size());
    return std::min(text.find('\n', at), text.size() - 1) + 1;
}

bool isInteger(std::string_view s)
{
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) s.remove_prefix(1);
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The first line at or after `from` that reads `word` and comes after lines
// reading `before` (the nearest first).
std::optional<Line> findLine(std::string_view text, std::size_t from, std::string_view word,
                             std::initializer_list<std::string_view> before)
{
    for (std::size_t hit = text.find(word, from); hit != npos; hit = text.find(word, hit + 1)) {
        const std::size_t start = hit == 0 ? 0 : text.rfind('\n', hit - 1) + 1;   // npos + 1 is 0
        const Line line = lineAt(text, start);
        if (start < from || line.text != word) continue;
        std::size_t at = start;
        const bool follows = std::all_of(before.begin(), before.end(), [&](std::string_view expected) {
            at = previousLineStart(text, at);
            return at != npos && lineAt(text, at).text == expected;
        });
        if (follows) return line;
    }
    return std::nullopt;
}

std::optional<Line> findSection(std::string_view text, std::string_view name)
{
    return findLine(text, 0, name, {"2", "SECTION", "0"});
}

// Entities that continue the one before them: cutting before them would part
// a polyline from its vertices or an insertion from its attributes.
bool continuesPrevious(std::string_view type) { return type == "VERTEX" || type == "SEQEND" || type == "ATTRIB"; }

bool endsSection(std::string_view type) { return type == "ENDSEC" || type == "EOF" || type == "SECTION"; }

}  // namespace

std::optional<DxfCut> findEntityCut(std::string_view text, std::size_t from)
{
    const std::optional<Line> entities = findSection(text, "ENTITIES");
    if (!entities) return std::nullopt;
    DxfCut cut;
    if (const std::optional<Line> header = findSection(text, "HEADER"); header && header->start < entities->start) {
        const std::optional<Line> end = findLine(text, header->next, "ENDSEC", {"0"});
        if (end && end->start < entities->start) cut.headerEnd = end->next;
    }
    const std::size_t start = lineStartFrom(text, std::max(from, entities->next));
    // The section must not have ended before the point the search starts from.
    if (findLine(text.substr(0, start), entities->next, "ENDSEC", {"0"})) return std::nullopt;
    for (std::size_t at = start; at < text.size();) {
        const Line line = lineAt(text, at);
        at = line.next;
        if (line.text != "0") continue;
        const Line value = lineAt(text, line.next);
        if (isInteger(value.text)) continue;   // a value "0"; the next line is a group code
        if (endsSection(value.text)) return std::nullopt;
        if (continuesPrevious(value.text)) continue;
        cut.at = line.start;
        return cut;
    }
    return std::nullopt;
}

}  // namespace mobrdxf
