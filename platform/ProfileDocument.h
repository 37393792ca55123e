#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One private-profile file in memory: its lines with their own line ends, so
// that writing it back gives exactly the bytes it was read from, plus a lookup
// index built on the first read after a parse or a change: two open-addressing
// tables of line numbers, one for the first section of each folded name and
// one for the first key of each folded name within it, so that a lookup folds
// the two names into a stack buffer and costs no allocation. The section of
// the last lookup is remembered by the bytes the caller gave, since callers
// read a section key after key. Internal to the platform library; not
// thread-safe (the profile cache holds a lock around it).
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
    // One slot of an index table: the hash of the folded name(s) and the
    // line of the section header or key (kNoLine when free).
    struct Slot {
        uint32_t hash = 0;
        uint32_t line = kNoLine;
        uint32_t section = kNoLine;  // key slots: the line of their section
    };
    static constexpr uint32_t kNoLine = 0xFFFFFFFFu;

    static Line parseLine(std::string text, std::string eol);
    const std::string& lineEnd() const;
    std::size_t findSection(const std::string& folded) const;
    std::size_t sectionEnd(std::size_t header) const;
    void ensureLineEnd(std::size_t line);
    void buildIndex() const;
    uint32_t indexedSection(std::string_view folded) const;
    void changed();

    std::vector<Line> lines_;
    std::string eol_ = "\r\n";
    mutable bool indexed_ = false;
    mutable std::vector<Slot> sections_;  // size a power of two, or empty
    mutable std::vector<Slot> keys_;
    // The last section looked up, as the caller spelled it, and its line.
    mutable std::string lastSection_;
    mutable uint32_t lastSectionLine_ = kNoLine;
    mutable bool lastSectionKnown_ = false;
};

}  // namespace mobr
