#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// One private-profile file in memory: its lines with their own line ends, so
// that writing it back gives exactly the bytes it was read from, plus a lookup
// index built on the first read after a change. Internal to the platform
// library; not thread-safe (the profile cache holds a lock around it).
namespace mobr {

class ProfileDocument {
public:
    enum class LineKind : uint8_t { Other, Section, Key };

    struct Line {
        std::string text;      // the line without its line end
        std::string eol;       // "\r\n", "\n", "\r" or "" (last line only)
        LineKind kind = LineKind::Other;
        std::size_t nameBegin = 0;  // section or key name, blanks trimmed
        std::size_t nameEnd = 0;
        std::size_t valueStart = 0;  // first byte after '=' and its blanks
        std::size_t valueEnd = 0;    // end of the value, trailing blanks trimmed
        std::string folded;          // foldCase(name), the lookup key

        std::string_view name() const;
    };

    ProfileDocument() = default;
    explicit ProfileDocument(std::string_view bytes);

    std::string bytes() const;
    std::size_t byteSize() const;
    const std::vector<Line>& lines() const { return lines_; }

    // The value of a key as read: blanks trimmed, one matching pair of outer
    // quotes removed. Empty optional when the section or key is absent.
    std::optional<std::string_view> value(std::string_view section, std::string_view key) const;
    // Section names in file order / key names of the first section of that
    // name, in file order.
    std::vector<std::string_view> sectionNames() const;
    std::vector<std::string_view> keyNames(std::string_view section) const;

    // Checks the names and the value of a write and trims the names. False
    // when the text could not be read back as written (see PrivateProfile.h).
    static bool prepareWrite(std::string& section, std::optional<std::string>& key,
                             const std::optional<std::string>& value);

    // One write with prepared arguments: a null key deletes the section, a
    // null value the key. Returns true when the lines changed.
    bool write(const std::string& section, const std::optional<std::string>& key,
               const std::optional<std::string>& value);

private:
    struct SectionIndex {
        std::size_t header = 0;
        std::unordered_map<std::string, std::size_t> keys;
    };

    static Line parseLine(std::string text, std::string eol);
    const std::string& lineEnd() const;
    std::size_t findSection(const std::string& folded) const;
    std::size_t sectionEnd(std::size_t header) const;
    void ensureLineEnd(std::size_t line);
    void buildIndex() const;
    void changed();

    std::vector<Line> lines_;
    std::string eol_ = "\r\n";
    mutable bool indexed_ = false;
    mutable std::unordered_map<std::string, SectionIndex> index_;
};

}  // namespace mobr
