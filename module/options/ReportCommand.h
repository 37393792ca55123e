#pragma once

#include <string>

#include "options/UserOpValues.h"

class QWidget;

// The options dialog's report command: the item choice (CPrintItemDlg) over
// every page shown in the dialog, then the picked pages' report lines in tab
// order to the file or the printer (CReportOutDlg). `templateFile` names
// the option set in the report's header. A page need not know the report:
// each writes its own lines (CUserOpPage::WriteSettingReport).
void RunSettingsReport(QWidget* sheet, const UserOpPages& pages, const std::string& templateFile);
