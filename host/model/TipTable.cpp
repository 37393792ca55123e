#include "model/TipTable.h"

namespace mobrhost {

namespace {

struct BuiltInTip {
    const char* name;
    std::vector<double> shape;   // start shape; the end shape is its mirror
};

const std::vector<BuiltInTip>& builtInTips()
{
    static const std::vector<BuiltInTip> tips = {
        {"ARROW", {1.0, 0.3, 0.0, 0.0, 1.0, -0.3}},
        {"ARROW_FILLED", {1.0, 0.3, 0.0, 0.0, 1.0, -0.3, 1.0, 0.3}},
        {"ARROW_WIDE", {1.0, 0.5, 0.0, 0.0, 1.0, -0.5}},
        {"DOT", {0.0, 0.2, 0.2, 0.0, 0.0, -0.2, -0.2, 0.0, 0.0, 0.2}},
        {"SLASH", {-0.4, -0.4, 0.4, 0.4}},
        {"CIRCLE", {0.0, 0.3, 0.3, 0.0, 0.0, -0.3, -0.3, 0.0, 0.0, 0.3}},
        {"BAR", {0.0, 0.5, 0.0, -0.5}},
        {"DOUBLE_ARROW", {1.0, 0.3, 0.0, 0.0, 1.0, -0.3, 1.5, 0.3, 0.5, 0.0, 1.5, -0.3}},
        {"DATUM", {0.0, 0.0, 0.6, 0.35, 0.6, -0.35, 0.0, 0.0}},
    };
    return tips;
}

std::vector<double> mirrored(const std::vector<double>& shape)
{
    std::vector<double> out(shape);
    for (std::size_t i = 0; i < out.size(); i += 2) out[i] = -out[i];
    return out;
}

}  // namespace

TipTable::TipTable()
{
    resetBuiltIn();
}

void TipTable::resetBuiltIn()
{
    entries_.clear();
    for (const BuiltInTip& b : builtInTips()) {
        Tip t;
        t.name = b.name;
        t.localName = b.name;
        t.uid = newUid();
        t.start = b.shape;
        t.end = mirrored(b.shape);
        entries_.push_back(std::move(t));
    }
    touch();
}

int32_t TipTable::findLocal(std::string_view name) const
{
    if (name.empty()) return -1;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (!entries_[i].reserved && sameName(entries_[i].localName, name)) return static_cast<int32_t>(i + 1);
    }
    return -1;
}

int32_t TipTable::addUser(std::string_view name, std::string_view localName, std::vector<double> start,
                          std::vector<double> end)
{
    const std::string_view local = localName.empty() ? name : localName;
    if (name.empty() || find(name) > 0 || findLocal(name) > 0 || find(local) > 0 || findLocal(local) > 0) return -1;
    while (count() < kFirstUser - 1) {
        Tip r;
        r.reserved = true;
        r.uid = newUid();
        entries_.push_back(std::move(r));
    }
    if (full()) {
        touch();
        return -1;
    }
    Tip t;
    t.name = std::string(name);
    t.localName = std::string(local);
    t.uid = newUid();
    t.start = std::move(start);
    t.end = std::move(end);
    entries_.push_back(std::move(t));
    touch();
    return count();
}

bool TipTable::removeUser(int32_t n)
{
    const Tip* t = at(n);
    if (!t || n < kFirstUser || (t->attrib & 0x1)) return false;
    return remove(n);
}

bool TipTable::renameUser(int32_t n, std::string_view name)
{
    Tip* t = at(n);
    if (!t || n < kFirstUser || name.empty()) return false;
    const int32_t a = find(name);
    const int32_t b = findLocal(name);
    if ((a > 0 && a != n) || (b > 0 && b != n)) return false;
    t->name = std::string(name);
    t->localName = std::string(name);
    return true;
}

}  // namespace mobrhost
