#include "store/FigureFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "model/Bytes.h"
#include "platform/Files.h"
#include "siblings/mobrdata/FigureFileFormat.h"
#include "siblings/mobrdata/FigureFileOpen.h"
#include "siblings/mobrdata/SqliteHandles.h"
#include "store/FigureJson.h"

namespace mobrhost {

namespace {

using Db = mobrdata::SqliteDb;
using Stmt = mobrdata::SqliteStmt;

static_assert(sizeof(ElementDatabase::Record) == element::kBytes, "element records are packed bytes");

bool fail(std::string* error, const std::string& path, const std::string& problem)
{
    if (error) *error = path + ": " + problem;
    return false;
}

Stmt prepare(sqlite3* db, const char* sql)
{
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &raw, nullptr) != SQLITE_OK) return Stmt();
    return Stmt(raw);
}

bool exec(sqlite3* db, const char* sql)
{
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool pragmaInt(sqlite3* db, const char* sql, long long& value)
{
    Stmt st = prepare(db, sql);
    if (!st || sqlite3_step(st.get()) != SQLITE_ROW) return false;
    value = sqlite3_column_int64(st.get(), 0);
    return true;
}

bool putMeta(sqlite3* db, const char* key, sqlite3_int64 value)
{
    Stmt st = prepare(db, "INSERT INTO figure_meta(key, value) VALUES(?, ?)");
    if (!st) return false;
    sqlite3_bind_text(st.get(), 1, key, -1, SQLITE_STATIC);
    sqlite3_bind_int64(st.get(), 2, value);
    return sqlite3_step(st.get()) == SQLITE_DONE;
}

bool putMetaText(sqlite3* db, const char* key, const std::string& value)
{
    Stmt st = prepare(db, "INSERT INTO figure_meta(key, value) VALUES(?, ?)");
    if (!st) return false;
    sqlite3_bind_text(st.get(), 1, key, -1, SQLITE_STATIC);
    sqlite3_bind_text(st.get(), 2, value.data(), static_cast<int>(value.size()), SQLITE_STATIC);
    return sqlite3_step(st.get()) == SQLITE_DONE;
}

bool writeDatabase(const Figure& f, const std::string& file, std::string& problem)
{
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(file.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    Db db(raw);
    if (rc != SQLITE_OK) {
        problem = "cannot be created";
        return false;
    }
    // Large pages for large figures (their element chunks are 1 MB), the
    // default for small ones so that a small figure stays a small file.
    const bool large = f.elements.slotCount(0) + f.elements.slotCount(1) > FigureFile::kChunkRecords;
    const std::string pragmas = std::string("PRAGMA journal_mode=DELETE; PRAGMA synchronous=OFF; PRAGMA page_size=") +
                                (large ? "65536;" : "4096;") +
                                "PRAGMA application_id=" + std::to_string(figfile::kApplicationId) +
                                "; PRAGMA user_version=" + std::to_string(figfile::kFormatVersion) + ";";
    if (!exec(db.get(), pragmas.c_str()) || !exec(db.get(), "BEGIN") || !exec(db.get(), figfile::kCreateMetaSql) ||
        !exec(db.get(), "CREATE TABLE element_chunks(space INTEGER NOT NULL, first INTEGER NOT NULL, "
                        "count INTEGER NOT NULL, records BLOB NOT NULL, PRIMARY KEY(space, first))")) {
        problem = std::string("cannot be written: ") + sqlite3_errmsg(db.get());
        return false;
    }
    const std::string tables = FigureJson::toJson(f, false).dump();
    if (!putMeta(db.get(), figfile::kControlKey, f.control) || !putMeta(db.get(), "host_format", FigureFile::kHostFormat) ||
        !putMeta(db.get(), "element_record_bytes", element::kBytes) ||
        !putMeta(db.get(), "space0_slots", f.elements.slotCount(0)) ||
        !putMeta(db.get(), "space1_slots", f.elements.slotCount(1)) || !putMetaText(db.get(), "tables", tables)) {
        problem = std::string("cannot be written: ") + sqlite3_errmsg(db.get());
        return false;
    }
    Stmt insert = prepare(db.get(), "INSERT INTO element_chunks(space, first, count, records) VALUES(?, ?, ?, ?)");
    if (!insert) {
        problem = std::string("cannot be written: ") + sqlite3_errmsg(db.get());
        return false;
    }
    for (int s = 0; s < ElementDatabase::kSpaces; ++s) {
        const auto& records = f.elements.records(s);
        for (std::size_t first = 0; first < records.size(); first += FigureFile::kChunkRecords) {
            const std::size_t count = std::min<std::size_t>(FigureFile::kChunkRecords, records.size() - first);
            sqlite3_reset(insert.get());
            sqlite3_bind_int(insert.get(), 1, s);
            sqlite3_bind_int64(insert.get(), 2, static_cast<sqlite3_int64>(first + 1));
            sqlite3_bind_int64(insert.get(), 3, static_cast<sqlite3_int64>(count));
            sqlite3_bind_blob(insert.get(), 4, records[first].data(), static_cast<int>(count * element::kBytes), SQLITE_STATIC);
            if (sqlite3_step(insert.get()) != SQLITE_DONE) {
                problem = std::string("cannot be written: ") + sqlite3_errmsg(db.get());
                return false;
            }
        }
    }
    insert.reset();
    if (!exec(db.get(), "COMMIT")) {
        problem = std::string("cannot be written: ") + sqlite3_errmsg(db.get());
        return false;
    }
    if (sqlite3_close_v2(db.release()) != SQLITE_OK) {
        problem = "cannot be closed";
        return false;
    }
    return true;
}

bool flush(const std::string& file)
{
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

// Temporaries of saves of `target` that were killed: "<name>.saving-XXXXXX"
// (and their -journal) that no running save holds locked.
void removeStaleTemporaries(const std::string& target)
{
    const std::size_t slash = target.find_last_of('/');
    const std::string folder = slash == std::string::npos ? std::string(".") : target.substr(0, slash == 0 ? 1 : slash);
    const std::string prefix = target.substr(slash == std::string::npos ? 0 : slash + 1) + ".saving-";
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    std::vector<std::string> stale;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0) continue;
        const std::string temp = folder + "/" + name;
        const int fd = ::open(temp.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat st {};
        // A save that is still running holds its temporary locked.
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            ::unlink(temp.c_str());
            ::unlink((temp + "-journal").c_str());
        }
        ::close(fd);
    }
    ::closedir(dir);
}

}  // namespace

bool FigureFile::save(const Figure& f, const std::string& path, std::string* error)
{
    int err = 0;
    const std::string native = mobr::files::nativePath(path, &err);
    if (err || native.empty()) return fail(error, path, "not a usable path");
    return saveFile(f, native, error, path);
}

bool FigureFile::saveFile(const Figure& f, const std::string& file, std::string* error, const std::string& shownPath)
{
    const std::string& path = shownPath.empty() ? file : shownPath;
    if (file.empty()) return fail(error, path, "not a usable path");
    // Saving onto a symbolic link replaces what it points to, not the link.
    std::string native = file;
    struct stat link {};
    if (::lstat(file.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        char* real = ::realpath(file.c_str(), nullptr);
        if (!real) return fail(error, path, "is a symbolic link to nothing (" + std::string(std::strerror(errno)) + ")");
        native = real;
        std::free(real);
    }
    struct stat old {};
    const bool exists = ::stat(native.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) return fail(error, path, "is not a regular file; it is not replaced");
    const std::size_t slash = native.find_last_of('/');
    const std::string folder = slash == std::string::npos ? std::string(".") : native.substr(0, slash == 0 ? 1 : slash);

    removeStaleTemporaries(native);
    // The temporary file lives next to the target so that the rename stays
    // within one file system and replaces the target in one step. It stays
    // locked while this save runs, which tells a later save that it is not
    // a leftover.
    std::string temp = native + ".saving-XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return fail(error, path, std::string("cannot be written: ") + std::strerror(errno));
    ::flock(fd, LOCK_EX);
    // The new file gets the old file's permissions, or the usual ones.
    if (exists) {
        ::fchmod(fd, old.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }

    std::string problem;
    if (!writeDatabase(f, temp, problem) || !flush(temp)) {
        ::unlink(temp.c_str());
        ::close(fd);
        return fail(error, path, problem.empty() ? "cannot be written (disk full?)" : problem);
    }
    if (::rename(temp.c_str(), native.c_str()) != 0) {
        const std::string why = std::strerror(errno);
        ::unlink(temp.c_str());
        ::close(fd);
        return fail(error, path, "cannot replace the file: " + why);
    }
    ::close(fd);
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

std::unique_ptr<Figure> FigureFile::load(const std::string& path, std::string* error)
{
    int err = 0;
    const std::string native = mobr::files::nativePath(path, &err);
    if (err || native.empty()) {
        fail(error, path, "not a usable path");
        return nullptr;
    }
    return loadFile(mobr::files::resolvePathNoCase(native), error, path);
}

std::unique_ptr<Figure> FigureFile::loadFile(const std::string& file, std::string* error, const std::string& shownPath)
{
    const std::string& path = shownPath.empty() ? file : shownPath;
    struct stat st {};
    if (file.empty() || ::stat(file.c_str(), &st) != 0) {
        fail(error, path, "no such file");
        return nullptr;
    }
    long long fileSize = 0;
    if (const std::string problem = mobrdata::figureFileProblem(file, fileSize); !problem.empty()) {
        fail(error, path, problem);
        return nullptr;
    }
    // Read-only and immutable: nothing is ever written beside the file. The
    // whole read runs under one deadline that the file cannot stretch.
    Db db = mobrdata::openFigureFile(file);
    if (!db) {
        fail(error, path, "cannot be opened as a database");
        return nullptr;
    }
    mobrdata::FigureReadGuard guard(mobrdata::readBudget(fileSize));
    guard.install(db.get());
    auto refuse = [&](const std::string& problem) -> std::unique_ptr<Figure> {
        fail(error, path, guard.expired() ? "refused: reading it takes far longer than a figure file of its size may"
                                          : problem);
        return nullptr;
    };
    long long appId = 0, version = 0;
    if (!pragmaInt(db.get(), "PRAGMA application_id", appId) || appId != figfile::kApplicationId) {
        return refuse("not a figure file (another kind of database)");
    }
    if (!pragmaInt(db.get(), "PRAGMA user_version", version) || version < 1) {
        return refuse("not a figure file (unfinished database)");
    }
    if (version > figfile::kFormatVersion) {
        return refuse("written by a newer program (format " + std::to_string(version) + ")");
    }
    {
        Stmt check = prepare(db.get(), "PRAGMA quick_check");
        if (!check || sqlite3_step(check.get()) != SQLITE_ROW ||
            std::string(reinterpret_cast<const char*>(sqlite3_column_text(check.get(), 0))) != "ok") {
            return refuse("damaged (the database check failed)");
        }
    }
    // Both tables are real tables of the shape the writer makes: a view in
    // their place (recursive or not) is refused before it runs.
    for (const auto& [table, columns] : {std::pair<const char*, std::vector<std::string>>{figfile::kMetaTable, {"key", "value"}},
                                         {"element_chunks", {"space", "first", "count", "records"}}}) {
        if (const std::string problem = mobrdata::tableShapeProblem(db.get(), table, columns); !problem.empty())
            return refuse(problem);
    }
    auto meta = [&](const char* key, long long& value) {
        Stmt st = prepare(db.get(), "SELECT value FROM figure_meta WHERE key = ?");
        if (!st) return false;
        sqlite3_bind_text(st.get(), 1, key, -1, SQLITE_STATIC);
        if (sqlite3_step(st.get()) != SQLITE_ROW || sqlite3_column_type(st.get(), 0) != SQLITE_INTEGER) return false;
        value = sqlite3_column_int64(st.get(), 0);
        return true;
    };
    long long control = 0, hostFormat = 0, recordBytes = 0, slots0 = 0, slots1 = 0;
    if (!meta(figfile::kControlKey, control) || control < 0 || control > 0xFFFFFFFFLL) {
        return refuse("damaged (no valid control word)");
    }
    if (!meta("host_format", hostFormat)) {
        return refuse("not a figure of this host (no host format)");
    }
    if (hostFormat > kHostFormat) {
        return refuse("written by a newer host (host format " + std::to_string(hostFormat) + ")");
    }
    if (!meta("element_record_bytes", recordBytes) || recordBytes != static_cast<long long>(element::kBytes) ||
        !meta("space0_slots", slots0) || !meta("space1_slots", slots1) || slots0 < 0 || slots1 < 0 ||
        slots0 > ElementDatabase::kMaxSlots || slots1 > ElementDatabase::kMaxSlots) {
        return refuse("damaged (impossible element counts)");
    }
    // Every slot is a record of the file's element table: more slots than
    // the file could hold are a lie, refused before anything is reserved.
    if ((slots0 + slots1) * static_cast<long long>(element::kBytes) > fileSize)
        return refuse("damaged (declares " + std::to_string(slots0 + slots1) + " element slots, more than its " +
                      std::to_string(fileSize) + " bytes hold)");
    std::string tables;
    {
        Stmt st = prepare(db.get(), "SELECT value FROM figure_meta WHERE key = 'tables'");
        if (!st || sqlite3_step(st.get()) != SQLITE_ROW || sqlite3_column_type(st.get(), 0) != SQLITE_TEXT) {
            return refuse("damaged (no tables)");
        }
        tables.assign(reinterpret_cast<const char*>(sqlite3_column_text(st.get(), 0)),
                      static_cast<std::size_t>(sqlite3_column_bytes(st.get(), 0)));
    }
    const nlohmann::json doc = nlohmann::json::parse(tables, nullptr, false);
    if (doc.is_discarded()) {
        return refuse("damaged (its tables are not readable)");
    }
    // Host format 1 files hold tables of the first layout; a file that says
    // otherwise would have its attribute words misread.
    const auto tablesVersion = doc.is_object() ? doc.find("version") : doc.end();
    if (hostFormat < 2 && tablesVersion != doc.end() && *tablesVersion != 1) {
        return refuse("damaged (its tables are newer than its host format)");
    }
    if (hostFormat < 3 && doc.is_object() && doc.contains("layerNames")) {
        return refuse("damaged (its tables are newer than its host format)");
    }
    std::string problem;
    std::unique_ptr<Figure> f = FigureJson::fromJson(doc, &problem, false);
    if (!f) {
        return refuse("impossible values: " + problem);
    }
    f->control = static_cast<uint32_t>(control);

    const long long expected[2] = {slots0, slots1};
    for (int s = 0; s < ElementDatabase::kSpaces; ++s) f.get()->elements.reserve(s, static_cast<std::size_t>(expected[s]));
    Stmt chunks = prepare(db.get(), "SELECT space, first, count, records FROM element_chunks ORDER BY space, first");
    if (!chunks) {
        return refuse("damaged (no element table)");
    }
    int rcStep;
    while ((rcStep = sqlite3_step(chunks.get())) == SQLITE_ROW) {
        const int space = sqlite3_column_int(chunks.get(), 0);
        const long long first = sqlite3_column_int64(chunks.get(), 1);
        const long long count = sqlite3_column_int64(chunks.get(), 2);
        const void* blob = sqlite3_column_blob(chunks.get(), 3);
        const long long size = sqlite3_column_bytes(chunks.get(), 3);
        if (space < 0 || space >= ElementDatabase::kSpaces || count < 1 || count > kChunkRecords ||
            size != count * static_cast<long long>(element::kBytes) || !blob ||
            first != f->elements.slotCount(space) + 1 || first - 1 + count > expected[space]) {
            return refuse("damaged (element records out of order or of the wrong size)");
        }
        auto& records = f->elements.records(space);
        const std::size_t at = records.size();
        records.resize(at + static_cast<std::size_t>(count));
        std::memcpy(records[at].data(), blob, static_cast<std::size_t>(size));
        // Ids follow from the slots; a stored id is not trusted.
        for (std::size_t i = at; i < records.size(); ++i)
            bytes::setI32(records[i].data(), element::kId, element::makeId(space, static_cast<int32_t>(i + 1)));
    }
    if (rcStep != SQLITE_DONE || f->elements.slotCount(0) != slots0 || f->elements.slotCount(1) != slots1) {
        return refuse("damaged (element records missing)");
    }
    if (!FigureJson::checkElements(*f, &problem)) {
        return refuse("impossible values: " + problem);
    }
    f->path = path;
    f->changed = false;
    return f;
}

}  // namespace mobrhost
