#pragma once

// Reads a drawing in the exchange format (ASCII DXF, versions R12 to R2018)
// into a new figure. The library dxflib parses; this layer maps tables and
// entities onto the figure model (docs/dxf.md) and reports what it could not
// carry over.

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
};

// A figure, or null with `error` naming the file and what is wrong.
std::unique_ptr<mobrhost::Figure> readDxfFile(const std::string& path, DxfReport& report, std::string* error,
                                              const ReadLimits& limits = {});

}  // namespace mobrdxf
