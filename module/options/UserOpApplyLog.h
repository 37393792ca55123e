#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What the host refused while the options were written back. Every host
// setter's result goes through check(); a setting the host did not take is
// remembered once by the name of the host function that refused it, so that
// the options dialog can say exactly which settings kept their old values
// instead of reporting success.
class CUserOpApplyLog {
public:
    // `result` is the setter's: 0 took the value, anything else refused it.
    // Returns true when it was taken.
    bool check(const char* what, int32_t result);
    bool anyRefused() const { return !refused_.empty(); }
    const std::vector<std::string>& refused() const { return refused_; }
    // The refused names, separated by ", ".
    std::string refusedText() const;

private:
    std::vector<std::string> refused_;
};
