#include "model/AttributeMarks.h"

#include <cstring>

namespace mobrhost {

namespace {

struct MarkList {
    int family;
    int32_t ctl;
    const char* chars;
    const char* const* labels;
};

const char* const kOnOff[] = {"Off", "On"};
const char* const kSide[] = {"None", "Left", "Right"};
const char* const kKinds[] = {"Dot", "Plus", "Star", "Circle", "Cross", "Hash"};
const char* const kEnds[] = {"None", "Arrow", "Dot", "Slash"};

const MarkList kLists[] = {
    {1, 0, "01", kOnOff},
    {1, 1, "NLR", kSide},
    {1, 2, ".+*ox#", kKinds},
    {2, 0, ".+*ox#", kKinds},
    {3, 0, "0123", kEnds},
};

const MarkList* findList(int family, int32_t ctl)
{
    for (const MarkList& list : kLists) {
        if (list.family == family && list.ctl == ctl) return &list;
    }
    return nullptr;
}

}  // namespace

int AttributeMarks::family(int slot, int32_t* ctl)
{
    if (slot < 0 || slot > 31) return -1;
    int32_t value = 0;
    int result = 1;
    if (slot == 0) {
        result = 0;   // the default point mode code, not a mark
    } else if (slot == 1) {
        value = 2;   // the construction mark: family 1, the list of mark kinds
    } else if (slot == 7) {
        result = 3;
    } else if (slot == 8 || slot == 23 || slot == 24) {
        value = 1;
    }
    if (ctl) *ctl = value;
    return result;
}

int AttributeMarks::count(int family, int32_t ctl)
{
    const MarkList* list = findList(family, ctl);
    return list ? static_cast<int>(std::strlen(list->chars)) : -1;
}

int AttributeMarks::charToIndex(int family, int32_t ctl, int32_t ch)
{
    const MarkList* list = findList(family, ctl);
    if (!list || ch <= 0 || ch > 0xFF) return -1;
    const char* p = std::strchr(list->chars, ch);
    return p ? static_cast<int>(p - list->chars) : -1;
}

int AttributeMarks::indexToChar(int family, int32_t ctl, int32_t index, std::string* label)
{
    const MarkList* list = findList(family, ctl);
    if (!list || index < 0 || index >= static_cast<int32_t>(std::strlen(list->chars))) return -1;
    if (label) *label = list->labels[index];
    return static_cast<unsigned char>(list->chars[index]);
}

}  // namespace mobrhost
