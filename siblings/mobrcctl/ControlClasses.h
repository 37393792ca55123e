#pragma once

#include "mobr/export.h"

// Makes this library's widget classes known to the dialog library's layout
// loader, so a layout can name them: "ZqSpinEdit". Runs by itself when the
// library is loaded; calling it again is harmless.
MOBR_API void ZqRegisterControlClasses();
