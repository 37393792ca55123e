#include "atrcnv/CCnvSettingPage.h"

#include <QPushButton>
#include <QTreeWidget>

#include "atrcnv/CAtrCnvFile.h"
#include "atrcnv/CAtrCnvSheet.h"
#include "atrcnv/CnvPageRules.h"
#include "frame/HostApi.h"
#include "frame/ModuleLog.h"
#include "mobr/host_types.h"
#include "mobrdata/FileZq.h"
#include "mobrdlg/ZqFileDialog.h"
#include "mobrdlg/ZqMessageBox.h"
#include "mobrdlg/ZqResources.h"
#include "mobrdlg/ZqWaitCursor.h"
#include "platform/CodePage.h"
#include "platform/Files.h"

namespace {

constexpr int kPreviewColumnTitles[3][5] = {
    {7157, 7168, 7162, 7169, 7164},  // pens
    {7165, 7168, 7169, 0, 0},        // widths
    {7171, 7168, 7174, 0, 0},        // colours
};
constexpr double kPreviewColumnPercent[3][5] = {
    {15, 5, 15, 15, 15},
    {15, 10, 15, 0, 0},
    {15, 10, 15, 0, 0},
};
constexpr const char* kArrow = "->";
constexpr const char* kDefinitionExtension = "fac";

const int kDefinitionControls[] = {CCnvSettingPage::kPreviewList,  CCnvSettingPage::kPreviewPens,
                                   CCnvSettingPage::kPreviewWidths, CCnvSettingPage::kPreviewColours,
                                   CCnvSettingPage::kDefinitionLabel, CCnvSettingPage::kUseDefinitionReference,
                                   CCnvSettingPage::kPreviewLabel, CCnvSettingPage::kExecute};
const int kReferenceControls[] = {CCnvSettingPage::kSaveAs, CCnvSettingPage::kMergeLabel,
                                  CCnvSettingPage::kMergeNote, CCnvSettingPage::kSaveLabel};

}  // namespace

const std::vector<ZqField>& CCnvSettingPage::fieldTable()
{
    static const std::vector<ZqField> fields = {
        ZqField::check(kItemMergePens, kMergePens),
        ZqField::check(kItemMergeWidths, kMergeWidths),
        ZqField::check(kItemMergeColours, kMergeColours),
        ZqField::check(kItemUseDefinitionReference, kUseDefinitionReference).withInitial(1),
        ZqField::radio(kItemPreviewKind, kPreviewPens, kPreviewColours),
        ZqField::text(kItemDefinitionText, kDefinitionText, mobr::kHostPathBytes - 1).displayOnly(),
        ZqField::text(kItemReferencePath, kReferencePath, mobr::kHostPathBytes - 1).displayOnly(),
        ZqField::text(kItemDefinitionReference, kDefinitionReference, mobr::kHostPathBytes - 1).displayOnly(),
    };
    return fields;
}

CCnvSettingPage::CCnvSettingPage(CAtrCnvSheet& sheet)
    : CZqPropertyPage("IDD_ATRCNVP_001"), CZqFieldLink(fieldTable()), sheet_(sheet)
{
}

CCnvSettingPage::~CCnvSettingPage() = default;

const std::string& CCnvSettingPage::referencePath() const
{
    return textOf(kReferencePath);
}

const std::string& CCnvSettingPage::textOf(int control) const
{
    return fieldSet().text(*fieldSet().byControl(control));
}

void CCnvSettingPage::setText(int control, const std::string& text)
{
    const ZqField& field = *fieldSet().byControl(control);
    fieldSet().setText(field, text);
    if (binder_) binder_->show(field);
}

void CCnvSettingPage::takeControls()
{
    // Check boxes and radios cannot fail their checks: this only stores them.
    if (binder_) binder_->checkAll();
}

int CCnvSettingPage::message(int id)
{
    return ZqDlgMessageBox(this, ZQ_MB_ICONEXCLAMATION, 0, id, nullptr);
}

// ---- Opening ------------------------------------------------------------------

bool CCnvSettingPage::OnInitDialog()
{
    if (!preview_.SubclassListCtrl(kPreviewList, this)) return false;
    preview_.SetExtendedStyle(preview_.GetExtendedStyle() | CZqListCtrl::LVS_EX_FULLROWSELECT |
                              CZqListCtrl::LVS_EX_HEADERDRAGDROP);
    binder_ = std::make_unique<CZqFieldBinder>(*this, fieldSet());
    binder_->attach();

    historyFile_ = CAtrCnvFile::historyFilePath();
    automaticFile_ = CAtrCnvFile::automaticFilePath();
    CAtrCnvFile(historyFile_).readHistory(referenceHistory_, definitionHistory_);
    savedReferenceHistory_ = referenceHistory_;
    savedDefinitionHistory_ = definitionHistory_;
    showPreview(kPreviewPenEntries);  // the columns, without rows until a definition is chosen
    updateEnabling();
    return true;
}

void CCnvSettingPage::updateEnabling()
{
    const bool definitionChosen = !definitionPath_.empty();
    const bool referenceLoaded = !referencePath().empty();
    for (int id : kDefinitionControls) EnableItem(id, definitionChosen);
    for (int id : kReferenceControls) EnableItem(id, referenceLoaded);
    CAtrCnvTargets& targets = sheet_.targets();
    EnableItem(kMergePens, referenceLoaded && !targets.penTableFull());
    EnableItem(kMergeWidths, referenceLoaded && !targets.widthTableFull());
    EnableItem(kMergeColours, referenceLoaded && !targets.colourTableFull());
}

// ---- Commands -----------------------------------------------------------------

bool CCnvSettingPage::OnCommand(int id)
{
    switch (id) {
    case kDefinitionMenu: showPopup(kDefinitionMenu, definitionMenu()); return true;
    case kReferenceMenu: showPopup(kReferenceMenu, referenceMenu()); return true;
    case kPreviewPens:
    case kPreviewWidths:
    case kPreviewColours:
        takeControls();
        showPreview(id - kPreviewPens);
        return true;
    case kExecute: execute(); return true;
    case kSaveAs: saveAs(); return true;
    default: break;
    }
    if (id >= kCmdBrowseDefinition && id <= kCmdLastDefinition) {
        onDefinitionCommand(id);
        return true;
    }
    if (id >= kCmdBrowseReference && id <= kCmdLastReference) {
        onReferenceCommand(id);
        return true;
    }
    return CZqPropertyPage::OnCommand(id);
}

void CCnvSettingPage::showPopup(int button, const std::vector<ZqMenuItem>& items)
{
    QWidget* anchor = GetDlgItem(button);
    const QPoint where = anchor ? anchor->mapToGlobal(anchor->rect().bottomLeft()) : QPoint();
    const int chosen = ZqPopupMenu(this, items, where);
    if (chosen != 0) OnCommand(chosen);
}

std::vector<ZqMenuItem> CCnvSettingPage::definitionMenu() const
{
    const bool automaticUsable = !automaticFile_.empty() && mobr::files::fileExists(automaticFile_) &&
                                 CAtrCnvFile(automaticFile_).checkVersion() == 1;
    std::vector<ZqMenuItem> items = {
        {kCmdBrowseDefinition, GetString(kStrBrowse)},
        {kCmdAutomaticDefinition, GetString(kStrAutomatic) + "(&B)", automaticUsable},
    };
    if (!definitionHistory_.empty()) items.push_back({});
    for (int k = 0; k < int(definitionHistory_.size()); ++k)
        items.push_back({kCmdFirstDefinitionHistory + k, cnvrules::historyMenuLabel(k, definitionHistory_[k])});
    return items;
}

std::vector<ZqMenuItem> CCnvSettingPage::referenceMenu() const
{
    std::vector<ZqMenuItem> items = {{kCmdBrowseReference, GetString(kStrBrowse)}};
    if (!referenceHistory_.empty()) items.push_back({});
    for (int k = 0; k < int(referenceHistory_.size()); ++k)
        items.push_back({kCmdFirstReferenceHistory + k, cnvrules::historyMenuLabel(k, referenceHistory_[k])});
    return items;
}

// ---- Definition files -----------------------------------------------------------

void CCnvSettingPage::onDefinitionCommand(int id)
{
    if (id == kCmdBrowseDefinition) {
        std::string path;
        if (!browseDefinition(path)) return;
        if (!chooseDefinition(path, path)) {
            message(kMsgBadDefinition);
            return;
        }
        CAtrCnvFile::addToHistory(definitionHistory_, path);
    } else if (id == kCmdAutomaticDefinition) {
        if (!chooseDefinition(automaticFile_, "(" + GetString(kStrAutomatic) + ") " + automaticFile_)) {
            message(kMsgBadDefinition);
            return;
        }
    } else {
        const int k = id - kCmdFirstDefinitionHistory;
        if (k >= int(definitionHistory_.size())) return;
        const std::string path = definitionHistory_[k];
        if (!chooseDefinition(path, path)) {
            ZqDlgWarningBox(this, kMsgBadDefinition);
            return;
        }
        CAtrCnvFile::addToHistory(definitionHistory_, path);
    }
    definitionChosen();
}

bool CCnvSettingPage::browseDefinition(std::string& path)
{
    std::string folder, name;
    const bool fromChosen = !definitionPath_.empty() && textOf(kDefinitionText).rfind('(', 0) != 0;
    if (fromChosen) {
        char dir[mobr::kHostPathBytes] = {}, file[mobr::kHostPathBytes] = {};
        hostapi::as_FilCutFullPath2(definitionPath_.c_str(), dir, file);
        folder = dir;
        name = file;
    } else {
        folder = startFolder();
    }
    return ZqFileDialog(this, true, GetString(kStrDefinitionFilter), folder, name, path,
                        GetString(kStrDefinitionTitle));
}

bool CCnvSettingPage::chooseDefinition(const std::string& path, const std::string& shownText)
{
    if (path.empty() || CAtrCnvFile(path).checkVersion() != 1) return false;
    definitionPath_ = path;
    setText(kDefinitionText, shownText);
    return true;
}

void CCnvSettingPage::definitionChosen()
{
    fieldSet().setValueOf(kPreviewPens, kPreviewPenEntries);
    if (binder_) binder_->showAll();
    updateEnabling();
    showPreview(kPreviewPenEntries);
    setText(kDefinitionReference, CAtrCnvFile(definitionPath_).readReferenceFile());
}

void CCnvSettingPage::fillPreviewColumns(const std::vector<std::pair<int, double>>& columns)
{
    QTreeWidget* tree = preview_.tree();
    std::vector<std::string> titles;
    for (const auto& column : columns) titles.push_back(GetString(column.first));
    preview_.SetColumnString(titles);
    // Before the page is laid out the list has only its designed width.
    const int clientWidth = std::max(tree->minimumWidth(), tree->width()) - 2 * tree->frameWidth();
    for (int i = 0; i < int(columns.size()); ++i)
        tree->setColumnWidth(i, static_cast<int>(clientWidth / 100.0 * columns[i].second));
    if (columns.size() > 1) tree->headerItem()->setTextAlignment(1, Qt::AlignHCenter);
}

void CCnvSettingPage::showPreview(int kind)
{
    if (!preview_.tree() || kind < 0 || kind > 2) return;
    preview_.ResetContent();
    std::vector<std::pair<int, double>> columns;
    for (int i = 0; i < 5 && kPreviewColumnTitles[kind][i]; ++i)
        columns.emplace_back(kPreviewColumnTitles[kind][i], kPreviewColumnPercent[kind][i]);
    fillPreviewColumns(columns);
    if (definitionPath_.empty()) return;

    const CAtrCnvFile file(definitionPath_);
    if (kind == kPreviewPenEntries) {
        std::vector<atrcnv::PenEntry> entries;
        file.readPenEntries(entries);
        const std::string none = GetString(kStrNoColour);
        for (const auto& e : entries) {
            const std::string colour = CAtrCnvFile::isPenColourGiven(e.targetColour) ? e.targetColour : none;
            preview_.AddString({e.sourcePen, kArrow, e.targetPen, e.targetWidth, colour});
        }
        return;
    }
    std::vector<atrcnv::NameEntry> entries;
    if (kind == kPreviewWidthEntries) file.readWidthEntries(entries);
    else file.readColourEntries(entries);
    for (const auto& e : entries) preview_.AddString({e.source, kArrow, e.target});
}

// ---- Reference figures ----------------------------------------------------------

std::string CCnvSettingPage::startFolder() const
{
    char dir[mobr::kHostPathBytes] = {};
    void* drives = hostapi::aatSysGetFigTempDrive();
    if (drives && hostapi::aatDrvGetDirectory(drives, 1, dir) != 0) return dir;
    return mobr::files::currentDirectory();
}

void CCnvSettingPage::onReferenceCommand(int id)
{
    if (id == kCmdBrowseReference) {
        std::string folder = startFolder(), name, path;
        if (!referencePath().empty()) {
            char dir[mobr::kHostPathBytes] = {}, file[mobr::kHostPathBytes] = {};
            hostapi::as_FilCutFullPath2(referencePath().c_str(), dir, file);
            folder = dir;
            name = file;
        }
        ZqFileDialogOptions options;
        options.filterIndex = cnvrules::referenceFilterIndex(referencePath());
        if (!ZqFileDialog(this, true, GetString(kStrReferenceFilter), folder, name, path,
                          GetString(kStrReferenceTitle), options))
            return;
        if (!loadReference(path, true)) message(kMsgReferenceNotLoaded);
        return;
    }
    const int k = id - kCmdFirstReferenceHistory;
    if (k >= int(referenceHistory_.size())) return;
    const std::string path = referenceHistory_[k];
    if (!loadReference(path, true))
        ZqDlgWarningBox(this, mobr::files::fileExists(path) ? kMsgReferenceNotLoaded : kMsgReferenceMissing);
}

bool CCnvSettingPage::loadReference(const std::string& path, bool force)
{
    if (!force && !referencePath().empty() && mobr::cp932::equalNoCase(path, referencePath())) return true;
    if (path.empty() || !mobr::files::fileExists(path)) return false;
    CZqWaitCursor wait;
    uint32_t control = 1;
    if (!aCFileZq::LoadFigCtrl(path.c_str(), &control)) return false;
    // A figure that does not open, or whose tables cannot all be copied,
    // never passes for loaded: the previous reference and its targets stay.
    if (sheet_.targets().loadReference(path) != CAtrCnvTargets::kLoaded) {
        qCWarning(lcModule) << "reference figure not loaded:" << mobr::cp932::toUtf8(path).c_str();
        return false;
    }
    setText(kReferencePath, path);
    updateEnabling();
    CAtrCnvFile::addToHistory(referenceHistory_, path);
    return true;
}

// ---- Execute, save, leave -------------------------------------------------------

bool CCnvSettingPage::loadDefinitionReference()
{
    const std::string named = CAtrCnvFile(definitionPath_).readReferenceFile();
    const bool loaded = !referencePath().empty();
    if (named.empty()) {
        if (!loaded) return message(kMsgNoReference), false;
        ZqDlgWarningBox(this, kMsgDefinitionReferenceNotUsed);
    } else if (!mobr::files::fileExists(named)) {
        if (!loaded) return message(kMsgDefinitionReferenceMissing), false;
        if (!mobr::cp932::equalNoCase(named, referencePath())) ZqDlgWarningBox(this, kMsgDefinitionReferenceNotUsed);
    } else if (!loadReference(named, false)) {
        if (!loaded) return message(kMsgDefinitionReferenceFailed), false;
        ZqDlgWarningBox(this, kMsgDefinitionReferenceKept);
    }
    return true;
}

void CCnvSettingPage::execute()
{
    takeControls();
    if (fieldSet().valueOf(kUseDefinitionReference) != 0 && !loadDefinitionReference()) return;
    // With the named reference loaded (or kept), loading the reference path
    // again does nothing: the targets stay as they are.
    if (referencePath().empty()) {
        message(kMsgNoReference);
        return;
    }
    const std::string path = referencePath();
    if (!loadReference(path, false)) {
        message(mobr::files::fileExists(path) ? kMsgReferenceNotLoaded : kMsgReferenceMissing);
        return;
    }
    if (binder_) binder_->showAll();
    if (definitionPath_.empty()) return;
    CZqWaitCursor wait;
    CAtrCnvTargets& targets = sheet_.targets();
    for (const atrcnv::ApplyReport& report : {targets.applyWidthEntries(definitionPath_),
                                              targets.applyColourEntries(definitionPath_),
                                              targets.applyPenEntries(definitionPath_)}) {
        for (const auto& skipped : report.skipped)
            qCInfo(lcModule) << "definition entry" << skipped.entry << "skipped:" << atrcnv::describe(skipped.reason);
    }
}

void CCnvSettingPage::saveAs()
{
    takeControls();
    CAtrCnvTargets& targets = sheet_.targets();
    targets.compactWidthList();
    targets.compactColourList();
    if (!targets.colourChanged() && !targets.widthChanged() && !targets.penChanged()) {
        message(kMsgNothingToSave);
        return;
    }
    std::string path;
    ZqFileDialogOptions options;
    options.defaultExtension = kDefinitionExtension;
    if (!ZqFileDialog(this, false, GetString(kStrDefinitionFilter), startFolder(), "", path,
                      GetString(kStrSaveTitle), options))
        return;
    CZqWaitCursor wait;
    std::vector<atrcnv::UnwritableName> unwritable;
    targets.saveConversion(path, &unwritable);
    if (!unwritable.empty()) reportUnwritable(unwritable);
}

void CCnvSettingPage::reportUnwritable(const std::vector<atrcnv::UnwritableName>& names)
{
    std::string list;
    for (const auto& n : names) list += (list.empty() ? "" : ", ") + n.name;
    ZqDlgMessageBox(this, ZQ_MB_ICONEXCLAMATION, 0, kMsgNamesLeftOut, list.c_str());
}

void CCnvSettingPage::closingStep()
{
    std::vector<atrcnv::UnwritableName> unwritable;
    if (!automaticFile_.empty()) sheet_.targets().saveConversion(automaticFile_, &unwritable);
    if (!unwritable.empty()) reportUnwritable(unwritable);
    if (historyFile_.empty()) return;
    CAtrCnvFile::addToHistory(savedReferenceHistory_, referencePath());
    CAtrCnvFile::addToHistory(savedDefinitionHistory_, textOf(kDefinitionText));
    CAtrCnvFile(historyFile_).writeHistory(savedReferenceHistory_, savedDefinitionHistory_);
}

bool CCnvSettingPage::OnKillActive()
{
    takeControls();
    if (referencePath().empty()) {
        message(kMsgNoReference);
        return false;
    }
    return CZqPropertyPage::OnKillActive();
}

void CCnvSettingPage::OnOK()
{
    takeControls();
    CZqPropertyPage::OnOK();
}

void CCnvSettingPage::OnHelp()
{
    hostapi::aapRunDlgHelp(kHelpTopic);
}
