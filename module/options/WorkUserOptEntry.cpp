// The entry point of the work option set at start-up.
#include "frame/HostApi.h"
#include "frame/ModuleLog.h"
#include "mobr/export.h"
#include "options/CWorkUserOptDlg.h"
#include "platform/PrivateProfile.h"

namespace {

// Start-up command status bits that ask for the work option set.
constexpr int32_t kAskForWorkSet = 0x4D;
constexpr int kWarnNotShown = 9000;

// The work sets are offered once: the start-up menu flag goes off.
void clearBootMenu()
{
    const std::string path = SystemFilePath("MOBRINI.SYS");
    if (WritePrivateProfileStringA("SYSINIT", "BOOTMENU", "0", path.c_str()) == 0)
        qCWarning(lcModule) << "the start-up menu flag could not be cleared in" << path.c_str();
}

int32_t selectWorkSet()
{
    if (hostapi::aatSysGetBoot() != 1) return 0;
    int32_t shown = 0;
    if (hostapi::aatOpCmdGetStatus() & kAskForWorkSet) {
        shown = 1;
        CWorkUserOptDlg dialog;
        const int result = dialog.DoModal();
        if (result == ZQ_RESULT_NOT_CREATED || result == ZQ_RESULT_CLOSED_OPENING)
            hostapi::aapLcom_mwar(kWarnNotShown);
    }
    clearBootMenu();
    return shown;
}

}  // namespace

extern "C" MOBR_API int aapLSelWorkUserOpt(void)
{
    try {
        return selectWorkSet();
    } catch (...) {
        logCaughtException("aapLSelWorkUserOpt");
        return 0;
    }
}
