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
    QVariantList params;
    QString execute;  // empty: none
    bool opens;
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
    const InnerUse& inner = GetParam();
    env.insertProfile({"Tiger", {}, {}, {}, {}, {}, {}, {}});
    const ProfileStoreSession outer(kSelectAllProfiles);
    EXPECT_EQ(&*gv().DbRecordset, &outer.rows());
    try {
        const ProfileStoreSession session(inner.select, inner.params);
        EXPECT_EQ(&*gv().DbConnection, &session.connection());
        if (!inner.execute.isEmpty())
            session.connection().Execute(inner.execute, {"Leopard"});
        EXPECT_TRUE(inner.opens);
    } catch (const platform::RuntimeError& error) {
        EXPECT_FALSE(inner.opens) << error.description().toStdString();
    }
    EXPECT_EQ(outer.connection().State(), platform::kStateOpen);
    EXPECT_EQ(outer.rows().State(), platform::kStateOpen);
    EXPECT_EQ(&*gv().DbConnection, &outer.connection());
    outer.rows().Requery();
    EXPECT_EQ(storedProfileNames(outer).size(), inner.execute.isEmpty() ? 1 : 2);
}

INSTANTIATE_TEST_SUITE_P(
    Table, NestedSession,
    ::testing::Values(InnerUse{"reads", kSelectProfileByName, {"Tiger"}, {}, true},
                      InnerUse{"writes", kSelectAllProfiles, {}, kInsertName, true},
                      InnerUse{"bad_statement", "select * from nowhere", {}, {}, false},
                      InnerUse{"missing_value", kSelectProfileByName, {}, {}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProfileStoreSessionTest, TheSharedNamesShowNothingBetweenUses) {
    test::TestEnvironment env;
    env.createDatabase();
    { const ProfileStoreSession store(kSelectAllProfiles); }
    EXPECT_FALSE(gv().DbConnection.exists() || gv().DbRecordset.exists());
    EXPECT_THROW(gv().DbRecordset->Eof(), platform::RuntimeError);
}

// Ways in which ASNMD.DAT is not a database that the program's key opens.
struct Damage {
    const char* name;
    std::function<void(const QString& hostPath)> make;
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

// The program's own database, with rows, changed by damage.
void ownDatabase(const QString& path, const std::function<void(QByteArray&)>& damage) {
    createProfileDatabase(path);
    {
        platform::DbConnection connection;
        connection.openFile(path, kDatabasePassword);
        for (int i = 0; i < 200; ++i) connection.Execute(kInsertName, {QString(40, 'x')});
    }
    QByteArray bytes = readBytes(path);
    damage(bytes);
    writeBytes(path, bytes);
}

const Damage kDamages[] = {
    {"random_bytes",
     [](const QString& path) {
         QByteArray bytes(8192, '\0');
         for (int i = 0; i < bytes.size(); ++i) bytes[i] = char((i * 7919 + 13) % 251);
         writeBytes(path, bytes);
     }},
    {"another_key",
     [](const QString& path) {
         platform::createEncryptedDatabase(path, "AAAAA-BBBBB-CCCCC", {profileTableSchema()});
     }},
    {"plain_sqlite",
     [](const QString& path) {
         platform::createEncryptedDatabase(path, "", {profileTableSchema()});
     }},
    {"empty", [](const QString& path) { writeBytes(path, {}); }},
    {"cut_off",
     [](const QString& path) { ownDatabase(path, [](QByteArray& b) { b.resize(100); }); }},
    {"page_of_rows_damaged",
     [](const QString& path) {
         ownDatabase(path, [](QByteArray& b) { b[b.size() - 2000] ^= 1; });
     }},
};

class DamagedStore : public ::testing::TestWithParam<Damage> {
  protected:
    DamagedStore() {
        installAppWindows();
        GetParam().make(env.host(kShownPath));
    }
    const QString kShownPath = "c:\\Vornelix\\ASNMD.DAT";
    test::TestEnvironment env;
};

// Profile > Open and page 2's Next say that the database is damaged, naming it by its drive
// path; the program goes on, nothing is changed and the store is left closed.
TEST_P(DamagedStore, IsNamedAsDamagedOnOpenAndOnTheNamePage) {
    const QByteArray before = readBytes(env.host(kShownPath));
    MDIForm1 main;
    main.runCommand(MenuControl::mnuProfile_Open);
    const QString message = env.ui.takeOnlyBox();
    EXPECT_TRUE(message.startsWith("The profile database " + kShownPath +
                                   " is damaged or was not made by Vornelix"))
        << message.toStdString();

    gv().ProfileName = "before";
    auto& page = form<DlgNewProfileWizard1>();
    page.Show();
    page.findChild<QPushButton*>("OKButton")->click();
    EXPECT_EQ(env.ui.takeOnlyBox(), message);
    EXPECT_EQ(gv().ProfileName, "before");
    EXPECT_FALSE(env.ui.ended);
    EXPECT_FALSE(gv().DbConnection.exists());
    EXPECT_EQ(readBytes(env.host(kShownPath)), before);
}

INSTANTIATE_TEST_SUITE_P(Kinds, DamagedStore, ::testing::ValuesIn(kDamages),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vornelix
