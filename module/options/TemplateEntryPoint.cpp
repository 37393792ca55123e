// The entry point that chooses the user template the program works with.
#include "frame/HostApi.h"
#include "frame/ModuleLog.h"
#include "mobr/export.h"
#include "options/CUserTempSelDlg.h"
#include "options/CWorkUserOptDlg.h"

namespace {

constexpr int kWarnNotShown = 9000;

void selectTemplate()
{
    hostapi::aagUserTempSetWarMsg(0);
    hostapi::aagUserTemplateLoad();
    CUserTempSelDlg dialog;
    const int result = dialog.DoModal();
    if (result == ZQ_RESULT_NOT_CREATED || result == ZQ_RESULT_CLOSED_OPENING) hostapi::aapLcom_mwar(kWarnNotShown);
    else if (result == ZQ_RESULT_OK) hostapi::aatSaveIniFile(0, SystemFilePath("MOBR.SYS").c_str());
}

}  // namespace

extern "C" MOBR_API int aapLSelUserOpt(void)
{
    try {
        selectTemplate();
    } catch (...) {
        logCaughtException("aapLSelUserOpt");
    }
    try {
        hostapi::aagUserTempSetWarMsg(1);
    } catch (...) {
        logCaughtException("aapLSelUserOpt");
    }
    return 1;
}
