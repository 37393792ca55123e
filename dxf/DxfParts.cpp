#include "DxfParts.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <exception>
#include <locale>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <thread>
#include <vector>

#include <dxflib/dl_dxf.h>

#include "DxfLog.h"
#include "DxfRecorder.h"
#include "DxfSplit.h"

namespace mobrdxf {
namespace {

// A file mapped for the cut search only; dxflib reads the parts from memory files.
class MappedFile {
public:
    explicit MappedFile(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC))
    {
        struct stat status {};
        if (fd_ < 0 || ::fstat(fd_, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size <= 0) return;
        size_ = static_cast<std::size_t>(status.st_size);
        void* data = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd_, 0);
        if (data != MAP_FAILED) data_ = static_cast<const char*>(data);
    }
    ~MappedFile()
    {
        unmap();
        if (fd_ >= 0) ::close(fd_);
    }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    bool mapped() const { return data_ != nullptr; }
    int fd() const { return fd_; }
    std::size_t size() const { return size_; }
    std::string_view text() const { return {data_, size_}; }
    void unmap()
    {
        if (data_) ::munmap(const_cast<char*>(data_), size_);
        data_ = nullptr;
    }

private:
    int fd_;
    std::size_t size_ = 0;
    const char* data_ = nullptr;
};

// A file in memory that dxflib opens by its /proc path. Its bytes are copied
// in by the kernel from the drawing's file, which is thus read from disk once.
class MemoryFile {
public:
    MemoryFile() : fd_(::memfd_create("dxf-part", MFD_CLOEXEC)) {}
    ~MemoryFile()
    {
        if (fd_ >= 0) ::close(fd_);
    }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    bool valid() const { return fd_ >= 0; }
    std::string path() const { return "/proc/self/fd/" + std::to_string(fd_); }

    bool append(std::string_view bytes)
    {
        while (!bytes.empty()) {
            const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
            if (n <= 0) return false;
            bytes.remove_prefix(static_cast<std::size_t>(n));
        }
        return true;
    }
    bool appendFrom(int source, std::size_t offset, std::size_t length)
    {
        off_t at = static_cast<off_t>(offset);
        while (length > 0) {
            const ssize_t n = ::sendfile(fd_, source, &at, length);
            if (n <= 0) return false;
            length -= static_cast<std::size_t>(n);
        }
        return true;
    }

private:
    int fd_;
};

// A dxflib parser made on zeroed storage: dxflib leaves the version of the
// library that wrote a file unset until the file names it (it decides how an
// MTEXT angle is read), so that such files are read the same way every time,
// and each part of a split read as the whole file.
//
// dxflib frees a vertex (knot, control point...) array before it asks for the
// array's new size; when that allocation fails, the parser keeps the freed
// pointer and its destructor would free it a second time. A parser that threw
// is therefore never destroyed: it stays reachable for the rest of the
// process (a few kilobytes for each damaged file refused that way).
class Parser {
public:
    static bool parse(const std::string& path, DL_CreationInterface& reader)
    {
        auto* parser = new Parser;
        try {
            const bool opened = parser->dxf_->in(path, &reader);
            delete parser;
            return opened;
        } catch (...) {
            abandon(parser);
            throw;
        }
    }

    ~Parser() { dxf_->~DL_Dxf(); }
    Parser(const Parser&) = delete;
    Parser& operator=(const Parser&) = delete;

private:
    Parser() : dxf_(new (storage_) DL_Dxf) {}

    static void abandon(Parser* parser) noexcept
    {
        static std::mutex mutex;
        static auto* const abandoned = new std::vector<Parser*>();
        try {
            const std::lock_guard<std::mutex> lock(mutex);
            abandoned->push_back(parser);
        } catch (...) {
            // Without memory to note it, the parser is left as it is: still never freed twice.
        }
    }

    alignas(DL_Dxf) unsigned char storage_[sizeof(DL_Dxf)] = {};
    DL_Dxf* dxf_;
};

// dxflib switches the global locale to "C" while it reads and back after;
// two parsers doing so at once could leave the other's locale behind, so
// the classic locale is set once around both.
class ClassicLocale {
public:
    ClassicLocale() : previous_(std::locale::global(std::locale::classic())) {}
    ~ClassicLocale() { std::locale::global(previous_); }
    ClassicLocale(const ClassicLocale&) = delete;
    ClassicLocale& operator=(const ClassicLocale&) = delete;

private:
    std::locale previous_;
};

struct Parts {
    MemoryFile first, second;
};

// The first part ends where the second begins, its section closed; the
// second is the header (the parser's version) and a SECTION ENTITIES before
// the rest of the file, whose EOF (or its lack) stays in it.
std::unique_ptr<Parts> cutInTwo(const std::string& path, std::size_t splitFrom)
{
    MappedFile file(path);
    if (!file.mapped() || file.size() < splitFrom) return nullptr;
    const std::optional<DxfCut> cut = findEntityCut(file.text(), file.size() / 2);
    file.unmap();
    if (!cut) return nullptr;
    auto parts = std::make_unique<Parts>();
    const bool made = parts->first.valid() && parts->second.valid() && parts->first.appendFrom(file.fd(), 0, cut->at)
                      && parts->first.append("0\nENDSEC\n") && parts->second.appendFrom(file.fd(), 0, cut->headerEnd)
                      && parts->second.append("0\nSECTION\n2\nENTITIES\n")
                      && parts->second.appendFrom(file.fd(), cut->at, file.size() - cut->at);
    if (!made) {
        qCWarning(lcDxf) << "no memory files for a read in two parts; reading in one";
        return nullptr;
    }
    return parts;
}

using Clock = std::chrono::steady_clock;

long long milliseconds(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(to - from).count();
}

void parsePart(const std::string& path, DL_CreationInterface& reader)
{
    if (!parseDxf(path, reader)) throw std::runtime_error("a part of it cannot be read again");
}

}  // namespace

bool parseDxf(const std::string& path, DL_CreationInterface& reader)
{
    return Parser::parse(path, reader);
}

bool readInTwoParts(const std::string& path, DL_CreationInterface& reader, const PartsLimits& limits)
{
    const std::unique_ptr<Parts> parts = cutInTwo(path, limits.splitFrom);
    if (!parts) return false;
    const std::string firstPath = parts->first.path(), secondPath = parts->second.path();
    DxfRecorder recorder(limits.maxRecordedCalls);
    std::exception_ptr firstFailure, secondFailure;
    const Clock::time_point start = Clock::now();
    Clock::time_point firstEnd, secondEnd;
    {
        const ClassicLocale classic;
        std::thread second([&] {
            try {
                parsePart(secondPath, recorder);
            } catch (const DxfRecorder::Full&) {
                // read again below, straight into the reader
            } catch (...) {
                secondFailure = std::current_exception();
            }
            secondEnd = Clock::now();
        });
        try {
            parsePart(firstPath, reader);
        } catch (...) {
            firstFailure = std::current_exception();
        }
        firstEnd = Clock::now();
        second.join();
    }
    if (firstFailure) std::rethrow_exception(firstFailure);
    if (secondFailure) std::rethrow_exception(secondFailure);
    if (recorder.overflowed()) {
        qCInfo(lcDxf) << "second part too large to record; reading it after the first";
        DxfRecorder forward(reader);
        parsePart(secondPath, forward);
    } else {
        recorder.replay(reader);
    }
    qCDebug(lcDxf) << "read in two parts: first" << milliseconds(start, firstEnd) << "ms, second"
                   << milliseconds(start, secondEnd) << "ms," << recorder.size() << "calls played in"
                   << milliseconds(std::max(firstEnd, secondEnd), Clock::now()) << "ms";
    return true;
}

}  // namespace mobrdxf
