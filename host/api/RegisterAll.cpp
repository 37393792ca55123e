#include "api/Families.h"
#include "api/HostRuntime.h"

// Families that are not part of this build yet are weak references: their
// address is null and registerAll() skips them, so the host links and runs
// with the families it has, and missingRows() names what is left.

namespace mobrhost {

[[gnu::weak]] void registerSysApi();
[[gnu::weak]] void registerDrwApi();
[[gnu::weak]] void registerSchApi();
[[gnu::weak]] void registerPModeApi();
[[gnu::weak]] void registerNaviApi();
[[gnu::weak]] void registerAtrApi();
[[gnu::weak]] void registerComApi();
[[gnu::weak]] void registerGrpApi();
[[gnu::weak]] void registerTbarApi();
[[gnu::weak]] void registerFileApi();
[[gnu::weak]] void registerPaletteApi();
[[gnu::weak]] void registerHelpApi();
[[gnu::weak]] void registerPrintApi();
[[gnu::weak]] void registerFigApi();
[[gnu::weak]] void registerPenApi();
[[gnu::weak]] void registerPenExApi();
[[gnu::weak]] void registerWidApi();
[[gnu::weak]] void registerColApi();
[[gnu::weak]] void registerFntApi();
[[gnu::weak]] void registerTipApi();
[[gnu::weak]] void registerCharExApi();
[[gnu::weak]] void registerDbApi();
[[gnu::weak]] void registerIndexTableApi();
[[gnu::weak]] void registerRenameListApi();

void registerAll()
{
    using Register = void (*)();
    const Register families[] = {
        registerSysApi,    registerDrwApi,   registerSchApi,     registerPModeApi,
        registerNaviApi,   registerAtrApi,   registerComApi,     registerGrpApi,
        registerTbarApi,   registerFileApi,  registerPaletteApi, registerHelpApi,
        registerPrintApi,  registerFigApi,   registerPenApi,     registerPenExApi,
        registerWidApi,    registerColApi,   registerFntApi,     registerTipApi,
        registerCharExApi, registerDbApi,    registerIndexTableApi, registerRenameListApi,
    };
    for (Register family : families) {
        if (family) family();
    }
}

}  // namespace mobrhost
