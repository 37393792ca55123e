#include "model/HostLog.h"

Q_LOGGING_CATEGORY(lcHost, "mobr.host", QtWarningMsg)
