// A thin hold on SQLite's C interface: a connection and its statements as
// objects that close themselves, and every failure as an exception carrying
// SQLite's own words. Only the chart library sees it.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tavrinel::library {

struct SqliteFailure : std::runtime_error {
    SqliteFailure(int code, const std::string& what) : std::runtime_error(what), Code(code) {}
    int Code;  // SQLite's primary result code
};

class Statement {
  public:
    Statement(sqlite3* db, std::string_view sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Parameters are counted from 1, as SQLite counts them.
    Statement& Bind(int index, std::string_view text);
    Statement& Bind(int index, std::int64_t value);
    Statement& BindNull(int index);
    // True while a row is there to read.
    bool Step();
    void Run();  // steps to the end, for a statement that returns no rows
    void Reset();

    [[nodiscard]] std::int64_t Integer(int column) const;
    [[nodiscard]] std::optional<std::int64_t> OptionalInteger(int column) const;
    [[nodiscard]] std::string Text(int column) const;

  private:
    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
};

class Connection {
  public:
    // Opens without creating: the caller decides whether a file may be made.
    Connection(const std::string& path, bool create);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void Execute(std::string_view sql);
    [[nodiscard]] std::int64_t Single(std::string_view sql);  // the first column of the first row
    [[nodiscard]] std::int64_t Changes() const;
    [[nodiscard]] std::int64_t LastId() const;
    [[nodiscard]] sqlite3* Handle() const { return db_; }

  private:
    sqlite3* db_ = nullptr;
};

// Holds a write transaction, taken at once (so two writers queue in the busy
// wait instead of failing on a lock upgrade) and rolled back unless
// committed.
class WriteTransaction {
  public:
    explicit WriteTransaction(Connection& db);
    ~WriteTransaction();
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;
    void Commit();

  private:
    Connection& db_;
    bool open_ = true;
};

}  // namespace tavrinel::library
