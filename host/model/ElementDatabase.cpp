#include "model/ElementDatabase.h"

#include <algorithm>
#include <cstring>

#include "model/Bytes.h"

namespace mobrhost {

int32_t ElementDatabase::slotCount(int space) const
{
    if (space < 0 || space >= kSpaces) return 0;
    return static_cast<int32_t>(spaces_[static_cast<std::size_t>(space)].size());
}

int32_t ElementDatabase::liveCount(int space) const
{
    if (space < 0 || space >= kSpaces) return 0;
    const auto& s = spaces_[static_cast<std::size_t>(space)];
    return static_cast<int32_t>(std::count_if(s.begin(), s.end(), [](const Record& r) {
        return r[element::kState] == element::Live;
    }));
}

const unsigned char* ElementDatabase::slot(int32_t id) const
{
    const int space = element::spaceOf(id);
    const int32_t n = element::slotOf(id);
    if (space >= kSpaces || n < 1) return nullptr;
    const auto& s = spaces_[static_cast<std::size_t>(space)];
    if (static_cast<std::size_t>(n) > s.size()) return nullptr;
    return s[static_cast<std::size_t>(n - 1)].data();
}

unsigned char* ElementDatabase::slot(int32_t id)
{
    return const_cast<unsigned char*>(static_cast<const ElementDatabase*>(this)->slot(id));
}

int32_t ElementDatabase::read(int32_t id, void* out) const
{
    const unsigned char* r = slot(id);
    if (!r) return element::kNoSuchElement;
    switch (r[element::kState]) {
    case element::Live:
        if (out) std::memcpy(out, r, element::kBytes);
        return 0;
    case element::Deleted: return element::kReadDeleted;
    case element::Empty: return element::kReadEmpty;
    default: return element::kReadPurged;
    }
}

int32_t ElementDatabase::append(int space, const Record& record)
{
    if (space < 0 || space >= kSpaces) return 0;
    auto& s = spaces_[static_cast<std::size_t>(space)];
    if (static_cast<int32_t>(s.size()) >= kMaxSlots) return 0;
    s.push_back(record);
    const int32_t id = element::makeId(space, static_cast<int32_t>(s.size()));
    bytes::setI32(s.back().data(), element::kId, id);
    return id;
}

void ElementDatabase::appendState(int space, int32_t count, uint8_t state)
{
    if (space < 0 || space >= kSpaces) return;
    for (int32_t i = 0; i < count; ++i) {
        Record r{};
        bytes::setI32(r.data(), element::kOwner, -1);
        r[element::kState] = state;
        append(space, r);
    }
}

bool ElementDatabase::erase(int32_t id)
{
    unsigned char* r = slot(id);
    if (!r || r[element::kState] != element::Live) return false;
    r[element::kState] = element::Deleted;
    return true;
}

void ElementDatabase::clear()
{
    for (auto& s : spaces_) {
        s.clear();
        s.shrink_to_fit();
    }
}

void ElementDatabase::status(void* block, short figure) const
{
    std::memset(block, 0, 64);
    int32_t deleted = 0;
    for (const auto& s : spaces_) {
        for (const Record& r : s) {
            if (r[element::kState] == element::Deleted) ++deleted;
        }
    }
    const int32_t live0 = liveCount(0);
    const int32_t live1 = liveCount(1);
    bytes::setI32(block, mobr::dbstatus::kLiveTotal, live0 + live1);
    bytes::setI32(block, mobr::dbstatus::kDeleted, deleted);
    bytes::setI32(block, mobr::dbstatus::kSlots0, slotCount(0));
    bytes::setI32(block, mobr::dbstatus::kLive0, live0);
    bytes::setI16(block, mobr::dbstatus::kFigure, figure);
    bytes::setI32(block, mobr::dbstatus::kSlots1, slotCount(1));
    bytes::setI32(block, mobr::dbstatus::kLive1, live1);
}

}  // namespace mobrhost
