#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <cstdint>

namespace vornelix {

namespace platform {
class DbConnection;
class DbRecordset;
}  // namespace platform

inline const QString kDatabaseFileName = QStringLiteral("ASNMD.DAT");
inline const QString kDatabasePassword = QStringLiteral("QM4TZ-WB7HN-K2XVR");
inline const QString kProfileTable = QStringLiteral("Vornelix_profile");
inline const QString kSelectAllProfiles = QStringLiteral("select * from Vornelix_profile");
// The profile name is bound as a parameter, never pasted into the text.
inline const QString kSelectProfileByName =
    QStringLiteral("select * from Vornelix_profile where prof_name = ?");

// Column positions of "select * from Vornelix_profile".
enum ProfileColumn : int {
    kColProfId = 0,
    kColProfName = 1,
    kColHardDiskPath = 2,
    kColHardDiskSize = 3,
    kColCdRomPath = 4,
    kColCdRomType = 5,
    kColNetworking = 6,
    kColIdeSlaveDevice = 7,
    kColRamSize = 8,
};

// The statement that creates the empty table (the database tool uses it; the program never).
QString profileTableSchema();

// Creates an encrypted, empty profile database at a host path (the database tool and the
// tests use it; the program itself never creates the database).
void createProfileDatabase(const QString& hostPath);

// Built anew for every use from the program folder of the moment.
QString profileConnectionString();

// Opens DbConnection on the profile database and DbRecordset on the statement.
void openProfileStore(const QString& select, const QVariantList& params = {});
// Closes and releases the record set, then the connection; safe on objects never opened,
// and it never throws.
void closeProfileStore();

// One use of the profile store: opens DbConnection and DbRecordset on the statement and closes
// them again when it ends, however it ends. A failed open closes what it had opened and throws.
// The program reaches the store through sessions only.
class ProfileStoreSession {
  public:
    explicit ProfileStoreSession(const QString& select, const QVariantList& params = {});
    ~ProfileStoreSession();
    ProfileStoreSession(const ProfileStoreSession&) = delete;
    ProfileStoreSession& operator=(const ProfileStoreSession&) = delete;

    platform::DbConnection& connection() const;
    platform::DbRecordset& rows() const;
};

// The name (column 1) of every row of the session's statement, in the order the rows come, from
// the first; a Null name stays Null.
QVariantList storedProfileNames(const ProfileStoreSession& store);
// The names of all stored profiles, in a session of their own.
QVariantList storedProfileNames();

// The number of stored profiles.
std::int16_t countProfiles();

}  // namespace vornelix
