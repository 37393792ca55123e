#pragma once

// Texts of the option pages built from resource strings that take values.

#include <string>
#include <vector>

namespace optiontext {

// `pattern` with its placeholders filled from `args`: "%1" to "%9" by
// position, each "%s" (and "%d") by the next argument, "%%" a percent sign.
// A placeholder without an argument becomes empty, so a translated text
// with more placeholders than the code gives never reads beyond them.
std::string fill(const std::string& pattern, const std::vector<std::string>& args);
// Resource string `id` filled the same way.
std::string format(int id, const std::vector<std::string>& args);

// A value as the numeric parameter lists show it: rounded the host's way,
// 14 significant digits, no trailing zeros after the point, no bare point.
std::string valueText(double value);

}  // namespace optiontext
