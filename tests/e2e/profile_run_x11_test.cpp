#include <gtest/gtest.h>

#include <signal.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

#include "app/app_windows.h"
#include "app/flat_bttn.h"
#include "app/form1.h"
#include "app/mdi_form1.h"
#include "machine/busy_state.h"
#include "machine/dlg_open_profile.h"
#include "machine/global_variables.h"
#include "machine/machine_window_port.h"
#include "machine/profile_start.h"
#include "platform/host_facts.h"
#include "platform/linux_processes.h"
#include "platform/real_clock.h"
#include "platform/x11_window_system.h"
#include "support/test_environment.h"
#include "x11_probe.h"
#include "x11_top_level.h"

namespace vornelix {
namespace {

// Every wait of the start shrinks to a fifth: the 15 s animation plays in about 3 s, and
// the engine still has 600 ms to make its display window.
constexpr double kTimeScale = 0.2;
constexpr int kWaitMs = 5000;

const char* const kGraphicDriverParts[] = {"Vornel IDE.DAT", "OSMAC.AXM", "CASE.EXM"};

QString hex32(unsigned long value) {
    return QString("0x%1").arg(value, 8, 16, QChar('0'));
}

using test::saveScreenshot;

// The live processes whose executable is this file; a process that has ended (a zombie
// included) has no executable any more.
std::vector<pid_t> processesOf(const QString& executable) {
    std::vector<pid_t> found;
    const QString wanted = QFileInfo(executable).canonicalFilePath();
    for (const QString& entry : QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool isPid = false;
        const pid_t pid = static_cast<pid_t>(entry.toInt(&isPid));
        if (isPid && QFileInfo("/proc/" + entry + "/exe").symLinkTarget() == wanted)
            found.push_back(pid);
    }
    return found;
}

// The real program in this process, on a real X server: the main window, the Open Profile
// dialog, the machine window, the engine stand-in started as a process of its own and the X11
// window system; only the message boxes are scripted. The program folder c:\Vornelix holds
// the engine and a profile database, the current folder c:\Current the graphics-driver parts.
class ProfileRunX11 : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(windows.connected() && probe.connected()) << "needs an X display";
        ASSERT_TRUE(QFile::copy(VORNELIX_PROGRAM_DIR "/Vornelix.exe", engineHost()));
        for (const char* part : kGraphicDriverParts)
            QFile::copy(QStringLiteral(VORNELIX_PROGRAM_DIR "/") + part,
                        env.root() + "/Current/" + part);
        env.insertProfile({"Leopard", "c:\\Vornelix_HD\\Leopard", 3, "   ", "cdrom", 0, 0, 256});
        env.insertProfile({"Tiger", "c:\\Vornelix_HD\\Tiger", 5, "   ", "cdrom", 0, 0, 512});

        env.hostFacts.setMemoryMB(1024);
        env.hostFacts.screenMetrics = platform::LinuxHostFacts().screen();
        platform::Services& s = platform::services();
        s.windows = &windows;
        s.processes = &processes;
        s.clock = &clock;
        m_log = env.root() + "/engine.log";
        qputenv("VORNELIX_ENGINE_LOG", m_log.toLocal8Bit());

        installAppWindows();
        main = std::make_unique<MDIForm1>();
        main->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
    }
    void TearDown() override {
        unload<DlgOpenProfile>();
        unloadMachineWindow();
        main.reset();
        // An engine a failed test left behind.
        for (pid_t pid : processesOf(engineHost())) ::kill(pid, SIGKILL);
        qunsetenv("VORNELIX_ENGINE_LOG");
        qunsetenv("VORNELIX_ENGINE_NO_DISPLAY");
    }

    QString engineHost() const { return env.programHost() + "/Vornelix.exe"; }

    // A key on the main window. Its shortcuts need it to be Qt's active window; other tests
    // on the same display may take the X input focus at any moment, so it is made active
    // right before the key, with no event handled in between.
    void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QApplication::setActiveWindow(main.get());
        QTest::keyClick(main.get(), key, modifiers);
    }

    // Profile > Open by its shortcut, the profile picked in the dialog and Open pressed.
    void openProfile(const QString& name) {
        pressKey(Qt::Key_O, Qt::ControlModifier);
        ASSERT_TRUE(isLoaded<DlgOpenProfile>()) << "Ctrl+O shows the Open Profile dialog";
        DlgOpenProfile& dlg = form<DlgOpenProfile>();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        auto* profiles = dlg.findChild<QComboBox*>("ComboProfile");
        profiles->setCurrentIndex(profiles->findText(name));
        QTest::mouseClick(dlg.findChild<QPushButton*>("OKButton"), Qt::LeftButton);
        ASSERT_FALSE(isLoaded<DlgOpenProfile>());
        ASSERT_EQ(main->caption(), "Vornelix [ " + name + " - Press Ctrl+R to Start Mac ]");
    }

    QStringList log() const {
        QFile file(m_log);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromLocal8Bit(file.readAll()).split('\n', Qt::SkipEmptyParts);
    }
    bool waitForLog(const QString& line) {
        return QTest::qWaitFor([&] { return log().contains(line); }, kWaitMs);
    }

    test::TestEnvironment env;
    platform::X11WindowSystem windows;
    platform::LinuxProcesses processes;
    platform::RealClock clock{kTimeScale};
    test::X11Probe probe;
    std::unique_ptr<MDIForm1> main;

  private:
    QString m_log;
};

TEST_F(ProfileRunX11, RunEmbedsTheEngineWhichTheViewKeysDriveAndStopEnds) {
    openProfile("Tiger");
    EXPECT_EQ(gv().RamSizeMB, 1024) << "the dialog preselects the largest size";

    // Halfway through the animation: the machine window fills the area below the toolbar
    // and shows the logo and the progress bar, with the engine not yet started.
    bool looked = false;
    QTimer::singleShot(static_cast<int>(7000 * kTimeScale), [&] {
        looked = true;
        Form1& machine = form<Form1>();
        EXPECT_TRUE(machine.subWindow()->isMaximized());
        EXPECT_EQ(machine.subWindow()->geometry(), main->mdiArea()->viewport()->rect());
        EXPECT_TRUE(machine.findChild<QWidget*>("BlackLogo_Pict")->isVisible());
        EXPECT_TRUE(machine.findChild<QWidget*>("LoginBar_pict")->isVisible());
        EXPECT_TRUE(isBusyWith(BusyWork::ProfileStart));
        EXPECT_TRUE(processesOf(engineHost()).empty());
        // Open, Close and Run during the animation leave the start, its store and its
        // engine alone.
        pressKey(Qt::Key_O, Qt::ControlModifier);
        pressKey(Qt::Key_X, Qt::ControlModifier);
        pressKey(Qt::Key_R, Qt::ControlModifier);
        EXPECT_FALSE(isLoaded<DlgOpenProfile>());
        EXPECT_EQ(gv().ProfileOpen, kTrue);
        EXPECT_TRUE(gv().DbRecordset.exists());
        EXPECT_TRUE(env.ui.boxes.empty()) << env.ui.lastText().toStdString();
        const QImage shot = probe.capture(static_cast<unsigned long>(main->winId()));
        const QWidget* area = main->mdiArea()->viewport();
        const QRect inMain(area->mapTo(main.get(), QPoint(0, 0)), area->size());
        ASSERT_FALSE(shot.isNull());
        EXPECT_EQ(shot.pixel(inMain.right(), inMain.center().y()), qRgb(0, 0, 0))
            << "black out to the right edge";
        EXPECT_EQ(shot.pixel(inMain.center().x(), inMain.bottom()), qRgb(0, 0, 0));
        saveScreenshot(shot, "profile_run_animation.png");
    });
    pressKey(Qt::Key_R, Qt::ControlModifier);
    EXPECT_TRUE(looked) << "the animation yields to the event loop";
    ASSERT_EQ(gv().EngineRunning, kTrue) << env.ui.lastText().toStdString();
    EXPECT_TRUE(env.ui.boxes.empty());
    EXPECT_EQ(main->caption(), "Vornelix");
    EXPECT_TRUE(main->menuItem(MenuControl::mnuControl_Stop)->isEnabled());
    EXPECT_FALSE(main->menuItem(MenuControl::mnuControl_Play)->isEnabled());

    // The display window of the started engine, inside the machine window's picture box.
    Form1& machine = form<Form1>();
    const WindowHandle engine = gv().EngineWindow;
    const auto picture1 = static_cast<unsigned long>(machine.picture1Handle());
    ASSERT_NE(engine, 0);
    const std::vector<pid_t> pids = processesOf(engineHost());
    ASSERT_EQ(pids.size(), 1u);
    const pid_t pid = pids.front();
    EXPECT_EQ(test::windowProcessId(static_cast<unsigned long>(engine)), pid);
    EXPECT_EQ(probe.parent(static_cast<unsigned long>(engine)), picture1);
    EXPECT_EQ(probe.geometry(static_cast<unsigned long>(engine)).topLeft(), QPoint(0, -50));
    EXPECT_TRUE(windows.isVisible(engine));
    EXPECT_FALSE(windows.isVisible(windows.findWindowOfProcess("ConsoleWindowClass", pid)));
    EXPECT_FALSE(machine.findChild<QWidget*>("BlackLogo_Pict")->isVisible());
    EXPECT_FALSE(machine.findChild<QWidget*>("LoginBar_pict")->isVisible());
    EXPECT_TRUE(log().contains("start " + env.host("c:\\Vornelix\\Xeminga") + " show 0"))
        << log().join('\n').toStdString();
    EXPECT_TRUE(waitForLog("message 0x00000401 wParam " + hex32(picture1) + " lParam 0x003fffff"))
        << log().join('\n').toStdString();
    EXPECT_TRUE(env.files().fileExists("c:\\Vornelix\\Xeminga"));
    EXPECT_TRUE(env.files().fileExists("c:\\Temp\\ifrs_gkl.tmp"));
    QTest::qWait(100);
    saveScreenshot(probe.capture(static_cast<unsigned long>(main->winId())),
                   "profile_run_embedded.png");

    // F5 and F6 reach the engine, in and out again.
    pressKey(Qt::Key_F5);
    ASSERT_TRUE(waitForLog("full screen on")) << log().join('\n').toStdString();
    EXPECT_EQ(probe.parent(static_cast<unsigned long>(engine)), probe.root());
    pressKey(Qt::Key_F5);
    ASSERT_TRUE(waitForLog("full screen off"));
    EXPECT_EQ(probe.parent(static_cast<unsigned long>(engine)), picture1);
    EXPECT_EQ(probe.geometry(static_cast<unsigned long>(engine)).topLeft(), QPoint(0, -50));
    pressKey(Qt::Key_F6);
    pressKey(Qt::Key_F6);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return log().filter("message 0x00000202 wParam 0x0000fff1").size() == 2; }, kWaitMs))
        << log().join('\n').toStdString();
    EXPECT_EQ(log().filter("message 0x00000100 wParam 0x0000fff1").size(), 2);

    // Stop from the toolbar: the engine ends, the machine window and its files go.
    QTest::mouseClick(main->flatButton(MenuControl::FlatBttnStop), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return processesOf(engineHost()).empty(); }, kWaitMs));
    EXPECT_TRUE(log().contains("message 0x00000002 wParam 0x00000000 lParam 0x00000000"));
    EXPECT_EQ(gv().EngineRunning, kFalse);
    EXPECT_FALSE(isMachineWindowLoaded());
    EXPECT_FALSE(env.files().fileExists("c:\\Vornelix\\Xeminga"));
    EXPECT_FALSE(env.files().fileExists("c:\\Temp\\ifrs_gkl.tmp"));
    EXPECT_EQ(main->caption(), "Vornelix [ Tiger - Press Ctrl+R to Start Mac ]");
    EXPECT_TRUE(main->menuItem(MenuControl::mnuControl_Play)->isEnabled());
    EXPECT_TRUE(env.ui.boxes.empty()) << env.ui.lastText().toStdString();
}

TEST_F(ProfileRunX11, EngineWithoutDisplayWindowIsReportedAndLeftNotRunning) {
    qputenv("VORNELIX_ENGINE_NO_DISPLAY", "1");
    openProfile("Leopard");

    pressKey(Qt::Key_R, Qt::ControlModifier);
    ASSERT_EQ(env.ui.boxes.size(), 1u);
    EXPECT_EQ(env.ui.boxes[0].text, ProfileStart::kLaunchFailedMessage);
    EXPECT_EQ(env.ui.boxes[0].title, "Vornelix");
    EXPECT_EQ(log().filter("console ").size(), 1) << "the engine was started";
    EXPECT_TRUE(processesOf(engineHost()).empty()) << "and ended again";
    EXPECT_EQ(gv().EngineRunning, kFalse);
    EXPECT_EQ(gv().EngineWindow, 0);
    EXPECT_FALSE(isMachineWindowLoaded());
    EXPECT_FALSE(env.files().fileExists("c:\\Vornelix\\Xeminga"));
    EXPECT_TRUE(main->menuItem(MenuControl::mnuControl_Play)->isEnabled());
    EXPECT_FALSE(main->menuItem(MenuControl::mnuControl_Stop)->isEnabled());

    // The profile stays open and a working engine starts it again.
    qunsetenv("VORNELIX_ENGINE_NO_DISPLAY");
    pressKey(Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(gv().EngineRunning, kTrue) << env.ui.lastText().toStdString();
    EXPECT_EQ(processesOf(engineHost()).size(), 1u);
    EXPECT_EQ(probe.parent(static_cast<unsigned long>(gv().EngineWindow)),
              static_cast<unsigned long>(form<Form1>().picture1Handle()));
    main->menuItem(MenuControl::mnuControl_Stop)->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return processesOf(engineHost()).empty(); }, kWaitMs));
}

TEST_F(ProfileRunX11, ClosingAndStoppingAreHeldOffUntilTheStartHasEnded) {
    openProfile("Tiger");
    // During the animation: the machine window's close box and the main window's.
    bool closed = false;
    QTimer::singleShot(static_cast<int>(7000 * kTimeScale), [&] {
        closed = true;
        EXPECT_FALSE(form<Form1>().subWindow()->close());
        EXPECT_TRUE(isMachineWindowLoaded());
        EXPECT_FALSE(main->close());
        EXPECT_TRUE(main->isVisible());
    });
    // During the launch, once the engine's window is found: Stop does nothing yet.
    bool stopped = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (stopped || gv().EngineRunning == kFalse || !isBusy())
            return;
        stopped = true;
        EXPECT_FALSE(main->menuItem(MenuControl::mnuControl_Stop)->isEnabled());
        main->runCommand(MenuControl::FlatBttnStop);
        EXPECT_TRUE(env.ui.boxes.empty());
    });
    poll.start(0);
    pressKey(Qt::Key_R, Qt::ControlModifier);
    poll.stop();
    ASSERT_TRUE(closed && stopped);

    // The start has run to its end, and the engine runs in the machine window.
    EXPECT_EQ(gv().EngineRunning, kTrue);
    ASSERT_TRUE(isMachineWindowLoaded());
    EXPECT_TRUE(form<Form1>().subWindow()->isVisible());
    EXPECT_EQ(probe.parent(static_cast<unsigned long>(gv().EngineWindow)),
              static_cast<unsigned long>(form<Form1>().picture1Handle()));
    EXPECT_EQ(processesOf(engineHost()).size(), 1u);
    EXPECT_FALSE(log().contains("exit destroy"));
    EXPECT_TRUE(env.files().fileExists("c:\\Vornelix\\Xeminga"));

    // Once the start has ended, Stop is no longer held off.
    main->menuItem(MenuControl::mnuControl_Stop)->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return processesOf(engineHost()).empty(); }, kWaitMs));
    EXPECT_FALSE(isMachineWindowLoaded());
}

// An engine killed from outside: within a second the program is as after Stop, without a word.
TEST_F(ProfileRunX11, AnEngineThatDiesIsNoticed) {
    openProfile("Tiger");
    pressKey(Qt::Key_R, Qt::ControlModifier);
    ASSERT_EQ(gv().EngineRunning, kTrue) << env.ui.lastText().toStdString();
    const std::vector<pid_t> pids = processesOf(engineHost());
    ASSERT_EQ(pids.size(), 1u);
    ::kill(pids.front(), SIGKILL);
    EXPECT_TRUE(QTest::qWaitFor([] { return gv().EngineRunning == kFalse; }, 1500));
    EXPECT_FALSE(isMachineWindowLoaded());
    EXPECT_FALSE(env.files().fileExists("c:\\Vornelix\\Xeminga"));
    EXPECT_FALSE(env.files().fileExists("c:\\Temp\\ifrs_gkl.tmp"));
    EXPECT_EQ(main->caption(), "Vornelix [ Tiger - Press Ctrl+R to Start Mac ]");
    EXPECT_TRUE(main->menuItem(MenuControl::mnuControl_Play)->isEnabled());
    EXPECT_TRUE(env.ui.boxes.empty()) << env.ui.lastText().toStdString();
}

}  // namespace
}  // namespace vornelix
