#pragma once

#include <cstdint>
#include <ctime>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

#include <sys/stat.h>

#include "platform/ProfileDocument.h"

namespace mobr {

// The in-memory copies of private-profile files, keyed by path. A copy is
// used as long as the file on disk has the same device, inode, size and
// modification time (nanoseconds); otherwise the file is read again. Callers
// hold lock() for the whole of one read or write. Internal to the platform
// library.
class ProfileCache {
public:
    static ProfileCache& instance();

    std::unique_lock<std::mutex> lock() { return std::unique_lock<std::mutex>(mutex_); }

    // The document of `path`. `exists` tells whether the file is there; a
    // missing or unreadable file gives an empty document (not cached).
    // Returns 0, or an errno value when the file exists but cannot be read.
    int load(const std::string& path, std::shared_ptr<ProfileDocument>& doc, bool& exists);

    // Writes `doc` to `path` atomically and keeps it as the cached copy.
    // 0 or an errno value (the cached copy is then dropped).
    int save(const std::string& path, const std::shared_ptr<ProfileDocument>& doc);

    void drop(const std::string& path);
    void clear();

    // Files larger than this are refused rather than read into memory.
    static constexpr std::size_t kMaxFileBytes = std::size_t(256) << 20;
    static constexpr std::size_t kMaxEntries = 64;

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
    };

    void remember(const std::string& path, const Stamp& stamp, std::shared_ptr<ProfileDocument> doc);

    std::mutex mutex_;
    std::unordered_map<std::string, Entry> entries_;
    uint64_t useCounter_ = 0;
};

}  // namespace mobr
