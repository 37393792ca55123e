#include "platform/AtomicReplace.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <random>

#include <fcntl.h>
#include <unistd.h>

namespace mobr {

namespace {

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string tempName(const std::string& folder)
{
    static std::atomic<unsigned> counter{0};
    static const unsigned seed = std::random_device{}();
    char name[64];
    std::snprintf(name, sizeof name, "/.mobr%05x%08x%04x.tmp", unsigned(getpid()) & 0xFFFFF, seed,
                  counter.fetch_add(1) & 0xFFFF);
    return (folder == "/" ? std::string() : folder) + name;
}

int syncFolder(const std::string& folder)
{
    const int dfd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd < 0)
        return errno;
    int rc = 0;
    if (::fsync(dfd) != 0 && errno != EINVAL)
        rc = errno;
    ::close(dfd);
    return rc;
}

}  // namespace

AtomicReplace::AtomicReplace(std::string path) : path_(std::move(path))
{
    // Replace what a symbolic link points to, not the link itself.
    struct stat st;
    if (::lstat(path_.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* real = ::realpath(path_.c_str(), nullptr)) {
            path_ = real;
            std::free(real);
        }
    }
}

AtomicReplace::~AtomicReplace()
{
    discard();
}

void AtomicReplace::discard()
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
        ::unlink(temp_.c_str());
    }
}

int AtomicReplace::open()
{
    struct stat st;
    if (::stat(path_.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode))
            return S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        // A file without write permission is read-only, even for a user who
        // could replace it anyway by renaming over it.
        if ((st.st_mode & 0222) == 0 || ::access(path_.c_str(), W_OK) != 0)
            return EACCES;
        mode_ = st.st_mode & 07777;
        keepMode_ = true;
    } else if (errno != ENOENT) {
        return errno;
    }
    const std::string folder = folderOf(path_);
    for (int attempt = 0; attempt < 16; ++attempt) {
        temp_ = tempName(folder);
        fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0)
            break;
        if (errno != EEXIST)
            return errno;
    }
    if (fd_ < 0)
        return EEXIST;
    if (keepMode_ && ::fchmod(fd_, mode_) != 0) {
        const int rc = errno;
        discard();
        return rc;
    }
    return 0;
}

int AtomicReplace::write(const char* data, std::size_t size)
{
    if (fd_ < 0)
        return EBADF;
    while (size > 0) {
        const ssize_t n = ::write(fd_, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int rc = errno;
            discard();
            return rc;
        }
        data += n;
        size -= std::size_t(n);
    }
    return 0;
}

int AtomicReplace::commit(struct stat* written)
{
    if (fd_ < 0)
        return EBADF;
    if (::fsync(fd_) != 0 || (written && ::fstat(fd_, written) != 0)) {
        const int rc = errno;
        discard();
        return rc;
    }
    if (::rename(temp_.c_str(), path_.c_str()) != 0) {
        const int rc = errno;
        discard();
        return rc;
    }
    ::close(fd_);
    fd_ = -1;
    // The rename is only durable once the folder entry is on disk.
    return syncFolder(folderOf(path_));
}

int replaceFileAtomically(const std::string& path, std::string_view data, struct stat* written)
{
    AtomicReplace file(path);
    int rc = file.open();
    if (rc == 0)
        rc = file.write(data.data(), data.size());
    if (rc == 0)
        rc = file.commit(written);
    return rc;
}

}  // namespace mobr
