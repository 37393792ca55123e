#pragma once

#include "mobr/export.h"

// Shows the wait cursor for the life of the object (nests).
class MOBR_API CZqWaitCursor {
public:
    CZqWaitCursor();
    ~CZqWaitCursor();
    CZqWaitCursor(const CZqWaitCursor&) = delete;
    CZqWaitCursor& operator=(const CZqWaitCursor&) = delete;
    // Shows the wait cursor again after something (a message box) reset it.
    void Restore();
};
