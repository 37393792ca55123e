#include "model/HostSession.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

#include "model/HostLog.h"
#include "platform/CodePage.h"
#include "platform/Files.h"
#include "store/OptionFile.h"
#include "store/SystemFile.h"

namespace mobrhost {

namespace {

namespace fs = std::filesystem;

// Texts of the host warnings the module may ask for.
std::string warningText(int id)
{
    switch (id) {
    case 9000: return "The settings dialog could not be shown.";
    case 9001: return "The user template could not be loaded.";
    default: return "Host warning " + std::to_string(id) + ".";
    }
}

// Copies every file and folder of `from` that `to` lacks; files already in
// `to` are kept as they are.
void copyMissing(const fs::path& from, const fs::path& to)
{
    std::error_code ec;
    if (!fs::is_directory(from, ec)) return;
    fs::create_directories(to, ec);
    for (const fs::directory_entry& entry : fs::directory_iterator(from, ec)) {
        const fs::path target = to / entry.path().filename();
        if (entry.is_directory(ec)) {
            copyMissing(entry.path(), target);
        } else if (!fs::exists(target, ec)) {
            fs::copy_file(entry.path(), target, ec);
            if (ec) throw std::runtime_error("cannot copy " + entry.path().string() + " to " + target.string());
        }
    }
}

}  // namespace

HostSession& HostSession::instance()
{
    static HostSession session;
    return session;
}

std::string HostSession::systemFile(const std::string& name) const
{
    if (systemFolder_.empty()) return name;
    return mobr::files::resolveFileNameNoCase(systemFolder_, name);
}

short HostSession::currentFigure() const
{
    if (figureSource_) return figureSource_();
    return static_cast<short>(settings_.integer("CurrentFigure"));
}

std::string HostSession::currentTemplatePath() const
{
    const std::string file = settings_.text("UserTemplate");
    if (mobr::cp932::equalNoCase(file, "MOBRSTD.INI") || mobr::cp932::equalNoCase(file, "MOBRDFLT.INI")) {
        return systemFile(file);
    }
    if (!SystemFile::isTemplateName(file)) return std::string();
    const int n = settings_.integer("UserTempCurDir");
    const auto& folders = settings_.templateFolders();
    if (n < 1 || n > static_cast<int>(folders.size())) return std::string();
    return mobr::files::resolveFileNameNoCase(folders[static_cast<std::size_t>(n - 1)].directory, file);
}

void HostSession::redraw(int figure)
{
    journalNote("redraw", {std::to_string(figure)});
    if (listener_) listener_->redraw(figure);
}

void HostSession::attributeDisplay(const std::string& which, int argument)
{
    journalNote("attributeDisplay", {which, std::to_string(argument)});
    if (listener_) listener_->attributeDisplay(which, argument);
}

void HostSession::systemColoursChanged()
{
    journalNote("systemColours", {});
    if (listener_) listener_->systemColoursChanged();
}

void HostSession::toolBarChanged()
{
    journalNote("toolBar", {});
    if (listener_) listener_->toolBarChanged();
}

void HostSession::showHelp(int topic)
{
    journalNote("help", {std::to_string(topic)});
    if (listener_) listener_->showHelp(topic);
}

void HostSession::showWarning(int id)
{
    const std::string text = warningText(id);
    journalNote("warning", {std::to_string(id), runtime::formatText(text.c_str())});
    if (listener_) listener_->showWarning(id, text);
}

void HostSession::message(const std::string& text)
{
    lastMessage_ = text;
    journalNote("message", {runtime::formatText(text.c_str())});
    if (listener_) listener_->showMessage(text);
}

std::string HostSession::defaultSystemFolder()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&HostSession::defaultSystemFolder), &info) == 0 || !info.dli_fname) {
        return std::string();
    }
    return (fs::path(info.dli_fname).parent_path() / "system").string() + "/";
}

void HostSession::reset(const HostStart& start)
{
    settings_ = SystemSettings();
    lastMessage_.clear();
    systemFolder_.clear();
    if (start.systemFolder.empty()) return;

    std::string folder = mobr::cp932::toNativePath(start.systemFolder);
    if (folder.back() != '/') folder += '/';
    if (folder.size() >= mobr::kHostPathBytes - 16) throw std::runtime_error("the system folder path is too long");
    copyMissing(defaultSystemFolder(), folder);
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) throw std::runtime_error("cannot create the system folder " + folder);
    systemFolder_ = folder;
    qCDebug(lcHost) << "system folder" << folder.c_str();
    settings_.setDefaultFolders(folder);

    std::string error;
    const std::string sysFile = systemFile(SystemFile::kName);
    if (mobr::files::fileExists(sysFile) && !SystemFile::load(settings_, folder, sysFile, &error)) message(error);
    for (const auto* list : {&settings_.templateFolders(), &settings_.workFolders(), &settings_.figTempFolders()}) {
        for (const FolderEntry& entry : *list) {
            if (entry.directory.compare(0, folder.size(), folder) == 0) fs::create_directories(entry.directory, ec);
        }
    }
    const std::string file = settings_.text("UserTemplate");
    if (!SystemFile::isTemplateName(file)) message(file + ": not a template name (a template is named without folders)");
    const std::string path = currentTemplatePath();
    if (!path.empty() && mobr::files::fileExists(path) && !OptionFile::load(settings_, path, &error)) message(error);
}

}  // namespace mobrhost
