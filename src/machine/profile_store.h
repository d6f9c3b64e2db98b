#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <cstdint>
#include <memory>

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

// The profile database as the user knows it: its drive path in the program folder of the
// moment.
QString profileDatabasePath();
// Built anew for every use from the program folder of the moment.
QString profileConnectionString();

// One reading use of the profile store: a connection and a record set of its own, opened on
// the statement and closed when the session ends, however it ends. A failed open closes what it
// had opened and throws; a database that is damaged or not the program's throws with a message
// that names it. A session opened inside another leaves the outer one as it was. The program
// reads the store through sessions only, and writes it through executeOnStore.
class ProfileStoreSession {
  public:
    explicit ProfileStoreSession(const QString& select, const QVariantList& params = {});
    ~ProfileStoreSession();
    ProfileStoreSession(const ProfileStoreSession&) = delete;
    ProfileStoreSession& operator=(const ProfileStoreSession&) = delete;

    platform::DbRecordset& rows() const;

  private:
    std::unique_ptr<platform::DbConnection> m_connection;
    std::unique_ptr<platform::DbRecordset> m_rows;
};

// Runs one INSERT, UPDATE or DELETE on the profile store in a connection of its own that opens
// no record set, and closes it again; gives the number of rows it changed. Fails as a session's
// open does, or with the statement's error, and then leaves nothing open.
int executeOnStore(const QString& sql, const QVariantList& values = {});

// Whether a session on the store is open now.
bool profileStoreInUse();

// The name (column 1) of every row of the session's statement, in the order the rows come, from
// the first; a Null name stays Null.
QVariantList storedProfileNames(const ProfileStoreSession& store);
// The names of all stored profiles, in a session of their own.
QVariantList storedProfileNames();

// The highest row id stored (prof_id), 0 when there is none: a row stored later has a higher
// one, as ids are never given twice.
std::int64_t lastProfileId();

// The number of stored profiles.
std::int16_t countProfiles();

}  // namespace vornelix
