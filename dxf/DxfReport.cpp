#include "DxfReport.h"

namespace mobrdxf {

void DxfReport::note(const std::string& text)
{
    if (notes_.size() < kMaxNotes) notes_.push_back(text);
    else ++droppedNotes_;
}

long DxfReport::skipped(const std::string& type) const
{
    const auto it = skipped_.find(type);
    return it == skipped_.end() ? 0 : it->second;
}

long DxfReport::counted(const std::string& what) const
{
    const auto it = counts_.find(what);
    return it == counts_.end() ? 0 : it->second;
}

std::vector<std::string> DxfReport::lines() const
{
    std::vector<std::string> out;
    for (const auto& [type, n] : skipped_) out.push_back("skipped " + std::to_string(n) + " " + type);
    for (const auto& [what, n] : counts_) out.push_back(std::to_string(n) + " " + what);
    out.insert(out.end(), notes_.begin(), notes_.end());
    if (droppedNotes_ > 0) out.push_back("and " + std::to_string(droppedNotes_) + " more notes");
    return out;
}

}  // namespace mobrdxf
