#include "platform/ProfileCache.h"

#include <cerrno>
#include <cstring>
#include <ctime>

#include <fcntl.h>
#include <unistd.h>

#include "platform/AtomicReplace.h"
#include "platform/Files.h"

namespace mobr {

ProfileCache& ProfileCache::instance()
{
    static ProfileCache cache;
    return cache;
}

ProfileCache::Stamp ProfileCache::Stamp::of(const struct stat& st)
{
    Stamp s;
    s.device = st.st_dev;
    s.inode = st.st_ino;
    s.size = st.st_size;
    s.mtime = st.st_mtim;
    s.ctime = st.st_ctim;
    return s;
}

bool ProfileCache::Stamp::operator==(const Stamp& other) const
{
    return device == other.device && inode == other.inode && size == other.size
           && mtime.tv_sec == other.mtime.tv_sec && mtime.tv_nsec == other.mtime.tv_nsec
           && ctime.tv_sec == other.ctime.tv_sec && ctime.tv_nsec == other.ctime.tv_nsec;
}

namespace {

// The file system stamps a change with its clock's current tick, so a file
// changed again within the tick of `stamp` may keep every field of it. A
// change made after `readStart` gets a time at or after it (the coarse clock
// is the one the file system uses, or lags behind it): a status whose change
// time lies before it proves later bytes unchanged; one at or after it does
// not.
bool isRacy(const struct stat& st, const struct timespec& readStart)
{
    return st.st_ctim.tv_sec > readStart.tv_sec
           || (st.st_ctim.tv_sec == readStart.tv_sec && st.st_ctim.tv_nsec >= readStart.tv_nsec);
}

// Where the quiet gap of the calling thread's next read starts: the start of
// its last read, or the end of that read's own notice read (see "How fresh a
// read is"). Per thread, since a system call of one thread says nothing about
// the time between another thread's reads.
thread_local std::chrono::steady_clock::time_point lastReadOfThread;

struct timespec coarseNow()
{
    struct timespec now {};
    ::clock_gettime(CLOCK_REALTIME_COARSE, &now);
    return now;
}

}  // namespace

const ProfileDocument* ProfileCache::readDocument(const char* fileName)
{
    held_.reset();
    const auto now = Clock::now();
    const bool quiet = now - lastReadOfThread < quietGap_ && now - lastPoll_ < kNoticeInterval;
    lastReadOfThread = now;
    if (lastEntry_ != nullptr && fileName != nullptr) {
        const std::size_t length = std::strlen(fileName);
        if (length == lastName_.size() && std::memcmp(fileName, lastName_.data(), length) == 0) {
            if (!quiet)
                lastReadOfThread = takeNotices();  // the gap starts after our own call
            Entry& entry = *lastEntry_;  // notices never remove an entry
            if (entry.verified && now - entry.checkedAt < kRecheckAfter) {
                entry.lastUse = ++useCounter_;
                return entry.doc.get();
            }
        }
    }

    lastEntry_ = nullptr;
    if (fileName == nullptr || *fileName == '\0') {
        errno = EINVAL;
        return nullptr;
    }
    int error = 0;
    const std::string path = files::nativePath(fileName, &error);
    if (path.empty()) {
        errno = error ? error : EINVAL;
        return nullptr;
    }
    bool exists = false;
    std::string actualPath;
    load(path, held_, exists, actualPath);
    // Only a copy that notices keep fresh may be used by name alone.
    if (const auto it = entries_.find(path); it != entries_.end() && it->second.verified) {
        lastEntry_ = &it->second;
        lastName_.assign(fileName);
    }
    return held_.get();
}

int ProfileCache::load(const std::string& givenPath, std::shared_ptr<ProfileDocument>& doc,
                       bool& exists, std::string& actualPath)
{
    exists = false;
    actualPath = givenPath;
    takeNotices();
    const auto now = Clock::now();
    if (const auto hit = entries_.find(givenPath); hit != entries_.end() && hit->second.verified
        && now - hit->second.checkedAt < kRecheckAfter) {
        exists = true;
        hit->second.lastUse = ++useCounter_;
        doc = hit->second.doc;
        return 0;
    }

    // Watch the folder before looking at the file, so that a change made
    // after the look always leaves a notice.
    const std::size_t slash = givenPath.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : givenPath.substr(0, slash));
    const int watchId = givenPath.front() == '/' ? watcher_.watch(folder) : -1;
    struct stat st;
    if (::stat(givenPath.c_str(), &st) != 0) {
        const int error = errno;
        erase(givenPath);
        if (error == ENOENT)
            actualPath = files::resolvePathNoCase(givenPath);
        if (actualPath == givenPath || ::stat(actualPath.c_str(), &st) != 0) {
            actualPath = givenPath;
            doc = std::make_shared<ProfileDocument>();
            return error == ENOENT || error == ENOTDIR ? 0 : error;
        }
    }
    const std::string& path = actualPath;
    exists = true;
    // A symbolic link may point into an unwatched folder, and a relative
    // path names another file once the current folder changes: check those
    // files every time.
    struct stat link;
    const bool linked = ::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode);
    const int entryWatch = linked || path != givenPath || path.front() != '/' ? -1 : watchId;
    auto it = entries_.find(path);
    if (it != entries_.end() && it->second.stamp == Stamp::of(st) && !it->second.dirty
        && !it->second.racy) {
        Entry& entry = it->second;
        entry.lastUse = ++useCounter_;
        entry.watchId = entryWatch;
        entry.verified = entryWatch >= 0;
        entry.checkedAt = now;
        doc = entry.doc;
        return 0;
    }

    const struct timespec readStart = coarseNow();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        const int rc = errno;
        erase(path);
        doc = std::make_shared<ProfileDocument>();
        return rc;
    }
    // The status of the open file describes exactly the bytes read, even when
    // another writer replaces the file meanwhile.
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || std::size_t(st.st_size) > kMaxFileBytes) {
        const int rc = S_ISDIR(st.st_mode) ? EISDIR : EFBIG;
        ::close(fd);
        erase(path);
        doc = std::make_shared<ProfileDocument>();
        return rc;
    }
    std::string bytes;
    bytes.resize(std::size_t(st.st_size));
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += std::size_t(n);
    }
    ::close(fd);
    bytes.resize(got);
    if (got != std::size_t(st.st_size)) {
        // Changed while being read: use what was read, keep nothing.
        erase(path);
        doc = std::make_shared<ProfileDocument>(bytes);
        return 0;
    }
    it = entries_.find(path);
    if (it != entries_.end() && it->second.doc->byteSize() == got && it->second.doc->bytes() == bytes)
        doc = it->second.doc;  // touched, not changed: keep the parsed copy
    else
        doc = std::make_shared<ProfileDocument>(bytes);
    remember(path, Stamp::of(st), doc, entryWatch, isRacy(st, readStart));
    return 0;
}

int ProfileCache::save(const std::string& path, const std::shared_ptr<ProfileDocument>& doc)
{
    const struct timespec writeStart = coarseNow();
    struct stat st;
    const int rc = replaceFileAtomically(path, doc->bytes(), &st);
    if (rc != 0) {
        erase(path);
        return rc;
    }
    // The rename may have touched the new file's change time: take the
    // status of the file under its name, unless another writer has put
    // another file there already (whose status then tells the change).
    struct stat now;
    if (::stat(path.c_str(), &now) == 0 && now.st_ino == st.st_ino && now.st_dev == st.st_dev)
        st = now;
    // Our own rename leaves notices that name the file: the next read
    // compares the bytes once and keeps this copy.
    const auto it = entries_.find(path);
    remember(path, Stamp::of(st), doc, it == entries_.end() ? -1 : it->second.watchId,
             isRacy(st, writeStart));
    return 0;
}

ProfileCache::Clock::time_point ProfileCache::takeNotices()
{
    const auto start = Clock::now();
    lastPoll_ = start;
    watcher_.poll([this](int id, std::string_view name) {
        for (auto& [path, entry] : entries_) {
            if (id == -1 || (entry.watchId == id && (name.empty() || entry.name == name))) {
                entry.verified = false;
                entry.dirty = true;
            }
        }
    });
    const auto end = Clock::now();
    const auto took = end - start;
    if (took < fastestPoll_) {
        fastestPoll_ = took;
        quietGap_ = std::chrono::duration_cast<std::chrono::nanoseconds>(took) * 2 / 3;
    }
    return end;
}

void ProfileCache::remember(const std::string& path, const Stamp& stamp,
                            std::shared_ptr<ProfileDocument> doc, int watchId, bool racy)
{
    if (entries_.size() >= kMaxEntries && entries_.find(path) == entries_.end()) {
        auto oldest = entries_.begin();
        for (auto it = entries_.begin(); it != entries_.end(); ++it) {
            if (it->second.lastUse < oldest->second.lastUse)
                oldest = it;
        }
        lastEntry_ = nullptr;
        entries_.erase(oldest);
    }
    Entry& entry = entries_[path];
    entry.stamp = stamp;
    entry.doc = std::move(doc);
    entry.lastUse = ++useCounter_;
    entry.watchId = watchId;
    entry.name = path.substr(path.rfind('/') + 1);
    entry.verified = watchId >= 0;
    entry.dirty = false;
    entry.racy = racy;
    entry.checkedAt = Clock::now();
}

void ProfileCache::erase(const std::string& path)
{
    lastEntry_ = nullptr;
    entries_.erase(path);
}

void ProfileCache::drop(const std::string& path)
{
    erase(path);
}

void ProfileCache::clear()
{
    lastEntry_ = nullptr;
    entries_.clear();
}

}  // namespace mobr
