#include "platform/FolderWatcher.h"

#include <cerrno>
#include <cstring>
#include <iterator>

#include <sys/inotify.h>
#include <unistd.h>

namespace mobr {

namespace {

// Everything that can change a file's contents or replace it by name.
constexpr uint32_t kMask = IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_MOVED_FROM | IN_MOVED_TO
                           | IN_CREATE | IN_DELETE | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

}  // namespace

FolderWatcher::FolderWatcher() : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}

FolderWatcher::~FolderWatcher()
{
    if (fd_ >= 0)
        ::close(fd_);
}

int FolderWatcher::watch(const std::string& folder)
{
    if (fd_ < 0)
        return -1;
    const auto it = folders_.find(folder);
    if (it != folders_.end())
        return it->second;
    const int id = ::inotify_add_watch(fd_, folder.c_str(), kMask);
    if (id < 0)
        return -1;
    folders_[folder] = id;
    return id;
}

void FolderWatcher::poll(const std::function<void(int id, std::string_view name)>& changed)
{
    if (fd_ < 0)
        return;
    alignas(inotify_event) char buffer[8192];
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        std::size_t pos = 0;
        while (pos + sizeof(inotify_event) <= std::size_t(n)) {
            inotify_event event;
            std::memcpy(&event, buffer + pos, sizeof event);
            const char* name = buffer + pos + sizeof event;
            pos += sizeof event + event.len;
            if (event.mask & IN_Q_OVERFLOW) {
                changed(-1, {});
                continue;
            }
            if (event.mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT)) {
                // The folder itself went away or moved: forget the watch, so
                // that the next use adds a new one for whatever is there now.
                // (Two texts of one folder share one watch: forget both.)
                for (auto it = folders_.begin(); it != folders_.end();)
                    it = it->second == event.wd ? folders_.erase(it) : std::next(it);
                if (!(event.mask & IN_IGNORED))
                    ::inotify_rm_watch(fd_, event.wd);
                changed(event.wd, {});
                continue;
            }
            if (event.len > 0)
                changed(event.wd, std::string_view(name, ::strnlen(name, event.len)));
        }
    }
}

}  // namespace mobr
