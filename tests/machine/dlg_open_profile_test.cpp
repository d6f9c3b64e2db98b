#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "machine/dlg_open_profile.h"
#include "machine/global_variables.h"
#include "machine/main_window_port.h"
#include "machine/profile_store.h"
#include "platform/database.h"
#include "support/recording_main_window.h"
#include "support/test_environment.h"

namespace vornelix {
namespace {

using platform::MsgIcon;

using test::RecordingMainWindow;

class OpenProfileDialog : public ::testing::Test {
  protected:
    OpenProfileDialog() {
        env.createDatabase();
        env.hostFacts.setMemoryMB(1000);
    }

    void addProfiles(const QStringList& names) {
        openProfileStore(kSelectAllProfiles);
        for (const QString& name : names)
            gv().DbConnection->Execute(
                "insert into Vornelix_profile (prof_name, hard_disk_path, hard_disk_size, "
                "cd_rom_path, cdrom_type, networking) values (?, ?, 3, '   ', 'cdrom', 0)",
                {name, "c:\\Vornelix_HD\\" + name});
        closeProfileStore();
    }

    DlgOpenProfile& dialog() { return form<DlgOpenProfile>(); }

    static bool storeClosed() { return !gv().DbConnection.exists() && !gv().DbRecordset.exists(); }

    static QStringList items(const QComboBox* box) {
        QStringList result;
        for (int i = 0; i < box->count(); ++i) result << box->itemText(i);
        return result;
    }

    // A control of the dialog by its name.
    template <class T = QWidget>
    T* control(const char* name) {
        T* found = dialog().findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    test::TestEnvironment env;
    RecordingMainWindow& main = env.upper.recordingMain;
};

TEST_F(OpenProfileDialog, LoadListsProfilesAndRamSizes) {
    addProfiles({"Tiger", "Leopard", "panther"});
    gv().SharedDrivePath = "c:\\old.dsk";
    dialog();
    EXPECT_EQ(items(control<QComboBox>("ComboProfile")),
              QStringList({"Tiger", "Leopard", "panther"}));
    EXPECT_EQ(control<QComboBox>("ComboProfile")->currentText(), "Tiger");
    EXPECT_EQ(control<QComboBox>("ComboRam")->count(), 28);
    EXPECT_EQ(control<QComboBox>("ComboRam")->currentText(), "992");
    EXPECT_EQ(gv().SharedDrivePath, " ");
    EXPECT_FALSE(control<QCheckBox>("CheckCd")->isChecked() ||
                 control<QCheckBox>("CheckShareDrv")->isChecked() ||
                 control<QCheckBox>("CheckNetwork")->isChecked());
    EXPECT_TRUE(control<QRadioButton>("Option1_0")->isChecked());
    EXPECT_TRUE(env.ui.boxes.empty());
    EXPECT_TRUE(storeClosed());
}

// The RAM list: 128 MB up in steps of 32 to the host's memory, the largest selected unless
// it is the only one; Open takes what is selected, 0 for nothing.
TEST_F(OpenProfileDialog, RamListFollowsTheHostsMemory) {
    struct Row {
        double hostMB;
        int count;
        const char* selected;
        double opened;
    };
    for (const Row& row : {Row{512, 13, "512", 512}, Row{159.5, 1, "", 0}, Row{100, 0, "", 0}}) {
        SCOPED_TRACE(row.hostMB);
        addProfiles({"Tiger"});
        env.hostFacts.setMemoryMB(row.hostMB);
        EXPECT_EQ(control<QComboBox>("ComboRam")->count(), row.count);
        EXPECT_EQ(control<QComboBox>("ComboRam")->currentText(), row.selected);
        gv().RamSizeMB = 640;
        dialog().OKButton_Click();
        EXPECT_EQ(gv().RamSizeMB, row.opened);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(OpenProfileDialog, FailedMemoryQueryLeavesAnEmptyRamList) {
    addProfiles({"Tiger"});
    env.hostFacts.memoryFailure = platform::RuntimeError(5, "No memory report");
    EXPECT_EQ(control<QComboBox>("ComboRam")->count(), 0);
    EXPECT_EQ(env.ui.lastText(), "No memory report");
    EXPECT_EQ(items(control<QComboBox>("ComboProfile")), QStringList{"Tiger"});
}

TEST_F(OpenProfileDialog, EmptyTableSaysSoAndOpensWithAnEmptyName) {
    dialog();
    ASSERT_EQ(env.ui.boxes.size(), 1u);
    EXPECT_EQ(env.ui.boxes[0].text, "There is no profile, Please create profile first.");
    EXPECT_EQ(env.ui.boxes[0].title, "Vornelix");
    EXPECT_EQ(control<QComboBox>("ComboProfile")->count(), 0);
    EXPECT_TRUE(storeClosed());
    gv().ProfileName = "before";
    dialog().OKButton_Click();
    EXPECT_EQ(gv().ProfileName, "");
}

TEST_F(OpenProfileDialog, MissingDatabaseEndsTheProgram) {
    QFile::remove(env.programHost() + "/ASNMD.DAT");
    EXPECT_THROW(dialog(), platform::ProgramEnded);
    ASSERT_EQ(env.ui.boxes.size(), 1u);
    EXPECT_EQ(env.ui.boxes[0].text, "Missing some Vornelix files ");
    EXPECT_EQ(env.ui.boxes[0].title, "Vornelix");
    EXPECT_EQ(env.ui.boxes[0].icon, MsgIcon::Information);
    EXPECT_TRUE(env.ui.ended);
    unload<DlgOpenProfile>();
    EXPECT_TRUE(storeClosed());
}

TEST_F(OpenProfileDialog, OtherLoadErrorsShowNumberAndDescriptionAndTheUnloadClosesTheStore) {
    addProfiles({"Tiger"});
    openProfileStore(kSelectAllProfiles);  // left open by an earlier failure
    dialog();
    ASSERT_EQ(env.ui.boxes.size(), 1u);
    EXPECT_TRUE(env.ui.boxes[0].text.startsWith(QString::number(platform::kErrObjectOpen) + "\r\n"))
        << env.ui.boxes[0].text.toStdString();
    EXPECT_EQ(env.ui.boxes[0].title, "");
    EXPECT_FALSE(env.ui.ended);
    EXPECT_EQ(control<QComboBox>("ComboRam")->count(), 28);  // filled before the failure
    EXPECT_EQ(control<QComboBox>("ComboProfile")->count(), 0);
    EXPECT_FALSE(storeClosed());
    dialog().CancelButton_Click();
    EXPECT_TRUE(storeClosed());
}

TEST_F(OpenProfileDialog, OpenMakesTheChosenProfileTheOpenOne) {
    addProfiles({"Tiger", "Leopard"});
    dialog();
    control<QComboBox>("ComboProfile")->setCurrentIndex(1);
    control<QComboBox>("ComboRam")->setCurrentText("256");
    control<QCheckBox>("CheckCd")->setChecked(true);
    gv().SharedDrivePath = "c:\\kept.dsk";
    QTest::mouseClick(control<QPushButton>("OKButton"), Qt::LeftButton);

    EXPECT_EQ(gv().ProfileOpen, kTrue);
    EXPECT_EQ(gv().ProfileName, "Leopard");
    EXPECT_EQ(gv().CdRomEnabled, kTrue);
    EXPECT_EQ(gv().RamSizeMB, 256);
    EXPECT_EQ(gv().SharedDrivePath, "c:\\kept.dsk");
    EXPECT_EQ(main.text, "Vornelix [ Leopard - Press Ctrl+R to Start Mac ]");
    EXPECT_EQ(main.menuUpdates, 1);
    EXPECT_EQ(main.lastState, enableStateFor(MenuStateKind::ProfileIdle));
    EXPECT_FALSE(isLoaded<DlgOpenProfile>());
    EXPECT_TRUE(storeClosed());
}

TEST_F(OpenProfileDialog, OpenWithoutCdRomAndWithAStoreThatFailsStillOpens) {
    addProfiles({"Tiger"});
    dialog();
    gv().CdRomEnabled = kTrue;
    QFile::remove(env.programHost() + "/ASNMD.DAT");
    dialog().OKButton_Click();
    EXPECT_EQ(env.ui.boxes.size(), 1u);
    EXPECT_EQ(gv().ProfileOpen, kTrue);
    EXPECT_EQ(gv().CdRomEnabled, kFalse);
    EXPECT_EQ(main.text, "Vornelix [ Tiger - Press Ctrl+R to Start Mac ]");
    EXPECT_TRUE(storeClosed());
}

TEST_F(OpenProfileDialog, ChangeSettingsOpensTheProfileFirst) {
    addProfiles({"Tiger"});
    QTest::mouseClick(control<QPushButton>("CmdChangeSettings"), Qt::LeftButton);
    EXPECT_EQ(env.upper.profileSettingsShown, 1);
    EXPECT_EQ(gv().ProfileName, "Tiger");
    EXPECT_EQ(main.text, "Vornelix [ Tiger - Press Ctrl+R to Start Mac ]");
    EXPECT_FALSE(isLoaded<DlgOpenProfile>());
    EXPECT_TRUE(storeClosed());
}

TEST_F(OpenProfileDialog, CancelChangesNoGlobalState) {
    addProfiles({"Tiger"});
    env.writeFile("c:\\drives\\share.dsk", "disk");
    env.ui.chosenFiles = {QString("c:\\drives\\share.dsk")};
    dialog();
    control<QCheckBox>("CheckShareDrv")->setChecked(true);
    QTest::mouseClick(control<QRadioButton>("Option1_1"), Qt::LeftButton);
    QTest::mouseClick(control<QPushButton>("CancelButton"), Qt::LeftButton);
    EXPECT_EQ(gv().ProfileOpen, kFalse);
    EXPECT_EQ(gv().ProfileName, "");
    EXPECT_EQ(gv().SharedDrivePath, "c:\\drives\\share.dsk");
    EXPECT_EQ(gv().UseG4Emulation, kFalse);
    EXPECT_EQ(main.text, "Vornelix");
    EXPECT_FALSE(isLoaded<DlgOpenProfile>());
    EXPECT_TRUE(storeClosed());
}

TEST_F(OpenProfileDialog, TheCloseBoxUnloadsLikeCancel) {
    addProfiles({"Tiger"});
    dialog();
    dialog().Show();
    openProfileStore(kSelectAllProfiles);
    ASSERT_NE(dialog().subWindow(), nullptr);
    dialog().subWindow()->close();
    EXPECT_FALSE(isLoaded<DlgOpenProfile>());
    EXPECT_TRUE(storeClosed());
}

class SharedDriveBox : public OpenProfileDialog {
  protected:
    SharedDriveBox() {
        addProfiles({"Tiger"});
        env.writeFile("c:\\drives\\share.dsk", "disk");
        env.writeFile("c:\\drives\\UPPER.DSK", "disk");
    }
    // Checks the box with the picker answering this way.
    void pick(std::optional<QString> answer) {
        env.ui.chosenFiles = {answer};
        control<QCheckBox>("CheckShareDrv")->setChecked(true);
    }
};

// A pick, trimmed, taken as it is when it ends in ".dsk" in any case, else with ".dsk"
// appended; a missing file is said and changes nothing; a cancel changes nothing.
TEST_F(SharedDriveBox, PicksAreTakenAsTheirFilesAre) {
    struct Row {
        std::optional<QString> picked;
        QString path;
        QString message;
    };
    const Row rows[] = {
        {QString(" c:\\drives\\share.dsk "), "c:\\drives\\share.dsk", ""},
        {QString("c:\\drives\\UPPER.DSK"), "c:\\drives\\UPPER.DSK", ""},
        {QString("c:\\drives\\share"), "c:\\drives\\share.dsk", ""},
        {QString("c:\\drives\\gone.dsk"), " ", "No Shared Drive found"},
        {std::nullopt, " ", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.picked.value_or("cancel").toStdString());
        env.ui.boxes.clear();
        dialog().CancelButton_Click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        pick(row.picked);
        EXPECT_EQ(env.ui.dialogs.back().filter, " (*.dsk)|*.dsk");
        EXPECT_EQ(gv().SharedDrivePath, row.path);
        EXPECT_EQ(env.ui.lastText(), row.message);
        if (!row.message.isEmpty()) {
            EXPECT_EQ(env.ui.boxes.back().title, "");
        }
        EXPECT_TRUE(control<QCheckBox>("CheckShareDrv")->isChecked());
    }
    control<QCheckBox>("CheckShareDrv")->setChecked(false);
    EXPECT_EQ(gv().SharedDrivePath, "") << "unchecking empties the path";
}

TEST_F(SharedDriveBox, CdRomAndSharedDriveExcludeEachOther) {
    dialog();
    pick(QString("c:\\drives\\share.dsk"));
    QTest::mouseClick(control<QCheckBox>("CheckCd"), Qt::LeftButton);
    EXPECT_TRUE(control<QCheckBox>("CheckCd")->isChecked());
    EXPECT_FALSE(control<QCheckBox>("CheckShareDrv")->isChecked());
    EXPECT_EQ(gv().SharedDrivePath, "");

    pick(QString("c:\\drives\\share.dsk"));
    EXPECT_FALSE(control<QCheckBox>("CheckCd")->isChecked());
    EXPECT_TRUE(control<QCheckBox>("CheckShareDrv")->isChecked());
    EXPECT_EQ(gv().SharedDrivePath, "c:\\drives\\share.dsk");
    EXPECT_EQ(env.ui.dialogs.size(), 2u);
}

}  // namespace
}  // namespace vornelix
