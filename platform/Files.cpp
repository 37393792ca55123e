#include "platform/Files.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/AtomicReplace.h"
#include "platform/CodePage.h"

namespace mobr::files {

namespace {

constexpr std::size_t kCopyBlock = 1024;

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

bool isRegularEntry(const std::string& folder, const dirent* entry)
{
    if (entry->d_type == DT_REG)
        return true;
    if (entry->d_type != DT_UNKNOWN && entry->d_type != DT_LNK)
        return false;
    struct stat st;
    return ::stat((folder + entry->d_name).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// "dir/" for a folder text, "" for none (the current folder).
std::string withSeparator(std::string folder)
{
    if (!folder.empty() && folder.back() != '/')
        folder.push_back('/');
    return folder;
}

bool startsWithNoCase(std::string_view name, std::string_view prefix)
{
    return name.size() >= prefix.size() && cp932::equalNoCase(name.substr(0, prefix.size()), prefix);
}

bool endsWithNoCase(std::string_view name, std::string_view suffix)
{
    return name.size() >= suffix.size()
           && cp932::equalNoCase(name.substr(name.size() - suffix.size()), suffix);
}

enum class CopyStage { None, Source, Target, Write };

int copyBlocks(std::string_view source, std::string_view target, CopyStage& stage,
               std::string& sourcePath, std::string& targetPath)
{
    stage = CopyStage::Source;
    int error = 0;
    sourcePath = nativePath(source, &error);
    if (sourcePath.empty())
        return error;
    sourcePath = resolvePathNoCase(sourcePath);
    stage = CopyStage::Target;
    targetPath = nativePath(target, &error);
    if (targetPath.empty())
        return error;
    targetPath = resolvePathNoCase(targetPath);

    stage = CopyStage::Source;
    const int in = ::open(sourcePath.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return errno;
    struct stat st;
    if (::fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(in);
        return S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    }
    stage = CopyStage::Target;
    AtomicReplace out(targetPath);
    int rc = out.open();
    char block[kCopyBlock];
    while (rc == 0) {
        const ssize_t n = ::read(in, block, sizeof block);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            stage = CopyStage::Source;
            rc = errno;
            break;
        }
        stage = CopyStage::Write;
        if (n == 0) {
            rc = out.commit();
            break;
        }
        rc = out.write(block, std::size_t(n));
    }
    ::close(in);
    if (rc == 0)
        stage = CopyStage::None;
    return rc;
}

}  // namespace

int writeFileAtomically(const std::string& path, std::string_view data)
{
    if (path.empty())
        return ENOENT;
    return replaceFileAtomically(path, data);
}

std::string nativePath(std::string_view hostPath, int* error)
{
    if (hostPath.empty() || hostPath.size() >= kMaxPathBytes) {
        if (error)
            *error = hostPath.empty() ? ENOENT : ENAMETOOLONG;
        return {};
    }
    if (error)
        *error = 0;
    return cp932::toNativePath(hostPath);
}

std::string resolveFileNameNoCase(std::string_view folder, std::string_view name)
{
    const std::string dir = withSeparator(cp932::toNativePath(folder));
    std::string exact = dir + std::string(name);
    struct stat st;
    if (name.empty() || ::lstat(exact.c_str(), &st) == 0)
        return exact;
    DirHandle handle(::opendir(dir.empty() ? "." : dir.c_str()));
    if (!handle)
        return exact;
    std::string best;
    while (const dirent* entry = ::readdir(handle.get())) {
        const std::string_view candidate(entry->d_name);
        if (cp932::equalNoCase(candidate, name) && (best.empty() || candidate < best))
            best = std::string(candidate);
    }
    return best.empty() ? exact : dir + best;
}

std::string resolvePathNoCase(std::string_view path)
{
    const std::string native = cp932::toNativePath(path);
    const std::size_t slash = native.rfind('/');
    if (slash == std::string::npos)
        return resolveFileNameNoCase("", native);
    return resolveFileNameNoCase(std::string_view(native).substr(0, slash + 1),
                                 std::string_view(native).substr(slash + 1));
}

int findFiles(std::string_view pattern, std::vector<std::string>& names)
{
    names.clear();
    int error = 0;
    const std::string native = nativePath(pattern, &error);
    if (native.empty())
        return error;
    const std::size_t slash = native.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : native.substr(0, slash + 1);
    const std::string namePattern = native.substr(slash == std::string::npos ? 0 : slash + 1);

    // "start*end": the name starts with `start` and ends with `end`, both
    // without regard to case; "*.*" (end ".*") takes any name.
    const std::size_t star = namePattern.find('*');
    const std::string start = namePattern.substr(0, star);
    std::string end = star == std::string::npos ? std::string() : namePattern.substr(star + 1);
    const bool anyEnd = end == ".*" || end == "*";

    DirHandle dir(::opendir(folder.empty() ? "." : folder.c_str()));
    if (!dir)
        return errno;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string_view name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        bool match;
        if (star == std::string::npos)
            match = cp932::equalNoCase(name, start);
        else
            match = name.size() >= start.size() + (anyEnd ? 0 : end.size())
                    && startsWithNoCase(name, start) && (anyEnd || endsWithNoCase(name, end));
        if (match && isRegularEntry(folder, entry))
            names.emplace_back(name);
    }
    return 0;
}

int findFiles(std::string_view prefix, std::string_view extension, std::vector<std::string>& names)
{
    std::string pattern(prefix);
    pattern += "*.";
    pattern += extension;
    return findFiles(std::string_view(pattern), names);
}

bool fileExists(std::string_view path)
{
    const std::string native = nativePath(path);
    struct stat st;
    return !native.empty() && ::stat(resolvePathNoCase(native).c_str(), &st) == 0
           && S_ISREG(st.st_mode);
}

bool folderExists(std::string_view path)
{
    const std::string native = nativePath(path);
    struct stat st;
    return !native.empty() && ::stat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

int deleteFile(std::string_view path)
{
    int error = 0;
    const std::string native = nativePath(path, &error);
    if (native.empty())
        return error;
    return ::unlink(resolvePathNoCase(native).c_str()) == 0 ? 0 : errno;
}

int copyFile(std::string_view source, std::string_view target)
{
    CopyStage stage;
    std::string sourcePath;
    std::string targetPath;
    return copyBlocks(source, target, stage, sourcePath, targetPath);
}

void copyFileOrThrow(std::string_view source, std::string_view target)
{
    CopyStage stage;
    std::string sourcePath;
    std::string targetPath;
    const int rc = copyBlocks(source, target, stage, sourcePath, targetPath);
    if (rc == 0)
        return;
    if (stage == CopyStage::Source)
        throw FileError(rc, "open", sourcePath.empty() ? std::string(source) : sourcePath);
    throw FileError(rc, stage == CopyStage::Write ? "write" : "create", targetPath.empty() ? std::string(target) : targetPath);
}

std::string currentDirectory()
{
    std::string buffer(256, '\0');
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE || buffer.size() > (std::size_t(1) << 20))
            return {};
        buffer.resize(buffer.size() * 2);
    }
    buffer.resize(std::strlen(buffer.c_str()));
    return withSeparator(buffer);
}

std::string tempDirectory()
{
    const char* env = std::getenv("TMPDIR");
    struct stat st;
    if (env && *env && ::stat(env, &st) == 0 && S_ISDIR(st.st_mode))
        return withSeparator(env);
    return "/tmp/";
}

}  // namespace mobr::files

namespace {

uint32_t copyFolderText(const std::string& text, uint32_t size, char* buffer)
{
    if (text.empty())
        return 0;
    if (buffer == nullptr || text.size() + 1 > size)
        return uint32_t(text.size() + 1);
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return uint32_t(text.size());
}

}  // namespace

uint32_t GetTempPathA(uint32_t size, char* buffer)
{
    return copyFolderText(mobr::files::tempDirectory(), size, buffer);
}

uint32_t GetCurrentDirectoryA(uint32_t size, char* buffer)
{
    return copyFolderText(mobr::files::currentDirectory(), size, buffer);
}
