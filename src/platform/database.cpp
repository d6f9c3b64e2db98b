#include "platform/database.h"

#include "platform/runtime_error.h"

namespace vornelix::platform {

// Being built.
DbConnection::~DbConnection() { Close(); }
void DbConnection::Open() { throw RuntimeError(kErrUnspecified, "not built"); }
void DbConnection::Execute(const QString&, const QVariantList&) {}
void DbConnection::Close() {}
void DbRecordset::Open(const QString&, DbConnection&, int, int, const QVariantList&) {}
bool DbRecordset::Bof() const { return true; }
bool DbRecordset::Eof() const { return true; }
void DbRecordset::MoveFirst() {}
void DbRecordset::MoveNext() {}
QVariant DbRecordset::Fields(int) const { return {}; }
void DbRecordset::setField(int, const QVariant&) {}
void DbRecordset::Update() {}
void DbRecordset::Requery() {}
void DbRecordset::Close() {}

}  // namespace vornelix::platform
