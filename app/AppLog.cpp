#include "AppLog.h"

Q_LOGGING_CATEGORY(lcApp, "mobr.app", QtWarningMsg)
