#include "mobrdata/FileZq.h"

#include <sqlite3.h>

#include <memory>
#include <string>

#include "mobrdata/FigureFileFormat.h"
#include "mobrdata/FigureFileOpen.h"
#include "mobrdata/SqliteHandles.h"
#include "platform/Files.h"

namespace {

using Db = mobrdata::SqliteDb;
using Stmt = mobrdata::SqliteStmt;

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
    long long size = 0;
    if (!mobrdata::figureFileProblem(file, size).empty()) return 0;

    // Read-only and immutable: nothing is written beside the file. Every
    // statement runs under a deadline that the file cannot stretch.
    Db db = mobrdata::openFigureFile(file);
    if (!db) return 0;
    mobrdata::FigureReadGuard guard(mobrdata::readBudget(size));
    guard.install(db.get());

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

    // figure_meta must be a real table, not a view that could run for ever.
    if (!mobrdata::tableShapeProblem(db.get(), figfile::kMetaTable, {"key", "value"}).empty()) return 0;

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
