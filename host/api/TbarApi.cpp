// Tool bars: the settings blocks say what the user chose; these calls apply
// it to the running host's tool bars.

#include "api/Families.h"
#include "api/HostRuntime.h"
#include "api/SettingsAccess.h"

namespace mobrhost {

int32_t aatTbarCmdRunBtn(int32_t on)
{
    if (on != 0 && on != 1) return -1;
    settings().setNumber("Run.CmdRunBtnShown", on);
    session().toolBarChanged();
    return 0;
}

int32_t aatTbarStyleSet(int32_t style, int32_t grip)
{
    // Style and grip use one coding: 0 none, 1 both, 2 and 3 one of the two.
    if (style < 0 || style > 3 || grip < 0 || grip > 3) return -1;
    settings().setNumber("Run.ToolBarStyle", style);
    settings().setNumber("Run.ToolBarGrip", grip);
    session().toolBarChanged();
    return 0;
}

void registerTbarApi()
{
    MOBR_HOST_IMPLEMENT(aatTbarCmdRunBtn);
    MOBR_HOST_IMPLEMENT(aatTbarStyleSet);
}

}  // namespace mobrhost
