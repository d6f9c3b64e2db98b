#include "platform/database.h"

#define SQLITE_HAS_CODEC 1
#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <algorithm>
#include <memory>

#include "platform/file_system.h"
#include "platform/runtime_error.h"
#include "platform/services.h"
#include "platform/sqlite_statement.h"

namespace vornelix::platform {

namespace {

// Long enough to ride out another reader's short write, short enough that a file held
// exclusively elsewhere fails at once instead of freezing the window.
constexpr int kBusyTimeoutMs = 500;

struct HandleCloser {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using Handle = std::unique_ptr<sqlite3, HandleCloser>;

[[noreturn]] void failOpen(const QString& description) {
    throw RuntimeError(kErrUnspecified, description);
}

[[noreturn]] void failDamaged(const QString& description) {
    throw DamagedDatabase(kErrUnspecified, description);
}

// Keys lower-cased, values trimmed and stripped of enclosing quotes.
QHash<QString, QString> parseConnectionString(const QString& text) {
    QHash<QString, QString> parts;
    for (const QString& item : text.split(';', Qt::SkipEmptyParts)) {
        const qsizetype equals = item.indexOf('=');
        if (equals < 0)
            continue;
        QString value = item.mid(equals + 1).trimmed();
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front()) {
            value = value.mid(1, value.size() - 2);
        }
        parts.insert(item.left(equals).trimmed().toLower(), value);
    }
    return parts;
}

bool isPlainDatabase(const QString& hostPath) {
    QFile file(hostPath);
    return file.open(QIODevice::ReadOnly) && file.read(16) == QByteArray("SQLite format 3", 16);
}

// Reads the schema, which needs the key and a shared lock on the file.
int readSchema(sqlite3* db) {
    sqlite3_stmt* raw = nullptr;
    int rc = sqlite3_prepare_v2(db, "select count(*) from sqlite_master", -1, &raw, nullptr);
    const sqlite::Statement stmt(raw);
    if (rc != SQLITE_OK)
        return rc;
    rc = sqlite3_step(raw);
    return rc == SQLITE_ROW ? SQLITE_OK : rc;
}

[[noreturn]] void failRead(sqlite3* db, int rc, const QString& hostPath, const QString& shown) {
    switch (rc & 0xff) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            throw DatabaseInUse(kErrUnspecified, "The file '" + shown + "' is already in use.");
        case SQLITE_NOTADB:
            if (isPlainDatabase(hostPath))
                failDamaged("Unrecognized database format '" + shown + "'.");
            failDamaged("Not a valid password.");
        case SQLITE_CORRUPT:
            failDamaged("The database '" + shown + "' is damaged.");
        default:
            failOpen(QString::fromUtf8(sqlite3_errmsg(db)));
    }
}

// Opens an existing file for reading and writing (never creating it) with the key set and
// checks that it can be read. A file of no bytes is a database only when allowEmpty.
Handle openHandle(const QString& hostPath, const QString& password, const QString& shown,
                  bool allowEmpty) {
    const QFileInfo info(hostPath);
    if (hostPath.isEmpty() || !info.isFile())
        failOpen("Could not find file '" + shown + "'.");
    if (info.size() == 0 && !allowEmpty)
        failDamaged("Unrecognized database format '" + shown + "'.");
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(hostPath).constData(), &raw,
                                   SQLITE_OPEN_READWRITE, nullptr);
    Handle db(raw);
    if (rc != SQLITE_OK) {
        failOpen("The database engine cannot open the file '" + shown +
                 "'. It is already opened exclusively by another user, or you need "
                 "permission to view its data.");
    }
    sqlite3_busy_timeout(db.get(), kBusyTimeoutMs);
    if (!password.isEmpty()) {
        const QByteArray key = password.toUtf8();
        if (sqlite3_key(db.get(), key.constData(), static_cast<int>(key.size())) != SQLITE_OK)
            failOpen(QString::fromUtf8(sqlite3_errmsg(db.get())));
    }
    const int read = readSchema(db.get());
    if (read != SQLITE_OK)
        failRead(db.get(), read, hostPath, shown);
    return db;
}

[[noreturn]] void failNoCurrentRecord() {
    throw RuntimeError(kErrNoCurrentRecord,
                       "Either BOF or EOF is True, or the current record has been deleted. "
                       "Requested operation requires a current record.");
}

}  // namespace

// ---- DbConnection ----

DbConnection::~DbConnection() {
    Close();
}

void DbConnection::Open() {
    if (m_db)
        throw RuntimeError(kErrObjectOpen, "Operation is not allowed when the object is open.");
    const QHash<QString, QString> parts = parseConnectionString(ConnectionString);
    const QString source = parts.value("data source");
    const QString password = parts.value("jet oledb:database password");
    openFile(files().hostPath(source), password, source);
}

void DbConnection::openFile(const QString& hostPath, const QString& password,
                            const QString& shownPath) {
    if (m_db)
        throw RuntimeError(kErrObjectOpen, "Operation is not allowed when the object is open.");
    const QString shown = shownPath.isEmpty() ? hostPath : shownPath;
    m_db = openHandle(hostPath, password, shown, false).release();
}

int DbConnection::Execute(const QString& sql, const QVariantList& params) {
    requireOpen();
    const sqlite::Statement stmt = sqlite::prepare(m_db, sql, params);
    sqlite::runToEnd(m_db, stmt.get());
    return sqlite3_changes(m_db);
}

void DbConnection::Close() {
    while (!m_recordsets.empty()) m_recordsets.back()->Close();
    if (m_db)
        sqlite3_close_v2(m_db);
    m_db = nullptr;
}

void DbConnection::requireOpen() const {
    if (!m_db) {
        throw RuntimeError(kErrConnectionClosed,
                           "The connection cannot be used to perform this operation. It is "
                           "either closed or invalid in this context.");
    }
}

// ---- DbRecordset ----

DbRecordset::~DbRecordset() {
    Close();
}

void DbRecordset::Open(const QString& sql, DbConnection& connection, int, int,
                       const QVariantList& params) {
    if (m_connection)
        throw RuntimeError(kErrObjectOpen, "Operation is not allowed when the object is open.");
    connection.requireOpen();
    m_connection = &connection;
    m_sql = sql;
    m_params = params;
    try {
        load();
    } catch (...) {
        m_connection = nullptr;
        m_rows.clear();
        throw;
    }
    connection.m_recordsets.push_back(this);
}

// Reads every row of the SELECT. The statement is first run with the table's rowid put in
// front of its columns, so that Update can find the row again; a SELECT on which that does
// not compile (a join, a view, DISTINCT) is run as it is and cannot be updated.
void DbRecordset::load() {
    sqlite3* db = m_connection->handle();
    m_rows.clear();
    m_table.clear();
    m_columns.clear();
    m_position = 0;

    static const QRegularExpression selectHead(R"(^\s*select\s+)",
                                               QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch head = selectHead.match(m_sql);
    sqlite::Statement stmt;
    if (head.hasMatch()) {
        const qsizetype end = head.capturedEnd();
        stmt = sqlite::tryPrepare(db, m_sql.left(end) + "rowid, " + m_sql.mid(end), m_params);
    }
    const int first = stmt ? 1 : 0;
    if (!stmt)
        stmt = sqlite::prepare(db, m_sql, m_params);

    const int count = sqlite3_column_count(stmt.get()) - first;
    QStringList tables;
    for (int i = 0; i < count; ++i) {
        const char* table = sqlite3_column_table_name(stmt.get(), i + first);
        const char* column = sqlite3_column_origin_name(stmt.get(), i + first);
        m_columns << (column ? QString::fromUtf8(column) : QString());
        if (table && !tables.contains(QString::fromUtf8(table)))
            tables << QString::fromUtf8(table);
    }
    if (first == 1 && tables.size() == 1)
        m_table = tables.front();

    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
        Row row;
        if (first == 1)
            row.rowid = sqlite3_column_int64(stmt.get(), 0);
        for (int i = 0; i < count; ++i) row.values << sqlite::columnValue(stmt.get(), i + first);
        row.changed.assign(static_cast<size_t>(count), false);
        m_rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE)
        sqlite::fail(db, rc);
}

bool DbRecordset::Bof() const {
    requireOpen();
    return m_position < 0 || m_rows.empty();
}

bool DbRecordset::Eof() const {
    requireOpen();
    return m_position >= static_cast<int>(m_rows.size());
}

void DbRecordset::MoveFirst() {
    requireOpen();
    if (m_rows.empty())
        failNoCurrentRecord();
    m_position = 0;
}

void DbRecordset::MoveNext() {
    if (Eof())
        failNoCurrentRecord();
    ++m_position;
}

QVariant DbRecordset::Fields(int i) const {
    const Row& row = currentRow();
    if (i < 0 || i >= row.values.size()) {
        throw RuntimeError(kErrItemNotFound,
                           "Item cannot be found in the collection corresponding to the "
                           "requested name or ordinal.");
    }
    return row.values[i];
}

void DbRecordset::setField(int i, const QVariant& value) {
    Fields(i);  // the same checks
    Row& row = currentRow();
    row.values[i] = value;
    row.changed[static_cast<size_t>(i)] = true;
}

void DbRecordset::Update() {
    Row& row = currentRow();
    QStringList assignments;
    QVariantList values;
    for (int i = 0; i < row.values.size(); ++i) {
        if (!row.changed[static_cast<size_t>(i)])
            continue;
        if (m_table.isEmpty() || m_columns[i].isEmpty()) {
            throw RuntimeError(kErrNotUpdatable,
                               "Current Recordset does not support updating. This may be a "
                               "limitation of the provider, or of the selected locktype.");
        }
        assignments << sqlite::quoteIdentifier(m_columns[i]) + " = ?";
        values << row.values[i];
    }
    if (assignments.isEmpty())
        return;
    values << row.rowid;
    const int changed =
        m_connection->Execute("update " + sqlite::quoteIdentifier(m_table) + " set " +
                                  assignments.join(", ") + " where rowid = ?",
                              values);
    if (changed == 0) {
        throw RuntimeError(kErrRowNotFound,
                           "Row cannot be located for updating. Some values may have been "
                           "changed since it was last read.");
    }
    row.changed.assign(row.changed.size(), false);
}

void DbRecordset::Requery() {
    requireOpen();
    load();
}

void DbRecordset::Close() {
    if (!m_connection)
        return;
    auto& list = m_connection->m_recordsets;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    m_connection = nullptr;
    m_rows.clear();
    m_columns.clear();
    m_table.clear();
    m_params.clear();
    m_position = 0;
}

void DbRecordset::requireOpen() const {
    if (!m_connection) {
        throw RuntimeError(kErrObjectClosed, "Operation is not allowed when the object is closed.");
    }
}

DbRecordset::Row& DbRecordset::currentRow() {
    return const_cast<Row&>(std::as_const(*this).currentRow());
}

const DbRecordset::Row& DbRecordset::currentRow() const {
    if (Bof() || Eof())
        failNoCurrentRecord();
    return m_rows[static_cast<size_t>(m_position)];
}

// ---- creation ----

void createEncryptedDatabase(const QString& hostPath, const QString& password,
                             const QStringList& statements) {
    QFile file(hostPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        failOpen(QFileInfo::exists(hostPath) ? "The file '" + hostPath + "' already exists."
                                             : "Could not create file '" + hostPath + "'.");
    }
    file.close();
    try {
        if (statements.isEmpty())
            throw RuntimeError(kErrCommandText, "Invalid SQL statement.");
        const Handle db = openHandle(hostPath, password, hostPath, true);
        for (const QString& sql : statements) {
            const sqlite::Statement stmt = sqlite::prepare(db.get(), sql, {});
            sqlite::runToEnd(db.get(), stmt.get());
        }
    } catch (...) {
        QFile::remove(hostPath);
        throw;
    }
}

}  // namespace vornelix::platform
