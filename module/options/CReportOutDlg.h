#pragma once

#include "mobrdlg/ZqDialog.h"
#include "options/SettingsReport.h"

class CUserOpPrintItem;

// The report's output window ("IDD_S_026"): shows where the report goes and
// a progress bar while it writes the report, and closes itself when done.
// The whole output runs while the dialog opens, so a UI driver never gets
// to hand it an action: the dialog has ended before any would run. Its OK
// and Cancel (and Escape) only ask the output to stop before the next item.
class CReportOutDlg : public CZqDialog {
    Q_OBJECT
public:
    enum Control : int { kProgress = 1911, kAction = 1701, kTarget = 1702 };

    CReportOutDlg(const CUserOpPrintItem& model, const ReportItems& items);

    bool aborted() const { return abort_; }
    // The file output's result: 0, or the errno value of a failed write.
    int fileError() const { return fileError_; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id) override;

private:
    void showTarget();
    void writeReport();
    bool nextItem(std::size_t index);

    const CUserOpPrintItem& model_;
    const ReportItems& items_;
    bool abort_ = false;
    int fileError_ = 0;
};
