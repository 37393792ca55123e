#include "store/SystemFile.h"

#include <cmath>

#include "platform/CodePage.h"
#include "platform/Files.h"
#include "platform/ProfileBatch.h"
#include "store/IniReader.h"

namespace mobrhost {

namespace {

// The folder lists of the system file: section "File", keys <prefix>Count,
// <prefix>Dir<n>, <prefix>Name<n>.
const char* const kListPrefixes[] = {"TemplateFolder", "WorkFolder", "FigTempFolder"};

std::vector<FolderEntry>& listOf(SystemSettings& s, int which)
{
    return which == 0 ? s.templateFolders() : which == 1 ? s.workFolders() : s.figTempFolders();
}
const std::vector<FolderEntry>& listOf(const SystemSettings& s, int which)
{
    return which == 0 ? s.templateFolders() : which == 1 ? s.workFolders() : s.figTempFolders();
}

constexpr int kMaxFolders = 10;

std::string relativeTo(const std::string& folder, const std::string& systemFolder)
{
    if (!systemFolder.empty() && folder.compare(0, systemFolder.size(), systemFolder) == 0) {
        return folder.substr(systemFolder.size());
    }
    return folder;
}

// True when a folder text has a ".." component.
bool climbs(const std::string& folder)
{
    std::size_t start = 0;
    while (start <= folder.size()) {
        const std::size_t slash = folder.find('/', start);
        const std::size_t end = slash == std::string::npos ? folder.size() : slash;
        if (folder.compare(start, end - start, "..") == 0) return true;
        if (slash == std::string::npos) break;
        start = slash + 1;
    }
    return false;
}

std::string absoluteFrom(std::string folder, const std::string& systemFolder)
{
    if (folder.empty() || folder.back() != '/') folder += '/';
    if (folder[0] != '/') folder = systemFolder + folder;
    return folder;
}

bool readInto(SystemSettings& s, const std::string& systemFolder, const std::string& path, std::string& problem)
{
    if (!mobr::files::fileExists(path)) {
        problem = "the file does not exist";
        return false;
    }
    IniReader ini(path);
    if (!ini.hasSection("File") || !ini.hasSection("Whole")) {
        problem = "it is not a system settings file (sections [File] and [Whole] are missing)";
        return false;
    }
    bool bad = false;
    if (const auto dir = ini.number("File", "UserTempCurDir", &bad)) {
        // Brought into the folder list below; a fraction is not a folder.
        s.setNumber("UserTempCurDir", std::floor(*dir) == *dir && *dir >= 1 && *dir <= kMaxFolders ? *dir : 1);
    } else if (bad) {
        // The start-up record is read by others as one character; a value
        // that is not a number is taken as folder 1, as they take it.
        s.setNumber("UserTempCurDir", 1);
        bad = false;
    }
    if (const auto temp = ini.value("Whole", "UserTemp")) {
        if (temp->size() >= 520) {
            problem = "[Whole] UserTemp is longer than a path";
            return false;
        }
        if (!temp->empty() && !SystemFile::isTemplateName(*temp)) {
            problem = "[Whole] UserTemp is not a file name (a template is named without folders)";
            return false;
        }
        if (!temp->empty()) s.setText("UserTemplate", *temp);
    }
    for (int which = 0; which < 3; ++which) {
        const std::string prefix = kListPrefixes[which];
        const auto count = ini.number("File", prefix + "Count", &bad);
        if (bad || (count && (*count < 1 || *count > kMaxFolders || std::floor(*count) != *count))) {
            problem = "[File] " + prefix + "Count is not a number from 1 to " + std::to_string(kMaxFolders);
            return false;
        }
        if (!count) continue;
        std::vector<FolderEntry> list;
        for (int i = 1; i <= static_cast<int>(*count); ++i) {
            const auto dir = ini.value("File", prefix + "Dir" + std::to_string(i));
            if (!dir || dir->empty() || dir->size() >= 500) {
                problem = "[File] " + prefix + "Dir" + std::to_string(i) + " is missing or too long";
                return false;
            }
            // A folder below the system folder stays below it; an absolute
            // folder is one the user configured and must be a folder.
            const std::string native = mobr::cp932::toNativePath(*dir);
            if (climbs(native) || (native[0] == '/' && !mobr::files::folderExists(native))) {
                problem = "[File] " + prefix + "Dir" + std::to_string(i) +
                          " leaves the system folder (\"..\") or is an absolute path that names no folder";
                return false;
            }
            list.push_back({ini.value("File", prefix + "Name" + std::to_string(i)).value_or(""),
                            absoluteFrom(*dir, systemFolder)});
        }
        listOf(s, which) = list;
    }
    for (int slot = 0; slot < SystemSettings::kRecentFiles; ++slot) {
        s.recentFile(slot) = ini.value("Recent", "File" + std::to_string(slot)).value_or("");
    }
    std::vector<std::string> menu;
    for (const std::string& k : ini.keys("TemplateMenu")) {
        if (auto v = ini.value("TemplateMenu", k); v && !v->empty()) menu.push_back(*v);
    }
    s.templateMenu() = menu;
    const int current = s.integer("UserTempCurDir");
    if (current < 1 || current > static_cast<int>(s.templateFolders().size())) s.setNumber("UserTempCurDir", 1);
    return true;
}

}  // namespace

bool SystemFile::save(const SystemSettings& s, const std::string& systemFolder, const std::string& path,
                      std::string* error)
{
    mobr::ProfileBatch batch(path);
    batch.write("File", "UserTempCurDir", std::to_string(s.integer("UserTempCurDir")).c_str());
    batch.write("Whole", "UserTemp", s.text("UserTemplate").c_str());
    for (int which = 0; which < 3; ++which) {
        const std::string prefix = kListPrefixes[which];
        const std::vector<FolderEntry>& list = listOf(s, which);
        batch.write("File", (prefix + "Count").c_str(), std::to_string(list.size()).c_str());
        for (std::size_t i = 0; i < list.size(); ++i) {
            const std::string n = std::to_string(i + 1);
            batch.write("File", (prefix + "Dir" + n).c_str(), relativeTo(list[i].directory, systemFolder).c_str());
            batch.write("File", (prefix + "Name" + n).c_str(), list[i].name.c_str());
        }
    }
    batch.write("Recent", nullptr, nullptr);
    for (int slot = 0; slot < SystemSettings::kRecentFiles; ++slot) {
        if (!s.recentFile(slot).empty()) {
            batch.write("Recent", ("File" + std::to_string(slot)).c_str(), s.recentFile(slot).c_str());
        }
    }
    batch.write("TemplateMenu", nullptr, nullptr);
    for (std::size_t i = 0; i < s.templateMenu().size(); ++i) {
        batch.write("TemplateMenu", ("Item" + std::to_string(i + 1)).c_str(), s.templateMenu()[i].c_str());
    }
    if (!batch.commit()) {
        if (error) *error = path + ": the system settings file could not be written";
        return false;
    }
    return true;
}

bool SystemFile::isTemplateName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.size() < 260 &&
           name.find('\0') == std::string::npos && mobr::cp932::findChar(name, '/') == std::string::npos &&
           mobr::cp932::findChar(name, '\\') == std::string::npos &&
           !(name.size() >= 2 && name[1] == ':');
}

bool SystemFile::load(SystemSettings& settings, const std::string& systemFolder, const std::string& path,
                      std::string* error)
{
    SystemSettings copy = settings;
    std::string problem;
    if (!readInto(copy, systemFolder, path, problem)) {
        if (error) *error = path + ": " + problem;
        return false;
    }
    settings = copy;
    return true;
}

}  // namespace mobrhost
