#include "server/Sql.h"

#include <sqlite3.h>

namespace server::sql {

namespace {
[[noreturn]] void fail(sqlite3* db, std::string_view what) {
    throw Error(std::string(what) + ": " + (db ? sqlite3_errmsg(db) : "no connection"));
}
}  // namespace

Connection::Connection(const std::string& path) {
    int rc = sqlite3_open_v2(path.c_str(), &db_,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        std::string msg = db_ ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        db_ = nullptr;
        throw Error("cannot open database " + path + ": " + msg);
    }
    sqlite3_busy_timeout(db_, 10000);
    exec("PRAGMA journal_mode=WAL; PRAGMA foreign_keys=ON; PRAGMA synchronous=NORMAL;");
}

Connection::~Connection() { sqlite3_close_v2(db_); }

void Connection::exec(std::string_view sqlText) {
    std::string s(sqlText);
    char* err = nullptr;
    if (sqlite3_exec(db_, s.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
        std::string msg = err ? err : "error";
        sqlite3_free(err);
        throw Error("sql: " + msg);
    }
}

Statement Connection::prepare(std::string_view sqlText) { return Statement(db_, sqlText); }
std::int64_t Connection::lastInsertId() const { return sqlite3_last_insert_rowid(db_); }
int Connection::changes() const { return sqlite3_changes(db_); }

Statement::Statement(sqlite3* db, std::string_view sqlText) : db_(db) {
    if (sqlite3_prepare_v3(db, sqlText.data(), static_cast<int>(sqlText.size()), SQLITE_PREPARE_PERSISTENT,
                           &st_, nullptr) != SQLITE_OK)
        fail(db, "prepare");
}

Statement::~Statement() { sqlite3_finalize(st_); }

Statement& Statement::operator=(Statement&& o) noexcept {
    if (this != &o) {
        sqlite3_finalize(st_);
        db_ = o.db_;
        st_ = std::exchange(o.st_, nullptr);
    }
    return *this;
}

Statement& Statement::bind(int i, std::int64_t v) {
    if (sqlite3_bind_int64(st_, i, v) != SQLITE_OK) fail(db_, "bind");
    return *this;
}
Statement& Statement::bind(int i, double v) {
    if (sqlite3_bind_double(st_, i, v) != SQLITE_OK) fail(db_, "bind");
    return *this;
}
Statement& Statement::bind(int i, std::string_view v) {
    if (sqlite3_bind_text(st_, i, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT) != SQLITE_OK)
        fail(db_, "bind");
    return *this;
}
Statement& Statement::bindBlob(int i, std::string_view v) {
    if (sqlite3_bind_blob(st_, i, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT) != SQLITE_OK)
        fail(db_, "bind");
    return *this;
}
Statement& Statement::bindNull(int i) {
    if (sqlite3_bind_null(st_, i) != SQLITE_OK) fail(db_, "bind");
    return *this;
}

bool Statement::step() {
    int rc = sqlite3_step(st_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    fail(db_, "step");
}

void Statement::run() {
    while (step()) {
    }
    reset();
}

void Statement::reset() {
    sqlite3_reset(st_);
    sqlite3_clear_bindings(st_);
}

bool Statement::isNull(int col) const { return sqlite3_column_type(st_, col) == SQLITE_NULL; }
std::int64_t Statement::int64(int col) const { return sqlite3_column_int64(st_, col); }
double Statement::real(int col) const { return sqlite3_column_double(st_, col); }
std::string Statement::text(int col) const {
    auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st_, col));
    return p ? std::string(p, static_cast<std::size_t>(sqlite3_column_bytes(st_, col))) : std::string();
}
std::string Statement::blob(int col) const {
    auto* p = static_cast<const char*>(sqlite3_column_blob(st_, col));
    return p ? std::string(p, static_cast<std::size_t>(sqlite3_column_bytes(st_, col))) : std::string();
}

Transaction::Transaction(Connection& c) : c_(c) { c_.exec("BEGIN IMMEDIATE"); }
Transaction::~Transaction() {
    if (!done_) {
        try {
            c_.exec("ROLLBACK");
        } catch (...) {
        }
    }
}
void Transaction::commit() {
    c_.exec("COMMIT");
    done_ = true;
}

}  // namespace server::sql
