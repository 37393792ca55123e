// Files and folders: the system folder, the option and system settings
// files, user templates and their folders, the template menu, system file
// names, recent file names.

#include <cstring>

#include "api/Families.h"
#include "api/HostRuntime.h"
#include "api/SettingsAccess.h"
#include "platform/CodePage.h"
#include "platform/Files.h"
#include "store/OptionFile.h"
#include "store/SystemFile.h"

namespace mobrhost {

namespace {

// The directory lists handed out: tokens checked on every use.
char templateList = 0;
char workList = 0;
char figTempList = 0;

std::vector<FolderEntry>* listOf(void* list)
{
    if (list == &templateList) return &settings().templateFolders();
    if (list == &workList) return &settings().workFolders();
    if (list == &figTempList) return &settings().figTempFolders();
    return nullptr;
}

const FolderEntry* entryOf(void* list, int32_t entry)
{
    const auto* folders = listOf(list);
    if (!folders || entry < 1 || entry > static_cast<int32_t>(folders->size())) return nullptr;
    return &(*folders)[static_cast<std::size_t>(entry - 1)];
}

void* handOut(char* token, const char* kind)
{
    if (!listOf(token) || listOf(token)->empty()) return nullptr;
    nameStableHandle(token, kind);
    return token;
}

constexpr int32_t kMaxFolders = 10;

// System files by kind (aapGetSysFileName) and extensions (aapGetSysFileExt).
const char* sysFileName(int32_t kind)
{
    switch (kind) {
    case 1: return "MOBRSTD.INI";    // standard option file
    case 2: return "MOBRCUR.INI";    // options saved while the options dialog runs
    case 3: return "MOBRDFLT.INI";   // default option file
    case 4: return "MOBR.SYS";       // system settings file
    case 5: return "MOBRINI.SYS";    // start-up menu file
    case 6: return "MOBRSTD.ORG";
    case 7: return "MOBRSTD.FIG";
    default: return nullptr;
    }
}
const char* sysFileExt(int32_t kind)
{
    switch (kind) {
    case 1: return "FIG";   // figure files
    case 2: return "INI";   // user templates
    case 3: return "SYS";   // system files
    case 4: return "ORG";
    case 5: return "FTU";   // work option sets
    default: return nullptr;
    }
}

bool isSystemFolderTemplate(const std::string& file)
{
    return mobr::cp932::equalNoCase(file, sysFileName(1)) || mobr::cp932::equalNoCase(file, sysFileName(3));
}

std::string pathArgument(const char* path)
{
    if (!path || !*path || std::strlen(path) >= mobr::kHostPathBytes) return std::string();
    return mobr::files::resolvePathNoCase(mobr::cp932::toNativePath(path));
}

}  // namespace

char* aatFilCrpath(char* buffer, int32_t size)
{
    // The folder without its final separator: callers join it with one.
    const std::string& folder = session().systemFolder();
    if (!buffer || folder.empty()) return nullptr;
    const std::string text = folder.size() > 1 ? folder.substr(0, folder.size() - 1) : folder;
    if (size <= 0 || text.size() >= static_cast<std::size_t>(size)) return nullptr;
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return buffer;
}

int32_t aatCheckOsPlatform() { return hostStart().platformKind; }

int32_t aatGetLoginUserTemplete(char* path)
{
    if (!path) return -1;
    const auto& folders = settings().templateFolders();
    if (folders.empty()) {
        path[0] = '\0';
        return -1;
    }
    const std::string text = folders[0].directory + hostStart().loginName + ".INI";
    if (text.size() >= mobr::kHostPathBytes) {
        path[0] = '\0';
        return -1;
    }
    std::memcpy(path, text.c_str(), text.size() + 1);
    return 0;
}

int32_t aatSaveIniFile(int32_t kind, const char* path)
{
    const std::string file = pathArgument(path);
    if (file.empty()) return -1;
    std::string error;
    bool ok = false;
    if (kind == 1) ok = OptionFile::save(settings(), file, &error);
    else if (kind == 0) ok = SystemFile::save(settings(), session().systemFolder(), file, &error);
    else return -1;
    if (!ok) session().message(error);
    return ok ? 0 : -1;
}

int32_t aatLoadIniFile(int32_t kind, const char* path)
{
    const std::string file = pathArgument(path);
    if (file.empty()) return -1;
    std::string error;
    bool ok = false;
    if (kind == 1) ok = OptionFile::load(settings(), file, &error);
    else if (kind == 0) ok = SystemFile::load(settings(), session().systemFolder(), file, &error);
    else return -1;
    if (!ok) session().message(error);
    return ok ? 0 : -1;
}

int32_t aatUserTemplateCheck(const char* path)
{
    const std::string file = pathArgument(path);
    return !file.empty() && OptionFile::check(file) ? 1 : 0;
}

int32_t aatNewUserTemplateMenuSection(const char* path)
{
    const std::string file = pathArgument(path);
    if (file.empty()) return -1;
    auto& menu = settings().templateMenu();
    for (const std::string& item : menu) {
        if (item == file) return 0;
    }
    menu.push_back(file);
    return 0;
}

int32_t aatRemoveUserTemplateMenuSection(const char* path, int32_t flag)
{
    const std::string file = pathArgument(path);
    if (file.empty()) return -1;
    auto& menu = settings().templateMenu();
    for (auto it = menu.begin(); it != menu.end(); ++it) {
        if (*it == file) {
            menu.erase(it);
            return 0;
        }
    }
    return -1;
}

void* aatSysGetUserTempDrive() { return handOut(&templateList, "templateFolders"); }
void* aatSysGetWorkDrive() { return handOut(&workList, "workFolders"); }
void* aatSysGetFigTempDrive() { return handOut(&figTempList, "figTempFolders"); }

int32_t aatDrvGetCount(void* list)
{
    const auto* folders = listOf(list);
    return folders ? static_cast<int32_t>(folders->size()) : -1;
}

int32_t aatDrvGetName(void* list, int32_t entry, char* name)
{
    const FolderEntry* e = entryOf(list, entry);
    if (!e || !name) return -1;
    mobr::cp932::copyToBuffer(e->name, name, mobr::kHostPathBytes);
    return 0;
}

int32_t aatDrvGetDirectory(void* list, int32_t entry, char* dir)
{
    const FolderEntry* e = entryOf(list, entry);
    if (!e || !dir || e->directory.size() >= mobr::kHostPathBytes) return 0;
    std::memcpy(dir, e->directory.c_str(), e->directory.size() + 1);
    return 1;
}

int32_t aatSysDrvGetListMax() { return kMaxFolders; }

int32_t aatSysGetUserTempCurDir() { return settings().integer("UserTempCurDir"); }

int32_t aatSysSetUserTempCurDir(int32_t folder)
{
    if (folder < 1 || folder > static_cast<int32_t>(settings().templateFolders().size())) return -1;
    settings().setNumber("UserTempCurDir", folder);
    return 0;
}

int32_t aatSysGetUserTemplete(char* file)
{
    if (!file) return -1;
    mobr::cp932::copyToBuffer(settings().text("UserTemplate"), file, mobr::kHostPathBytes);
    return 0;
}

int32_t aatSysSetUserTemplete(const char* file)
{
    if (!file) return -1;
    const std::size_t length = strnlen(file, mobr::kHostPathBytes);
    // A file name, not a path: no separator, and short enough for a path.
    if (length >= mobr::kHostPathBytes || !SystemFile::isTemplateName(std::string(file, length))) {
        return -1;
    }
    settings().setText("UserTemplate", std::string(file, length));
    return 0;
}

int32_t aatSysFindUtmpFile(const char* file, char* dir)
{
    if (!file || !dir) return -1;
    dir[0] = '\0';
    if (!SystemFile::isTemplateName(file)) return 0;   // a name that would leave every folder
    const auto& folders = settings().templateFolders();
    for (std::size_t i = 0; i < folders.size(); ++i) {
        if (mobr::files::fileExists(mobr::files::resolveFileNameNoCase(folders[i].directory, file))) {
            mobr::cp932::copyToBuffer(folders[i].directory, dir, mobr::kHostPathBytes);
            return static_cast<int32_t>(i + 1);
        }
    }
    return 0;
}

int32_t aagInpInit()
{
    settings().setNumber("Run.InputResets", settings().number("Run.InputResets") + 1);
    return 0;
}

int32_t aagUserTempSetWarMsg(int32_t on) { return setSwitch("UserTempWarnings", on); }

int32_t aagUserTemplateLoad()
{
    const std::string file = settings().text("UserTemplate");
    std::string path;
    if (isSystemFolderTemplate(file)) {
        path = session().systemFile(file);
    } else if (SystemFile::isTemplateName(file)) {
        const int32_t n = settings().integer("UserTempCurDir");
        const auto& folders = settings().templateFolders();
        if (n >= 1 && n <= static_cast<int32_t>(folders.size())) {
            path = mobr::files::resolveFileNameNoCase(folders[static_cast<std::size_t>(n - 1)].directory, file);
        }
    }
    std::string error;
    if (!path.empty() && OptionFile::load(settings(), path, &error)) return 0;
    if (error.empty()) error = (path.empty() ? file : path) + ": the user template cannot be found";
    // Warnings are shown only while they are allowed; the failure is
    // reported by the result either way.
    if (settings().integer("UserTempWarnings") == 1) {
        session().message(error);
        session().showWarning(9001);
    }
    return -1;
}

int32_t aapGetSysFileName(int32_t kind, char* name)
{
    const char* text = sysFileName(kind);
    if (!text || !name) return -1;
    mobr::cp932::copyToBuffer(text, name, mobr::kHostPathBytes);
    return 0;
}

int32_t aapGetSysFileExt(int32_t kind, char* ext)
{
    const char* text = sysFileExt(kind);
    if (!text || !ext) return -1;
    mobr::cp932::copyToBuffer(text, ext, mobr::kHostLabelBytes);
    return 0;
}

int32_t aapLFigRName(int32_t slot, const char* name)
{
    if (slot < 0 || slot >= SystemSettings::kRecentFiles || !name) return -1;
    const std::size_t length = strnlen(name, mobr::kHostPathBytes);
    if (length >= mobr::kHostPathBytes) return -1;
    settings().recentFile(slot).assign(name, length);
    return 0;
}

namespace {

// Splits a host path at its last separator ('/' or a single-byte '\\'):
// the folder with its separator (empty when there is none) and the name.
int32_t cutPath(const char* path, char* dir, char* name)
{
    if (!path || !dir || !name) return -1;
    const std::size_t length = strnlen(path, mobr::kHostPathBytes);
    if (length >= mobr::kHostPathBytes) {
        dir[0] = name[0] = '\0';
        return -1;
    }
    const mobr::cp932::PathParts parts = mobr::cp932::splitPath(std::string_view(path, length));
    const std::string file = parts.fileName();
    std::memcpy(dir, parts.folder.c_str(), parts.folder.size() + 1);
    std::memcpy(name, file.c_str(), file.size() + 1);
    return 0;
}

}  // namespace

int32_t as_FilCutFileName(const char* path, char* dir, char* name) { return cutPath(path, dir, name); }
int32_t as_FilCutFullPath2(const char* path, char* dir, char* name) { return cutPath(path, dir, name); }

void registerFileApi()
{
    MOBR_HOST_IMPLEMENT(as_FilCutFileName);
    MOBR_HOST_IMPLEMENT(as_FilCutFullPath2);
    MOBR_HOST_IMPLEMENT(aatFilCrpath);
    MOBR_HOST_IMPLEMENT(aatCheckOsPlatform);
    MOBR_HOST_IMPLEMENT(aatGetLoginUserTemplete);
    MOBR_HOST_IMPLEMENT(aatSaveIniFile);
    MOBR_HOST_IMPLEMENT(aatLoadIniFile);
    MOBR_HOST_IMPLEMENT(aatUserTemplateCheck);
    MOBR_HOST_IMPLEMENT(aatNewUserTemplateMenuSection);
    MOBR_HOST_IMPLEMENT(aatRemoveUserTemplateMenuSection);
    MOBR_HOST_IMPLEMENT(aatSysGetUserTempDrive);
    MOBR_HOST_IMPLEMENT(aatSysGetWorkDrive);
    MOBR_HOST_IMPLEMENT(aatSysGetFigTempDrive);
    MOBR_HOST_IMPLEMENT(aatDrvGetCount);
    MOBR_HOST_IMPLEMENT(aatDrvGetName);
    MOBR_HOST_IMPLEMENT(aatDrvGetDirectory);
    MOBR_HOST_IMPLEMENT(aatSysDrvGetListMax);
    MOBR_HOST_IMPLEMENT(aatSysGetUserTempCurDir);
    MOBR_HOST_IMPLEMENT(aatSysSetUserTempCurDir);
    MOBR_HOST_IMPLEMENT(aatSysGetUserTemplete);
    MOBR_HOST_IMPLEMENT(aatSysSetUserTemplete);
    MOBR_HOST_IMPLEMENT(aatSysFindUtmpFile);
    MOBR_HOST_IMPLEMENT(aagInpInit);
    MOBR_HOST_IMPLEMENT(aagUserTempSetWarMsg);
    MOBR_HOST_IMPLEMENT(aagUserTemplateLoad);
    MOBR_HOST_IMPLEMENT(aapGetSysFileName);
    MOBR_HOST_IMPLEMENT(aapGetSysFileExt);
    MOBR_HOST_IMPLEMENT(aapLFigRName);
}

}  // namespace mobrhost
