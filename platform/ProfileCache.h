#pragma once

#include <chrono>
#include <cstdint>
#include <ctime>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

#include <sys/stat.h>

#include "platform/FolderWatcher.h"
#include "platform/ProfileDocument.h"

namespace mobr {

// The in-memory copies of private-profile files, keyed by path. A copy is
// used as long as the file on disk has the same device, inode, size and
// modification time (nanoseconds); otherwise the file is read again.
//
// Checking the file's status on every read costs a path lookup in the kernel,
// more than the lookup of the key itself; so the folders of cached files are
// watched for change notices, and the status is checked again only after a
// notice named the file (or its folder moved, or notices were lost), or when
// the last check is more than a second old (changes that produce no notice:
// writes through a hard link in another folder, network file systems). A file
// reached through a symbolic link or by a relative path is checked on every
// read. Callers hold lock() for the whole of one read or write. Internal to
// the platform library.
class ProfileCache {
public:
    static ProfileCache& instance();

    std::unique_lock<std::mutex> lock() { return std::unique_lock<std::mutex>(mutex_); }

    // The document of `path`. When no file has exactly that name, a name in
    // the same folder that differs only in case is used; `actualPath`
    // receives the path used (the given one when neither exists). `exists`
    // tells whether the file is there; a missing or unreadable file gives an
    // empty document (not cached). Returns 0, or an errno value when the file
    // exists but cannot be read.
    int load(const std::string& path, std::shared_ptr<ProfileDocument>& doc, bool& exists,
             std::string& actualPath);

    // Writes `doc` to `path` atomically and keeps it as the cached copy.
    // 0 or an errno value (the cached copy is then dropped).
    int save(const std::string& path, const std::shared_ptr<ProfileDocument>& doc);

    void drop(const std::string& path);
    void clear();

    // Files larger than this are refused rather than read into memory.
    static constexpr std::size_t kMaxFileBytes = std::size_t(256) << 20;
    static constexpr std::size_t kMaxEntries = 64;
    static constexpr std::chrono::seconds kRecheckAfter{1};

private:
    struct Stamp {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        struct timespec mtime {};
        static Stamp of(const struct stat& st);
        bool operator==(const Stamp& other) const;
    };
    struct Entry {
        Stamp stamp;
        std::shared_ptr<ProfileDocument> doc;
        uint64_t lastUse = 0;
        // Change notices of the folder (watchId) tell when the file must be
        // checked again; without them (-1) it is checked on every use.
        int watchId = -1;
        std::string name;
        bool verified = false;
        std::chrono::steady_clock::time_point checkedAt;
    };

    void remember(const std::string& path, const Stamp& stamp, std::shared_ptr<ProfileDocument> doc,
                  int watchId);
    void takeNotices();

    FolderWatcher watcher_;
    std::mutex mutex_;
    std::unordered_map<std::string, Entry> entries_;
    uint64_t useCounter_ = 0;
};

}  // namespace mobr
