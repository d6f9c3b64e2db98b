#pragma once

// Helpers over the SQLCipher C interface that the database objects share.

#include <QString>
#include <QVariant>
#include <QVariantList>

struct sqlite3;
struct sqlite3_stmt;

namespace vornelix::platform::sqlite {

// A prepared statement that is finalized when it goes out of scope.
class Statement {
  public:
    Statement() = default;
    explicit Statement(sqlite3_stmt* stmt) : m_stmt(stmt) {}
    ~Statement();
    Statement(Statement&& other) noexcept : m_stmt(other.m_stmt) { other.m_stmt = nullptr; }
    Statement& operator=(Statement&& other) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    sqlite3_stmt* get() const { return m_stmt; }
    explicit operator bool() const { return m_stmt != nullptr; }

  private:
    sqlite3_stmt* m_stmt = nullptr;
};

// The RuntimeError for a failed call, with the connection's message.
[[noreturn]] void fail(sqlite3* db, int rc);

// Prepares one statement and binds params to its placeholders, in order. Throws
// RuntimeError for a wrong statement, text after it or a wrong number of values.
Statement prepare(sqlite3* db, const QString& sql, const QVariantList& params);
// As prepare, but returns an empty statement instead of throwing when it does not compile.
Statement tryPrepare(sqlite3* db, const QString& sql, const QVariantList& params);

// Steps a statement to its end, ignoring any rows; throws RuntimeError on failure.
void runToEnd(sqlite3* db, sqlite3_stmt* stmt);

// Column i of the current row: null, a whole number, a double, text or bytes.
QVariant columnValue(sqlite3_stmt* stmt, int i);

// "name" with embedded double quotes doubled.
QString quoteIdentifier(const QString& name);

}  // namespace vornelix::platform::sqlite
