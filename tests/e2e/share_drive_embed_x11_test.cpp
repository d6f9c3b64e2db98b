#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMenu>
#include <QTest>
#include <memory>

#include "app/app_windows.h"
#include "app/flat_bttn.h"
#include "app/form1.h"
#include "app/mdi_form1.h"
#include "app/picture_box.h"
#include "app/share_drive.h"
#include "platform/host_facts.h"
#include "platform/linux_processes.h"
#include "platform/real_clock.h"
#include "platform/x11_window_system.h"
#include "support/test_environment.h"
#include "x11_probe.h"
#include "x11_top_level.h"

namespace vornelix {
namespace {

using M = MenuControl;
using test::saveScreenshot;
using test::waitUntil;

// The real main window and machine window on a real X server, with the share-drive program
// started as a process of its own from the test's program folder.
class ShareDriveEmbedX11 : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(windows.connected() && probe.connected()) << "needs an X display";
        env.hostFacts.screenMetrics = platform::LinuxHostFacts().screen();
        platform::Services& s = platform::services();
        s.windows = &windows;
        s.processes = &processes;
        s.clock = &clock;
        qputenv("VORNELIX_SHARE_DRIVE_LOG", (env.root() + "/share.log").toLocal8Bit());
        installAppWindows();
        main = std::make_unique<MDIForm1>();
        main->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
    }
    void TearDown() override {
        unloadMachineWindow();
        main.reset();
        qunsetenv("VORNELIX_SHARE_DRIVE_LOG");
    }

    void pressKey(Qt::Key key) {
        QApplication::setActiveWindow(main.get());
        QTest::keyClick(main.get(), key, Qt::ControlModifier);
    }
    bool logged(const QString& line) {
        return waitUntil([&] {
            QFile file(env.root() + "/share.log");
            return file.open(QIODevice::ReadOnly) &&
                   QString::fromLocal8Bit(file.readAll()).split('\n').contains(line);
        });
    }
    QRect embedded() { return probe.geometry(static_cast<unsigned long>(gv().ShareDriveWindow)); }
    void shoot(const QString& name) {
        QTest::qWait(300);
        saveScreenshot(probe.capture(static_cast<unsigned long>(main->winId())), name);
    }

    test::TestEnvironment env;
    platform::X11WindowSystem windows;
    platform::LinuxProcesses processes;
    platform::RealClock clock{1.0};
    test::X11Probe probe;
    std::unique_ptr<MDIForm1> main;
};

TEST_F(ShareDriveEmbedX11, EmbedsDrivesResizesAndCloses) {
    ASSERT_TRUE(
        QFile::copy(VORNELIX_PROGRAM_DIR "/chktarakh.ctq", env.programHost() + "/chktarakh.ctq"));
    env.writeFile("c:\\Vornelix\\SharedDrive\\Notes.txt", "hello");
    main->menuItem(M::mnuTools_ShareDrive)->trigger();
    const auto window = static_cast<unsigned long>(gv().ShareDriveWindow);
    ASSERT_NE(window, 0u) << env.ui.lastText().toStdString();
    const long long pid = test::windowProcessId(window);
    EXPECT_TRUE(processes.isRunning(pid));
    EXPECT_EQ(probe.parent(window), static_cast<unsigned long>(form<Form1>().picture1Handle()));
    const QSize screen = probe.screenSize();
    EXPECT_EQ(embedded(), QRect(0, 5, screen.width(), screen.height() - 105));
    EXPECT_TRUE(windows.isVisible(gv().ShareDriveWindow));

    // Buttons of the strip and the shortcuts of the share-drive menu.
    for (const auto control : {M::FlatBttnNewShareDriv, M::FlatBttnCopy, M::FlatBttnPaste})
        QTest::mouseClick(main->flatButton(control), Qt::LeftButton);
    for (const auto key : {Qt::Key_N, Qt::Key_C, Qt::Key_V}) pressKey(key);
    EXPECT_TRUE(logged("new New File 2"));
    for (const int message : {11110, 11114, 11115})
        EXPECT_TRUE(logged(QString("message %1 0 0").arg(message)));
    shoot("share_drive_toolbar_shown.png");

    for (const auto& [menu, name] : {std::pair{M::mnuProfile, "profile"}, {M::mnuView, "view"}}) {
        QMenu* popup = main->menuItem(menu)->menu();
        popup->popup(main->mapToGlobal(QPoint(4, 4)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(popup));
        QTest::qWait(200);
        saveScreenshot(popup->grab().toImage(), QString("share_drive_%1_menu.png").arg(name));
        popup->hide();
    }

    for (const int room : {35, 105}) {
        main->menuItem(M::mnuView_Toolbar)->trigger();
        EXPECT_TRUE(waitUntil([&] { return embedded().height() == screen.height() - room; }));
        if (room == 35)
            shoot("share_drive_toolbar_hidden.png");
    }

    pressKey(Qt::Key_X);
    EXPECT_TRUE(waitUntil([&] { return !processes.isRunning(pid); }));
    EXPECT_TRUE(logged("exit window destroyed"));
    EXPECT_EQ(main->menuItem(M::mnuProfile)->text(), "Profile");
    EXPECT_FALSE(isMachineWindowLoaded());
    EXPECT_TRUE(env.ui.boxes.empty()) << env.ui.lastText().toStdString();
}

// A program that makes no window is given three seconds, then ended and reported.
TEST_F(ShareDriveEmbedX11, ProgramWithoutWindowIsEndedAndReported) {
    const QString program = env.programHost() + "/chktarakh.ctq";
    env.writeFile("c:\\Vornelix\\chktarakh.ctq",
                  "#!/bin/sh\necho $$ > \"$(dirname \"$0\")/pid\"\nexec sleep 30\n");
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QElapsedTimer elapsed;
    elapsed.start();
    main->menuItem(M::mnuTools_ShareDrive)->trigger();
    EXPECT_GE(elapsed.elapsed(), 3000);
    EXPECT_EQ(env.ui.lastText(), kShareDriveFailedMessage);
    const long long pid = env.readFile("c:\\Vornelix\\pid").trimmed().toLongLong();
    ASSERT_GT(pid, 0);
    EXPECT_FALSE(processes.isRunning(pid));
    EXPECT_EQ(gv().ShareDriveOpen, kFalse);
    EXPECT_TRUE(main->picture("PictureSharedvButtons")->isHidden());
}

}  // namespace
}  // namespace vornelix
