#include "options/CWorkUserOptDlg.h"

#include <cstring>
#include <sstream>

#include "frame/HostApi.h"
#include "options/HostText.h"
#include "frame/ModuleLog.h"
#include "mobrdlg/ZqMessageBox.h"
#include "options/FolderListing.h"
#include "platform/CodePage.h"
#include "platform/Files.h"
#include "platform/PrivateProfile.h"

namespace {

constexpr int kMsgNotRestored = 7351;
constexpr std::size_t kListNameBytes = 256;
constexpr std::size_t kExtensionChars = 4;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr const char* kSetExtension = "FTU";
constexpr const char* kOrgExtension = "ORG";

// Entry 2 of the template folders (entry 1 when there is only one).
std::string findWorkFolder()
{
    void* drive = hostapi::aatSysGetUserTempDrive();
    if (!drive) return std::string();
    const int32_t entry = hostapi::aatDrvGetCount(drive) >= 2 ? 2 : 1;
    char dir[mobr::kHostPathBytes] = {};
    hostapi::aatDrvGetDirectory(drive, entry, dir);
    return HostBufferText(dir);
}

// One colour component: a whole number from 0 to 255, else -1.
int component(std::istringstream& in)
{
    std::string word;
    if (!(in >> word) || word.size() > 3 || word.find_first_not_of("0123456789") != std::string::npos) return -1;
    const int value = std::stoi(word);
    return value <= 255 ? value : -1;
}

}  // namespace

std::string HostSystemFolder()
{
    char buffer[mobr::kHostPathBytes] = {};
    return hostapi::aatFilCrpath(buffer, mobr::kHostPathBytes) ? HostBufferText(buffer) : std::string();
}

std::string SystemFilePath(const std::string& name)
{
    const std::string folder = HostSystemFolder();
    if (folder.empty()) return name;
    char path[mobr::kHostPathBytes] = {};
    hostapi::aatComPathJoint(path, nullptr, folder.c_str(), name.c_str());
    return HostBufferText(path);
}

uint32_t CWorkUserOptDlg::BackgroundColour(const std::string& optionFile)
{
    char value[mobr::kHostPathBytes] = {};
    GetPrivateProfileStringA("SysAtrib", "SysCol2", "!", value, sizeof value, optionFile.c_str());
    if (value[0] == '!') return 0;
    std::istringstream in(value);
    std::string name;
    in >> name;
    const int red = component(in);
    const int green = component(in);
    const int blue = component(in);
    if (red < 0 || green < 0 || blue < 0) return 0;
    return static_cast<uint32_t>(red) + static_cast<uint32_t>(green) * 256u + static_cast<uint32_t>(blue) * 65536u;
}

CWorkUserOptDlg::CWorkUserOptDlg() : CZqDialog("IDD_S_028", nullptr) {}

bool CWorkUserOptDlg::OnInitDialog()
{
    workFolder_ = findWorkFolder();
    fillSets();
    return true;
}

// The stems of the work folder's option files that the host accepts as
// option files, in name order; the first is selected. Without any, OK has
// nothing to take and stays disabled.
void CWorkUserOptDlg::fillSets()
{
    ResetContent(kSets);
    for (const std::string& file : ListFolderFiles(workFolder_, kSetExtension)) {
        const std::string listed = mobr::cp932::cut(file, kListNameBytes);
        if (hostapi::aatUserTemplateCheck((workFolder_ + listed).c_str()) == 0) continue;
        AddString(kSets, listed.substr(0, listed.size() - std::min(listed.size(), kExtensionChars)));
    }
    const bool any = GetCount(kSets) > 0;
    if (any) SetCurSel(kSets, 0);
    EnableItem(IDOK, any);
}

bool CWorkUserOptDlg::restore(const std::string& source, const char* target)
{
    if (HostSystemFolder().empty()) return false;
    const std::string path = SystemFilePath(target);
    const int error = mobr::files::copyFile(source, path);
    if (error == 0) return true;
    const std::string what = path + " (" + std::strerror(error) + ")";
    qCWarning(lcModule) << "a system file could not be restored:" << what.c_str() << "from" << source.c_str();
    ZqDlgMessageBox(this, ZQ_MB_OK | ZQ_MB_ICONEXCLAMATION, 0, kMsgNotRestored, what.c_str());
    return false;
}

void CWorkUserOptDlg::saveSystemFile()
{
    hostapi::aatSaveIniFile(0, SystemFilePath("MOBR.SYS").c_str());
}

void CWorkUserOptDlg::OnOK()
{
    const int selected = GetCurSel(kSets);
    if (selected < 0) return;
    hostapi::aatSysSetUserTempCurDir(2);
    const std::string stem = GetItemText(kSets, selected);
    const bool fits = stem.size() + 3 < mobr::kHostPathBytes;
    const std::string org = fits ? stem + "." + kOrgExtension : stem;
    const std::string ftu = fits ? stem + "." + kSetExtension : stem;
    hostapi::aatSysSetUserTemplete(ftu.c_str());
    restore(workFolder_ + org, "MOBRSTD.ORG");
    const bool white = BackgroundColour(workFolder_ + ftu) == kWhite;
    const std::string system = HostSystemFolder();
    if (!system.empty()) restore(SystemFilePath(white ? "mobrwhit.fig" : "mobrblck.fig"), "MOBRSTD.FIG");
    saveSystemFile();
    EndDialog(ZQ_RESULT_OK);
}

void CWorkUserOptDlg::OnCancel()
{
    hostapi::aatSysSetUserTempCurDir(1);
    hostapi::aatSysSetUserTemplete("MOBRSTD.INI");
    if (!HostSystemFolder().empty()) {
        restore(SystemFilePath("MOBRSTDO.ORG"), "MOBRSTD.ORG");
        restore(SystemFilePath("MOBRSTDO.FIG"), "MOBRSTD.FIG");
    }
    saveSystemFile();
    EndDialog(ZQ_RESULT_CANCEL);
}
