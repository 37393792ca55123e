#pragma once

// What a conversion could not carry over exactly, for the person who asked
// for it: counts per kind ("skipped 12 SPLINE", "3 texts cut to 27 bytes")
// and a bounded list of single notes (a name that had to be changed).

#include <map>
#include <string>
#include <vector>

namespace mobrdxf {

class DxfReport {
public:
    static constexpr std::size_t kMaxNotes = 200;

    void skip(const std::string& type, long count = 1) { skipped_[type] += count; }
    void count(const std::string& what, long n = 1) { counts_[what] += n; }
    // An entity the model has no element for, drawn as lines instead.
    void approximate(const std::string& type) { approximated_[type] += 1; }
    void note(const std::string& text);

    long skipped(const std::string& type) const;
    long counted(const std::string& what) const;
    long approximated(const std::string& type) const;
    const std::vector<std::string>& notes() const { return notes_; }
    bool empty() const { return skipped_.empty() && counts_.empty() && approximated_.empty() && notes_.empty(); }
    // One line per entry: "skipped 12 SOLID", "approximated 3 ELLIPSE as
    // lines", "3 texts cut to 27 bytes", notes.
    std::vector<std::string> lines() const;

private:
    std::map<std::string, long> skipped_;
    std::map<std::string, long> counts_;
    std::map<std::string, long> approximated_;
    std::vector<std::string> notes_;
    long droppedNotes_ = 0;
};

}  // namespace mobrdxf
