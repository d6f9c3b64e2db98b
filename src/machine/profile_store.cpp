#include "machine/profile_store.h"

#include <algorithm>
#include <vector>

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

// The open sessions, in the order they were opened.
std::vector<const ProfileStoreSession*>& openSessions() {
    static std::vector<const ProfileStoreSession*> sessions;
    return sessions;
}

}  // namespace

ProfileStoreSession::ProfileStoreSession(const QString& select, const QVariantList& params)
    : m_connection(std::make_unique<platform::DbConnection>()),
      m_rows(std::make_unique<platform::DbRecordset>()) {
    // A failed open leaves nothing open: the objects close themselves as they go.
    const QString path = profileDatabasePath();
    try {
        m_connection->ConnectionString = profileConnectionString();
        m_connection->Open();
        m_rows->Open(select, *m_connection, platform::kCursorDynamic, platform::kLockOptimistic,
                     params);
    } catch (const platform::DamagedDatabase&) {
        throw platform::DamagedDatabase(platform::kErrUnspecified, damagedStoreMessage(path));
    }
    openSessions().push_back(this);
}

ProfileStoreSession::~ProfileStoreSession() {
    auto& sessions = openSessions();
    sessions.erase(std::remove(sessions.begin(), sessions.end(), this), sessions.end());
    // Record set first, then the connection; neither throws.
    m_rows->Close();
    m_connection->Close();
}

platform::DbConnection& ProfileStoreSession::connection() const {
    return *m_connection;
}

platform::DbRecordset& ProfileStoreSession::rows() const {
    return *m_rows;
}

const ProfileStoreSession* innermostProfileStoreSession() {
    const auto& sessions = openSessions();
    return sessions.empty() ? nullptr : sessions.back();
}

const ProfileStoreSession& requireProfileStoreSession() {
    if (const ProfileStoreSession* session = innermostProfileStoreSession())
        return *session;
    throw platform::RuntimeError(platform::kErrObjectClosed,
                                 "Operation is not allowed when the object is closed.");
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

void executeOnProfileStore(const QString& sql, const QVariantList& values) {
    const ProfileStoreSession store(kSelectAllProfiles);
    store.connection().Execute(sql, values);
}

std::int16_t countProfiles() {
    return static_cast<std::int16_t>(storedProfileNames().size());
}

}  // namespace vornelix
