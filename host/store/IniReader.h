#pragma once

// Reading an INI file key by key through the platform's private-profile
// functions, with the checks the settings files need.

#include <optional>
#include <string>
#include <vector>

namespace mobrhost {

class IniReader {
public:
    explicit IniReader(std::string path) : path_(std::move(path)) {}

    bool hasSection(const std::string& section) const;
    std::vector<std::string> keys(const std::string& section) const;
    // The value, or nothing when the key is missing.
    std::optional<std::string> value(const std::string& section, const std::string& key) const;
    // A finite number that is the whole value; nothing when missing, and *bad
    // set when present but not a number (NaN and infinity are not numbers).
    std::optional<double> number(const std::string& section, const std::string& key, bool* bad) const;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

}  // namespace mobrhost
