#include "options/TemplateFolders.h"

#include <cstring>

#include "frame/HostApi.h"
#include "options/HostText.h"
#include "mobrdlg/ZqWindow.h"
#include "options/FolderListing.h"
#include "platform/CodePage.h"

namespace templates {

namespace {

constexpr std::size_t kExtensionChars = 4;
// Characters no file name may hold on the systems the host runs on.
constexpr char kRefused[] = "\\/:*?\"<>|";

bool endsWithSeparator(const std::string& dir)
{
    if (dir.empty()) return false;
    const std::size_t last = dir.size() - 1;
    return mobr::cp932::findLastChar(dir, '\\') == last || mobr::cp932::findLastChar(dir, '/') == last;
}

}  // namespace

int folderCount()
{
    void* drive = hostapi::aatSysGetUserTempDrive();
    return drive ? hostapi::aatDrvGetCount(drive) : 0;
}

int currentFolder()
{
    return hostapi::aatSysGetUserTempCurDir();
}

std::string directory(int folder)
{
    void* drive = hostapi::aatSysGetUserTempDrive();
    char buffer[mobr::kHostPathBytes] = {};
    if (drive) hostapi::aatDrvGetDirectory(drive, folder, buffer);
    return HostBufferText(buffer);
}

std::string displayName(int folder)
{
    void* drive = hostapi::aatSysGetUserTempDrive();
    char buffer[mobr::kHostPathBytes] = {};
    if (drive) hostapi::aatDrvGetName(drive, folder, buffer);
    return buffer[0] ? HostBufferText(buffer) : directory(folder);
}

void fillFolderList(CZqWindow& window, int control, int folder)
{
    window.ResetContent(control);
    const int count = folderCount();
    for (int n = 1; n <= count; ++n) window.AddString(control, displayName(n));
    window.SetCurSel(control, folder >= 1 && folder <= count ? folder - 1 : 0);
}

std::string systemFileName(int kind)
{
    char buffer[mobr::kHostPathBytes] = {};
    hostapi::aapGetSysFileName(kind, buffer);
    return HostBufferText(buffer);
}

std::string extension()
{
    char buffer[mobr::kHostPathBytes] = {};
    hostapi::aapGetSysFileExt(2, buffer);
    return HostBufferText(buffer);
}

std::string currentTemplate()
{
    char buffer[mobr::kHostPathBytes] = {};
    hostapi::aatSysGetUserTemplete(buffer);
    return HostBufferText(buffer);
}

bool loginUserMode()
{
    return hostapi::aatCheckOsPlatform() == 0 && hostapi::aatSysGetLoginUser() == 1;
}

std::string loginTemplatePath()
{
    char buffer[mobr::kHostPathBytes] = {};
    hostapi::aatGetLoginUserTemplete(buffer);
    return HostBufferText(buffer);
}

std::string loginTemplateFile()
{
    char dir[mobr::kHostPathBytes] = {};
    char name[mobr::kHostPathBytes] = {};
    const std::string path = loginTemplatePath();
    if (path.empty()) return std::string();
    hostapi::as_FilCutFileName(path.c_str(), dir, name);
    return HostBufferText(name);
}

std::vector<std::string> templateFiles(const std::string& dir)
{
    std::vector<std::string> valid;
    for (const std::string& file : ListFolderFiles(dir, extension()))
        if (hostapi::aatUserTemplateCheck(joinPath(dir, file).c_str()) != 0) valid.push_back(file);
    return valid;
}

std::string stem(const std::string& file)
{
    return file.size() > kExtensionChars ? file.substr(0, file.size() - kExtensionChars) : std::string();
}

std::string joinPath(const std::string& dir, const std::string& file)
{
    return endsWithSeparator(dir) || dir.empty() ? dir + file : dir + "\\" + file;
}

std::string refusedCharacter(const std::string& name)
{
    for (std::size_t i = 0; i < name.size(); i += mobr::cp932::charLength(name, i)) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (mobr::cp932::charLength(name, i) > 1) continue;  // a trail byte 0x5C is no separator
        if (c < 0x20 || c == 0x7F) return "^" + std::string(1, static_cast<char>(c ^ 0x40));
        if (std::strchr(kRefused, c)) return std::string(1, static_cast<char>(c));
    }
    return std::string();
}

}  // namespace templates
