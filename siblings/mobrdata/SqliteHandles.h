#pragma once

// Owning handles of SQLite objects, shared by the figure-file reader and the
// host that writes figure files.

#include <sqlite3.h>

#include <memory>

namespace mobrdata {

struct DbCloser {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
struct StmtFinalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using SqliteDb = std::unique_ptr<sqlite3, DbCloser>;
using SqliteStmt = std::unique_ptr<sqlite3_stmt, StmtFinalizer>;

}  // namespace mobrdata
