#include "options/ReportCommand.h"

#include <new>

#include "frame/ModuleLog.h"
#include "mobrdlg/ZqMessageBox.h"
#include "optionpages/CUserOpPage.h"
#include "options/CPrintItemDlg.h"
#include "options/CReportOutDlg.h"
#include "options/UserOpPrintItem.h"
#include "platform/CodePage.h"

namespace {

constexpr int kMsgOutOfMemory = 7218;
constexpr std::size_t kItemNameBytes = 256;

std::vector<CUserOpPage*> shownPages(const UserOpPages& pages)
{
    std::vector<CUserOpPage*> shown;
    for (CUserOpPage* page : pages.bySlot)
        if (page) shown.push_back(page);
    return shown;
}

void report(QWidget* sheet, const std::vector<CUserOpPage*>& pages, const std::string& templateFile)
{
    CUserOpPrintItem model;
    model.SetCount(static_cast<int>(pages.size()));
    model.SetTitle(settingsreport::templateTitle(templateFile));
    model.SetFolder(settingsreport::templateFolder());
    for (std::size_t i = 0; i < pages.size(); ++i) {
        model.SetItemName(static_cast<int>(i), mobr::cp932::cut(pages[i]->title(), kItemNameBytes - 1));
        model.SetCheck(static_cast<int>(i), 1);
    }
    CPrintItemDlg choice(model, sheet);
    if (choice.DoModal() != ZQ_RESULT_OK) return;

    ReportItems items;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (!model.GetCheck(static_cast<int>(i))) continue;
        items.emplace_back();
        pages[i]->WriteSettingReport(items.back());
    }
    CReportOutDlg output(model, items);
    output.DoModal();
}

}  // namespace

void RunSettingsReport(QWidget* sheet, const UserOpPages& pages, const std::string& templateFile)
{
    try {
        report(sheet, shownPages(pages), templateFile);
    } catch (const std::bad_alloc&) {
        qCWarning(lcModule) << "out of memory during the settings report";
        ZqDlgMessageBox(sheet, ZQ_MB_OK, 0, kMsgOutOfMemory, nullptr);
    }
}
