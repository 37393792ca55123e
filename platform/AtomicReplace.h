#pragma once

#include <string>
#include <string_view>

#include <sys/stat.h>

// Durable, atomic replacement of a file's contents. Internal to the platform
// library.
namespace mobr {

// Writes `data` to a new temporary file in the folder of `path`, syncs it,
// renames it over `path` and syncs the folder, so that `path` holds either its
// old or its new contents after a crash, never a mix. An existing file keeps
// its permission bits; a file without any write permission is refused
// (EACCES) as read-only. On success `written` (when given) receives the
// status of the new file. Returns 0 or an errno value; on failure the file is
// untouched and no temporary file is left behind.
int replaceFileAtomically(const std::string& path, std::string_view data,
                          struct stat* written = nullptr);

// A sink for building a replacement in pieces (the block copy uses it).
class AtomicReplace {
public:
    explicit AtomicReplace(std::string path);
    ~AtomicReplace();
    AtomicReplace(const AtomicReplace&) = delete;
    AtomicReplace& operator=(const AtomicReplace&) = delete;

    // Creates the temporary file. 0 or an errno value.
    int open();
    int write(const char* data, std::size_t size);
    // Syncs, renames over the path, syncs the folder. 0 or an errno value.
    int commit(struct stat* written = nullptr);

private:
    void discard();

    std::string path_;
    std::string temp_;
    int fd_ = -1;
    mode_t mode_ = 0;
    bool keepMode_ = false;
};

}  // namespace mobr
