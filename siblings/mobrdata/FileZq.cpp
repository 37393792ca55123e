#include "mobrdata/FileZq.h"

#include <sqlite3.h>

#include <cstdio>
#include <memory>
#include <string>

#include "mobrdata/FigureFileFormat.h"
#include "mobrdata/SqliteHandles.h"
#include "platform/Files.h"

namespace {

using Db = mobrdata::SqliteDb;
using Stmt = mobrdata::SqliteStmt;

// Big-endian fields of the database header.
uint32_t readBe32(const unsigned char* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}
uint32_t readBe16(const unsigned char* p) { return (uint32_t(p[0]) << 8) | uint32_t(p[1]); }

// True when the file is at least as long as its header says. SQLite reads
// a truncated file's missing pages as zeros, which may or may not be noticed
// later, so a short file is refused here first.
bool headerMatchesSize(const std::string& path) {
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!f) return false;
    unsigned char header[100];
    if (std::fread(header, 1, sizeof header, f.get()) != sizeof header) return false;
    static const char kMagic[] = "SQLite format 3";
    for (int i = 0; i < 16; ++i)
        if (header[i] != static_cast<unsigned char>(kMagic[i])) return false;
    uint32_t pageSize = readBe16(header + 16);
    if (pageSize == 1) pageSize = 65536;
    if (pageSize < 512 || (pageSize & (pageSize - 1)) != 0) return false;
    const uint32_t changeCounter = readBe32(header + 24);
    const uint32_t pageCount = readBe32(header + 28);
    const uint32_t validFor = readBe32(header + 92);
    if (std::fseek(f.get(), 0, SEEK_END) != 0) return false;
    const long size = std::ftell(f.get());
    if (size < 0 || size % pageSize != 0) return false;
    // The page count in the header is only meaningful when it is current.
    if (pageCount != 0 && changeCounter == validFor &&
        static_cast<unsigned long long>(size) < static_cast<unsigned long long>(pageCount) * pageSize)
        return false;
    return true;
}

bool pragmaInt(sqlite3* db, const char* sql, long long& value) {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &raw, nullptr) != SQLITE_OK) return false;
    Stmt st(raw);
    if (sqlite3_step(st.get()) != SQLITE_ROW) return false;
    value = sqlite3_column_int64(st.get(), 0);
    return true;
}

}  // namespace

int aCFileZq::LoadFigCtrl(const char* path, uint32_t* control) {
    if (!path || !*path || !control) return 0;
    int error = 0;
    const std::string native = mobr::files::nativePath(path, &error);
    if (error || native.empty()) return 0;
    const std::string file = mobr::files::resolvePathNoCase(native);
    if (!headerMatchesSize(file)) return 0;

    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(file.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
    Db db(raw);
    if (rc != SQLITE_OK) return 0;
    sqlite3_busy_timeout(db.get(), 2000);

    long long appId = 0, version = 0;
    if (!pragmaInt(db.get(), "PRAGMA application_id", appId) || appId != figfile::kApplicationId) return 0;
    if (!pragmaInt(db.get(), "PRAGMA user_version", version) || version < 1 ||
        version > figfile::kFormatVersion)
        return 0;

    // A damaged file is refused rather than half read.
    {
        sqlite3_stmt* rawCheck = nullptr;
        if (sqlite3_prepare_v2(db.get(), "PRAGMA quick_check(1)", -1, &rawCheck, nullptr) != SQLITE_OK)
            return 0;
        Stmt check(rawCheck);
        if (sqlite3_step(check.get()) != SQLITE_ROW) return 0;
        const unsigned char* verdict = sqlite3_column_text(check.get(), 0);
        if (!verdict || std::string(reinterpret_cast<const char*>(verdict)) != "ok") return 0;
    }

    sqlite3_stmt* rawSel = nullptr;
    if (sqlite3_prepare_v2(db.get(), "SELECT value FROM figure_meta WHERE key = ?1", -1, &rawSel, nullptr) !=
        SQLITE_OK)
        return 0;
    Stmt sel(rawSel);
    sqlite3_bind_text(sel.get(), 1, figfile::kControlKey, -1, SQLITE_STATIC);
    if (sqlite3_step(sel.get()) != SQLITE_ROW) return 0;
    if (sqlite3_column_type(sel.get(), 0) != SQLITE_INTEGER) return 0;
    const long long word = sqlite3_column_int64(sel.get(), 0);
    if (word < 0 || word > 0xFFFFFFFFLL) return 0;
    if (sqlite3_step(sel.get()) != SQLITE_DONE) return 0;

    *control = static_cast<uint32_t>(word);
    return 1;
}
