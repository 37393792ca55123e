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

// The in-memory copies of private-profile files, keyed by path.
//
// When a copy is still good: the folders of cached files are watched for
// change notices (inotify). A notice that names a file, or that concerns its
// whole folder (the folder moved, notices were lost), marks the copy dirty:
// the next read reads the file again and keeps the copy only when the bytes
// are the same (so a writer that keeps the size and, within one tick of the
// file system's clock, the time stamps is still seen). Changes that produce
// no notice (a write through a hard link in another folder, a network file
// system) are caught by a status check (device, inode, size, modification
// and change times with nanoseconds) once the last check is more than
// kRecheckAfter old. A file reached through a symbolic link or by a relative
// path gets the status check on every read. A status that was taken within
// the file system clock's current tick of the file's last change ("racy", as
// git calls it) proves nothing: the bytes are compared then too.
//
// How fresh a read is. Reading the notices is a system call, which costs
// more than a whole lookup (0.15 to 0.3 us against 0.07 us on the reference
// machine), so a run of reads of the file read last skips it while both of
// these hold:
//  - the read starts within the quiet gap after the start of the calling
//    thread's previous read (or after that read's own notice read, when it
//    made one): two thirds of the fastest notice read timed so far. The gap
//    holds the rest of the previous read and whatever the caller did in
//    between; a system call that can bring news of another process does
//    about the work of an empty read of notices or more (a read of a pipe
//    that holds data: 0.12 us here, against 0.14 us), so together with the
//    read it does not fit, and the thread made no such call; and
//  - the last notice read started less than kNoticeInterval ago.
// A thread learns that another process changed a file only through such a
// system call (waiting for the process, a pipe, a signal, a look at a file)
// or from a thread or memory that learnt it so. So a read sees every change
// that another process completed before the reading thread last made such a
// call, whatever the pause; a hand-over without a system call in the reading
// thread (from another thread, through shared memory, by the clock) can leave
// it up to kNoticeInterval behind. Writes made through the platform layer
// update the copy at once. The monotonic clock is read without a system call
// (vDSO); without notices (no inotify) every read checks the file.
//
// Callers hold lock() for the whole of one read or write. Internal to the
// platform library.
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

    // The document to read for the caller's file name as given (a host
    // path), valid until the lock is released; null when there is no usable
    // name (errno set). A missing file reads as an empty document. The last
    // file read is remembered by that name, so that a run of reads of one
    // file costs no path conversion, no map lookup and no system call.
    const ProfileDocument* readDocument(const char* fileName);

    // Writes `doc` to `path` atomically and keeps it as the cached copy.
    // 0 or an errno value (the cached copy is then dropped).
    int save(const std::string& path, const std::shared_ptr<ProfileDocument>& doc);

    void drop(const std::string& path);
    void clear();

    // Files larger than this are refused rather than read into memory.
    static constexpr std::size_t kMaxFileBytes = std::size_t(256) << 20;
    static constexpr std::size_t kMaxEntries = 64;
    static constexpr std::chrono::seconds kRecheckAfter{1};
    static constexpr std::chrono::microseconds kNoticeInterval{10};

private:
    struct Stamp {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        struct timespec mtime {};
        struct timespec ctime {};
        static Stamp of(const struct stat& st);
        bool operator==(const Stamp& other) const;
    };
    struct Entry {
        Stamp stamp;
        std::shared_ptr<ProfileDocument> doc;
        uint64_t lastUse = 0;
        // Change notices of the folder (watchId) tell when the file must be
        // looked at again; without them (-1) it is checked on every use.
        int watchId = -1;
        std::string name;
        bool verified = false;  // may be used without looking at the file
        bool dirty = false;     // a notice named the file: compare its bytes
        bool racy = false;      // the stamp cannot prove the bytes unchanged
        std::chrono::steady_clock::time_point checkedAt;
    };
    using Clock = std::chrono::steady_clock;

    void remember(const std::string& path, const Stamp& stamp, std::shared_ptr<ProfileDocument> doc,
                  int watchId, bool racy);
    Clock::time_point takeNotices();  // returns the time it ended
    void erase(const std::string& path);

    FolderWatcher watcher_;
    std::mutex mutex_;
    std::unordered_map<std::string, Entry> entries_;
    uint64_t useCounter_ = 0;
    Clock::time_point lastPoll_;
    Clock::duration fastestPoll_ = Clock::duration::max();
    std::chrono::nanoseconds quietGap_{0};  // zero until a notice read was timed
    // The last file read, by the name its caller gave (see readDocument);
    // reset whenever an entry goes.
    Entry* lastEntry_ = nullptr;
    std::string lastName_;
    std::shared_ptr<ProfileDocument> held_;  // what readDocument returned last
};

}  // namespace mobr
