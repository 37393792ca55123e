#include "options/CUserTempSaveDlg.h"

#include <QComboBox>

#include "frame/HostApi.h"
#include "frame/ModuleLog.h"
#include "mobrdlg/ZqMessageBox.h"
#include "mobrdlg/ZqResources.h"
#include "optionpages/CUserOpPage.h"
#include "options/CWorkUserOptDlg.h"
#include "options/TemplateFolders.h"
#include "platform/CodePage.h"
#include "platform/Files.h"

namespace {

constexpr int kMsgReplace = 7201;
constexpr int kMsgReplaceOtherCase = 7202;
constexpr int kMsgReservedName = 7203;
constexpr int kMsgEmpty = 7223;
constexpr int kMsgBlank = 7240;
constexpr int kMsgDefaultOutsideFirst = 7272;
constexpr int kMsgStandardName = 7052;
constexpr int kMsgDefaultName = 7053;
constexpr int kMsgRefusedChar = 7352;
constexpr int kMsgNotSaved = 7353;
constexpr int kNameLimit = 250;
constexpr int kShortLimit = 8;
constexpr const char* kDefaultFile = "MOBRDFLT.INI";
constexpr UserOpSlot kSelfWriting[] = {kSlotGeneral, kSlotOperation, kSlotPointModes, kSlotDimension};

// The first row beginning with `prefix`, ignoring case; -1 when none does.
int findPrefix(const CZqWindow& window, int control, const std::string& prefix)
{
    for (int i = 0; i < window.GetCount(control); ++i) {
        const std::string row = window.GetItemText(control, i);
        if (row.size() >= prefix.size() && mobr::cp932::equalNoCase(row.substr(0, prefix.size()), prefix)) return i;
    }
    return -1;
}

}  // namespace

CUserTempSaveDlg::CUserTempSaveDlg(QWidget* parent, const UserOpPages& pages, CUserOpApplyLog& log,
                                   std::string file, std::string folder)
    : CZqDialog("IDD_S_007", parent), pages_(pages), log_(log), file_(std::move(file)), folder_(std::move(folder))
{
}

bool CUserTempSaveDlg::OnInitDialog()
{
    // The name is taken as typed: completing it from the list would turn
    // "plan" into a listed "Plan" and ask the wrong question.
    if (auto* names = item<QComboBox>(kName)) names->setCompleter(nullptr);
    templates::fillFolderList(*this, kFolder, templates::currentFolder());
    fillNames();
    return true;
}

void CUserTempSaveDlg::OnSelChange(int id)
{
    if (id == kFolder) fillNames();
}

// The folder's templates by name (the login user's own first, in the first
// folder), one selected, and the name limited so that the path fits.
void CUserTempSaveDlg::fillNames()
{
    ResetContent(kName);
    if (selectedFolder() == 1 && templates::loginUserMode())
        AddString(kName, templates::stem(templates::loginTemplateFile()));
    const std::string dir = templates::directory(selectedFolder());
    const std::vector<std::string> files = templates::templateFiles(dir);
    for (const std::string& file : files) AddString(kName, templates::stem(file));
    selectName(!files.empty());
    const int limit = kNameLimit - static_cast<int>(dir.size());
    SetLimitText(kName, limit < 1 ? kShortLimit : limit);
}

void CUserTempSaveDlg::selectName(bool foundTemplates)
{
    int selection = -1;
    if (foundTemplates) {
        selection = std::max(0, findPrefix(*this, kName, templates::stem(file_)));
    } else if (hostapi::aatCheckOsPlatform() != 0) {
        selection = findPrefix(*this, kName, templates::stem(templates::systemFileName(1)));
    }
    if (hostapi::aatCheckOsPlatform() == 0 && hostapi::aatSysGetLoginUser() == 1 &&
        mobr::cp932::equalNoCase(file_, templates::systemFileName(1))) {
        const std::string login = templates::stem(templates::loginTemplateFile());
        selection = findPrefix(*this, kName, login);
        if (selection < 0) selection = AddString(kName, login);
    }
    SetCurSel(kName, std::max(0, selection));
}

bool CUserTempSaveDlg::refuseName(int messageId, const char* argument)
{
    ZqDlgMessageBox(this, ZQ_MB_OK | ZQ_MB_ICONEXCLAMATION, 0, messageId, argument);
    SetFocusTo(kName);
    SelectAllText(kName);
    return false;
}

bool CUserTempSaveDlg::confirmOverwrite(int messageId, const std::string& name)
{
    return ZqDlgMessageBox(this, ZQ_MB_YESNO | ZQ_MB_ICONQUESTION, 0, messageId, name.c_str()) == ZQ_ID_YES;
}

std::string CUserTempSaveDlg::fileForName(const std::string& name)
{
    if (name.empty()) return refuseName(kMsgEmpty), std::string();
    if (name.find_first_not_of(' ') == std::string::npos) return refuseName(kMsgBlank), std::string();
    if (mobr::cp932::equalNoCase(name, GetString(kMsgDefaultName))) {
        if (selectedFolder() != 1) return refuseName(kMsgDefaultOutsideFirst), std::string();
        return templates::systemFileName(3);
    }
    const std::string login = templates::loginUserMode() ? templates::loginTemplateFile() : std::string();
    if (!login.empty() && mobr::cp932::equalNoCase(name, templates::stem(login))) {
        const bool exists = mobr::files::fileExists(templates::joinPath(templates::directory(selectedFolder()), login));
        return !exists || confirmOverwrite(kMsgReplace, name) ? login : std::string();
    }
    for (int i = 0; i < GetCount(kName); ++i) {
        const std::string row = GetItemText(kName, i);
        if (!mobr::cp932::equalNoCase(row, name)) continue;
        if (!confirmOverwrite(row == name ? kMsgReplace : kMsgReplaceOtherCase, name)) return std::string();
        break;
    }
    if (name == GetString(kMsgStandardName)) return refuseName(kMsgReservedName), std::string();
    const std::string refused = templates::refusedCharacter(name);
    if (!refused.empty()) return refuseName(kMsgRefusedChar, refused.c_str()), std::string();
    return mobr::cp932::cut(name, templates::kMaxStemBytes) + "." + templates::extension();
}

// The default option file lies in the system folder with the other system
// files; every other template in the folder chosen.
std::string CUserTempSaveDlg::pathOf(const std::string& file) const
{
    if (mobr::cp932::equalNoCase(file, kDefaultFile)) return templates::joinPath(HostSystemFolder(), file);
    return templates::joinPath(templates::directory(selectedFolder()), file);
}

void CUserTempSaveDlg::OnOK()
{
    const std::string file = fileForName(GetDlgItemText(kName));
    if (file.empty()) return;
    for (UserOpSlot slot : kSelfWriting)
        if (CUserOpPage* page = pages_.at(slot)) page->ApplyToHost(log_);
    ApplyUserOpValues(pages_, log_);
    const std::string path = pathOf(file);
    if (hostapi::aatSaveIniFile(1, path.c_str()) != 0) {
        qCWarning(lcModule) << "the template could not be saved:" << path.c_str();
        refuseName(kMsgNotSaved, path.c_str());
        return;
    }
    saved_ = true;
    savedPath_ = path;
    if (file != file_ || templates::currentFolder() != selectedFolder())
        hostapi::aatNewUserTemplateMenuSection(path.c_str());
    EndDialog(ZQ_RESULT_OK);
}

void CUserTempSaveDlg::OnHelp()
{
    hostapi::aapRunDlgHelp(kHelpTopic);
}
