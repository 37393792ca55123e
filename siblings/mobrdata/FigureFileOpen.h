#pragma once

// Opening a figure file for reading, shared by the module's reader
// (aCFileZq) and the host's loader. A figure file is outside input: it may be
// damaged or made to hurt. Both readers therefore
// - look at the file itself first: a regular file (not a FIFO, a device or a
//   folder, which are refused before anything waits on them), with the
//   SQLite header, as long as its header says;
// - open it read-only and immutable (URI "immutable=1"): nothing is ever
//   written beside it, no -journal, -wal or -shm, not even for a file left
//   in WAL mode;
// - refuse a hot rollback journal beside it (an unfinished change by some
//   other writer) with a message that says so;
// - bound the work of every statement by a deadline that grows with the
//   file's size, so that no file, views or not, can make a reader run for
//   ever, and keep SQLite's memory per connection small (a small page
//   cache, no memory mapping, no value above 16 MB);
// - check that the tables they read are real tables of the expected shape
//   (a view or a virtual table of that name is refused before it runs).

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "SqliteHandles.h"

namespace mobrdata {

// The time a read of a file of `bytes` bytes may take: one second plus one
// per 16 MB, far above what a sound file needs.
inline std::chrono::milliseconds readBudget(long long bytes)
{
    return std::chrono::milliseconds(1000 + bytes / (16 * 1024 * 1024) * 1000);
}

class FigureReadGuard {
public:
    explicit FigureReadGuard(std::chrono::milliseconds budget)
        : deadline_(std::chrono::steady_clock::now() + budget) {}
    // Installs the deadline on `db`: every statement is interrupted once it
    // has passed.
    void install(sqlite3* db)
    {
        sqlite3_progress_handler(db, 1000, &FigureReadGuard::tick, this);
    }
    bool expired() const { return expired_; }

private:
    static int tick(void* self)
    {
        auto* guard = static_cast<FigureReadGuard*>(self);
        if (std::chrono::steady_clock::now() > guard->deadline_) guard->expired_ = true;
        return guard->expired_ ? 1 : 0;
    }
    std::chrono::steady_clock::time_point deadline_;
    bool expired_ = false;
};

inline uint32_t figfileBe32(const unsigned char* p)
{
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}

// The file as found on disk: empty `problem` when it may be opened; `size`
// gets its length. Never blocks (a FIFO is opened without waiting).
inline std::string figureFileProblem(const std::string& file, long long& size)
{
    const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return std::string("cannot be opened: ") + std::strerror(errno);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return S_ISDIR(st.st_mode) ? "is a folder, not a figure file"
                                   : "is not a regular file (a FIFO, a device or a socket)";
    }
    size = static_cast<long long>(st.st_size);
    unsigned char header[100];
    const ssize_t got = ::pread(fd, header, sizeof header, 0);
    ::close(fd);
    static const char kMagic[] = "SQLite format 3";
    if (got != static_cast<ssize_t>(sizeof header) || std::memcmp(header, kMagic, 16) != 0)
        return "not a figure file (not an SQLite database)";
    uint32_t pageSize = (uint32_t(header[16]) << 8) | header[17];
    if (pageSize == 1) pageSize = 65536;
    if (pageSize < 512 || (pageSize & (pageSize - 1)) != 0) return "damaged (impossible page size)";
    const uint32_t pageCount = figfileBe32(header + 28);
    // The page count in the header is only meaningful when it is current.
    if (size % pageSize != 0 ||
        (pageCount != 0 && figfileBe32(header + 24) == figfileBe32(header + 92) &&
         static_cast<unsigned long long>(size) < static_cast<unsigned long long>(pageCount) * pageSize))
        return "truncated (shorter than its header says)";
    // A hot rollback journal: some other writer changed the file in place
    // and did not finish. Reading it as it is would read that half change.
    const std::string journal = file + "-journal";
    const int jfd = ::open(journal.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (jfd >= 0) {
        struct stat js {};
        unsigned char magic[8] = {};
        const bool hot = ::fstat(jfd, &js) == 0 && S_ISREG(js.st_mode) && js.st_size >= 8 &&
                         ::pread(jfd, magic, 8, 0) == 8 &&
                         std::memcmp(magic, "\xd9\xd5\x05\xf9\x20\xa1\x63\xd7", 8) == 0;
        ::close(jfd);
        if (hot)
            return "has an unfinished change of another program beside it (" +
                   journal.substr(journal.find_last_of('/') + 1) + "); it is not read";
    }
    return std::string();
}

// "file:" URI of a path, with the characters a URI reserves escaped.
inline std::string figureFileUri(const std::string& file)
{
    std::string uri = "file:";
    static const char kHex[] = "0123456789ABCDEF";
    for (unsigned char c : file) {
        if (c == '%' || c == '?' || c == '#' || c < 0x20 || c == 0x7F) {
            uri += '%';
            uri += kHex[c >> 4];
            uri += kHex[c & 15];
        } else {
            uri += static_cast<char>(c);
        }
    }
    return uri + "?immutable=1";
}

constexpr int kMaxValueBytes = 16 * 1024 * 1024;

// Opens the file read-only and immutable, with small per-connection limits.
inline SqliteDb openFigureFile(const std::string& file)
{
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(figureFileUri(file).c_str(), &raw, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
    SqliteDb db(raw);
    if (rc != SQLITE_OK) return SqliteDb();
    sqlite3_exec(db.get(), "PRAGMA cache_size=-2048; PRAGMA mmap_size=0; PRAGMA trusted_schema=OFF", nullptr, nullptr,
                 nullptr);
    // No text or blob of a figure file is near this (the tables' JSON is a
    // few KB, an element chunk 1 MB): a longer one is refused, not read.
    sqlite3_limit(db.get(), SQLITE_LIMIT_LENGTH, kMaxValueBytes);
    return db;
}

// Empty when `name` is a real table (not a view, not a virtual table) whose
// columns are exactly `columns`, in order.
inline std::string tableShapeProblem(sqlite3* db, const char* name, const std::vector<std::string>& columns)
{
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT type, sql FROM sqlite_schema WHERE name = ?1 COLLATE NOCASE", -1, &raw, nullptr) !=
        SQLITE_OK)
        return "damaged (no readable schema)";
    SqliteStmt st(raw);
    sqlite3_bind_text(st.get(), 1, name, -1, SQLITE_STATIC);
    if (sqlite3_step(st.get()) != SQLITE_ROW) return std::string("damaged (no table ") + name + ")";
    const unsigned char* type = sqlite3_column_text(st.get(), 0);
    const unsigned char* sql = sqlite3_column_text(st.get(), 1);
    if (!type || std::strcmp(reinterpret_cast<const char*>(type), "table") != 0 || !sql ||
        sqlite3_strnicmp(reinterpret_cast<const char*>(sql), "CREATE TABLE", 12) != 0)
        return std::string("damaged (") + name + " is not a table)";
    if (sqlite3_step(st.get()) != SQLITE_DONE) return std::string("damaged (") + name + " is defined twice)";
    st.reset();
    const std::string pragma = std::string("SELECT name FROM pragma_table_info('") + name + "')";
    if (sqlite3_prepare_v2(db, pragma.c_str(), -1, &raw, nullptr) != SQLITE_OK)
        return std::string("damaged (") + name + " cannot be read)";
    st.reset(raw);
    std::size_t i = 0;
    while (sqlite3_step(st.get()) == SQLITE_ROW) {
        const unsigned char* column = sqlite3_column_text(st.get(), 0);
        if (i >= columns.size() || !column || columns[i] != reinterpret_cast<const char*>(column))
            return std::string("damaged (") + name + " has other columns)";
        ++i;
    }
    if (i != columns.size()) return std::string("damaged (") + name + " has other columns)";
    return std::string();
}

}  // namespace mobrdata
