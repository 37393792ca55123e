#include "mobrdlg/ZqLog.h"

Q_LOGGING_CATEGORY(lcZqDlg, "mobr.dlg", QtWarningMsg)
