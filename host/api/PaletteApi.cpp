// Palette drawing and system colour codes. Displays here have no palette: a
// colour is painted as its own value, and opening and closing palette
// drawing only keeps track of the surfaces.

#include <algorithm>
#include <set>

#include "api/Families.h"
#include "api/HostRuntime.h"
#include "api/SettingsAccess.h"

namespace mobrhost {

namespace {
std::set<void*>& openSurfaces()
{
    static std::set<void*> surfaces;
    return surfaces;
}
uint32_t component(int32_t c) { return static_cast<uint32_t>(std::clamp(c, 0, 255)); }
}  // namespace

int32_t aatPaletteOpen(void* surface, void* colours)
{
    if (!surface) return -1;
    openSurfaces().insert(surface);
    return 0;
}

int32_t aatPaletteClose(void* surface)
{
    return openSurfaces().erase(surface) ? 0 : -1;
}

uint32_t aatPaletteGetColor(int32_t red, int32_t green, int32_t blue)
{
    return component(red) | (component(green) << 8) | (component(blue) << 16);
}

int32_t aatColGetIndex(int32_t code)
{
    // The system colour table is ordered by colour code.
    return code >= 0 && code < SystemSettings::kSystemColours ? code : -1;
}

void registerPaletteApi()
{
    MOBR_HOST_IMPLEMENT(aatPaletteOpen);
    MOBR_HOST_IMPLEMENT(aatPaletteClose);
    MOBR_HOST_IMPLEMENT(aatPaletteGetColor);
    MOBR_HOST_IMPLEMENT(aatColGetIndex);
}

}  // namespace mobrhost
