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

class ProfileStoreTest : public ::testing::Test {
  protected:
    void SetUp() override { env.createDatabase(); }

    void insert(const QString& name) {
        env.insertProfile({name, "c:\\Vornelix_HD\\" + name, 5, "   ", "cdrom", 0, {}, {}});
    }
    void expectStoreReleased() {
        EXPECT_FALSE(gv().DbRecordset.exists());
        EXPECT_FALSE(gv().DbConnection.exists());
    }

    test::TestEnvironment env;
};

TEST_F(ProfileStoreTest, CountsTheRowsAndClosesTheStoreAlsoWhenItFails) {
    insert("A");
    insert("B");
    EXPECT_EQ(countProfiles(), 2);
    expectStoreReleased();

    QFile::remove(env.programHost() + "/ASNMD.DAT");
    EXPECT_THROW(countProfiles(), RuntimeError);
    expectStoreReleased();

    // The connection opens but the table is missing: the open connection is closed again.
    platform::createEncryptedDatabase(env.programHost() + "/ASNMD.DAT", kDatabasePassword,
                                      {"create table other (x)"});
    EXPECT_THROW(countProfiles(), RuntimeError);
    expectStoreReleased();
}

TEST_F(ProfileStoreTest, SelectsByTheExactNameAndUpdatesTheCurrentRowOnly) {
    const QString name = "Bob's 'Mac'";
    insert("Alpha");
    insert(name);
    openProfileStore(kSelectProfileByName, {"bob's 'mac'"});
    EXPECT_TRUE(gv().DbRecordset->Eof());
    closeProfileStore();

    openProfileStore(kSelectProfileByName, {name});
    platform::DbRecordset& row = *gv().DbRecordset;
    EXPECT_EQ(row.Fields(kColProfId).toInt(), 2);
    row.setField(kColNetworking, 1);
    row.setField(kColIdeSlaveDevice, 2);
    row.setField(kColRamSize, 512.0);
    row.Update();
    closeProfileStore();

    openProfileStore(kSelectAllProfiles);
    platform::DbRecordset& all = *gv().DbRecordset;
    EXPECT_EQ(all.Fields(kColNetworking).toInt(), 0);
    all.MoveNext();
    const QVariantList expected = {2, name, "c:\\Vornelix_HD\\" + name, 5, "   ", "cdrom", 1,
                                   2, 512};
    for (int column = 0; column < expected.size(); ++column)
        EXPECT_EQ(all.Fields(column).toString(), expected[column].toString()) << column;
    closeProfileStore();
}

}  // namespace
}  // namespace vornelix
