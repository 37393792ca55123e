#pragma once

// Where the text of a drawing can be cut so that two parsers read its
// entities at the same time. Only lines are looked at: a group-code line is
// always an integer, so a line "0" followed by a line that is not an integer
// is group code 0 and its value, the start of an entity.

#include <cstddef>
#include <optional>
#include <string_view>

namespace mobrdxf {

struct DxfCut {
    // End of the HEADER section (after its ENDSEC line); 0 when the drawing
    // has none. The second part is read after this much of the file, so that
    // the parser knows the drawing's version as it does in one read.
    std::size_t headerEnd = 0;
    // Start of the line "0" of the first entity of the second part.
    std::size_t at = 0;
};

// A cut at an entity boundary inside the ENTITIES section, at or after
// `from`; none when the section ends first. Never before VERTEX, SEQEND or
// ATTRIB, which belong to the entity before them.
std::optional<DxfCut> findEntityCut(std::string_view text, std::size_t from);

}  // namespace mobrdxf
