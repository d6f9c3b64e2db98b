#include "machine/profile_store.h"

#include "machine/global_variables.h"
#include "platform/database.h"
#include "platform/file_system.h"
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

QString profileConnectionString() {
    return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + platform::files().programFolder() +
           "\\" + kDatabaseFileName +
           ";Persist Security Info=False;Jet OLEDB:Database Password=" + kDatabasePassword;
}

void openProfileStore(const QString& select, const QVariantList& params) {
    GlobalVariablesModule& g = gv();
    g.DbConnection->ConnectionString = profileConnectionString();
    g.DbConnection->Open();
    g.DbRecordset->Open(select, *g.DbConnection, platform::kCursorDynamic,
                        platform::kLockOptimistic, params);
}

void closeProfileStore() {
    GlobalVariablesModule& g = gv();
    // Close never throws; the State tests keep never-opened objects untouched.
    if (g.DbRecordset.exists() && g.DbRecordset->State() == platform::kStateOpen)
        g.DbRecordset->Close();
    g.DbRecordset.release();
    if (g.DbConnection.exists() && g.DbConnection->State() == platform::kStateOpen)
        g.DbConnection->Close();
    g.DbConnection.release();
}

ProfileStoreSession::ProfileStoreSession(const QString& select, const QVariantList& params) {
    try {
        openProfileStore(select, params);
    } catch (...) {
        closeProfileStore();
        throw;
    }
}

ProfileStoreSession::~ProfileStoreSession() {
    closeProfileStore();
}

platform::DbConnection& ProfileStoreSession::connection() const {
    return *gv().DbConnection;
}

platform::DbRecordset& ProfileStoreSession::rows() const {
    return *gv().DbRecordset;
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

std::int16_t countProfiles() {
    return static_cast<std::int16_t>(storedProfileNames().size());
}

}  // namespace vornelix
