// Groups: element flush mode and parts recognition.

#include "api/Families.h"
#include "api/HostRuntime.h"
#include "api/SettingsAccess.h"

namespace mobrhost {

int32_t aatGrpGetElemFlush() { return settings().integer("ElemFlush"); }
int32_t aatGrpSetElemFlush(int32_t mode) { return setSwitch("ElemFlush", mode); }
int32_t aasGrpPartsSysRecogGet() { return settings().integer("PartsRecog"); }
int32_t aasGrpPartsSysRecogSet(int32_t on) { return setSwitch("PartsRecog", on); }

void registerGrpApi()
{
    MOBR_HOST_IMPLEMENT(aatGrpGetElemFlush);
    MOBR_HOST_IMPLEMENT(aatGrpSetElemFlush);
    MOBR_HOST_IMPLEMENT(aasGrpPartsSysRecogGet);
    MOBR_HOST_IMPLEMENT(aasGrpPartsSysRecogSet);
}

}  // namespace mobrhost
