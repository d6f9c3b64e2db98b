#include <gtest/gtest.h>

#define SQLITE_HAS_CODEC 1
#include <sqlite3.h>

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include "machine/profile_store.h"
#include "platform/database.h"
#include "platform/runtime_error.h"
#include "support/test_environment.h"

namespace vornelix::platform {
namespace {

const QString kDatabase = "c:\\Vornelix\\ASNMD.DAT";
const QString kInsert =
    "insert into Vornelix_profile (prof_name, hard_disk_path, hard_disk_size, cd_rom_path, "
    "cdrom_type, networking) values (?, ?, ?, ?, ?, ?)";

QString connectionTo(const QString& path, const QString& password = kDatabasePassword) {
    return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path +
           ";Persist Security Info=False;Jet OLEDB:Database Password=" + password;
}

// Runs f, which must throw RuntimeError; returns it.
template <class F>
RuntimeError errorOf(F&& f) {
    try {
        f();
    } catch (const RuntimeError& e) {
        return e;
    }
    ADD_FAILURE() << "no RuntimeError thrown";
    return RuntimeError(0, QString());
}

class DatabaseTest : public ::testing::Test {
  protected:
    void SetUp() override {
        env.createDatabase();
        connection.ConnectionString = connectionTo(kDatabase);
    }
    void insert(const QString& name) {
        connection.Execute(kInsert, {name, "c:\\Vornelix_HD\\" + name, 5, "   ", "cdrom", 0});
    }

    test::TestEnvironment env;
    DbConnection connection;
};

TEST_F(DatabaseTest, FilesThatCannotBeOpenedGiveTheUnspecifiedError) {
    env.writeFile("c:\\Vornelix\\empty.DAT", "");
    sqlite3* plain = nullptr;
    sqlite3_open(QFile::encodeName(env.host("c:\\Vornelix\\plain.DAT")).constData(), &plain);
    sqlite3_exec(plain, "create table t (x)", nullptr, nullptr, nullptr);
    sqlite3_close(plain);

    const std::pair<QString, QString> cases[] = {
        {connectionTo(kDatabase, "QM4TZ-WB7HN-K2XVX"), "Not a valid password."},
        {connectionTo("c:\\Vornelix\\MISSING.DAT"),
         "Could not find file 'c:\\Vornelix\\MISSING.DAT'."},
        {connectionTo("c:\\Vornelix\\empty.DAT"),
         "Unrecognized database format 'c:\\Vornelix\\empty.DAT'."},
        {connectionTo("c:\\Vornelix\\plain.DAT"),
         "Unrecognized database format 'c:\\Vornelix\\plain.DAT'."},
    };
    for (const auto& [connectionString, description] : cases) {
        SCOPED_TRACE(connectionString.toStdString());
        connection.ConnectionString = connectionString;
        const RuntimeError e = errorOf([&] { connection.Open(); });
        EXPECT_EQ(e.number(), kErrUnspecified);
        EXPECT_EQ(e.description(), description);
        EXPECT_EQ(connection.State(), kStateClosed);
    }
    // Opening never creates a file nor touches an empty one; the store is encrypted.
    EXPECT_FALSE(QFile::exists(env.host("c:\\Vornelix\\MISSING.DAT")));
    EXPECT_EQ(QFile(env.host("c:\\Vornelix\\empty.DAT")).size(), 0);
    EXPECT_NE(env.readFile(kDatabase).left(16), QByteArray("SQLite format 3", 16));
}

TEST_F(DatabaseTest, FileHeldExclusivelyByAnotherProcessFailsPromptly) {
    QProcess holder;
    holder.start(VORNELIX_PROGRAM_DIR "/asnmd_tool", {"lock", env.host(kDatabase), "30"});
    ASSERT_TRUE(holder.waitForStarted(5000)) << "asnmd_tool is not built";
    QByteArray said;
    while (!said.contains("locked") && holder.waitForReadyRead(10000)) said += holder.readAll();
    ASSERT_TRUE(said.contains("locked")) << holder.readAllStandardError().toStdString();

    QElapsedTimer timer;
    timer.start();
    const RuntimeError e = errorOf([&] { connection.Open(); });
    EXPECT_LT(timer.elapsed(), 2000);
    EXPECT_EQ(e.number(), kErrUnspecified);
    EXPECT_EQ(e.description(), "The file 'c:\\Vornelix\\ASNMD.DAT' is already in use.");

    holder.kill();
    holder.waitForFinished(5000);
    connection.Open();
    EXPECT_EQ(connection.State(), kStateOpen);
}

TEST_F(DatabaseTest, ExecuteRefusesWrongStatementsAndValuesAndRunsNoneOfThem) {
    EXPECT_EQ(errorOf([&] { connection.Execute("delete from Vornelix_profile"); }).number(),
              kErrConnectionClosed);
    connection.Open();
    insert("Keep");
    const std::tuple<QString, QVariantList, std::int32_t> cases[] = {
        {"delete from nothing", {}, kErrCommandText},
        {kInsert, {"a", "b", 1}, kErrParameters},
        // A second statement after the first is refused, and neither runs.
        {"update Vornelix_profile set networking = 1; delete from Vornelix_profile",
         {},
         kErrCommandText},
    };
    for (const auto& [statement, values, number] : cases)
        EXPECT_EQ(errorOf([&, s = statement, v = values] { connection.Execute(s, v); }).number(),
                  number)
            << statement.toStdString();
    DbRecordset rows;
    rows.Open(kSelectAllProfiles, connection);
    EXPECT_EQ(rows.Fields(6).toInt(), 0);
}

TEST_F(DatabaseTest, CursorNeedsACurrentRowAndAnUpdateItsRowInTheFile) {
    connection.Open();
    DbRecordset rows;
    rows.Open(kSelectAllProfiles, connection);
    EXPECT_EQ(errorOf([&] { rows.MoveNext(); }).number(), kErrNoCurrentRecord);
    insert("One");
    rows.Requery();
    EXPECT_EQ(rows.Fields(1).toString(), "One");
    EXPECT_EQ(errorOf([&] { rows.Fields(9); }).number(), kErrItemNotFound);
    // The row went away after it was read: the update must not pass for done.
    connection.Execute("delete from Vornelix_profile");
    rows.setField(6, 1);
    EXPECT_EQ(errorOf([&] { rows.Update(); }).number(), kErrRowNotFound);
}

TEST_F(DatabaseTest, CreationNeverOverwritesAFileNorLeavesABrokenOne) {
    connection.Open();
    insert("Kept");
    connection.Close();
    EXPECT_THROW(
        createEncryptedDatabase(env.host(kDatabase), kDatabasePassword, {"create table t (x)"}),
        RuntimeError);
    connection.Open();
    DbRecordset rows;
    rows.Open(kSelectAllProfiles, connection);
    EXPECT_EQ(rows.Fields(1).toString(), "Kept");

    const QString broken = env.host("c:\\Vornelix\\broken.DAT");
    EXPECT_THROW(createEncryptedDatabase(broken, kDatabasePassword, {"create nonsense"}),
                 RuntimeError);
    EXPECT_FALSE(QFile::exists(broken));
}

}  // namespace
}  // namespace vornelix::platform
