#include "options/CPrintItemDlg.h"

#include <unistd.h>

#include <QListWidget>

#include "frame/HostApi.h"
#include "options/HostText.h"
#include "mobrdlg/ZqFileDialog.h"
#include "mobrdlg/ZqMessageBox.h"
#include "mobrdlg/ZqResources.h"
#include "options/UserOpPrintItem.h"
#include "platform/CodePage.h"
#include "platform/Files.h"

namespace {

constexpr int kMsgPathTooLong = 7213;
constexpr int kMsgNoFileName = 7216;
constexpr int kMsgReadOnly = 7217;
constexpr int kMsgFilter = 7093;
constexpr int kMsgBrowseTitle = 7094;
constexpr std::size_t kMaxPathChars = 520;

// The work directory: the first entry of the host's work list.
std::string workDirectory()
{
    void* drive = hostapi::aatSysGetWorkDrive();
    if (!drive || hostapi::aatDrvGetCount(drive) == 0) return std::string();
    char path[mobr::kHostPathBytes] = {};
    hostapi::aatDrvGetDirectory(drive, 1, path);
    return HostBufferText(path);
}

// The directory and file-name parts of a path, as the host splits it.
void splitPath(const std::string& path, std::string& dir, std::string& name)
{
    char dirBuffer[mobr::kHostPathBytes] = {};
    char nameBuffer[mobr::kHostPathBytes] = {};
    const std::string bounded = mobr::cp932::cut(path, mobr::kHostPathBytes - 1);
    hostapi::as_FilCutFullPath2(bounded.c_str(), dirBuffer, nameBuffer);
    dir = HostBufferText(dirBuffer);
    name = HostBufferText(nameBuffer);
}

bool hasDefaultPrinter()
{
    unsigned char info[mobr::kHostPrinterInfoBytes] = {};
    return hostapi::aatDevPrnDefInfo(info) == 0;
}

bool isReadOnlyFile(const std::string& hostPath)
{
    const std::string path = mobr::files::nativePath(hostPath);
    return !path.empty() && mobr::files::fileExists(hostPath) && access(path.c_str(), W_OK) != 0;
}

}  // namespace

CPrintItemDlg::CPrintItemDlg(CUserOpPrintItem& model, QWidget* parent)
    : CZqDialog("IDD_S_025", parent), model_(model), destination_(CUserOpPrintItem::kPrinter)
{
    model_.SetDestination(CUserOpPrintItem::kPrinter);
    model_.SetPath(workDirectory());
}

bool CPrintItemDlg::OnInitDialog()
{
    SetDlgItemText(kTitle, model_.GetTitle());
    SetDlgItemText(kFolder, model_.GetFolder());
    SetDlgItemText(kPath, model_.GetPath());
    SetLimitText(kPath, static_cast<int>(kMaxPathChars));
    fillItems();
    if (!hasDefaultPrinter()) {
        destination_ = CUserOpPrintItem::kTextFile;
        EnableItem(kPrinter, false);
    }
    CheckRadioButton(kPrinter, kTextFile, destination_ == CUserOpPrintItem::kPrinter ? kPrinter : kTextFile);
    const bool file = destination_ == CUserOpPrintItem::kTextFile;
    EnableItem(kPath, file);
    EnableItem(kBrowse, file);
    updateOk();
    return true;
}

// One check box per item; an item that comes unchecked cannot be picked.
void CPrintItemDlg::fillItems()
{
    auto* list = item<QListWidget>(kItems);
    if (!list) return;
    list->clear();
    for (int i = 0; i < model_.GetCount(); ++i) {
        auto* row = new QListWidgetItem(mobr::cp932::toQString(model_.GetItemName(i)), list);
        const bool checked = model_.GetCheck(i) != 0;
        row->setFlags(checked ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable : Qt::NoItemFlags);
        row->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
    if (list->count() > 0) list->setCurrentRow(0);
}

bool CPrintItemDlg::OnCommand(int id)
{
    switch (id) {
    case kPrinter:
        chooseDestination(CUserOpPrintItem::kPrinter);
        return true;
    case kTextFile:
        chooseDestination(CUserOpPrintItem::kTextFile);
        return true;
    case kBrowse:
        if (destination_ == CUserOpPrintItem::kTextFile) browse();
        return true;
    default:
        return CZqDialog::OnCommand(id);
    }
}

void CPrintItemDlg::chooseDestination(int destination)
{
    if (destination == destination_) return;
    destination_ = destination;
    const bool file = destination == CUserOpPrintItem::kTextFile;
    EnableItem(kPath, file);
    EnableItem(kBrowse, file);
    updateOk();
}

void CPrintItemDlg::OnEditChange(int id)
{
    if (id == kPath) updateOk();
}

// Space in the list turns the current item's check box.
bool CPrintItemDlg::OnKeyDown(int id, int key, Qt::KeyboardModifiers modifiers)
{
    if (id != kItems || key != Qt::Key_Space || modifiers != Qt::NoModifier) return false;
    toggleCurrentItem();
    return true;
}

void CPrintItemDlg::toggleCurrentItem()
{
    auto* list = item<QListWidget>(kItems);
    QListWidgetItem* row = list ? list->currentItem() : nullptr;
    if (!row || !(row->flags() & Qt::ItemIsUserCheckable)) return;
    row->setCheckState(row->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

bool CPrintItemDlg::pathHasFileName() const
{
    std::string dir;
    std::string name;
    splitPath(GetDlgItemText(kPath), dir, name);
    return !name.empty();
}

void CPrintItemDlg::updateOk()
{
    EnableItem(IDOK, destination_ == CUserOpPrintItem::kPrinter || pathHasFileName());
}

void CPrintItemDlg::browse()
{
    std::string dir;
    std::string name;
    splitPath(GetDlgItemText(kPath), dir, name);
    std::string chosen;
    if (!ZqFileDialog(this, false, GetString(kMsgFilter), dir, name.empty() ? "*.txt" : name, chosen,
                      GetString(kMsgBrowseTitle)))
        return;
    if (chosen.size() > kMaxPathChars) {
        ZqDlgWarningBox(this, kMsgPathTooLong);
        return;
    }
    SetDlgItemText(kPath, chosen);
    updateOk();
}

void CPrintItemDlg::OnHelp()
{
    hostapi::aapRunDlgHelp(kHelpTopic);
}

void CPrintItemDlg::OnOK()
{
    const std::string path = GetDlgItemText(kPath);
    if (destination_ == CUserOpPrintItem::kTextFile) {
        if (!pathHasFileName()) {
            ZqDlgWarningBox(this, kMsgNoFileName);
            return;
        }
        if (isReadOnlyFile(path)) {
            ZqDlgWarningBox(this, kMsgReadOnly);
            return;
        }
    }
    if (auto* list = item<QListWidget>(kItems))
        for (int i = 0; i < list->count() && i < model_.GetCount(); ++i)
            model_.SetCheck(i, list->item(i)->checkState() == Qt::Checked ? 1 : 0);
    model_.SetDestination(destination_);
    model_.SetPath(path);
    EndDialog(ZQ_RESULT_OK);
}
