#include <gtest/gtest.h>

#include <QFile>
#include <QPushButton>
#include <functional>
#include <ostream>

#include "app/app_windows.h"
#include "app/mdi_form1.h"
#include "machine/global_variables.h"
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

void PrintTo(const InnerUse& use, std::ostream* out) {
    *out << use.name;
}

class NestedSession : public ::testing::TestWithParam<InnerUse> {
  protected:
    test::TestEnvironment env;
};

// A session opened inside another, whatever it does and however it ends, leaves the outer one
// open on its own rows; the shared names show the innermost open session's objects.
TEST_P(NestedSession, LeavesTheOuterSessionOpen) {
    env.insertProfile({"Tiger", {}, {}, {}, {}, {}, {}, {}});
    const ProfileStoreSession outer(kSelectAllProfiles);
    try {
        const ProfileStoreSession inner(GetParam().select);
        EXPECT_EQ(&*gv().DbRecordset, &inner.rows());
        if (!GetParam().execute.isEmpty())
            inner.connection().Execute(GetParam().execute, {"Leopard"});
    } catch (const platform::RuntimeError& error) {
        EXPECT_EQ(error.number(), platform::kErrCommandText);
    }
    EXPECT_EQ(outer.rows().State(), platform::kStateOpen);
    EXPECT_EQ(&*gv().DbConnection, &outer.connection());
    outer.rows().Requery();
    EXPECT_EQ(storedProfileNames(outer).size(), GetParam().execute.isEmpty() ? 1 : 2);
}

INSTANTIATE_TEST_SUITE_P(Table, NestedSession,
                         ::testing::Values(InnerUse{"reads", kSelectAllProfiles, {}},
                                           InnerUse{"writes", kSelectAllProfiles, kInsertName},
                                           InnerUse{"fails", "select * from nowhere", {}}),
                         [](const auto& info) { return std::string(info.param.name); });

// Ways in which ASNMD.DAT is not a database that the program's key opens, made at a host path.
struct Damage {
    const char* name;
    std::function<void(const QString&)> make;
};

void PrintTo(const Damage& damage, std::ostream* out) {
    *out << damage.name;
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const Damage kDamages[] = {
    {"random_bytes", [](const QString& path) { writeBytes(path, QByteArray(8192, '\x5a')); }},
    {"another_key",
     [](const QString& path) {
         platform::createEncryptedDatabase(path, "AAAAA-BBBBB-CCCCC", {profileTableSchema()});
     }},
    {"plain_sqlite",
     [](const QString& path) {
         platform::createEncryptedDatabase(path, "", {profileTableSchema()});
     }},
    {"empty", [](const QString& path) { writeBytes(path, {}); }},
    // The program's own database, one bit changed in its last page of rows.
    {"page_of_rows",
     [](const QString& path) {
         createProfileDatabase(path);
         {
             platform::DbConnection connection;
             connection.openFile(path, kDatabasePassword);
             for (int i = 0; i < 200; ++i) connection.Execute(kInsertName, {QString(40, 'x')});
         }
         QByteArray bytes = readBytes(path);
         bytes[bytes.size() - 2000] ^= 1;
         writeBytes(path, bytes);
     }},
};

class DamagedStore : public ::testing::TestWithParam<Damage> {
  protected:
    test::TestEnvironment env;
};

// Profile > Open and page 2's Next say that the database is damaged, naming it by its drive
// path; the program goes on, nothing is changed and the store is left closed.
TEST_P(DamagedStore, IsNamedAsDamagedOnOpenAndOnTheNamePage) {
    const QString path = env.host("c:\\Vornelix\\ASNMD.DAT");
    GetParam().make(path);
    const QByteArray before = readBytes(path);
    installAppWindows();
    MDIForm1 main;
    main.runCommand(MenuControl::mnuProfile_Open);
    const QString message = env.ui.takeOnlyBox();
    EXPECT_TRUE(message.startsWith(
        "The profile database c:\\Vornelix\\ASNMD.DAT is damaged or was not made by Vornelix"))
        << message.toStdString();

    gv().ProfileName = "before";
    form<DlgNewProfileWizard1>().Show();
    form<DlgNewProfileWizard1>().findChild<QPushButton*>("OKButton")->click();
    EXPECT_EQ(env.ui.takeOnlyBox(), message);
    EXPECT_EQ(gv().ProfileName, "before");
    EXPECT_FALSE(env.ui.ended || gv().DbConnection.exists());
    EXPECT_EQ(readBytes(path), before);
}

INSTANTIATE_TEST_SUITE_P(Kinds, DamagedStore, ::testing::ValuesIn(kDamages),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vornelix
