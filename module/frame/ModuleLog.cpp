#include "frame/ModuleLog.h"

#include <exception>

Q_LOGGING_CATEGORY(lcModule, "mobr.module", QtWarningMsg)

void logCaughtException(const char* where) noexcept
{
    try {
        throw;
    } catch (const std::exception& error) {
        qCWarning(lcModule, "%s: %s", where, error.what());
    } catch (...) {
        qCWarning(lcModule, "%s: an exception of unknown type", where);
    }
}
