#include "options/CReportOutDlg.h"

#include <cstring>

#include <QApplication>
#include <QProgressBar>
#include <QScreen>

#include "frame/HostApi.h"
#include "frame/ModuleLog.h"
#include "mobrdlg/ZqMessageBox.h"
#include "mobrdlg/ZqResources.h"
#include "options/UserOpPrintItem.h"
#include "platform/CodePage.h"

namespace {

constexpr int kMsgFileTitle = 7091;
constexpr int kMsgPrinterTitle = 7092;
constexpr int kMsgFileAction = 7211;
constexpr int kMsgPrinterAction = 7212;
constexpr int kMsgFileFailed = 7350;
constexpr std::size_t kPrinterNameBytes = 128;

std::string defaultPrinterName()
{
    unsigned char info[mobr::kHostPrinterInfoBytes] = {};
    if (hostapi::aatDevPrnDefInfo(info) != 0) return std::string();
    const auto* name = reinterpret_cast<const char*>(info);
    return std::string(name, strnlen(name, kPrinterNameBytes - 1));
}

}  // namespace

CReportOutDlg::CReportOutDlg(const CUserOpPrintItem& model, const ReportItems& items)
    : CZqDialog("IDD_S_026", nullptr), model_(model), items_(items)
{
}

bool CReportOutDlg::OnInitDialog()
{
    showTarget();
    if (auto* bar = item<QProgressBar>(kProgress)) {
        bar->setRange(0, static_cast<int>(items_.size()));
        bar->setValue(0);
    }
    // Centred on the window that was active (the dialog has no owner),
    // which gets the activation back when the output is done.
    QWidget* previous = QApplication::activeWindow();
    if (previous) move(previous->geometry().center() - rect().center());
    show();
    QCoreApplication::processEvents();
    writeReport();
    hide();
    if (previous && previous->isVisible()) {
        previous->activateWindow();
        QApplication::setActiveWindow(previous);
    }
    EndDialog(ZQ_RESULT_OK);
    return true;
}

void CReportOutDlg::showTarget()
{
    const bool printer = model_.GetDestination() == CUserOpPrintItem::kPrinter;
    setWindowTitle(ZqGetQString(printer ? kMsgPrinterTitle : kMsgFileTitle));
    SetDlgItemText(kAction, GetString(printer ? kMsgPrinterAction : kMsgFileAction));
    SetDlgItemText(kTarget, printer ? defaultPrinterName() : model_.GetPath());
}

void CReportOutDlg::writeReport()
{
    const std::string header = settingsreport::headerTextNow(model_.GetTitle());
    const ReportGate gate = [this](std::size_t index) { return nextItem(index); };
    if (model_.GetDestination() == CUserOpPrintItem::kPrinter) {
        if (!settingsreport::print(header, items_, gate)) qCWarning(lcModule) << "no print job for the report";
        return;
    }
    fileError_ = settingsreport::writeFile(model_.GetPath(), header, items_, gate);
    if (fileError_ != 0) {
        const std::string what = model_.GetPath() + " (" + std::strerror(fileError_) + ")";
        qCWarning(lcModule) << "the report file could not be written:" << what.c_str();
        ZqDlgMessageBox(this, ZQ_MB_OK | ZQ_MB_ICONSTOP, 0, kMsgFileFailed, what.c_str());
    }
}

// Before each item: the window's pending events (its Cancel among them),
// then the progress step, unless the user asked to stop.
bool CReportOutDlg::nextItem(std::size_t index)
{
    QCoreApplication::processEvents();
    if (abort_) return false;
    if (auto* bar = item<QProgressBar>(kProgress)) bar->setValue(static_cast<int>(index) + 1);
    return true;
}

bool CReportOutDlg::OnCommand(int id)
{
    if (id == IDOK || id == IDCANCEL) {
        abort_ = true;
        return true;
    }
    return CZqDialog::OnCommand(id);
}
