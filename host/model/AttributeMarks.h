#pragma once

// The marks an attribute-mode slot can hold. Each slot of the 32-character
// attribute-mode block belongs to a mark family (1..3, or 0 for none) with a
// control value that picks one list of the family; a list is a string of mark
// characters with a display label each. The lists never change while the host
// runs.

#include <cstdint>
#include <string>

namespace mobrhost {

class AttributeMarks {
public:
    // Family of slot 0..31 (0 none, -1 for a slot out of range); *ctl gets
    // the control value.
    static int family(int slot, int32_t* ctl);
    // Number of marks of a family's list; -1 for an unknown family or list.
    static int count(int family, int32_t ctl);
    // List index of character ch; -1 when the list has no such mark.
    static int charToIndex(int family, int32_t ctl, int32_t ch);
    // Character of a list index and its label; -1 when out of range.
    static int indexToChar(int family, int32_t ctl, int32_t index, std::string* label);
};

}  // namespace mobrhost
