// Navigation and the host's message pump.

#include <QCoreApplication>

#include "api/Families.h"
#include "api/HostRuntime.h"
#include "api/SettingsAccess.h"

namespace mobrhost {

int32_t aasNaviGetStatus() { return settings().integer("Navi"); }
int32_t aasNaviSetON() { return setSwitch("Navi", 1); }
int32_t aasNaviSetOFF() { return setSwitch("Navi", 0); }
int32_t aasNaviCursorGetStatus() { return settings().integer("NaviCursor"); }
int32_t aasNaviCursorSetStatus(int32_t on) { return setSwitch("NaviCursor", on); }

int32_t aasPeekDispatch(int32_t flags)
{
    // Pending events of the host's windows are processed; without an
    // application object there is nothing to dispatch.
    if (QCoreApplication::instance()) QCoreApplication::processEvents();
    return 0;
}

void registerNaviApi()
{
    MOBR_HOST_IMPLEMENT(aasNaviGetStatus);
    MOBR_HOST_IMPLEMENT(aasNaviSetON);
    MOBR_HOST_IMPLEMENT(aasNaviSetOFF);
    MOBR_HOST_IMPLEMENT(aasNaviCursorGetStatus);
    MOBR_HOST_IMPLEMENT(aasNaviCursorSetStatus);
    MOBR_HOST_IMPLEMENT(aasPeekDispatch);
}

}  // namespace mobrhost
