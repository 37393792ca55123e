#pragma once

// Reads a drawing in the exchange format (ASCII DXF, versions R12 to R2018)
// into a new figure. The library dxflib parses; this layer maps tables and
// entities onto the figure model (docs/dxf.md) and reports what it could not
// carry over.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "DxfReport.h"
#include "model/Figure.h"

namespace mobrdxf {

// Whether the first bytes of a file are those of an ASCII DXF file (a first
// group "0 SECTION", after comments) or of a binary one.
bool looksLikeDxf(std::string_view head);
bool isBinaryDxf(std::string_view head);

struct ReadLimits {
    // Elements a drawing may give, block insertions included: a file whose
    // nested arrays of blocks would make more is refused.
    long maxElements = 8'000'000;
    int maxBlockDepth = 32;
    // Files of this size or more are parsed in two parts at once (docs/dxf.md, "Speed").
    std::size_t splitFrom = 4u << 20;
    // Callbacks of the second part kept for the reader at most (about 100
    // bytes each); a larger part is parsed again after the first.
    std::size_t maxRecordedCalls = 3'000'000;
};

// A figure, or null with `error` naming the file and what is wrong.
std::unique_ptr<mobrhost::Figure> readDxfFile(const std::string& path, DxfReport& report, std::string* error,
                                              const ReadLimits& limits = {});

}  // namespace mobrdxf
