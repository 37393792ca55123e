#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace mobr {

// Tells which files of watched folders changed, through the kernel's file
// change notification (inotify). Reading the pending notices is one cheap call
// without any path lookup, which lets the profile cache skip the status check
// of a file that has not been touched since it was last checked. Internal to
// the platform library; not thread-safe (the profile cache holds its lock).
class FolderWatcher {
public:
    FolderWatcher();
    ~FolderWatcher();
    FolderWatcher(const FolderWatcher&) = delete;
    FolderWatcher& operator=(const FolderWatcher&) = delete;

    // Starts watching `folder` (once per folder). Returns its id, or -1 when
    // notification is not available (no inotify, watch limit reached): the
    // caller must then check the file itself every time.
    int watch(const std::string& folder);

    // Reports every pending notice: changed(id, name) for a file of a
    // watched folder, changed(id, "") when a whole folder must be treated as
    // changed, changed(-1, "") when notices were lost (everything changed).
    void poll(const std::function<void(int id, std::string_view name)>& changed);

private:
    int fd_ = -1;
    std::unordered_map<std::string, int> folders_;
};

}  // namespace mobr
