#include "platform/ProfileCache.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

#include "platform/AtomicReplace.h"

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

int ProfileCache::load(const std::string& path, std::shared_ptr<ProfileDocument>& doc, bool& exists)
{
    exists = false;
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) {
        entries_.erase(path);
        doc = std::make_shared<ProfileDocument>();
        return errno == ENOENT || errno == ENOTDIR ? 0 : errno;
    }
    exists = true;
    const auto it = entries_.find(path);
    if (it != entries_.end() && it->second.stamp == Stamp::of(st)) {
        it->second.lastUse = ++useCounter_;
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
        remember(path, Stamp::of(st), doc);
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
    remember(path, Stamp::of(st), doc);
    return 0;
}

void ProfileCache::remember(const std::string& path, const Stamp& stamp,
                            std::shared_ptr<ProfileDocument> doc)
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
