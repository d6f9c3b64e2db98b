#include "machine/profile_store.h"

#include "platform/database.h"
#include "platform/file_system.h"
#include "platform/runtime_error.h"
#include "platform/services.h"

namespace vornelix {

QString profileTableSchema() {
    return QStringLiteral(
        "create table Vornelix_profile ("
        "prof_id INTEGER PRIMARY KEY AUTOINCREMENT, "
        "prof_name TEXT, "
        "hard_disk_path TEXT, "
        "hard_disk_size INTEGER, "
        "cd_rom_path TEXT, "
        "cdrom_type TEXT, "
        "networking INTEGER, "
        "ide_slave_device INTEGER, "
        "ram_size INTEGER)");
}

void createProfileDatabase(const QString& hostPath) {
    platform::createEncryptedDatabase(hostPath, kDatabasePassword, {profileTableSchema()});
}

QString profileDatabasePath() {
    return platform::files().programFolder() + "\\" + kDatabaseFileName;
}

QString profileConnectionString() {
    return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + profileDatabasePath() +
           ";Persist Security Info=False;Jet OLEDB:Database Password=" + kDatabasePassword;
}

namespace {

QString damagedStoreMessage(const QString& path) {
    return "The profile database " + path +
           " is damaged or was not made by Vornelix, so its profiles cannot be read; Vornelix "
           "goes on without them. Put back a copy of the file that you kept, then try again.";
}

// The number of sessions open now.
int& openSessions() {
    static int count = 0;
    return count;
}

// Opens the connection on the profile database and runs work on it; a database that is damaged
// or not the program's is named in what is thrown.
template <class Work>
auto onOpenStore(platform::DbConnection& connection, Work work) {
    const QString path = profileDatabasePath();
    try {
        connection.ConnectionString = profileConnectionString();
        connection.Open();
        return work();
    } catch (const platform::DamagedDatabase&) {
        throw platform::DamagedDatabase(platform::kErrUnspecified, damagedStoreMessage(path));
    }
}

}  // namespace

ProfileStoreSession::ProfileStoreSession(const QString& select, const QVariantList& params)
    : m_connection(std::make_unique<platform::DbConnection>()),
      m_rows(std::make_unique<platform::DbRecordset>()) {
    // A failed open leaves nothing open: the objects close themselves as they go.
    onOpenStore(*m_connection, [&] {
        m_rows->Open(select, *m_connection, platform::kCursorDynamic, platform::kLockOptimistic,
                     params);
    });
    ++openSessions();
}

ProfileStoreSession::~ProfileStoreSession() {
    --openSessions();
    // Record set first, then the connection; neither throws.
    m_rows->Close();
    m_connection->Close();
}

platform::DbRecordset& ProfileStoreSession::rows() const {
    return *m_rows;
}

int executeOnStore(const QString& sql, const QVariantList& values) {
    platform::DbConnection connection;  // closes itself however this ends
    return onOpenStore(connection, [&] { return connection.Execute(sql, values); });
}

bool profileStoreInUse() {
    return openSessions() > 0;
}

QVariantList storedProfileNames(const ProfileStoreSession& store) {
    platform::DbRecordset& rows = store.rows();
    QVariantList names;
    if (!rows.Bof())
        rows.MoveFirst();
    for (; !rows.Eof(); rows.MoveNext()) names << rows.Fields(kColProfName);
    return names;
}

QVariantList storedProfileNames() {
    const ProfileStoreSession store(kSelectAllProfiles);
    return storedProfileNames(store);
}

std::int64_t lastProfileId() {
    const ProfileStoreSession store(QStringLiteral("select max(prof_id) from Vornelix_profile"));
    return store.rows().Eof() ? 0 : store.rows().Fields(0).toLongLong();
}

std::int16_t countProfiles() {
    return static_cast<std::int16_t>(storedProfileNames().size());
}

}  // namespace vornelix
