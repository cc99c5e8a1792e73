#pragma once
// A thin RAII layer over the SQLite C interface: one connection, prepared statements with
// positional binding, and a transaction guard that rolls back unless committed.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

struct sqlite3;
struct sqlite3_stmt;

namespace server::sql {

class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Statement;

class Connection {
public:
    // Opens (creating when missing) the database file; WAL mode, foreign keys on, a busy timeout.
    explicit Connection(const std::string& path);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void exec(std::string_view sql);  // one or more statements without parameters
    Statement prepare(std::string_view sql);
    std::int64_t lastInsertId() const;
    int changes() const;
    sqlite3* handle() const { return db_; }

private:
    sqlite3* db_ = nullptr;
};

class Statement {
public:
    Statement(sqlite3* db, std::string_view sql);
    ~Statement();
    Statement(Statement&& o) noexcept : db_(o.db_), st_(std::exchange(o.st_, nullptr)) {}
    Statement& operator=(Statement&& o) noexcept;
    Statement(const Statement&) = delete;

    // Binding is 1-based like SQLite; each returns *this for chaining.
    Statement& bind(int i, std::int64_t v);
    Statement& bind(int i, int v) { return bind(i, static_cast<std::int64_t>(v)); }
    Statement& bind(int i, double v);
    Statement& bind(int i, std::string_view v);
    Statement& bind(int i, const std::string& v) { return bind(i, std::string_view(v)); }
    Statement& bind(int i, const char* v) { return bind(i, std::string_view(v)); }
    Statement& bindBlob(int i, std::string_view bytes);
    Statement& bindNull(int i);

    template <class... T>
    Statement& bindAll(const T&... v) {
        int i = 1;
        (bind(i++, v), ...);
        return *this;
    }

    bool step();     // true while a row is available
    void run();      // steps a statement that returns no row
    void reset();    // ready for new bindings

    bool isNull(int col) const;
    std::int64_t int64(int col) const;
    int int32(int col) const { return static_cast<int>(int64(col)); }
    double real(int col) const;
    std::string text(int col) const;
    std::string blob(int col) const;

private:
    sqlite3* db_ = nullptr;
    sqlite3_stmt* st_ = nullptr;
};

// BEGIN IMMEDIATE on construction; ROLLBACK in the destructor unless commit() ran.
class Transaction {
public:
    explicit Transaction(Connection& c);
    ~Transaction();
    void commit();

private:
    Connection& c_;
    bool done_ = false;
};

}  // namespace server::sql
