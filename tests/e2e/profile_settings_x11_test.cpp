#include <gtest/gtest.h>

#include <signal.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "app/app_windows.h"
#include "app/flat_bttn.h"
#include "app/mdi_form1.h"
#include "machine/dlg_open_profile.h"
#include "machine/global_variables.h"
#include "machine/machine_window_port.h"
#include "machine/profile_store.h"
#include "platform/database.h"
#include "platform/host_facts.h"
#include "platform/linux_processes.h"
#include "platform/real_clock.h"
#include "platform/x11_window_system.h"
#include "profiles/frm_profile_settings.h"
#include "support/test_environment.h"
#include "x11_probe.h"

namespace vornelix {
namespace {

const char* const kCompanions[] = {"Vornelix.exe", "VornelHD.exe"};
const char* const kGraphicDriverParts[] = {"Vornel IDE.DAT", "OSMAC.AXM", "CASE.EXM"};

// The real program on a real X server with the real store, engine and HD tool; drive d: is a
// second folder. Only the boxes and pickers are scripted.
class ProfileSettingsX11 : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(windows.connected()) << "needs an X display";
        for (const char* file : kCompanions)
            ASSERT_TRUE(QFile::copy(QStringLiteral(VORNELIX_PROGRAM_DIR "/") + file,
                                    env.programHost() + "/" + file));
        for (const char* part : kGraphicDriverParts)
            QFile::copy(QStringLiteral(VORNELIX_PROGRAM_DIR "/") + part,
                        env.root() + "/Current/" + part);
        QDir(env.root()).mkpath("D");
        files = std::make_unique<platform::FileSystem>(
            platform::DriveTable::parse("c=" + env.root() + ";d=" + env.root() + "/D"),
            platform::HostFolders{env.programHost(), env.root() + "/Temp",
                                  env.root() + "/Current"});
        env.insertProfile({"Tiger", "c:\\Vornelix_HD\\Tiger", 3, "   ", "cdrom", 0, 0, 256});
        env.writeFile("c:\\Vornelix_HD\\Tiger\\hdimage.img", "old data");
        env.hostFacts.setMemoryMB(1024);
        env.hostFacts.screenMetrics = platform::LinuxHostFacts().screen();
        platform::Services& s = platform::services();
        s.files = files.get();
        s.windows = &windows;
        s.processes = &processes;
        s.clock = &clock;
        installAppWindows();
        main = std::make_unique<MDIForm1>();
        main->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
    }
    void TearDown() override {
        unload<frmProfileSettings>();
        unloadMachineWindow();
        main.reset();
    }

    frmProfileSettings& dialog() { return form<frmProfileSettings>(); }
    template <class T = QWidget>
    T* control(const char* name) {
        return dialog().findChild<T*>(QString::fromLatin1(name));
    }
    // Shows the tab, checks that its controls lie whole inside the dialog and keeps a picture.
    void look(int tab, const QString& shot) {
        control<QTabWidget>("TabStrip1")->setCurrentIndex(tab);
        QTest::qWait(100);
        for (QWidget* widget : dialog().findChildren<QWidget*>()) {
            if (!widget->isVisible())
                continue;
            const QRect inDialog(widget->mapTo(&dialog(), QPoint(0, 0)), widget->size());
            EXPECT_TRUE(dialog().rect().contains(inDialog)) << widget->objectName().toStdString();
            if (auto* label = qobject_cast<QLabel*>(widget); label && label->wordWrap()) {
                EXPECT_GE(label->height(), label->heightForWidth(label->width()))
                    << label->objectName().toStdString();
            }
        }
        test::saveScreenshot(dialog().subWindow()->grab().toImage(), shot + ".png");
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

    test::TestEnvironment env;
    std::unique_ptr<platform::FileSystem> files;
    platform::X11WindowSystem windows;
    platform::LinuxProcesses processes;
    platform::RealClock clock{0.2};
    std::unique_ptr<MDIForm1> main;
};

TEST_F(ProfileSettingsX11, ChangeRunMoveAndFormat) {
    // Change Settings of the Open Profile dialog opens the profile and shows the settings.
    QApplication::setActiveWindow(main.get());
    QTest::keyClick(main.get(), Qt::Key_O, Qt::ControlModifier);
    QTest::mouseClick(form<DlgOpenProfile>().findChild<QPushButton*>("CmdChangeSettings"),
                      Qt::LeftButton);
    ASSERT_TRUE(isLoaded<frmProfileSettings>());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog().subWindow()));
    look(0, "settings_general_loaded");
    control<QComboBox>("ComboRam")->setCurrentText("512");
    control<QCheckBox>("CheckNetwork")->setChecked(true);
    look(0, "settings_general_changed");
    look(2, "settings_installation_image");
    QTest::mouseClick(control<QPushButton>("Command3"), Qt::LeftButton);
    EXPECT_EQ(column(kColNetworking), 1);
    EXPECT_EQ(column(kColRamSize), 512);

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
    look(1, "settings_volume_nothing_pending");
    control<QPushButton>("Command4")->click();
    EXPECT_EQ(env.ui.lastText(),
              "You have selected the same destination so no change will take effect.");
    look(1, "settings_volume_drive_list");
    control<QComboBox>("DrvHardDisk")->setCurrentText("d:");
    look(1, "settings_volume_move_pending");
    control<QPushButton>("Command6")->click();
    EXPECT_EQ(column(kColHardDiskPath), "d:\\Vornelix_HD\\Tiger");
    EXPECT_EQ(read("d:\\Vornelix_HD\\Tiger\\hdimage.img", 8), "old data");
    control<QPushButton>("Command4")->click();
    env.ui.answers = {platform::MsgAnswer::Ok};
    control<QPushButton>("Command5")->click();
    look(1, "settings_volume_format_pending");
    control<QPushButton>("Command6")->click();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return read("d:\\Vornelix_HD\\Tiger\\hdimage.img", 8) == "VORNELHD"; }, 5000));
    EXPECT_FALSE(files->fileExists("d:\\Vornelix_HD\\Tiger\\VornelHD.exe"));
    env.ui.chosenFiles = {QString("c:\\iso\\install.iso")};
    control<QTabWidget>("TabStrip1")->setCurrentIndex(2);
    control<QPushButton>("SlaveIDEPathCommand")->click();
    look(2, "settings_installation_iso_chosen");
    QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton);
    EXPECT_FALSE(isLoaded<frmProfileSettings>());
}

}  // namespace
}  // namespace vornelix
