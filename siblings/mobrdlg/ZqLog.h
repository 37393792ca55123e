#pragma once

#include <QLoggingCategory>

#include "mobr/export.h"

// Diagnostics of the dialog library ("mobr.dlg").
MOBR_API Q_DECLARE_LOGGING_CATEGORY(lcZqDlg)
