#include "platform/PrivateProfile.h"

#include <cerrno>
#include <cstring>

#include "platform/CodePage.h"
#include "platform/Files.h"
#include "platform/ProfileCache.h"

namespace {

// The path a profile function works on, or empty (errno set) when the name is
// missing or too long.
std::string profilePath(const char* fileName)
{
    if (fileName == nullptr || *fileName == '\0') {
        errno = EINVAL;
        return {};
    }
    int error = 0;
    const std::string path = mobr::files::nativePath(fileName, &error);
    if (path.empty()) {
        errno = error ? error : EINVAL;
        return {};
    }
    return path;
}

// Copies a list of terminated names followed by one more terminator. A list
// that does not fit is cut (never inside a double-byte character), ends in
// two terminators and gives size - 2.
uint32_t copyList(const std::vector<std::string_view>& names, char* buffer, uint32_t size)
{
    if (size == 0)
        return 0;
    if (size == 1) {
        buffer[0] = '\0';
        return 0;
    }
    std::size_t pos = 0;
    for (const std::string_view name : names) {
        if (pos + name.size() + 1 > std::size_t(size) - 1) {
            // Cut: the room left before the two final terminators (none when
            // the names so far already reach them).
            const std::size_t limit = std::size_t(size) - 2;
            const std::size_t room = pos < limit ? limit - pos : 0;
            const std::size_t n = mobr::cp932::cutLength(name, room);
            std::memcpy(buffer + pos, name.data(), n);
            std::memset(buffer + pos + n, 0, std::size_t(size) - pos - n);
            return size - 2;
        }
        std::memcpy(buffer + pos, name.data(), name.size());
        pos += name.size();
        buffer[pos++] = '\0';
    }
    buffer[pos] = '\0';
    if (pos == 0)
        buffer[1] = '\0';  // an empty list is two terminators
    return uint32_t(pos);
}

std::string_view trimmedDefault(const char* defaultValue)
{
    std::string_view d = defaultValue ? std::string_view(defaultValue) : std::string_view();
    while (!d.empty() && d.back() == ' ')
        d.remove_suffix(1);
    return d;
}

}  // namespace

uint32_t GetPrivateProfileStringA(const char* section, const char* key, const char* defaultValue,
                                  char* buffer, uint32_t size, const char* fileName)
{
    if (buffer == nullptr || size == 0)
        return 0;
    mobr::ProfileCache& cache = mobr::ProfileCache::instance();
    auto lock = cache.lock();
    const mobr::ProfileDocument* doc = cache.readDocument(fileName);

    if (section == nullptr || key == nullptr) {
        std::vector<std::string_view> names;
        if (doc)
            names = section == nullptr ? doc->sectionNames() : doc->keyNames(section);
        return copyList(names, buffer, size);
    }
    std::optional<std::string_view> value;
    if (doc)
        value = doc->value(section, key);
    return uint32_t(mobr::cp932::copyToBuffer(value ? *value : trimmedDefault(defaultValue),
                                              buffer, size));
}

uint32_t GetPrivateProfileIntA(const char* section, const char* key, int defaultValue,
                               const char* fileName)
{
    if (section == nullptr || key == nullptr)
        return uint32_t(defaultValue);
    std::string value;
    {
        mobr::ProfileCache& cache = mobr::ProfileCache::instance();
        auto lock = cache.lock();
        if (const mobr::ProfileDocument* doc = cache.readDocument(fileName)) {
            if (const auto v = doc->value(section, key))
                value = std::string(*v);
        }
    }
    // An empty value counts as missing, as the string read behind it gives
    // nothing to convert.
    if (value.empty())
        return uint32_t(defaultValue);
    std::size_t i = 0;
    while (i < value.size() && (value[i] == ' ' || value[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < value.size() && (value[i] == '-' || value[i] == '+'))
        negative = value[i++] == '-';
    uint32_t result = 0;
    if (i + 1 < value.size() && value[i] == '0' && (value[i + 1] == 'x' || value[i + 1] == 'X')) {
        for (i += 2; i < value.size(); ++i) {
            const char c = value[i];
            unsigned digit;
            if (c >= '0' && c <= '9')
                digit = unsigned(c - '0');
            else if (c >= 'a' && c <= 'f')
                digit = unsigned(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                digit = unsigned(c - 'A' + 10);
            else
                break;
            result = result * 16 + digit;
        }
    } else {
        for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i)
            result = result * 10 + unsigned(value[i] - '0');
    }
    return negative ? 0u - result : result;
}

int WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                               const char* fileName)
{
    if (section == nullptr) {
        if (key != nullptr || value != nullptr)
            return 0;
        // All three null: forget the cached copy (writes are on disk already).
        const std::string path = profilePath(fileName);
        if (path.empty())
            return 0;
        mobr::ProfileCache& cache = mobr::ProfileCache::instance();
        auto lock = cache.lock();
        cache.drop(path);
        cache.drop(mobr::files::resolvePathNoCase(path));
        return 1;
    }
    mobr::ProfileBatch batch(fileName ? fileName : "");
    batch.write(section, key, value);
    return batch.commit();
}
