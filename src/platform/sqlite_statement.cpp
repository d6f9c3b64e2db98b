#include "platform/sqlite_statement.h"

#define SQLITE_HAS_CODEC 1
#include <sqlite3.h>

#include <QByteArray>
#include <utility>

#include "platform/database.h"
#include "platform/runtime_error.h"

namespace vornelix::platform::sqlite {

namespace {

std::int32_t errorNumber(int rc) {
    return (rc & 0xff) == SQLITE_ERROR ? kErrCommandText : kErrUnspecified;
}

bool isBlank(const char* text) {
    for (; *text; ++text) {
        if (*text != ' ' && *text != '\t' && *text != '\r' && *text != '\n' && *text != ';')
            return false;
    }
    return true;
}

int bindValue(sqlite3_stmt* stmt, int index, const QVariant& value) {
    if (value.isNull())
        return sqlite3_bind_null(stmt, index);
    switch (value.typeId()) {
        case QMetaType::Bool:
        case QMetaType::Char:
        case QMetaType::SChar:
        case QMetaType::UChar:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::ULong:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            return sqlite3_bind_int64(stmt, index, value.toLongLong());
        case QMetaType::Float:
        case QMetaType::Double:
            return sqlite3_bind_double(stmt, index, value.toDouble());
        case QMetaType::QByteArray: {
            const QByteArray bytes = value.toByteArray();
            return sqlite3_bind_blob64(stmt, index, bytes.constData(),
                                       static_cast<sqlite3_uint64>(bytes.size()), SQLITE_TRANSIENT);
        }
        default: {
            const QByteArray text = value.toString().toUtf8();
            return sqlite3_bind_text64(stmt, index, text.constData(),
                                       static_cast<sqlite3_uint64>(text.size()), SQLITE_TRANSIENT,
                                       SQLITE_UTF8);
        }
    }
}

void bindAll(sqlite3* db, sqlite3_stmt* stmt, const QVariantList& params) {
    if (sqlite3_bind_parameter_count(stmt) != params.size()) {
        throw RuntimeError(kErrParameters, "No value given for one or more required parameters.");
    }
    for (int i = 0; i < params.size(); ++i) {
        const int rc = bindValue(stmt, i + 1, params[i]);
        if (rc != SQLITE_OK)
            fail(db, rc);
    }
}

// Compiles the one statement of sql; rc is SQLite's result, or SQLITE_MISUSE when the text
// holds no statement or more than one.
Statement compile(sqlite3* db, const QString& sql, int& rc) {
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt* raw = nullptr;
    const char* tail = nullptr;
    rc = sqlite3_prepare_v2(db, text.constData(), static_cast<int>(text.size()) + 1, &raw, &tail);
    Statement stmt(raw);
    if (rc == SQLITE_OK && (!raw || (tail && !isBlank(tail))))
        rc = SQLITE_MISUSE;
    return stmt;
}

}  // namespace

Statement::~Statement() {
    sqlite3_finalize(m_stmt);
}

Statement& Statement::operator=(Statement&& other) noexcept {
    if (this != &other) {
        sqlite3_finalize(m_stmt);
        m_stmt = std::exchange(other.m_stmt, nullptr);
    }
    return *this;
}

void fail(sqlite3* db, int rc) {
    const QString message = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
    if ((rc & 0xff) == SQLITE_CORRUPT || (rc & 0xff) == SQLITE_NOTADB)
        throw DamagedDatabase(kErrUnspecified, message);
    if ((rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED)
        throw DatabaseInUse(errorNumber(rc), message);
    throw RuntimeError(errorNumber(rc), message);
}

Statement prepare(sqlite3* db, const QString& sql, const QVariantList& params) {
    int rc = SQLITE_OK;
    Statement stmt = compile(db, sql, rc);
    if (rc == SQLITE_MISUSE) {
        throw RuntimeError(kErrCommandText, stmt ? "Characters found after end of SQL statement."
                                                 : "Invalid SQL statement.");
    }
    if (rc != SQLITE_OK)
        fail(db, rc);
    bindAll(db, stmt.get(), params);
    return stmt;
}

Statement tryPrepare(sqlite3* db, const QString& sql, const QVariantList& params) {
    int rc = SQLITE_OK;
    Statement stmt = compile(db, sql, rc);
    if (rc != SQLITE_OK)
        return Statement();
    bindAll(db, stmt.get(), params);
    return stmt;
}

void runToEnd(sqlite3* db, sqlite3_stmt* stmt) {
    int rc = SQLITE_ROW;
    while (rc == SQLITE_ROW) rc = sqlite3_step(stmt);
    if (rc != SQLITE_DONE)
        fail(db, rc);
}

QVariant columnValue(sqlite3_stmt* stmt, int i) {
    switch (sqlite3_column_type(stmt, i)) {
        case SQLITE_INTEGER:
            return QVariant(static_cast<qlonglong>(sqlite3_column_int64(stmt, i)));
        case SQLITE_FLOAT:
            return QVariant(sqlite3_column_double(stmt, i));
        case SQLITE_TEXT: {
            // The pointer first: sqlite3_column_bytes then counts the bytes of that form.
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
            return QVariant(QString::fromUtf8(text, sqlite3_column_bytes(stmt, i)));
        }
        case SQLITE_BLOB: {
            const auto* bytes = static_cast<const char*>(sqlite3_column_blob(stmt, i));
            return QVariant(QByteArray(bytes, sqlite3_column_bytes(stmt, i)));
        }
        default:
            return QVariant();
    }
}

QString quoteIdentifier(const QString& name) {
    QString quoted = name;
    quoted.replace('"', "\"\"");
    return '"' + quoted + '"';
}

}  // namespace vornelix::platform::sqlite
