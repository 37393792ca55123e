#include "platform/ProfileCache.h"

#include <cerrno>

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
    return s;
}

bool ProfileCache::Stamp::operator==(const Stamp& other) const
{
    return device == other.device && inode == other.inode && size == other.size
           && mtime.tv_sec == other.mtime.tv_sec && mtime.tv_nsec == other.mtime.tv_nsec;
}

int ProfileCache::load(const std::string& givenPath, std::shared_ptr<ProfileDocument>& doc,
                       bool& exists, std::string& actualPath)
{
    exists = false;
    actualPath = givenPath;
    takeNotices();
    const auto now = std::chrono::steady_clock::now();
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
        entries_.erase(givenPath);
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
    const auto it = entries_.find(path);
    if (it != entries_.end() && it->second.stamp == Stamp::of(st)) {
        it->second.lastUse = ++useCounter_;
        it->second.watchId = entryWatch;
        it->second.verified = entryWatch >= 0;
        it->second.checkedAt = now;
        doc = it->second.doc;
        return 0;
    }

    doc = std::make_shared<ProfileDocument>();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        entries_.erase(path);
        return errno;
    }
    // The status of the open file describes exactly the bytes read, even when
    // another writer replaces the file meanwhile.
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || std::size_t(st.st_size) > kMaxFileBytes) {
        const int rc = S_ISDIR(st.st_mode) ? EISDIR : EFBIG;
        ::close(fd);
        entries_.erase(path);
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
    doc = std::make_shared<ProfileDocument>(bytes);
    if (got == std::size_t(st.st_size))
        remember(path, Stamp::of(st), doc, entryWatch);
    else
        entries_.erase(path);
    return 0;
}

int ProfileCache::save(const std::string& path, const std::shared_ptr<ProfileDocument>& doc)
{
    struct stat st;
    const int rc = replaceFileAtomically(path, doc->bytes(), &st);
    if (rc != 0) {
        entries_.erase(path);
        return rc;
    }
    // Our own rename leaves a notice too; the next read checks the status
    // once and finds it unchanged.
    const auto it = entries_.find(path);
    remember(path, Stamp::of(st), doc, it == entries_.end() ? -1 : it->second.watchId);
    return 0;
}

void ProfileCache::takeNotices()
{
    watcher_.poll([this](int id, std::string_view name) {
        for (auto& [path, entry] : entries_) {
            if (id == -1 || (entry.watchId == id && (name.empty() || entry.name == name)))
                entry.verified = false;
        }
    });
}

void ProfileCache::remember(const std::string& path, const Stamp& stamp,
                            std::shared_ptr<ProfileDocument> doc, int watchId)
{
    if (entries_.size() >= kMaxEntries && entries_.find(path) == entries_.end()) {
        auto oldest = entries_.begin();
        for (auto it = entries_.begin(); it != entries_.end(); ++it) {
            if (it->second.lastUse < oldest->second.lastUse)
                oldest = it;
        }
        entries_.erase(oldest);
    }
    Entry& entry = entries_[path];
    entry.stamp = stamp;
    entry.doc = std::move(doc);
    entry.lastUse = ++useCounter_;
    entry.watchId = watchId;
    entry.name = path.substr(path.rfind('/') + 1);
    entry.verified = watchId >= 0;
    entry.checkedAt = std::chrono::steady_clock::now();
}

void ProfileCache::drop(const std::string& path)
{
    entries_.erase(path);
}

void ProfileCache::clear()
{
    entries_.clear();
}

}  // namespace mobr
