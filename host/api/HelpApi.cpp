// Help topics and host warnings, forwarded to whoever shows them.

#include "api/Families.h"
#include "api/HostRuntime.h"
#include "api/SettingsAccess.h"

namespace mobrhost {

int32_t aapRunDlgHelp(int32_t topic)
{
    if (topic < 0) return -1;
    session().showHelp(topic);
    return 0;
}

int32_t aapLcom_mwar(int32_t id)
{
    session().showWarning(id);
    return 0;
}

void registerHelpApi()
{
    MOBR_HOST_IMPLEMENT(aapRunDlgHelp);
    MOBR_HOST_IMPLEMENT(aapLcom_mwar);
}

}  // namespace mobrhost
