#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QSlider>
#include <QTimer>

#include "machine/global_variables.h"
#include "profiles/dlg_new_profile_wizard.h"
#include "profiles/dlg_new_profile_wizard1.h"
#include "profiles/dlg_new_profile_wizard2.h"
#include "profiles/dlg_new_profile_wizard3.h"
#include "profiles/frm_processing.h"
#include "real_program.h"

namespace vornelix {
namespace {

constexpr qint64 kGiB = 1024LL * 1024 * 1024;

// A profile made from Profile > New to Finish in the real program on a real X server.
class CreateProfileX11 : public test::RealProgramX11 {
  protected:
    void SetUp() override {
        RealProgramX11::SetUp();
        env.createDatabase();
        showMain();
    }

    // The wizard's four pages: the name, the volume (3 GB, growable) and the source.
    void create(const QString& name, const QString& iso) {
        main->runCommand(MenuControl::mnuProfile_New);
        test::click<DlgNewProfileWizard>("OKButton");
        test::child<DlgNewProfileWizard1, QLineEdit>("txtProfileName")->setText(name);
        test::click<DlgNewProfileWizard1>("OKButton");
        test::child<DlgNewProfileWizard2, QCheckBox>("CheckSparc")->setChecked(true);
        test::child<DlgNewProfileWizard2, QSlider>("SliderHDSize")->setValue(3);
        test::click<DlgNewProfileWizard2>("OKButton");
        test::child<DlgNewProfileWizard3, QLineEdit>("SlaveIDEText")->setText(iso);
        if (iso.isEmpty())
            env.ui.answers.push_back(platform::MsgAnswer::Ok);
        test::click<DlgNewProfileWizard3>("FinishCommand");
        ASSERT_TRUE(isLoaded<frmProcessing>()) << env.ui.lastText().toStdString();
        ASSERT_TRUE(QTest::qWaitFor([] { return !isLoaded<frmProcessing>(); }, 20000));
    }
};

TEST_F(CreateProfileX11, GrowableAndInstallingProfiles) {
    // Growable: the HD tool, awaited, makes an image of 3 GiB (what is in it is held by the
    // tool's tests).
    create("Growable", "");
    const QString folder = env.root() + "/Vornelix_HD/Growable/";
    ASSERT_EQ(QFileInfo(folder + "hdimage.img").size(), 3 * kGiB);
    EXPECT_FALSE(QFileInfo::exists(folder + "VornelHD.exe"));

    // With an ISO image: the creation boots the engine on it (embedded as every start is).
    env.writeFile("c:\\tiger.iso", "iso");
    create("Installing", "c:\\tiger.iso");
    ASSERT_EQ(gv().EngineRunning, kTrue) << env.ui.lastText().toStdString();
    EXPECT_TRUE(env.readFile("c:\\Vornelix\\Xeminga").contains("tiger.iso"));

    // The main window's title on the display: a start's while the engine runs, the new
    // profile's once it is stopped.
    const auto titled = [this](const QString& title) {
        return probe.windowOf(QCoreApplication::applicationPid(), title) == main->winId();
    };
    EXPECT_TRUE(titled("Vornelix"));
    main->runCommand(MenuControl::mnuControl_Stop);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return titled("Vornelix [ Installing - Press Ctrl+R to Start Mac ]"); }, 5000));
}

// While the HD tool works, Ctrl+N, Profile > Exit and the wizard's Finish start and end
// nothing: the creation ends whole, and once.
TEST_F(CreateProfileX11, WhileTheHdToolWorksNothingPressedStartsOrEnds) {
    const QString folder = env.root() + "/Vornelix_HD/Held/";
    // Pressed from a timer: the creation waits for its tool in an event loop of its own.
    QTimer press;
    bool pressed = false;
    press.callOnTimeout([&] {
        if (pressed || test::processesOf(folder + "VornelHD.exe").empty())
            return;
        pressed = true;
        pressKey(Qt::Key_N, Qt::ControlModifier);
        main->menuItem(MenuControl::mnuProfile_exit)->trigger();
        test::click<DlgNewProfileWizard3>("FinishCommand");
    });
    press.start(20);
    create("Held", "");
    EXPECT_TRUE(pressed) << "the tool was seen at work";
    // Only the Finish before the work asked and told.
    EXPECT_EQ(env.ui.boxes.size(), 2u) << env.ui.lastText().toStdString();
    EXPECT_FALSE(form<DlgNewProfileWizard>().isShown());
    EXPECT_EQ(QFileInfo(folder + "hdimage.img").size(), 3 * kGiB);
}

}  // namespace
}  // namespace vornelix
