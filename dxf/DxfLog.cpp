#include "DxfLog.h"

Q_LOGGING_CATEGORY(lcDxf, "mobr.dxf", QtWarningMsg)
