// libFuzzer target: the module's figure-file reader on figure files shaped by
// SQL. The input is SQL (statements as SQLite splits them) run on a fresh,
// valid figure file, so the fuzzer reaches what random bytes rarely make: a
// sound database whose tables were replaced by views (recursive ones run for
// ever), triggers, odd types, WAL mode, huge rows. LoadFigCtrl must then
// answer within its time bound (aborting otherwise), change the control word
// only on success, and write nothing beside the file.
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "mobrdata/FigureFileFormat.h"
#include "mobrdata/FileZq.h"

namespace {

std::string folder()
{
    static const std::string path = [] {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/fuzz_figfile_sql_XXXXXX";
        const char* made = mkdtemp(pattern.data());
        return std::string(made ? made : "/tmp");
    }();
    return path;
}

bool exists(const std::string& path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

// Stops a statement of the input after a while: the input may itself loop.
int stopSlowInput(void* started)
{
    return std::chrono::steady_clock::now() - *static_cast<std::chrono::steady_clock::time_point*>(started) >
           std::chrono::milliseconds(200);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 4096) return 0;
    const std::string file = folder() + "/figure.fig";
    for (const char* suffix : {"", "-journal", "-wal", "-shm"}) std::remove((file + suffix).c_str());

    sqlite3* db = nullptr;
    if (sqlite3_open(file.c_str(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        return 0;
    }
    const std::string create = "PRAGMA application_id=" + std::to_string(figfile::kApplicationId) +
                               "; PRAGMA user_version=" + std::to_string(figfile::kFormatVersion) + "; " +
                               figfile::kCreateMetaSql + "; INSERT INTO figure_meta VALUES('control', 7);";
    sqlite3_exec(db, create.c_str(), nullptr, nullptr, nullptr);
    auto started = std::chrono::steady_clock::now();
    sqlite3_progress_handler(db, 1000, &stopSlowInput, &started);
    sqlite3_limit(db, SQLITE_LIMIT_LENGTH, 1 << 20);
    const std::string sql(reinterpret_cast<const char*>(data), size);
    sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
    // Whatever mode the input left: close so the file is complete on disk.
    sqlite3_close_v2(db);
    std::remove((file + "-journal").c_str());
    const bool walBefore = exists(file + "-wal"), shmBefore = exists(file + "-shm");

    uint32_t control = 0xA5A5A5A5u;
    const auto t0 = std::chrono::steady_clock::now();
    const int ok = aCFileZq::LoadFigCtrl(file.c_str(), &control);
    const auto spent = std::chrono::steady_clock::now() - t0;
    // The reader's own bound is one second for a file this small.
    if (spent > std::chrono::seconds(3)) {
        std::fprintf(stderr, "LoadFigCtrl took %lld ms\n",
                     static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(spent).count()));
        std::abort();
    }
    if (!ok && control != 0xA5A5A5A5u) std::abort();  // a refusal must not touch the word
    if (ok && control > 0xFFFFFFFFu) std::abort();
    // Nothing is written beside a file that is only read.
    if (exists(file + "-journal") || (!walBefore && exists(file + "-wal")) || (!shmBefore && exists(file + "-shm")))
        std::abort();
    return 0;
}
