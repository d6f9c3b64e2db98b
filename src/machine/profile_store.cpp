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

std::int16_t countProfiles() {
    std::int16_t count = 0;
    try {
        openProfileStore(kSelectAllProfiles);
        platform::DbRecordset& rows = *gv().DbRecordset;
        if (!rows.Bof())
            rows.MoveFirst();
        while (!rows.Eof()) {
            rows.MoveNext();
            ++count;
        }
    } catch (...) {
        closeProfileStore();
        throw;
    }
    closeProfileStore();
    return count;
}

}  // namespace vornelix
