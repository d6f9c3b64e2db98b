#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <cstdint>
#include <vector>

#include "platform/runtime_error.h"

struct sqlite3;

namespace vornelix::platform {

inline constexpr int kStateClosed = 0;
inline constexpr int kStateOpen = 1;
inline constexpr int kCursorDynamic = 2;
inline constexpr int kLockOptimistic = 3;

// Error numbers of the database objects, as their users see them.
inline constexpr std::int32_t kErrNoCurrentRecord = 3021;
inline constexpr std::int32_t kErrNotUpdatable = 3251;
inline constexpr std::int32_t kErrItemNotFound = 3265;
inline constexpr std::int32_t kErrObjectClosed = 3704;
inline constexpr std::int32_t kErrObjectOpen = 3705;
inline constexpr std::int32_t kErrConnectionClosed = 3709;
// &H80040E14: the statement is wrong (syntax, unknown table or column).
inline constexpr std::int32_t kErrCommandText = -2147217900;
// &H80040E10: a placeholder of the statement has no value, or a value has no placeholder.
inline constexpr std::int32_t kErrParameters = -2147217904;
// &H80040E38: the row to update is no longer there.
inline constexpr std::int32_t kErrRowNotFound = -2147217864;

class DbRecordset;

// A file that is not a database this key opens (another key, no key, other bytes, cut off) or
// one whose pages are damaged. Its number is that of every failed open.
class DamagedDatabase : public RuntimeError {
  public:
    using RuntimeError::RuntimeError;
};

// A file that another program holds locked, so that it can be neither read nor written now.
class DatabaseInUse : public RuntimeError {
  public:
    using RuntimeError::RuntimeError;
};

// A connection to an encrypted database file, named by a connection string of the form
// "...;Data Source=<Windows-style path>;...;Jet OLEDB:Database Password=<password>".
// Every failure to open the file (missing, wrong password, held exclusively elsewhere)
// throws RuntimeError with kErrUnspecified; a file that is damaged or not such a database
// throws it as DamagedDatabase.
class DbConnection {
  public:
    DbConnection() = default;
    ~DbConnection();
    DbConnection(const DbConnection&) = delete;
    DbConnection& operator=(const DbConnection&) = delete;

    QString ConnectionString;

    void Open();
    // Opens an existing database file named by a host path (tools); messages name shownPath,
    // or the host path when it is empty. Fails like Open.
    void openFile(const QString& hostPath, const QString& password,
                  const QString& shownPath = QString());
    // Runs a statement that returns no rows; values are bound to its ? placeholders. Gives the
    // number of rows that an INSERT, UPDATE or DELETE inserted, changed or deleted.
    int Execute(const QString& sql, const QVariantList& params = {});
    int State() const { return m_db ? kStateOpen : kStateClosed; }
    // Closes the record sets still open on this connection, then the file. Never throws.
    void Close();

    sqlite3* handle() const { return m_db; }

  private:
    friend class DbRecordset;
    void requireOpen() const;

    sqlite3* m_db = nullptr;
    std::vector<DbRecordset*> m_recordsets;
};

// The rows of one SELECT, with a current-row cursor. Fields are addressed by position.
class DbRecordset {
  public:
    DbRecordset() = default;
    ~DbRecordset();
    DbRecordset(const DbRecordset&) = delete;
    DbRecordset& operator=(const DbRecordset&) = delete;

    void Open(const QString& sql, DbConnection& connection, int cursorType = kCursorDynamic,
              int lockType = kLockOptimistic, const QVariantList& params = {});
    bool Bof() const;
    bool Eof() const;
    void MoveFirst();
    void MoveNext();
    // The value of column i of the current row; throws RuntimeError without a current row.
    QVariant Fields(int i) const;
    void setField(int i, const QVariant& value);
    // Writes the changed fields of the current row back to its table.
    void Update();
    // Runs the SELECT again; the first row becomes the current row.
    void Requery();
    int State() const { return m_connection ? kStateOpen : kStateClosed; }
    // Never throws; unsaved field changes are dropped.
    void Close();

  private:
    struct Row {
        qint64 rowid = 0;
        QVariantList values;
        std::vector<bool> changed;
    };
    void load();
    void requireOpen() const;
    Row& currentRow();
    const Row& currentRow() const;

    DbConnection* m_connection = nullptr;
    QString m_sql;
    QVariantList m_params;
    QString m_table;        // the one table all columns come from; empty: not updatable
    QStringList m_columns;  // the table column behind each field; empty for expressions
    std::vector<Row> m_rows;
    int m_position = 0;  // m_rows.size() at EOF; -1 at BOF
};

// Creates a new encrypted database file at a host path and runs the statements on it (at
// least one, so that the file is written). An existing file is never overwritten; on any
// failure the new file is removed again. Throws RuntimeError.
void createEncryptedDatabase(const QString& hostPath, const QString& password,
                             const QStringList& statements);

}  // namespace vornelix::platform
