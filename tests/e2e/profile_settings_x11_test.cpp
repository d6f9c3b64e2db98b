#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "app/flat_bttn.h"
#include "machine/dlg_open_profile.h"
#include "machine/global_variables.h"
#include "machine/profile_store.h"
#include "platform/database.h"
#include "profiles/frm_profile_settings.h"
#include "real_program.h"

namespace vornelix {
namespace {

// The real program with the real store, engine and HD tool; the volume moves to drive d:.
class ProfileSettingsX11 : public test::RealProgramX11 {
  protected:
    frmProfileSettings& dialog() { return form<frmProfileSettings>(); }
    template <class T = QPushButton>
    T* control(const char* name) {
        return dialog().findChild<T*>(QString::fromLatin1(name));
    }
    void lookAt(int tab, const QString& shot) {
        control<QTabWidget>("TabStrip1")->setCurrentIndex(tab);
        look(dialog(), "settings_" + shot);
    }
    QVariant column(int i) {
        openProfileStore(kSelectProfileByName, {QString("Tiger")});
        const QVariant value = gv().DbRecordset->Fields(i);
        closeProfileStore();
        return value;
    }
    QByteArray read(const QString& path, int bytes) {
        QFile file(files->hostPath(path));
        return file.open(QIODevice::ReadOnly) ? file.read(bytes) : QByteArray();
    }
};

TEST_F(ProfileSettingsX11, ChangeRunMoveAndFormat) {
    env.insertProfile({"Tiger", "c:\\Vornelix_HD\\Tiger", 3, "   ", "cdrom", 0, 0, 256});
    env.writeFile("c:\\Vornelix_HD\\Tiger\\hdimage.img", "old data");
    showMain();
    // Change Settings of the Open Profile dialog opens the profile and shows the settings.
    pressKey(Qt::Key_O, Qt::ControlModifier);
    QTest::mouseClick(form<DlgOpenProfile>().findChild<QPushButton*>("CmdChangeSettings"),
                      Qt::LeftButton);
    ASSERT_TRUE(isLoaded<frmProfileSettings>());
    lookAt(0, "general_loaded");
    control<QComboBox>("ComboRam")->setCurrentText("512");
    control<QCheckBox>("CheckNetwork")->setChecked(true);
    lookAt(0, "general_changed");
    lookAt(2, "installation_image");
    QTest::mouseClick(control("Command3"), Qt::LeftButton);

    // The run writes the new values into the configuration file.
    main->menuItem(MenuControl::mnuControl_Play)->trigger();
    ASSERT_EQ(gv().EngineRunning, kTrue) << env.ui.lastText().toStdString();
    const QByteArray config = read("c:\\Vornelix\\Xeminga", 4096);
    EXPECT_TRUE(config.contains("memory_size = 0x20000000\r\n")) << config.constData();
    EXPECT_TRUE(config.contains("pci_rtl8139_installed = 1\r\n")) << config.constData();
    main->menuItem(MenuControl::mnuControl_Stop)->trigger();
    ASSERT_TRUE(QTest::qWaitFor([] { return gv().EngineRunning == kFalse; }, 5000));

    // The toolbar button: move the volume to d:, then quick-format it there.
    QTest::mouseClick(main->flatButton(MenuControl::FlatBttnProfSettings), Qt::LeftButton);
    ASSERT_TRUE(isLoaded<frmProfileSettings>());
    lookAt(1, "volume_nothing_pending");
    control("Command4")->click();
    lookAt(1, "volume_drive_list");
    control<QComboBox>("DrvHardDisk")->setCurrentText("d:");
    lookAt(1, "volume_move_pending");
    control("Command6")->click();
    EXPECT_EQ(column(kColHardDiskPath), "d:\\Vornelix_HD\\Tiger");
    EXPECT_EQ(read("d:\\Vornelix_HD\\Tiger\\hdimage.img", 8), "old data");
    control("Command4")->click();
    env.ui.answers = {platform::MsgAnswer::Ok};
    control("Command5")->click();
    lookAt(1, "volume_format_pending");
    control("Command6")->click();
    EXPECT_EQ(read("d:\\Vornelix_HD\\Tiger\\hdimage.img", 8), "VORNELHD");  // the tool was awaited
    EXPECT_FALSE(files->fileExists("d:\\Vornelix_HD\\Tiger\\VornelHD.exe"));
    env.ui.chosenFiles = {QString("c:\\iso\\install.iso")};
    control<QTabWidget>("TabStrip1")->setCurrentIndex(2);
    control("SlaveIDEPathCommand")->click();
    lookAt(2, "installation_iso_chosen");
    QTest::mouseClick(control("Command1"), Qt::LeftButton);
    EXPECT_FALSE(isLoaded<frmProfileSettings>());
}

}  // namespace
}  // namespace vornelix
