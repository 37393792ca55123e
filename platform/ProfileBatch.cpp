#include "platform/ProfileBatch.h"

#include <cerrno>

#include "platform/Files.h"
#include "platform/ProfileCache.h"

namespace mobr {

ProfileBatch::ProfileBatch(std::string fileName) : fileName_(std::move(fileName)) {}

void ProfileBatch::write(const char* section, const char* key, const char* value)
{
    Write w;
    if (section == nullptr) {
        w.valid = false;
    } else {
        w.section = section;
        if (key)
            w.key = std::string(key);
        if (value)
            w.value = std::string(value);
        w.valid = ProfileDocument::prepareWrite(w.section, w.key, w.value);
    }
    writes_.push_back(std::move(w));
}

int ProfileBatch::commit()
{
    std::vector<Write> writes;
    writes.swap(writes_);
    for (const Write& w : writes) {
        if (!w.valid) {
            errno = EINVAL;
            return 0;
        }
    }
    int error = 0;
    const std::string path = files::nativePath(fileName_, &error);
    if (path.empty()) {
        errno = error ? error : EINVAL;
        return 0;
    }
    ProfileCache& cache = ProfileCache::instance();
    auto lock = cache.lock();
    std::shared_ptr<ProfileDocument> doc;
    bool exists = false;
    std::string actualPath;
    if (const int rc = cache.load(path, doc, exists, actualPath); rc != 0) {
        errno = rc;
        return 0;
    }
    bool changed = false;
    for (const Write& w : writes)
        changed = doc->write(w.section, w.key, w.value) || changed;
    // Deleting from a missing file creates nothing; an unchanged file is not
    // rewritten.
    if (!changed)
        return 1;
    if (const int rc = cache.save(actualPath, doc); rc != 0) {
        errno = rc;
        return 0;
    }
    return 1;
}

}  // namespace mobr
