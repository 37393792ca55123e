#include "model/CharExTable.h"

#include <algorithm>

#include "platform/CodePage.h"

namespace mobrhost {

bool CharExTable::add(int32_t mode, std::string_view text)
{
    if (count() >= kMaxEntries) return false;
    entries_.push_back(CharExEntry{mode, mobr::cp932::cut(text, kMaxTextBytes)});
    touch();
    return true;
}

bool CharExTable::remove(int32_t n)
{
    if (n < 1 || n > count()) return false;
    entries_.erase(entries_.begin() + (n - 1));
    touch();
    return true;
}

int32_t CharExTable::modeWord(std::string* text) const
{
    int32_t mode = 0;
    const CharExEntry* withText = nullptr;
    for (const CharExEntry& e : entries_) {
        mode |= e.mode;
        if (e.text.empty()) continue;
        if (!withText || (!(withText->mode & 0x80) && (e.mode & 0x80))) withText = &e;
    }
    if (text) *text = withText ? withText->text : std::string();
    return mode;
}

void CharExTable::sort()
{
    std::stable_sort(entries_.begin(), entries_.end(), [](const CharExEntry& a, const CharExEntry& b) {
        if (a.mode != b.mode) return a.mode < b.mode;
        return a.text < b.text;
    });
}

}  // namespace mobrhost
