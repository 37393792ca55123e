#pragma once

// Texts of the exchange format on their way into the host's code page:
// decoding by the file's code page, the format's control codes, and names
// that fit the host's 16-byte fields.

#include <set>
#include <string>
#include <string_view>

namespace mobrdxf {

// How the file's strings are encoded: UTF-8 from version R2007 on, before it
// the code page in $DWGCODEPAGE (932 the host's own; others read as Latin-1).
enum class TextEncoding { Utf8, Cp932, Latin1 };

TextEncoding encodingFor(std::string_view acadVersion, std::string_view codePage);

// A string of the file as UTF-8, with \U+XXXX escapes resolved.
std::string decodeToUtf8(std::string_view raw, TextEncoding encoding);
// The special codes of single-line texts (%%d, %%p, %%c, %%%, %%u, %%o).
std::string resolvePercentCodes(std::string_view utf8);
// The paragraphs of a multi-line text without its formatting codes.
std::string stripMTextFormatting(std::string_view utf8);

// UTF-8 into the host code page; `lossy` is set when a character had no code
// there (it becomes '?').
std::string toHostText(std::string_view utf8, bool* lossy);

// Gives each name of one table a distinct host name of at most 16 bytes
// (names compare without regard to case, as the host's tables do): a long
// name is cut on a character boundary, and one that then equals a name
// already given gets a suffix ~2, ~3...
class NameFitter {
public:
    static constexpr std::size_t kMaxBytes = 16;
    // `changed` is set when the result differs from `hostName`.
    std::string fit(const std::string& hostName, bool* changed);
    void reserve(const std::string& hostName);

private:
    bool taken(const std::string& name) const;
    std::set<std::string> taken_;   // folded names
};

}  // namespace mobrdxf
