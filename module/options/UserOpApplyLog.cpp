#include "options/UserOpApplyLog.h"

#include <algorithm>

#include "frame/ModuleLog.h"

bool CUserOpApplyLog::check(const char* what, int32_t result)
{
    if (result == 0) return true;
    qCWarning(lcModule) << "the host refused" << what << "with" << result;
    if (std::find(refused_.begin(), refused_.end(), what) == refused_.end()) refused_.emplace_back(what);
    return false;
}

std::string CUserOpApplyLog::refusedText() const
{
    std::string text;
    for (const std::string& name : refused_) {
        if (!text.empty()) text += ", ";
        text += name;
    }
    return text;
}
