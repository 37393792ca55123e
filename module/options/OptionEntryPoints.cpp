// The entry point of the user options.
#include <string>

#include "frame/HostApi.h"
#include "frame/ModuleLog.h"
#include "mobr/export.h"
#include "mobr/host_types.h"
#include "mobrdlg/ZqMessageBox.h"
#include "options/RunUserOpSheet.h"
#include "platform/CodePage.h"
#include "platform/Files.h"

namespace {

constexpr int32_t kOptionsResult = 18;
constexpr int32_t kOptionFile = 1;
constexpr int kMsgNoBackup = 7340;
constexpr const char* kBackupName = "MOBRCUR.INI";

// A text the host wrote into a buffer of kHostPathBytes, never read past it.
std::string bufferText(const char* buffer)
{
    return std::string(buffer, strnlen(buffer, mobr::kHostPathBytes - 1));
}

std::string systemFolder()
{
    char buffer[mobr::kHostPathBytes] = {};
    return hostapi::aatFilCrpath(buffer, mobr::kHostPathBytes) ? bufferText(buffer) : std::string();
}

// The current template's folder and file name.
void currentTemplate(std::string& folder, std::string& file)
{
    char dir[mobr::kHostPathBytes] = {};
    char name[mobr::kHostPathBytes] = {};
    void* drive = hostapi::aatSysGetUserTempDrive();
    const int32_t current = hostapi::aatSysGetUserTempCurDir();
    if (drive) hostapi::aatDrvGetDirectory(drive, current, dir);
    hostapi::aatSysGetUserTemplete(name);
    folder = bufferText(dir);
    file = bufferText(name);
}

// The backup that Cancel restores. An old backup goes first, so that a
// backup that cannot be written now is never mistaken for one of today;
// true when the new one was written and is there.
bool writeBackup(const std::string& backup)
{
    const int removed = mobr::files::deleteFile(backup);
    if (removed != 0 && mobr::files::fileExists(backup)) {
        qCWarning(lcModule) << "an old settings backup could not be removed:" << backup.c_str();
        return false;
    }
    return hostapi::aatSaveIniFile(kOptionFile, backup.c_str()) == 0 && mobr::files::fileExists(backup);
}

// Cancel: the settings as they were before the dialog opened come back,
// colours changed live by a page included. Without a backup written for
// this call nothing is loaded (an older file would bring back older
// settings) and the user is told.
void restoreAfterCancel(bool backedUp, const std::string& backup)
{
    if (!backedUp) {
        ZqDlgMessageBox(nullptr, ZQ_MB_OK | ZQ_MB_ICONEXCLAMATION, 0, kMsgNoBackup, backup.c_str());
        return;
    }
    hostapi::aatLoadIniFile(kOptionFile, backup.c_str());
    hostapi::aatSysColRestore();
    hostapi::aatDrwAllView();
}

// The host's template warnings stay off while the options run, on every path.
class TemplateWarningsOff {
public:
    TemplateWarningsOff() { hostapi::aagUserTempSetWarMsg(0); }
    ~TemplateWarningsOff()
    {
        try {
            hostapi::aagUserTempSetWarMsg(1);
        } catch (...) {
            logCaughtException("aapLopt");
        }
    }
    TemplateWarningsOff(const TemplateWarningsOff&) = delete;
    TemplateWarningsOff& operator=(const TemplateWarningsOff&) = delete;
};

int32_t runOptions()
{
    TemplateWarningsOff quiet;
    std::string folder;
    std::string file;
    currentTemplate(folder, file);
    const std::string system = systemFolder();
    const std::string backup = system + "/" + kBackupName;
    const bool backedUp = !system.empty() && writeBackup(backup);

    const int result = RunUserOpSheet(1, folder.c_str(), file.c_str());
    if (result == -2) restoreAfterCancel(backedUp, backup);
    // The backup served this call only; leaving it would leave a stale one.
    if (backedUp) mobr::files::deleteFile(backup);
    return kOptionsResult;
}

}  // namespace

extern "C" MOBR_API int aapLopt(void)
{
    try {
        return runOptions();
    } catch (...) {
        logCaughtException("aapLopt");
        return kOptionsResult;
    }
}
