#include <gtest/gtest.h>

#include <QFile>

#include "machine/global_variables.h"
#include "machine/profile_store.h"
#include "platform/database.h"
#include "platform/runtime_error.h"
#include "support/test_environment.h"

namespace vornelix {
namespace {

using platform::RuntimeError;

const QString kInsert =
    "insert into Vornelix_profile (prof_name, hard_disk_path, hard_disk_size, cd_rom_path, "
    "cdrom_type, networking) values (?, ?, ?, ?, ?, ?)";

class ProfileStoreTest : public ::testing::Test {
  protected:
    void SetUp() override { env.createDatabase(); }

    // Adds rows the way the creation sequence does: through the store, then closed again.
    void insertProfiles(const QStringList& names) {
        openProfileStore(kSelectAllProfiles);
        for (const QString& name : names) {
            gv().DbConnection->Execute(kInsert,
                                       {name, "c:\\Vornelix_HD\\" + name, 5, "   ", "cdrom", 0});
        }
        gv().DbRecordset->Requery();
        closeProfileStore();
    }

    void expectStoreReleased() {
        EXPECT_FALSE(gv().DbRecordset.exists());
        EXPECT_FALSE(gv().DbConnection.exists());
    }

    test::TestEnvironment env;
};

TEST_F(ProfileStoreTest, ConnectionStringNamesTheDatabaseInTheProgramFolder) {
    EXPECT_EQ(profileConnectionString(),
              "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=c:\\Vornelix\\ASNMD.DAT;"
              "Persist Security Info=False;Jet OLEDB:Database Password=QM4TZ-WB7HN-K2XVR");
}

TEST_F(ProfileStoreTest, TableHasTheNineColumnsAndNumbersNewRows) {
    openProfileStore("pragma table_info(Vornelix_profile)");
    QStringList columns;
    for (platform::DbRecordset& info = *gv().DbRecordset; !info.Eof(); info.MoveNext())
        columns << info.Fields(1).toString();
    closeProfileStore();
    EXPECT_EQ(columns, QStringList({"prof_id", "prof_name", "hard_disk_path", "hard_disk_size",
                                    "cd_rom_path", "cdrom_type", "networking", "ide_slave_device",
                                    "ram_size"}));

    insertProfiles({"First", "Second"});
    openProfileStore(kSelectProfileByName, {"Second"});
    platform::DbRecordset& row = *gv().DbRecordset;
    EXPECT_EQ(row.Fields(kColProfId).toInt(), 2);
    EXPECT_EQ(row.Fields(kColHardDiskSize).toInt(), 5);
    EXPECT_EQ(row.Fields(kColNetworking).toInt(), 0);
    EXPECT_TRUE(row.Fields(kColIdeSlaveDevice).isNull());
    EXPECT_TRUE(row.Fields(kColRamSize).isNull());
    closeProfileStore();
}

TEST_F(ProfileStoreTest, CloseStepsLeaveBothObjectsReleased) {
    EXPECT_NO_THROW(closeProfileStore());
    expectStoreReleased();

    // Objects that exist but were never opened.
    gv().DbConnection->ConnectionString = "x";
    gv().DbRecordset.get();
    EXPECT_NO_THROW(closeProfileStore());
    expectStoreReleased();

    openProfileStore(kSelectAllProfiles);
    EXPECT_EQ(gv().DbConnection->State(), platform::kStateOpen);
    EXPECT_EQ(gv().DbRecordset->State(), platform::kStateOpen);
    closeProfileStore();
    expectStoreReleased();
    // The file is free again: the next user opens it.
    EXPECT_NO_THROW(openProfileStore(kSelectAllProfiles));
    closeProfileStore();
}

TEST_F(ProfileStoreTest, CountsTheRowsAndClosesTheStore) {
    EXPECT_EQ(countProfiles(), 0);
    expectStoreReleased();

    insertProfiles({"A", "B", "C"});
    EXPECT_EQ(countProfiles(), 3);
    expectStoreReleased();
}

TEST_F(ProfileStoreTest, CountClosesTheStoreWhenItFails) {
    QFile::remove(env.programHost() + "/ASNMD.DAT");
    try {
        countProfiles();
        ADD_FAILURE() << "counting without a database succeeded";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), platform::kErrUnspecified);
    }
    expectStoreReleased();

    // The connection opens but the table is missing: the open connection is closed again.
    platform::createEncryptedDatabase(env.programHost() + "/ASNMD.DAT", kDatabasePassword,
                                      {"create table other (x)"});
    EXPECT_THROW(countProfiles(), RuntimeError);
    expectStoreReleased();
}

TEST_F(ProfileStoreTest, NamesAndPathsWithQuotesRoundTrip) {
    const QString name = "Bob's 'Mac'";
    insertProfiles({name, "Other"});

    openProfileStore(kSelectProfileByName, {name});
    platform::DbRecordset& row = *gv().DbRecordset;
    ASSERT_FALSE(row.Eof());
    EXPECT_EQ(row.Fields(kColProfName).toString(), name);
    EXPECT_EQ(row.Fields(kColHardDiskPath).toString(), "c:\\Vornelix_HD\\" + name);
    row.MoveNext();
    EXPECT_TRUE(row.Eof());
    closeProfileStore();

    // The name is matched exactly, letter case included.
    openProfileStore(kSelectProfileByName, {"bob's 'mac'"});
    EXPECT_TRUE(gv().DbRecordset->Eof());
    try {
        gv().DbRecordset->Fields(kColProfName);
        ADD_FAILURE() << "a column of a missing row was read";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), platform::kErrNoCurrentRecord);
    }
    closeProfileStore();
}

TEST_F(ProfileStoreTest, RecordUpdateWritesSettingsOfTheCurrentRowOnly) {
    insertProfiles({"Alpha", "Beta"});

    openProfileStore(kSelectProfileByName, {"Beta"});
    platform::DbRecordset& row = *gv().DbRecordset;
    row.setField(kColNetworking, 1);
    row.setField(kColIdeSlaveDevice, 2);
    row.setField(kColRamSize, 512.0);
    row.Update();
    row.Requery();
    EXPECT_EQ(row.Fields(kColNetworking).toInt(), 1);
    EXPECT_EQ(row.Fields(kColIdeSlaveDevice).toInt(), 2);
    EXPECT_EQ(row.Fields(kColRamSize).toInt(), 512);
    closeProfileStore();

    // Read back anew: the other columns and the other row are as they were.
    openProfileStore(kSelectAllProfiles);
    platform::DbRecordset& all = *gv().DbRecordset;
    EXPECT_EQ(all.Fields(kColProfName).toString(), "Alpha");
    EXPECT_EQ(all.Fields(kColNetworking).toInt(), 0);
    EXPECT_TRUE(all.Fields(kColRamSize).isNull());
    all.MoveNext();
    EXPECT_EQ(all.Fields(kColProfName).toString(), "Beta");
    EXPECT_EQ(all.Fields(kColHardDiskPath).toString(), "c:\\Vornelix_HD\\Beta");
    EXPECT_EQ(all.Fields(kColHardDiskSize).toInt(), 5);
    EXPECT_EQ(all.Fields(kColCdRomPath).toString(), "   ");
    EXPECT_EQ(all.Fields(kColCdRomType).toString(), "cdrom");
    EXPECT_EQ(all.Fields(kColRamSize).toInt(), 512);
    closeProfileStore();
}

TEST_F(ProfileStoreTest, CreationRefusesAnExistingFile) {
    insertProfiles({"Kept"});
    EXPECT_THROW(createProfileDatabase(env.programHost() + "/ASNMD.DAT"), RuntimeError);
    EXPECT_EQ(countProfiles(), 1);
}

}  // namespace
}  // namespace vornelix
