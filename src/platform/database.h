#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <vector>

struct sqlite3;

namespace vornelix::platform {

inline constexpr int kStateClosed = 0;
inline constexpr int kStateOpen = 1;
inline constexpr int kCursorDynamic = 2;
inline constexpr int kLockOptimistic = 3;

// A connection to an encrypted database file, named by a connection string of the form
// "...;Data Source=<Windows-style path>;...;Jet OLEDB:Database Password=<password>".
// Every failure to open the file (missing, wrong password, held exclusively elsewhere)
// throws RuntimeError with kErrUnspecified.
class DbConnection {
public:
    DbConnection() = default;
    ~DbConnection();
    DbConnection(const DbConnection&) = delete;
    DbConnection& operator=(const DbConnection&) = delete;

    QString ConnectionString;

    void Open();
    // Runs a statement that returns no rows; values are bound to its ? placeholders.
    void Execute(const QString& sql, const QVariantList& params = {});
    int State() const { return m_db ? kStateOpen : kStateClosed; }
    void Close();

    sqlite3* handle() const { return m_db; }

private:
    sqlite3* m_db = nullptr;
};

// The rows of one SELECT, with a current-row cursor. Fields are addressed by position.
class DbRecordset {
public:
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
    void Requery();
    int State() const { return m_connection ? kStateOpen : kStateClosed; }
    void Close();

private:
    struct Row {
        qint64 rowid = 0;
        QVariantList values;
        std::vector<bool> changed;
    };
    void load();

    DbConnection* m_connection = nullptr;
    QString m_sql;
    QVariantList m_params;
    QString m_table;
    QStringList m_columns;
    std::vector<Row> m_rows;
    int m_position = 0;  // m_rows.size() at EOF; -1 at BOF
};

}  // namespace vornelix::platform
