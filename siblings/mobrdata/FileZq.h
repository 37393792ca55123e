#pragma once

#include <cstdint>

#include "mobr/export.h"

// Reader of figure files (docs/figure-file.md).
class MOBR_API aCFileZq {
public:
    // Reads the control word of the figure file at `path` (host code page,
    // host path conventions) into *control. Returns non-zero on success. A
    // file that is missing, is not a figure file, is damaged or truncated,
    // or was written by a newer format version gives 0 and leaves *control
    // as it was. The file is opened read-only and never changed.
    static int LoadFigCtrl(const char* path, uint32_t* control);
};
