#include "optionpages/OptionText.h"

#include <cmath>
#include <cstdio>

#include "frame/HostApi.h"
#include "mobrdlg/ZqResources.h"

namespace optiontext {

namespace {

constexpr int kSignificantDigits = 14;

const std::string& argumentAt(const std::vector<std::string>& args, std::size_t index)
{
    static const std::string none;
    return index < args.size() ? args[index] : none;
}

}  // namespace

std::string fill(const std::string& pattern, const std::vector<std::string>& args)
{
    std::string out;
    std::size_t next = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        const char after = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (c != '%' || after == '\0') {
            out += c;
        } else if (after == '%') {
            out += '%';
            ++i;
        } else if (after >= '1' && after <= '9') {
            out += argumentAt(args, static_cast<std::size_t>(after - '1'));
            ++i;
        } else if (after == 's' || after == 'd') {
            out += argumentAt(args, next++);
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

std::string format(int id, const std::vector<std::string>& args)
{
    return fill(GetString(id), args);
}

std::string valueText(double value)
{
    const double revised = hostapi::aapLComDoubleRevise(value);
    if (!std::isfinite(revised)) return "0";
    const double magnitude = std::fabs(revised);
    const int wholeDigits = magnitude < 1.0 ? 1 : static_cast<int>(std::floor(std::log10(magnitude))) + 1;
    const int decimals = std::max(0, kSignificantDigits - wholeDigits);
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, revised);
    std::string shown = text;
    if (shown.find('.') != std::string::npos) {
        shown.erase(shown.find_last_not_of('0') + 1);
        if (shown.back() == '.') shown.pop_back();
    }
    if (shown == "-0") shown = "0";
    return shown;
}

}  // namespace optiontext
