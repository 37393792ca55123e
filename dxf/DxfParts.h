#pragma once

// Reading a drawing with both cores: the text is cut at an entity boundary in
// its ENTITIES section (DxfSplit.h) and two dxflib parsers read the two parts
// at once. The first part goes to the drawing reader itself; the second is
// recorded (DxfRecorder.h) and played on the reader after the first, so the
// reader sees the callbacks of one parse of the whole file, in its order.

#include <cstddef>
#include <string>

class DL_CreationInterface;

namespace mobrdxf {

// One parse of the file at `path` into `reader`; false when it cannot be opened.
// Exceptions of the parse come out of here.
bool parseDxf(const std::string& path, DL_CreationInterface& reader);

struct PartsLimits {
    std::size_t splitFrom = 0;          // smaller files are read in one part
    std::size_t maxRecordedCalls = 0;   // past this the second part is read again, straight into the reader
};

// Reads the file in two parts into `reader`. False, with nothing passed to
// `reader`, when the file is not read that way (small, or no cut found): the
// caller then parses it in one part. An exception of either parse comes out
// of here once both have ended.
bool readInTwoParts(const std::string& path, DL_CreationInterface& reader, const PartsLimits& limits);

}  // namespace mobrdxf
