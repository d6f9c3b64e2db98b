#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QTabWidget>

#include <X11/keysym.h>

#include "app/flat_bttn.h"
#include "machine/dlg_open_profile.h"
#include "machine/global_variables.h"
#include "profiles/frm_profile_settings.h"
#include "real_program.h"

namespace vornelix {
namespace {

// The real program with the real store and HD tool; the volume moves to drive d:.
class ProfileSettingsX11 : public test::RealProgramX11 {
  protected:
    frmProfileSettings& dialog() { return form<frmProfileSettings>(); }
    template <class T = QPushButton>
    T* control(const char* name) {
        return test::child<frmProfileSettings, T>(name);
    }
    void lookAt(int tab, const QString& shot) {
        control<QTabWidget>("TabStrip1")->setCurrentIndex(tab);
        look(dialog(), "settings_" + shot);
    }
    QByteArray read(const QString& path, int bytes) {
        QFile file(env.host(path));
        return file.open(QIODevice::ReadOnly) ? file.read(bytes) : QByteArray();
    }
};

TEST_F(ProfileSettingsX11, ChangeMoveAndFormat) {
    env.insertProfile({"Tiger", "c:\\Vornelix_HD\\Tiger", 3, "   ", "cdrom", 0, 0, 256});
    env.writeFile("c:\\Vornelix_HD\\Tiger\\hdimage.img", "old data");
    showMain();
    // Change Settings of the Open Profile dialog opens the profile and shows the settings.
    pressKey(Qt::Key_O, Qt::ControlModifier);
    test::click<DlgOpenProfile>("CmdChangeSettings");
    ASSERT_TRUE(isLoaded<frmProfileSettings>());
    lookAt(0, "general_loaded");
    lookAt(2, "installation_image");
    test::click<frmProfileSettings>("Command3");

    // The toolbar button: move the volume to d:, then quick-format it there with the real HD
    // tool (what OK stores, the row the move writes and the tool's arguments are held by the
    // dialog's own tests).
    QTest::mouseClick(main->flatButton(MenuControl::FlatBttnProfSettings), Qt::LeftButton);
    ASSERT_TRUE(isLoaded<frmProfileSettings>());
    lookAt(1, "volume_nothing_pending");
    control("Command4")->click();
    lookAt(1, "volume_drive_list");
    control<QComboBox>("DrvHardDisk")->setCurrentText("d:");
    lookAt(1, "volume_move_pending");
    control("Command6")->click();
    EXPECT_EQ(read("d:\\Vornelix_HD\\Tiger\\hdimage.img", 8), "old data");
    control("Command4")->click();
    env.ui.answers = {platform::MsgAnswer::Ok};
    control("Command5")->click();
    lookAt(1, "volume_format_pending");
    control("Command6")->click();
    EXPECT_EQ(read("d:\\Vornelix_HD\\Tiger\\hdimage.img", 8), "VORNELHD");  // the tool was awaited
    EXPECT_FALSE(env.files().fileExists("d:\\Vornelix_HD\\Tiger\\VornelHD.exe"));
    env.ui.chosenFiles = {QString("c:\\iso\\install.iso")};
    control("SlaveIDEPathCommand")->click();
    lookAt(2, "installation_iso_chosen");
    test::click<frmProfileSettings>("Command1");
    EXPECT_FALSE(isLoaded<frmProfileSettings>());
}

// Apply pressed from the keyboard for a quick format: when the work ends, the keyboard is back in
// the dialog, on the control after Apply (which is disabled by then), and Tab stays inside it.
TEST_F(ProfileSettingsX11, TheKeyboardStaysInTheDialogAfterAQuickFormat) {
    env.insertProfile({"Tiger", "c:\\Vornelix_HD\\Tiger", 3, "   ", "cdrom", 0, 0, 256});
    env.writeFile("c:\\Vornelix_HD\\Tiger\\hdimage.img", "old data");
    gv().ProfileName = "Tiger";
    gv().ProfileOpen = kTrue;
    showMain();
    focusMain();
    main->runCommand(MenuControl::mnuTools_Profile_Settings);
    control<QTabWidget>("TabStrip1")->setCurrentIndex(1);
    env.ui.answers = {platform::MsgAnswer::Ok};
    control("Command5")->click();
    control("Command6")->setFocus();
    probe.typeKey(XK_Return);
    const auto inDialog = [&] {
        const QWidget* focus = QApplication::focusWidget();
        return focus && dialog().isAncestorOf(focus) && focus->isEnabled();
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return !control("Command6")->isEnabled(); }, 10000));
    EXPECT_EQ(read("c:\\Vornelix_HD\\Tiger\\hdimage.img", 8), "VORNELHD");
    EXPECT_TRUE(QTest::qWaitFor(inDialog, 1000));
    probe.typeKey(XK_Tab);
    QTest::qWait(200);
    EXPECT_TRUE(inDialog());
}

}  // namespace
}  // namespace vornelix
