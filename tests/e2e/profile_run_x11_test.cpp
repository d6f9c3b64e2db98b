#include <gtest/gtest.h>

#include <signal.h>

#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>
#include <functional>

#include <X11/keysym.h>

#include "app/dlg_about_vornelix.h"
#include "app/flat_bttn.h"
#include "app/form1.h"
#include "app/frm_faqs.h"
#include "forms/machine_window_port.h"
#include "machine/dlg_open_profile.h"
#include "machine/global_variables.h"
#include "real_program.h"

namespace vornelix {
namespace {

using test::processesOf;

constexpr int kWaitMs = 5000;
// Halfway through the animation.
constexpr int kAnimationMiddleMs = 1400;

// The real main window, Open Profile dialog and machine window with the engine started as a
// process of its own from a profile database of two profiles.
class ProfileRunX11 : public test::RealProgramX11 {
  protected:
    void SetUp() override {
        RealProgramX11::SetUp();
        env.insertProfile({"Leopard", "c:\\Vornelix_HD\\Leopard", 3, "   ", "cdrom", 0, 0, 256});
        env.insertProfile({"Tiger", "c:\\Vornelix_HD\\Tiger", 5, "   ", "cdrom", 0, 0, 512});
        for (const char* name : {"Leopard", "Tiger"})
            env.writeFile(QString("c:\\Vornelix_HD\\%1\\hdimage.img").arg(name), "");
        showMain();
    }
    QString engineHost() const { return env.programHost() + "/Vornelix.exe"; }
    bool engineEnds() {
        return QTest::qWaitFor([&] { return processesOf(engineHost()).empty(); }, kWaitMs);
    }

    // Profile > Open by its shortcut; the dialog, shown whole and centred above the middle of
    // the main window, with the profile picked and Open pressed.
    void openProfile(const QString& name) {
        pressKey(Qt::Key_O, Qt::ControlModifier);
        ASSERT_TRUE(isLoaded<DlgOpenProfile>()) << "Ctrl+O shows the Open Profile dialog";
        DlgOpenProfile& dlg = form<DlgOpenProfile>();
        look(dlg, "open_profile");
        const QMdiSubWindow* sub = dlg.subWindow();
        EXPECT_EQ(sub->minimumSize(), sub->maximumSize());
        EXPECT_LE(sub->height() - dlg.mapTo(sub, QPoint(0, dlg.height())).y(),
                  sub->width() - dlg.width())
            << "no empty band below the dialog";
        auto* profiles = test::child<DlgOpenProfile, QComboBox>("ComboProfile");
        profiles->setCurrentIndex(profiles->findText(name));
        test::click<DlgOpenProfile>("OKButton");
        ASSERT_FALSE(isLoaded<DlgOpenProfile>());
        ASSERT_EQ(main->caption(), "Vornelix [ " + name + " - Press Ctrl+R to Start Mac ]");
    }
};

TEST_F(ProfileRunX11, StartHoldsOffTheCloseBoxThenEmbedsTheEngineWhichTheKeysDriveAndStopEnds) {
    openProfile("Tiger");

    // During the animation: the machine window fills the area below the toolbar with the
    // logo and the progress bar, and its close box leaves the start alone (the commands held
    // meanwhile are held by the main window's tests).
    bool looked = false;
    QTimer::singleShot(kAnimationMiddleMs, [&] {
        looked = true;
        Form1& machine = form<Form1>();
        EXPECT_EQ(machine.subWindow()->geometry(), main->mdiArea()->viewport()->rect());
        EXPECT_TRUE(machine.findChild<QWidget*>("BlackLogo_Pict")->isVisible());
        EXPECT_TRUE(machine.findChild<QWidget*>("LoginBar_pict")->isVisible());
        EXPECT_TRUE(processesOf(engineHost()).empty());
        EXPECT_FALSE(machine.subWindow()->close());
        EXPECT_TRUE(isMachineWindowLoaded() && main->isVisible());
        const QImage shot = probe.capture(static_cast<unsigned long>(main->winId()));
        const QWidget* area = main->mdiArea()->viewport();
        const QRect inMain(area->mapTo(main.get(), QPoint(0, 0)), area->size());
        ASSERT_FALSE(shot.isNull());
        EXPECT_EQ(shot.pixel(inMain.right(), inMain.center().y()), qRgb(0, 0, 0))
            << "black out to the right edge";
        EXPECT_EQ(shot.pixel(inMain.center().x(), inMain.bottom()), qRgb(0, 0, 0));
        test::saveScreenshot(shot, "profile_run_animation.png");
    });
    pressKey(Qt::Key_R, Qt::ControlModifier);
    EXPECT_TRUE(looked) << "the start yields to the event loop";
    ASSERT_EQ(gv().EngineRunning, kTrue) << env.ui.lastText().toStdString();

    // The display window of the started engine, inside the machine window's picture box.
    Form1& machine = form<Form1>();
    const auto engine = static_cast<unsigned long>(gv().EngineWindow);
    const auto picture1 = static_cast<unsigned long>(machine.picture1Handle());
    const std::vector<pid_t> pids = processesOf(engineHost());
    ASSERT_EQ(pids.size(), 1u);
    EXPECT_EQ(probe.processId(engine), pids.front());
    EXPECT_EQ(probe.parent(engine), picture1);
    EXPECT_EQ(probe.geometry(engine), QRect(QPoint(0, -50), probe.screenSize()))
        << "as large as the resolution the program asks for";
    EXPECT_TRUE(windows.isVisible(engine));
    EXPECT_NE(windows.findWindow("ConsoleWindowClass", "c:\\Vornelix\\Vornelix.exe"), 0)
        << "the console titled with the engine's path";
    EXPECT_TRUE(waitForLog(QString("message 0x00000401 wParam 0x%1 lParam 0x003fffff")
                               .arg(picture1, 8, 16, QChar('0'))))
        << log().join('\n').toStdString();
    EXPECT_TRUE(env.files().fileExists("c:\\Temp\\ifrs_gkl.tmp"));
    QTest::qWait(100);
    EXPECT_TRUE(windows.hasFocusWithin(static_cast<WindowHandle>(engine)))
        << "the engine keeps the keyboard that the start gave it";
    test::saveScreenshot(probe.capture(static_cast<unsigned long>(main->winId())),
                         "profile_run_embedded.png");

    // F5 takes the engine to the whole screen and back; F6 reaches it twice.
    pressKey(Qt::Key_F5);
    ASSERT_TRUE(waitForLog("full screen on")) << log().join('\n').toStdString();
    EXPECT_EQ(probe.parent(engine), probe.root());
    EXPECT_EQ(probe.geometry(engine), QRect(QPoint(0, 0), probe.screenSize()));
    pressKey(Qt::Key_F5);
    ASSERT_TRUE(waitForLog("full screen off"));
    EXPECT_EQ(probe.parent(engine), picture1);
    EXPECT_EQ(probe.geometry(engine).topLeft(), QPoint(0, -50));
    pressKey(Qt::Key_F6);
    ASSERT_TRUE(waitForLog("mouse grab on"));
    pressKey(Qt::Key_F6);
    ASSERT_TRUE(waitForLog("mouse grab off"));
    EXPECT_EQ(log().filter("message 0x00000100 wParam 0x0000fff1").size(), 2);

    // Stop from the toolbar: the engine is told and ends (what is cleared after it is checked
    // below for an engine that dies).
    QTest::mouseClick(main->flatButton(MenuControl::FlatBttnStop), Qt::LeftButton);
    EXPECT_TRUE(engineEnds());
    EXPECT_TRUE(log().contains("message 0x00000002 wParam 0x00000000 lParam 0x00000000"));
    EXPECT_TRUE(env.ui.boxes.empty()) << env.ui.lastText().toStdString();
}

// An engine killed from outside leaves the program as after Stop within a second, without a
// word; one whose machine window is unloaded ends with its display window.
TEST_F(ProfileRunX11, AnEngineThatDiesIsNoticedAndOneThatLosesItsWindowEnds) {
    openProfile("Leopard");
    pressKey(Qt::Key_R, Qt::ControlModifier);
    ASSERT_EQ(gv().EngineRunning, kTrue) << env.ui.lastText().toStdString();
    const std::vector<pid_t> pids = processesOf(engineHost());
    ASSERT_EQ(pids.size(), 1u);
    ::kill(pids.front(), SIGKILL);
    EXPECT_TRUE(QTest::qWaitFor([] { return gv().EngineRunning == kFalse; }, 1500));
    EXPECT_FALSE(isMachineWindowLoaded());
    EXPECT_FALSE(env.files().fileExists("c:\\Vornelix\\Xeminga"));
    EXPECT_FALSE(env.files().fileExists("c:\\Temp\\ifrs_gkl.tmp"));
    EXPECT_EQ(main->caption(), "Vornelix [ Leopard - Press Ctrl+R to Start Mac ]");
    EXPECT_TRUE(env.ui.boxes.empty()) << env.ui.lastText().toStdString();

    pressKey(Qt::Key_R, Qt::ControlModifier);
    ASSERT_EQ(gv().EngineRunning, kTrue) << env.ui.lastText().toStdString();
    unload<Form1>();
    EXPECT_TRUE(engineEnds());
    EXPECT_EQ(log().last(), "exit display window destroyed");
}

// Enter on the profile list opens the profile chosen there, as the Open button, drawn as the
// default one, does.
TEST_F(ProfileRunX11, EnterOnTheProfileListOpensTheChosenProfile) {
    focusMain();
    pressKey(Qt::Key_O, Qt::ControlModifier);
    ASSERT_TRUE(isLoaded<DlgOpenProfile>());
    EXPECT_TRUE((test::child<DlgOpenProfile, QPushButton>("OKButton")->isDefault()));
    auto* profiles = test::child<DlgOpenProfile, QComboBox>("ComboProfile");
    profiles->setCurrentIndex(profiles->findText("Leopard"));
    profiles->setFocus();
    probe.typeKey(XK_Return);
    EXPECT_TRUE(QTest::qWaitFor([] { return !isLoaded<DlgOpenProfile>(); }, kWaitMs));
    EXPECT_EQ(main->caption(), "Vornelix [ Leopard - Press Ctrl+R to Start Mac ]");
}

// A window that the user brings forward while a start runs takes the keys typed once the start
// has ended, also with the pointer resting on the engine's window (with nothing brought forward
// the engine keeps them: the first test).
struct BroughtForward {
    const char* name;
    MenuControl opens;
    unsigned long key;
    std::function<bool()> tookKey;
};

void PrintTo(const BroughtForward& row, std::ostream* out) {
    *out << row.name;
}

class WindowBroughtForward : public ProfileRunX11,
                             public ::testing::WithParamInterface<BroughtForward> {};

TEST_P(WindowBroughtForward, TakesTheKeysWhenTheStartEnds) {
    openProfile("Tiger");
    focusMain();
    QTimer::singleShot(kAnimationMiddleMs, [&] { main->menuItem(GetParam().opens)->trigger(); });
    pressKey(Qt::Key_R, Qt::ControlModifier);
    ASSERT_EQ(gv().EngineRunning, kTrue) << env.ui.lastText().toStdString();
    const auto engine = static_cast<unsigned long>(gv().EngineWindow);
    const QWidget* area = main->mdiArea()->viewport();
    probe.movePointer(area->mapToGlobal(QPoint(5, area->height() - 5)));
    EXPECT_TRUE(QTest::qWaitFor([&] { return probe.focus() != engine; }, 1000))
        << "the engine gives the keyboard back";
    probe.typeKey(GetParam().key);
    EXPECT_TRUE(QTest::qWaitFor(GetParam().tookKey, kWaitMs));
}

INSTANTIATE_TEST_SUITE_P(
    Windows, WindowBroughtForward,
    ::testing::Values(BroughtForward{"About", MenuControl::mnuHelp_About, XK_Return,
                                     [] { return !isLoaded<DlgAboutVornelix>(); }},
                      BroughtForward{"Faq", MenuControl::mnuHelp_FAQ, XK_Down,
                                     [] { return frmFAQs::QuestionNo == 2; }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vornelix
