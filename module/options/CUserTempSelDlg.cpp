#include "options/CUserTempSelDlg.h"

#include "frame/HostApi.h"
#include "frame/ModuleLog.h"
#include "mobrdlg/ZqMessageBox.h"
#include "mobrdlg/ZqResources.h"
#include "options/CWorkUserOptDlg.h"
#include "options/RunUserOpSheet.h"
#include "options/TemplateFolders.h"
#include "platform/CodePage.h"
#include "platform/Files.h"
#include "platform/PrivateProfile.h"

namespace {

constexpr int kMsgStandardName = 7052;
constexpr int kMsgDefaultName = 7053;
constexpr int kMsgDelete = 7219;
constexpr int kMsgDeleteCurrent = 7220;
constexpr int kMsgVanished = 7273;
constexpr int kMsgUserStart = 7274;
constexpr int kMsgStart = 7275;
constexpr int kMsgMissing = 7276;
constexpr int kMsgNotDeleted = 7354;
constexpr int kWarningParts[] = {7282, 7283, 7284};
constexpr std::size_t kRecordBytes = 522;

std::string startValue(const char* section, const char* key, const char* fallback)
{
    char value[kRecordBytes] = {};
    GetPrivateProfileStringA(section, key, fallback, value, sizeof value, SystemFilePath("MOBR.SYS").c_str());
    return value;
}

}  // namespace

CUserTempSelDlg::CUserTempSelDlg() : CZqDialog("IDD_S_008", nullptr) {}

int CUserTempSelDlg::StartFolderNumber(const std::string& value, int max)
{
    if (value.empty() || value.size() > 9 || value.find_first_not_of("0123456789") != std::string::npos) return 1;
    const int number = std::stoi(value);
    return number >= 1 && number <= max ? number : 1;
}

bool CUserTempSelDlg::isSystemFile(const std::string& file) const
{
    return mobr::cp932::equalNoCase(file, standardFile_) || mobr::cp932::equalNoCase(file, defaultFile_);
}

std::string CUserTempSelDlg::displayName(const std::string& file) const
{
    if (mobr::cp932::equalNoCase(file, standardFile_)) return GetString(kMsgStandardName);
    if (mobr::cp932::equalNoCase(file, defaultFile_)) return GetString(kMsgDefaultName);
    return templates::stem(file);
}

// The system files lie in the system folder, every other template in its folder.
std::string CUserTempSelDlg::folderOf(const std::string& file, int folder) const
{
    return isSystemFile(file) ? HostSystemFolder() : templates::directory(folder);
}

std::string CUserTempSelDlg::pathOf(const std::string& file, int folder) const
{
    return templates::joinPath(folderOf(file, folder), file);
}

bool CUserTempSelDlg::OnInitDialog()
{
    standardFile_ = templates::systemFileName(1);
    defaultFile_ = templates::systemFileName(3);
    file_ = templates::currentTemplate();
    folder_ = templates::currentFolder();
    if (file_.empty() || !mobr::files::fileExists(pathOf(file_, folder_))) {
        file_ = standardFile_;
        folder_ = 1;
    }
    openedFile_ = file_;
    openedFolder_ = folder_;
    templates::fillFolderList(*this, kFolder, folder_);
    fillTemplates();
    showStartRecord();
    if (hostapi::aatCheckOsPlatform() != 0) {
        ShowItem(kStartCaption, false);
        ShowItem(kStartGroup, false);
    }
    return true;
}

// The folder's templates by name; in the first folder the standard set
// first and the default set (when there is one) second.
void CUserTempSelDlg::fillTemplates()
{
    ResetContent(kTemplates);
    int selection = -1;
    if (folder_ == 1) {
        AddString(kTemplates, GetString(kMsgStandardName));
        if (mobr::files::fileExists(pathOf(defaultFile_, 1))) AddString(kTemplates, GetString(kMsgDefaultName));
        if (mobr::cp932::equalNoCase(file_, standardFile_)) selection = 0;
        else if (mobr::cp932::equalNoCase(file_, defaultFile_)) selection = 1;
    }
    const std::vector<std::string> files = templates::templateFiles(templates::directory(folder_));
    for (const std::string& file : files) {
        const int row = AddString(kTemplates, templates::stem(file));
        if (selection < 0 && mobr::cp932::equalNoCase(file, file_)) selection = row;
    }
    if (GetCount(kTemplates) > 0) SetCurSel(kTemplates, std::max(0, std::min(selection, GetCount(kTemplates) - 1)));
    updateButtons();
}

void CUserTempSelDlg::updateButtons()
{
    const int row = GetCurSel(kTemplates);
    const bool any = GetCount(kTemplates) > 0 && row >= 0;
    EnableItem(kEdit, any);
    EnableItem(IDOK, any);
    EnableItem(kDelete, any && !(folder_ == 1 && row == 0));
    if (!any) {
        file_.clear();
        return;
    }
    const std::string text = GetItemText(kTemplates, row);
    if (folder_ == 1 && text == GetString(kMsgStandardName)) file_ = standardFile_;
    else if (folder_ == 1 && text == GetString(kMsgDefaultName)) file_ = defaultFile_;
    else file_ = text + "." + templates::extension();
}

bool CUserTempSelDlg::OnCommand(int id)
{
    switch (id) {
    case kEdit:
        editTemplate();
        return true;
    case kDelete:
        deleteTemplate();
        return true;
    default:
        return CZqDialog::OnCommand(id);
    }
}

void CUserTempSelDlg::OnSelChange(int id)
{
    if (id == kTemplates) {
        updateButtons();
    } else if (id == kFolder) {
        folder_ = GetCurSel(kFolder) + 1;
        fillTemplates();
    }
}

void CUserTempSelDlg::OnDblClk(int id)
{
    if (id == kTemplates && IsItemEnabled(kEdit)) editTemplate();
}

bool CUserTempSelDlg::OnKeyDown(int id, int key, Qt::KeyboardModifiers)
{
    if (id != kTemplates || key != Qt::Key_Delete || !IsItemEnabled(kDelete)) return false;
    deleteTemplate();
    return true;
}

// The template is loaded into the host and shown in the options dialog,
// which then only edits the template.
void CUserTempSelDlg::editTemplate()
{
    const std::string path = pathOf(file_, folder_);
    if (!mobr::files::fileExists(path)) {
        ZqDlgMessageBox(this, ZQ_MB_OK, 0, kMsgVanished, nullptr);
        return;
    }
    hostapi::aagUserTempSetWarMsg(1);
    hostapi::aatSysSetUserTempCurDir(folder_);
    hostapi::aasSchBaseTableInit();
    hostapi::aatLoadIniFile(1, path.c_str());
    hostapi::aagUserTempSetWarMsg(0);
    hostapi::aatSysSetUserTemplete(file_.c_str());
    hostapi::aatSysSetUserTempCurDir(folder_);
    RunUserOpSheet(0, folderOf(file_, folder_).c_str(), file_.c_str());
    fillTemplates();
    showStartRecord();
}

void CUserTempSelDlg::deleteTemplate()
{
    const int row = GetCurSel(kTemplates);
    if (row < 0) return;
    const bool current = file_ == openedFile_ && folder_ == openedFolder_;
    const int question = current ? kMsgDeleteCurrent : kMsgDelete;
    const std::string shown = displayName(file_);
    if (ZqDlgMessageBox(this, ZQ_MB_YESNO | ZQ_MB_ICONQUESTION, 0, question, shown.c_str()) != ZQ_ID_YES) return;
    const std::string path = pathOf(file_, folder_);
    hostapi::aatRemoveUserTemplateMenuSection(path.c_str(), 1);
    if (mobr::files::deleteFile(path) != 0 && mobr::files::fileExists(path)) {
        qCWarning(lcModule) << "a template could not be deleted:" << path.c_str();
        ZqDlgMessageBox(this, ZQ_MB_OK | ZQ_MB_ICONEXCLAMATION, 0, kMsgNotDeleted, path.c_str());
        return;
    }
    if (current) EnableItem(IDCANCEL, false);
    ResetContent(kTemplates);
    fillTemplates();
    if (GetCount(kTemplates) == 0) {
        // The folder is empty now: back to the standard set of the first folder.
        folder_ = 1;
        SetCurSel(kFolder, 0);
        fillTemplates();
    } else {
        SetCurSel(kTemplates, std::min(row, GetCount(kTemplates) - 1));
        updateButtons();
    }
    SetFocusTo(kTemplates);
    showStartRecord();
}

// Which template the program starts with, and whether it is still there.
void CUserTempSelDlg::showStartRecord()
{
    const int max = hostapi::aatSysDrvGetListMax();
    if (!templates::loginUserMode()) {
        showStart(startValue("Whole", "UserTemp", ""), StartFolderNumber(startValue("File", "UserTempCurDir", "1"), max));
        return;
    }
    const std::string login = templates::loginTemplateFile();
    if (mobr::cp932::equalNoCase(openedFile_, login)) {
        showStart(openedFile_, openedFolder_);
        return;
    }
    const std::string file = startValue("Whole", "UserTemp", "");
    const int folder = StartFolderNumber(startValue("File", "UserTempCurDir", "1"), max);
    if (file == openedFile_ && folder == openedFolder_) {
        showStart(file, folder);
        return;
    }
    char dir[mobr::kHostPathBytes] = {};
    const int found = hostapi::aatSysFindUtmpFile(login.c_str(), dir);
    showStart(login, found > 0 ? found : 1);
}

void CUserTempSelDlg::showStart(const std::string& file, int folder)
{
    SetDlgItemText(kStartCaption, GetString(templates::loginUserMode() ? kMsgUserStart : kMsgStart));
    const std::string dir = folderOf(file, folder);
    const bool folderThere = !dir.empty() && mobr::files::folderExists(dir);
    const bool fileThere = folderThere && !file.empty() && mobr::files::fileExists(templates::joinPath(dir, file));
    const std::string missing = GetString(kMsgMissing);
    const std::string folderName = templates::displayName(folder);
    SetDlgItemText(kStartFolder, folderThere ? folderName : missing + "(" + folderName + ")");
    SetDlgItemText(kStartTemplate, fileThere ? displayName(file) : missing + "(" + displayName(file) + ")");
    std::string warning;
    for (int part : kWarningParts) warning += GetString(part);
    SetDlgItemText(kWarning, warning);
    ShowItem(kWarning, !fileThere);
}

void CUserTempSelDlg::finish(const std::string& file, int folder, int result)
{
    hostapi::aatSysSetUserTemplete(file.c_str());
    hostapi::aatSysSetUserTempCurDir(folder);
    hostapi::aagUserTemplateLoad();
    EndDialog(result);
}

void CUserTempSelDlg::OnOK()
{
    if (!file_.empty()) finish(file_, folder_, ZQ_RESULT_OK);
}

void CUserTempSelDlg::OnCancel()
{
    if (IsItemEnabled(IDCANCEL)) finish(openedFile_, openedFolder_, ZQ_RESULT_CANCEL);
}

void CUserTempSelDlg::OnHelp()
{
    hostapi::aapRunDlgHelp(kHelpTopic);
}
