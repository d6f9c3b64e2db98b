#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <functional>
#include <stdexcept>

#include "machine/dlg_open_profile.h"
#include "machine/global_variables.h"
#include "machine/open_profile.h"
#include "machine/profile_store.h"
#include "machine/ram_sizes.h"
#include "platform/database.h"
#include "support/test_environment.h"

namespace vornelix {
namespace {

class OpenProfileDialog : public ::testing::Test {
  protected:
    OpenProfileDialog() {
        env.createDatabase();
        env.hostFacts.setMemoryMB(1000);
        env.writeFile("c:\\drives\\share.dsk", "disk");
    }

    void addProfiles(const QStringList& names) {
        for (const QString& name : names)
            env.insertProfile({name, "c:\\Vornelix_HD\\" + name, 3, "   ", "cdrom", 0, {}, {}});
    }

    // A profile table of one row but without the name column: the store opens, and reading the
    // names fails.
    void useTableWithoutNames() {
        QFile::remove(env.programHost() + "/ASNMD.DAT");
        platform::createEncryptedDatabase(env.programHost() + "/ASNMD.DAT", kDatabasePassword,
                                          {"create table Vornelix_profile (prof_id INTEGER)",
                                           "insert into Vornelix_profile values (1)"});
    }

    DlgOpenProfile& dialog() { return form<DlgOpenProfile>(); }
    QComboBox& combo(const char* name) { return *control<QComboBox>(name); }

    static bool storeClosed() { return !profileStoreInUse(); }

    template <class T>
    static T* control(const char* name) {
        return test::child<DlgOpenProfile, T>(name);
    }

    test::TestEnvironment env;
    test::RecordingMainWindow& main = env.upper.recordingMain;
};

// The load lists the profiles in their order and forgets the shared drive. A single RAM size is
// not selected and opens as 0; a failed memory query leaves the list empty and says why.
TEST_F(OpenProfileDialog, LoadListsProfilesAndRamSizes) {
    addProfiles({"Tiger", "Leopard", "panther"});
    gv().SharedDrivePath = "c:\\old.dsk";
    env.hostFacts.setMemoryMB(159.5);
    EXPECT_EQ(combo("ComboProfile").itemText(2), "panther");
    EXPECT_EQ(combo("ComboProfile").currentText(), "Tiger");
    EXPECT_EQ(gv().SharedDrivePath, " ");
    EXPECT_TRUE(storeClosed());
    EXPECT_EQ(combo("ComboRam").currentIndex(), -1);
    dialog().OKButton_Click();
    EXPECT_EQ(gv().RamSizeMB, 0);

    env.hostFacts.memoryFailure = platform::RuntimeError(5, "No memory report");
    EXPECT_EQ(combo("ComboRam").count(), 0);
    EXPECT_EQ(env.ui.takeOnlyBox(QString()), "No memory report");
}

// The load's failures: an empty table is said and opens an empty name; any other error shows
// its number and description, and the unload closes the store; a missing database ends the
// program.
TEST_F(OpenProfileDialog, LoadFailuresAreSaid) {
    dialog();
    EXPECT_EQ(env.ui.takeOnlyBox(), "There is no profile, Please create profile first.");
    EXPECT_TRUE(storeClosed());
    gv().ProfileName = "before";
    dialog().OKButton_Click();
    EXPECT_EQ(gv().ProfileName, "");

    useTableWithoutNames();
    dialog();
    EXPECT_TRUE(env.ui.takeOnlyBox(QString()).startsWith(
        QString::number(platform::kErrItemNotFound) + "\r\n"));
    EXPECT_EQ(combo("ComboProfile").count(), 0);
    EXPECT_FALSE(storeClosed());
    dialog().CancelButton_Click();
    EXPECT_TRUE(storeClosed());

    QFile::remove(env.programHost() + "/ASNMD.DAT");
    EXPECT_THROW(dialog(), platform::ProgramEnded);
    EXPECT_EQ(env.ui.takeOnlyBox(), "Missing some Vornelix files ");
}

// OK and Change Settings open the chosen profile; a store that fails then is said, and the
// profile opens all the same. The CD-ROM box unchecks the shared drive's, which empties its
// path (the rest of that rule is held with the Profile Settings dialog).
TEST_F(OpenProfileDialog, OpenMakesTheChosenProfileTheOpenOne) {
    addProfiles({"Tiger", "Leopard"});
    for (const char* button : {"OKButton", "CmdChangeSettings"}) {
        SCOPED_TRACE(button);
        combo("ComboProfile").setCurrentIndex(1);
        combo("ComboRam").setCurrentText("256");
        env.ui.chosenFiles = {QString("c:\\drives\\share.dsk")};
        control<QCheckBox>("CheckShareDrv")->setChecked(true);
        QTest::mouseClick(control<QCheckBox>("CheckCd"), Qt::LeftButton);
        EXPECT_FALSE(control<QCheckBox>("CheckShareDrv")->isChecked());
        EXPECT_EQ(gv().SharedDrivePath, "");
        gv().SharedDrivePath = "c:\\kept.dsk";
        QFile::rename(env.programHost() + "/ASNMD.DAT", env.programHost() + "/held");
        test::click<DlgOpenProfile>(button);
        QFile::rename(env.programHost() + "/held", env.programHost() + "/ASNMD.DAT");
        EXPECT_EQ(env.ui.boxes.size(), 1u);
        env.ui.boxes.clear();
        EXPECT_EQ(gv().ProfileName, "Leopard");
        EXPECT_EQ(gv().CdRomEnabled, kTrue);
        EXPECT_EQ(gv().RamSizeMB, 256);
        EXPECT_EQ(gv().SharedDrivePath, "c:\\kept.dsk");
        EXPECT_EQ(main.text, "Vornelix [ Leopard - Press Ctrl+R to Start Mac ]");
        EXPECT_FALSE(isLoaded<DlgOpenProfile>());
        EXPECT_TRUE(storeClosed());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_EQ(env.upper.profileSettingsShown, 1);
}

// Cancel and the close box change no global state and close the store that a failed load left
// open.
TEST_F(OpenProfileDialog, CancelAndTheCloseBoxChangeNothing) {
    useTableWithoutNames();
    for (const bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox);
        env.ui.chosenFiles = {QString("c:\\drives\\share.dsk")};
        dialog().Show();
        control<QCheckBox>("CheckShareDrv")->setChecked(true);
        EXPECT_FALSE(storeClosed());
        if (closeBox)
            dialog().subWindow()->close();
        else
            test::click<DlgOpenProfile>("CancelButton");
        EXPECT_EQ(gv().ProfileOpen, kFalse);
        EXPECT_EQ(gv().SharedDrivePath, "c:\\drives\\share.dsk");
        EXPECT_FALSE(isLoaded<DlgOpenProfile>());
        EXPECT_TRUE(storeClosed());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// A pick, trimmed, taken as it is when it ends in ".dsk" in any case; a cancel changes nothing
// (".dsk" appended and a missing file are held with the Profile Settings dialog).
TEST_F(OpenProfileDialog, SharedDrivePicksAreTakenAsTheirFilesAre) {
    env.writeFile("c:\\drives\\UPPER.DSK", "disk");
    env.ui.chosenFiles = {QString(" c:\\drives\\UPPER.DSK "), std::nullopt};
    pickSharedDriveFile(QString());
    EXPECT_EQ(env.ui.dialogs.back().filter, " (*.dsk)|*.dsk");
    EXPECT_EQ(gv().SharedDrivePath, "c:\\drives\\UPPER.DSK");
    pickSharedDriveFile(QString());  // cancelled
    EXPECT_EQ(gv().SharedDrivePath, "c:\\drives\\UPPER.DSK");
    EXPECT_TRUE(env.ui.boxes.empty());
}

TEST_F(OpenProfileDialog, CountsTheRowsAndClosesTheStoreAlsoWhenItFails) {
    addProfiles({"A", "B"});
    EXPECT_EQ(countProfiles(), 2);
    EXPECT_TRUE(storeClosed());

    QFile::remove(env.programHost() + "/ASNMD.DAT");
    EXPECT_THROW(countProfiles(), platform::RuntimeError);
    EXPECT_TRUE(storeClosed());

    // The connection opens but the table is missing: the open connection is closed again.
    platform::createEncryptedDatabase(env.programHost() + "/ASNMD.DAT", kDatabasePassword,
                                      {"create table other (x)"});
    EXPECT_THROW(countProfiles(), platform::RuntimeError);
    EXPECT_TRUE(storeClosed());
}

// Whatever ends a session, the store is closed afterwards and the next session opens.
TEST_F(OpenProfileDialog, ASessionClosesTheStoreHoweverItEnds) {
    addProfiles({"A"});
    const std::function<void()> endings[] = {
        [] {},
        [] { throw std::logic_error("not a run-time error"); },
        [] { throw 7; },
        [] { throw platform::RuntimeError(5, "run-time error"); },
    };
    for (std::size_t i = 0; i < std::size(endings); ++i) {
        SCOPED_TRACE(i);
        try {
            const ProfileStoreSession store(kSelectAllProfiles);
            EXPECT_FALSE(storeClosed());
            endings[i]();
        } catch (...) {
        }
        EXPECT_TRUE(storeClosed());
        EXPECT_EQ(storedProfileNames(), QVariantList{"A"});
    }
}

constexpr double kMB = 1024 * 1024;

TEST(RamSizes, StepsOf32From128UpToTheHostMemory) {
    const std::tuple<double, int, const char*> cases[] = {
        {1000 * kMB, 28, "992"}, {512 * kMB - 1, 12, "480"}, {4096 * kMB, 125, "4096"},
        {159.9 * kMB, 1, "128"}, {127 * kMB, 0, ""},         {0, 0, ""},
    };
    for (const auto& [bytes, count, last] : cases) {
        const QStringList items = ramSizeItems(bytes);
        ASSERT_EQ(items.size(), count) << bytes;
        EXPECT_EQ(items.value(count - 1), last) << bytes;
    }
}

}  // namespace
}  // namespace vornelix
