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
#include "machine/profile_settings_port.h"
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
        setMainWindow(&main);
        env.createDatabase();
        env.hostFacts.setMemoryMB(1000);
    }
    ~OpenProfileDialog() override {
        unload<DlgOpenProfile>();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        setMainWindow(nullptr);
        setProfileSettingsShower({});
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

    test::TestEnvironment env;
    RecordingMainWindow main;
};

TEST_F(OpenProfileDialog, LoadListsProfilesAndRamSizes) {
    addProfiles({"Tiger", "Leopard", "panther"});
    gv().SharedDrivePath = "c:\\old.dsk";
    DlgOpenProfile& dlg = dialog();
    EXPECT_EQ(items(dlg.ComboProfile), QStringList({"Tiger", "Leopard", "panther"}));
    EXPECT_EQ(dlg.ComboProfile->currentText(), "Tiger");
    EXPECT_EQ(dlg.ComboRam->count(), 28);
    EXPECT_EQ(dlg.ComboRam->currentText(), "992");
    EXPECT_EQ(gv().SharedDrivePath, " ");
    EXPECT_FALSE(dlg.CheckCd->isChecked() || dlg.CheckShareDrv->isChecked() ||
                 dlg.CheckNetwork->isChecked());
    EXPECT_TRUE(dlg.Option1[0]->isChecked());
    EXPECT_TRUE(env.ui.boxes.empty());
    EXPECT_TRUE(storeClosed());
}

TEST_F(OpenProfileDialog, RamListOfExactly512MB) {
    addProfiles({"Tiger"});
    env.hostFacts.setMemoryMB(512);
    EXPECT_EQ(dialog().ComboRam->currentText(), "512");
}

TEST_F(OpenProfileDialog, OneRamSizeIsNotSelectedAndOpensWithZero) {
    addProfiles({"Tiger"});
    env.hostFacts.setMemoryMB(159.5);
    DlgOpenProfile& dlg = dialog();
    EXPECT_EQ(items(dlg.ComboRam), QStringList{"128"});
    EXPECT_EQ(dlg.ComboRam->currentIndex(), -1);
    gv().RamSizeMB = 640;
    dlg.OKButton_Click();
    EXPECT_EQ(gv().RamSizeMB, 0);
}

TEST_F(OpenProfileDialog, FailedMemoryQueryLeavesAnEmptyRamList) {
    addProfiles({"Tiger"});
    env.hostFacts.memoryFailure = platform::RuntimeError(5, "No memory report");
    DlgOpenProfile& dlg = dialog();
    EXPECT_EQ(dlg.ComboRam->count(), 0);
    ASSERT_EQ(env.ui.boxes.size(), 1u);
    EXPECT_EQ(env.ui.lastText(), "No memory report");
    EXPECT_EQ(items(dlg.ComboProfile), QStringList{"Tiger"});
    dlg.OKButton_Click();
    EXPECT_EQ(gv().RamSizeMB, 0);
}

TEST_F(OpenProfileDialog, EmptyTableSaysSoAndOpensWithAnEmptyName) {
    DlgOpenProfile& dlg = dialog();
    ASSERT_EQ(env.ui.boxes.size(), 1u);
    EXPECT_EQ(env.ui.boxes[0].text, "There is no profile, Please create profile first.");
    EXPECT_EQ(env.ui.boxes[0].title, "Vornelix");
    EXPECT_EQ(dlg.ComboProfile->count(), 0);
    EXPECT_TRUE(storeClosed());
    gv().ProfileName = "before";
    dlg.OKButton_Click();
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
    DlgOpenProfile& dlg = dialog();
    ASSERT_EQ(env.ui.boxes.size(), 1u);
    EXPECT_TRUE(env.ui.boxes[0].text.startsWith(QString::number(platform::kErrObjectOpen) + "\r\n"))
        << env.ui.boxes[0].text.toStdString();
    EXPECT_EQ(env.ui.boxes[0].title, "");
    EXPECT_FALSE(env.ui.ended);
    EXPECT_EQ(dlg.ComboRam->count(), 28);  // filled before the failure
    EXPECT_EQ(dlg.ComboProfile->count(), 0);
    EXPECT_FALSE(storeClosed());
    dlg.CancelButton_Click();
    EXPECT_TRUE(storeClosed());
}

TEST_F(OpenProfileDialog, OpenMakesTheChosenProfileTheOpenOne) {
    addProfiles({"Tiger", "Leopard"});
    DlgOpenProfile& dlg = dialog();
    dlg.ComboProfile->setCurrentIndex(1);
    dlg.ComboRam->setCurrentText("256");
    dlg.CheckCd->setChecked(true);
    gv().SharedDrivePath = "c:\\kept.dsk";
    QTest::mouseClick(dlg.OKButton, Qt::LeftButton);

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
    DlgOpenProfile& dlg = dialog();
    gv().CdRomEnabled = kTrue;
    QFile::remove(env.programHost() + "/ASNMD.DAT");
    dlg.OKButton_Click();
    EXPECT_EQ(env.ui.boxes.size(), 1u);
    EXPECT_EQ(gv().ProfileOpen, kTrue);
    EXPECT_EQ(gv().CdRomEnabled, kFalse);
    EXPECT_EQ(main.text, "Vornelix [ Tiger - Press Ctrl+R to Start Mac ]");
    EXPECT_TRUE(storeClosed());
}

TEST_F(OpenProfileDialog, ChangeSettingsOpensTheProfileFirst) {
    addProfiles({"Tiger"});
    QString openWhenShown;
    setProfileSettingsShower(
        [&] { openWhenShown = gv().ProfileOpen == kTrue ? gv().ProfileName : ""; });
    QTest::mouseClick(dialog().CmdChangeSettings, Qt::LeftButton);
    EXPECT_EQ(openWhenShown, "Tiger");
    EXPECT_EQ(main.text, "Vornelix [ Tiger - Press Ctrl+R to Start Mac ]");
    EXPECT_FALSE(isLoaded<DlgOpenProfile>());
    EXPECT_TRUE(storeClosed());
}

TEST_F(OpenProfileDialog, CancelChangesNoGlobalState) {
    addProfiles({"Tiger"});
    env.writeFile("c:\\drives\\share.dsk", "disk");
    env.ui.chosenFiles = {QString("c:\\drives\\share.dsk")};
    DlgOpenProfile& dlg = dialog();
    dlg.CheckShareDrv->setChecked(true);
    QTest::mouseClick(dlg.Option1[1], Qt::LeftButton);
    QTest::mouseClick(dlg.CancelButton, Qt::LeftButton);
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
    DlgOpenProfile& dlg = dialog();
    dlg.Show();
    openProfileStore(kSelectAllProfiles);
    ASSERT_NE(dlg.subWindow(), nullptr);
    dlg.subWindow()->close();
    EXPECT_FALSE(isLoaded<DlgOpenProfile>());
    EXPECT_TRUE(storeClosed());
}

TEST_F(OpenProfileDialog, EmulationOption) {
    addProfiles({"Tiger"});
    DlgOpenProfile& dlg = dialog();
    EXPECT_EQ(gv().UseG4Emulation, kFalse);  // the load leaves it alone
    dlg.Option1[1]->setChecked(true);
    EXPECT_EQ(gv().UseG4Emulation, kFalse);
    dlg.Option1[0]->setChecked(true);
    EXPECT_EQ(gv().UseG4Emulation, kTrue);
    EXPECT_FALSE(dlg.Option1[1]->isChecked());
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
        dialog().CheckShareDrv->setChecked(true);
    }
};

TEST_F(SharedDriveBox, PickerAndFoundDrive) {
    pick(QString(" c:\\drives\\share.dsk "));
    ASSERT_EQ(env.ui.dialogs.size(), 1u);
    EXPECT_EQ(env.ui.dialogs[0].filter, " (*.dsk)|*.dsk");
    EXPECT_EQ(env.ui.dialogs[0].initialDir, "");
    EXPECT_EQ(gv().SharedDrivePath, "c:\\drives\\share.dsk");
    EXPECT_TRUE(env.ui.boxes.empty());
}

TEST_F(SharedDriveBox, DskEndingInAnyCaseOrAppended) {
    pick(QString("c:\\drives\\UPPER.DSK"));
    EXPECT_EQ(gv().SharedDrivePath, "c:\\drives\\UPPER.DSK");
    dialog().CheckShareDrv->setChecked(false);
    pick(QString("c:\\drives\\share"));
    EXPECT_EQ(gv().SharedDrivePath, "c:\\drives\\share.dsk");
}

TEST_F(SharedDriveBox, MissingFileSaysSoAndKeepsThePath) {
    pick(QString("c:\\drives\\gone.dsk"));
    ASSERT_EQ(env.ui.boxes.size(), 1u);
    EXPECT_EQ(env.ui.boxes[0].text, "No Shared Drive found");
    EXPECT_EQ(env.ui.boxes[0].title, "");
    EXPECT_EQ(gv().SharedDrivePath, " ");
    EXPECT_TRUE(dialog().CheckShareDrv->isChecked());
}

TEST_F(SharedDriveBox, CancelledPickerChangesNothing) {
    pick(std::nullopt);
    EXPECT_EQ(gv().SharedDrivePath, " ");
    EXPECT_TRUE(dialog().CheckShareDrv->isChecked());
    EXPECT_TRUE(env.ui.boxes.empty());
}

TEST_F(SharedDriveBox, UncheckingEmptiesThePath) {
    pick(QString("c:\\drives\\share.dsk"));
    dialog().CheckShareDrv->setChecked(false);
    EXPECT_EQ(gv().SharedDrivePath, "");
}

TEST_F(SharedDriveBox, CdRomAndSharedDriveExcludeEachOther) {
    DlgOpenProfile& dlg = dialog();
    pick(QString("c:\\drives\\share.dsk"));
    QTest::mouseClick(dlg.CheckCd, Qt::LeftButton);
    EXPECT_TRUE(dlg.CheckCd->isChecked());
    EXPECT_FALSE(dlg.CheckShareDrv->isChecked());
    EXPECT_EQ(gv().SharedDrivePath, "");

    pick(QString("c:\\drives\\share.dsk"));
    EXPECT_FALSE(dlg.CheckCd->isChecked());
    EXPECT_TRUE(dlg.CheckShareDrv->isChecked());
    EXPECT_EQ(gv().SharedDrivePath, "c:\\drives\\share.dsk");
    EXPECT_EQ(env.ui.dialogs.size(), 2u);
}

}  // namespace
}  // namespace vornelix
