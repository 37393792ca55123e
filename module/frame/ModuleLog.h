#pragma once

#include <QLoggingCategory>

// Diagnostics of the settings module ("mobr.module").
Q_DECLARE_LOGGING_CATEGORY(lcModule)

// Logs the exception being handled (call only inside a catch block), naming
// `where` it was caught. Never throws.
void logCaughtException(const char* where) noexcept;
