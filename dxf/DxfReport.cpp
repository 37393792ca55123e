#include "DxfReport.h"

namespace mobrdxf {

void DxfReport::note(const std::string& text)
{
    if (notes_.size() < kMaxNotes) notes_.push_back(text);
    else ++droppedNotes_;
}

namespace {
long countIn(const std::map<std::string, long>& counts, const std::string& key)
{
    const auto it = counts.find(key);
    return it == counts.end() ? 0 : it->second;
}
}  // namespace

long DxfReport::skipped(const std::string& type) const { return countIn(skipped_, type); }
long DxfReport::counted(const std::string& what) const { return countIn(counts_, what); }
long DxfReport::approximated(const std::string& type) const { return countIn(approximated_, type); }

std::vector<std::string> DxfReport::lines() const
{
    std::vector<std::string> out;
    for (const auto& [type, n] : skipped_) out.push_back("skipped " + std::to_string(n) + " " + type);
    for (const auto& [type, n] : approximated_) out.push_back("approximated " + std::to_string(n) + " " + type + " as lines");
    for (const auto& [what, n] : counts_) out.push_back(std::to_string(n) + " " + what);
    out.insert(out.end(), notes_.begin(), notes_.end());
    if (droppedNotes_ > 0) out.push_back("and " + std::to_string(droppedNotes_) + " more notes");
    return out;
}

}  // namespace mobrdxf
