#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include "app/app_windows.h"
#include "app/mdi_form1.h"
#include "machine/profile_store.h"
#include "platform/database.h"
#include "platform/runtime_error.h"
#include "profiles/dlg_new_profile_wizard1.h"
#include "support/test_environment.h"

namespace vornelix {
namespace {

const QString kInsertName = "insert into Vornelix_profile (prof_name) values (?)";

struct InnerUse {
    const char* name;
    QString select;
    QString execute;  // empty: none
};

template <class Row>
class WithEnvironment : public ::testing::TestWithParam<Row> {
  protected:
    test::TestEnvironment env;
};
using NestedSession = WithEnvironment<InnerUse>;

// A session opened inside another, whatever it does and however it ends, leaves the outer one
// open on its own rows; a write meanwhile shows in them once they are read again.
TEST_P(NestedSession, LeavesTheOuterSessionOpen) {
    env.insertProfile({"Tiger", {}, {}, {}, {}, {}, {}, {}});
    const ProfileStoreSession outer(kSelectAllProfiles);
    try {
        const ProfileStoreSession inner(GetParam().select);
        if (!GetParam().execute.isEmpty()) {
            EXPECT_EQ(executeOnStore(GetParam().execute, {"Leopard"}), 1);
        }
    } catch (const platform::RuntimeError& error) {
        EXPECT_EQ(error.number(), platform::kErrCommandText);
    }
    EXPECT_EQ(outer.rows().State(), platform::kStateOpen);
    EXPECT_TRUE(profileStoreInUse());
    outer.rows().Requery();
    EXPECT_EQ(storedProfileNames(outer).size(), GetParam().execute.isEmpty() ? 1 : 2);
}

INSTANTIATE_TEST_SUITE_P(Table, NestedSession,
                         ::testing::Values(InnerUse{"reads", kSelectAllProfiles, {}},
                                           InnerUse{"writes", kSelectAllProfiles, kInsertName},
                                           InnerUse{"fails", "select * from nowhere", {}}),
                         [](const auto& info) { return std::string(info.param.name); });

// The bytes that this process has read from files so far; -1 when the system does not say.
qint64 bytesReadSoFar() {
    QFile io(QStringLiteral("/proc/self/io"));
    if (!io.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : io.readAll().split('\n'))
        if (line.startsWith("rchar:"))
            return line.mid(6).trimmed().toLongLong();
    return -1;
}

class ProfileStoreWrite : public ::testing::Test {
  protected:
    test::TestEnvironment env;
};

// A write reads no more than it changes: one more profile beside thousands reads a small part of
// the file, where a cursor over the rows would read them all.
TEST_F(ProfileStoreWrite, ReadsNotTheRowsItLeavesAlone) {
    env.createDatabase();
    executeOnStore(
        "with recursive n(i) as (select 1 union all select i + 1 from n where i < 3000) "
        "insert into Vornelix_profile (prof_name) select printf('%0200d', i) from n");
    const qint64 fileBytes = QFileInfo(env.programHost() + "/ASNMD.DAT").size();
    const qint64 before = bytesReadSoFar();
    ASSERT_GE(before, 0) << "this system does not count what a process reads";
    EXPECT_EQ(executeOnStore(kInsertName, {"Leopard"}), 1);
    EXPECT_LT(bytesReadSoFar() - before, fileBytes / 10);
    EXPECT_EQ(countProfiles(), 3001);
}

// Ways in which ASNMD.DAT is not a database that the program's key opens; each takes another
// branch of the open (another key reads as other bytes do).
const QString kStore = "c:\\Vornelix\\ASNMD.DAT";

using Env = const test::TestEnvironment&;

struct Damage {
    const char* name;
    void (*make)(Env env);
};

const Damage kDamages[] = {
    {"other_bytes", [](Env env) { env.writeFile(kStore, QByteArray(8192, 'Z')); }},
    {"plain_sqlite",
     [](Env env) {
         platform::createEncryptedDatabase(env.host(kStore), "", {profileTableSchema()});
     }},
    {"empty", [](Env env) { env.writeFile(kStore, {}); }},
    // The program's own database, one bit changed in its last page of rows.
    {"page_of_rows",
     [](Env env) {
         createProfileDatabase(env.host(kStore));
         for (int i = 0; i < 200; ++i) executeOnStore(kInsertName, {QString(40, 'x')});
         QByteArray bytes = env.readFile(kStore);
         bytes[bytes.size() - 2000] ^= 1;
         env.writeFile(kStore, bytes);
     }},
};

using DamagedStore = WithEnvironment<Damage>;

// Profile > Open and page 2's Next say that the database is damaged, naming it by its drive
// path; the program goes on, nothing is changed and the store is left closed.
TEST_P(DamagedStore, IsNamedAsDamagedOnOpenAndOnTheNamePage) {
    GetParam().make(env);
    const QByteArray before = env.readFile(kStore);
    installAppWindows();
    MDIForm1 main;
    main.runCommand(MenuControl::mnuProfile_Open);
    const QString message = env.ui.takeOnlyBox();
    EXPECT_TRUE(message.startsWith("The profile database " + kStore +
                                   " is damaged or was not made by Vornelix"))
        << message.toStdString();

    form<DlgNewProfileWizard1>().Show();
    test::click<DlgNewProfileWizard1>("OKButton");
    EXPECT_EQ(env.ui.takeOnlyBox(), message);
    EXPECT_FALSE(env.ui.ended || profileStoreInUse());
    EXPECT_EQ(env.readFile(kStore), before);
}

INSTANTIATE_TEST_SUITE_P(Kinds, DamagedStore, ::testing::ValuesIn(kDamages),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vornelix
