#pragma once

#include <QLoggingCategory>

// The reference host's log category ("mobr.host"): debug output (the system
// folder in use, handles refused or used after their end) is off unless
// QT_LOGGING_RULES="mobr.host.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcHost)
