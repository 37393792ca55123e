#include "DxfParts.h"

#include <fcntl.h>
#include <stdio_ext.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>
#include <locale>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

#include <dxflib/dl_dxf.h>

#include "DxfLog.h"
#include "DxfRecorder.h"
#include "DxfSplit.h"

namespace mobrdxf {
namespace {

using FilePtr = std::unique_ptr<FILE, int (*)(FILE*)>;

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
    // Every group of `file` through dxflib's file reader, the one that hands
    // each group to processCodeValuePair. The file is read here rather than
    // opened by dxflib so that its stream takes no lock per call: each
    // parser's file is used by its own thread only.
    static void parse(FILE* file, DL_CreationInterface& reader)
    {
        ::__fsetlocking(file, FSETLOCKING_BYCALLER);
        auto* parser = new Parser;
        try {
            std::istringstream nothing;
            parser->dxf_->in(nothing, &reader);   // the start state dxflib's own file reader sets
            while (parser->dxf_->readDxfGroups(file, &reader)) {
            }
        } catch (...) {
            abandon(parser);
            throw;
        }
        delete parser;
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

// dxflib reads numbers with the global locale; it is the classic one while a
// drawing is parsed (dxflib's own file reader does the same), set once
// around both parsers of a split read.
class ClassicLocale {
public:
    ClassicLocale() : previous_(std::locale::global(std::locale::classic())) {}
    ~ClassicLocale() { std::locale::global(previous_); }
    ClassicLocale(const ClassicLocale&) = delete;
    ClassicLocale& operator=(const ClassicLocale&) = delete;

private:
    std::locale previous_;
};

// The drawing's file, mapped only while the cut is searched.
class MappedFile {
public:
    explicit MappedFile(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC))
    {
        struct stat status {};
        if (fd_ < 0 || ::fstat(fd_, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size <= 0) return;
        size_ = static_cast<std::size_t>(status.st_size);
    }
    ~MappedFile()
    {
        unmap();
        if (fd_ >= 0) ::close(fd_);
    }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    bool map()
    {
        void* data = size_ > 0 ? ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd_, 0) : MAP_FAILED;
        if (data != MAP_FAILED) data_ = static_cast<const char*>(data);
        return data_ != nullptr;
    }
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

// What one parser of a split read reads: ranges of the drawing's file (read
// with pread, so both parsers share one descriptor and nothing is copied
// beforehand) and the few lines put between them, as one stdio stream.
class PartStream {
public:
    explicit PartStream(int fd) : fd_(fd) {}
    PartStream(const PartStream&) = delete;
    PartStream& operator=(const PartStream&) = delete;

    PartStream& range(std::size_t offset, std::size_t length)
    {
        pieces_.push_back(Piece{offset, length, {}});
        return *this;
    }
    PartStream& lines(std::string text)
    {
        pieces_.push_back(Piece{0, text.size(), std::move(text)});
        return *this;
    }

    // Parses the stream into `reader`; a read error of the file throws.
    void parseInto(DL_CreationInterface& reader)
    {
        FilePtr file(::fopencookie(this, "r", cookie_io_functions_t{&PartStream::read, nullptr, nullptr, nullptr}), &std::fclose);
        if (!file) throw std::runtime_error("a part of it cannot be opened");
        std::setvbuf(file.get(), nullptr, _IOFBF, kBufferBytes);   // fewer reads than stdio's 8 KB
        Parser::parse(file.get(), reader);
        if (failed_) throw std::runtime_error("a part of it cannot be read");
    }

private:
    struct Piece {
        std::size_t offset, length;
        std::string text;   // read instead of the file when not empty
    };

    // A read error ends the stream (and is reported after the parse): dxflib
    // reads on until the end of the file and would never see an error.
    static ssize_t read(void* cookie, char* buffer, std::size_t size)
    {
        auto* self = static_cast<PartStream*>(cookie);
        while (self->piece_ < self->pieces_.size() && self->done_ == self->pieces_[self->piece_].length) {
            ++self->piece_;
            self->done_ = 0;
        }
        if (self->piece_ == self->pieces_.size() || self->failed_) return 0;
        const Piece& piece = self->pieces_[self->piece_];
        const std::size_t n = std::min(size, piece.length - self->done_);
        ssize_t got = static_cast<ssize_t>(n);
        if (piece.text.empty()) got = ::pread(self->fd_, buffer, n, static_cast<off_t>(piece.offset + self->done_));
        else std::memcpy(buffer, piece.text.data() + self->done_, n);
        if (got <= 0) {
            self->failed_ = true;
            return 0;
        }
        self->done_ += static_cast<std::size_t>(got);
        return got;
    }

    static constexpr std::size_t kBufferBytes = 1 << 16;

    int fd_;
    std::vector<Piece> pieces_;
    std::size_t piece_ = 0, done_ = 0;
    bool failed_ = false;
};

// The second part is the header (the parser's version) and a SECTION
// ENTITIES before the rest of the file, whose EOF (or its lack) stays in it.
void secondPart(PartStream& part, const DxfCut& cut, std::size_t fileSize)
{
    part.range(0, cut.headerEnd).lines("0\nSECTION\n2\nENTITIES\n").range(cut.at, fileSize - cut.at);
}

using Clock = std::chrono::steady_clock;

long long milliseconds(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(to - from).count();
}

// Processor time of the calling thread so far, for the log.
long long threadMilliseconds()
{
    timespec t{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<long long>(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

struct PartOutcome {
    std::exception_ptr failure;
    Clock::time_point end;
    long long processorMs = 0;   // of the thread that parsed the part
};

// Parses one part on the calling thread; what it threw is kept, to be thrown
// once both parts have ended. A full recording is no failure: that part is
// parsed again after the first.
PartOutcome parsePart(PartStream& part, DL_CreationInterface& reader)
{
    PartOutcome outcome;
    const long long processorStart = threadMilliseconds();
    try {
        part.parseInto(reader);
    } catch (const DxfRecorder::Full&) {
    } catch (...) {
        outcome.failure = std::current_exception();
    }
    outcome.end = Clock::now();
    outcome.processorMs = threadMilliseconds() - processorStart;
    return outcome;
}

}  // namespace

bool parseDxf(const std::string& path, DL_CreationInterface& reader)
{
    FilePtr file(std::fopen(path.c_str(), "r"), &std::fclose);
    if (!file) return false;
    const ClassicLocale classic;
    Parser::parse(file.get(), reader);
    return true;
}

bool readInTwoParts(const std::string& path, DL_CreationInterface& reader, const PartsLimits& limits)
{
    MappedFile file(path);
    if (file.size() == 0 || file.size() < limits.splitFrom || !file.map()) return false;
    const std::optional<DxfCut> cut = findEntityCut(file.text(), file.size() / 2);
    file.unmap();
    if (!cut) return false;
    // The first part ends where the second begins, its section closed.
    PartStream first(file.fd()), second(file.fd());
    first.range(0, cut->at).lines("0\nENDSEC\n");
    secondPart(second, *cut, file.size());

    DxfRecorder recorder(limits.maxRecordedCalls);
    const Clock::time_point start = Clock::now();
    PartOutcome firstOutcome, secondOutcome;
    {
        const ClassicLocale classic;
        std::thread worker;
        try {
            worker = std::thread([&] { secondOutcome = parsePart(second, recorder); });
        } catch (const std::system_error& e) {
            qCWarning(lcDxf) << "no thread for a second part (" << e.what() << "); reading in one";
            return false;   // nothing has reached the reader yet
        }
        firstOutcome = parsePart(first, reader);
        worker.join();
    }
    if (firstOutcome.failure) std::rethrow_exception(firstOutcome.failure);
    if (secondOutcome.failure) std::rethrow_exception(secondOutcome.failure);
    if (recorder.overflowed()) {
        qCInfo(lcDxf) << "second part too large to record; reading it after the first";
        const ClassicLocale classic;
        PartStream again(file.fd());
        secondPart(again, *cut, file.size());
        DxfRecorder forward(reader);
        again.parseInto(forward);
    } else {
        recorder.replay(reader);
    }
    qCDebug(lcDxf) << "read in two parts: first" << milliseconds(start, firstOutcome.end) << "ms ("
                   << firstOutcome.processorMs << "ms processor), second" << milliseconds(start, secondOutcome.end)
                   << "ms (" << secondOutcome.processorMs << "ms processor)," << recorder.size() << "calls played in"
                   << milliseconds(std::max(firstOutcome.end, secondOutcome.end), Clock::now()) << "ms";
    return true;
}

}  // namespace mobrdxf
