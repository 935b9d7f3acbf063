#include "library/sqlite_connection.h"

namespace tavrinel::library {

namespace {

[[noreturn]] void Fail(sqlite3* db, int code) {
    throw SqliteFailure(code & 0xff, db ? sqlite3_errmsg(db) : sqlite3_errstr(code));
}

void Check(sqlite3* db, int code) {
    if (code != SQLITE_OK) {
        Fail(db, code);
    }
}

}  // namespace

Statement::Statement(sqlite3* db, std::string_view sql) : db_(db) {
    Check(db_,
          sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &statement_, nullptr));
}

Statement::~Statement() {
    sqlite3_finalize(statement_);
}

Statement& Statement::Bind(int index, std::string_view text) {
    Check(db_, sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()),
                                 SQLITE_TRANSIENT));
    return *this;
}

Statement& Statement::Bind(int index, std::int64_t value) {
    Check(db_, sqlite3_bind_int64(statement_, index, value));
    return *this;
}

Statement& Statement::BindNull(int index) {
    Check(db_, sqlite3_bind_null(statement_, index));
    return *this;
}

bool Statement::Step() {
    const int code = sqlite3_step(statement_);
    if (code == SQLITE_ROW) {
        return true;
    }
    if (code != SQLITE_DONE) {
        sqlite3_reset(statement_);
        Fail(db_, code);
    }
    return false;
}

void Statement::Run() {
    while (Step()) {
    }
}

void Statement::Reset() {
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
}

std::int64_t Statement::Integer(int column) const {
    return sqlite3_column_int64(statement_, column);
}

std::optional<std::int64_t> Statement::OptionalInteger(int column) const {
    if (sqlite3_column_type(statement_, column) == SQLITE_NULL) {
        return std::nullopt;
    }
    return Integer(column);
}

std::string Statement::Text(int column) const {
    const auto* text = sqlite3_column_text(statement_, column);
    const int size = sqlite3_column_bytes(statement_, column);
    return text ? std::string(reinterpret_cast<const char*>(text), static_cast<std::size_t>(size))
                : std::string();
}

Connection::Connection(const std::string& path, bool create) {
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_EXRESCODE |
                      (create ? SQLITE_OPEN_CREATE : 0);
    const int code = sqlite3_open_v2(path.c_str(), &db_, flags, nullptr);
    if (code != SQLITE_OK) {
        const std::string message = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(code);
        sqlite3_close(db_);
        db_ = nullptr;
        throw SqliteFailure(code & 0xff, message);
    }
}

Connection::~Connection() {
    sqlite3_close(db_);
}

void Connection::Execute(std::string_view sql) {
    const std::string text(sql);
    Check(db_, sqlite3_exec(db_, text.c_str(), nullptr, nullptr, nullptr));
}

std::int64_t Connection::Single(std::string_view sql) {
    Statement statement(db_, sql);
    return statement.Step() ? statement.Integer(0) : 0;
}

std::int64_t Connection::Changes() const {
    return sqlite3_changes64(db_);
}

std::int64_t Connection::LastId() const {
    return sqlite3_last_insert_rowid(db_);
}

WriteTransaction::WriteTransaction(Connection& db) : db_(db) {
    db_.Execute("BEGIN IMMEDIATE");
}

WriteTransaction::~WriteTransaction() {
    if (open_) {
        sqlite3_exec(db_.Handle(), "ROLLBACK", nullptr, nullptr, nullptr);
    }
}

void WriteTransaction::Commit() {
    db_.Execute("COMMIT");
    open_ = false;
}

}  // namespace tavrinel::library
