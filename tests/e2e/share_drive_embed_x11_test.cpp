#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QTest>

#include "app/app_windows.h"
#include "app/mdi_form1.h"
#include "platform/linux_processes.h"
#include "platform/real_clock.h"
#include "platform/x11_window_system.h"
#include "support/test_environment.h"
#include "x11_probe.h"

namespace vornelix {
namespace {

using M = MenuControl;

// The real main window (on the fake host's 1024 x 768 screen) with the share-drive program
// started from the program folder: the toolbar gives it 70 pixels, each command reaches it,
// Ctrl+X ends it.
TEST(ShareDriveEmbedX11, EmbedsDrivesResizesAndCloses) {
    test::TestEnvironment env;
    platform::X11WindowSystem windows;
    platform::LinuxProcesses processes;
    platform::RealClock clock{1.0};
    test::X11Probe probe;
    ASSERT_TRUE(windows.connected() && probe.connected()) << "needs an X display";
    platform::services().clock = &clock;
    platform::services().windows = &windows;
    platform::services().processes = &processes;
    ASSERT_TRUE(
        QFile::copy(VORNELIX_PROGRAM_DIR "/chktarakh.ctq", env.programHost() + "/chktarakh.ctq"));
    env.writeFile("c:\\Vornelix\\SharedDrive\\Notes.txt", "hello");
    qputenv("VORNELIX_SHARE_DRIVE_LOG", env.host("c:\\share.log").toLocal8Bit());
    installAppWindows();
    MDIForm1 main;
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));

    main.runCommand(M::mnuTools_ShareDrive);
    const auto window = static_cast<unsigned long>(gv().ShareDriveWindow);
    ASSERT_NE(window, 0u) << env.ui.lastText().toStdString();
    EXPECT_EQ(probe.geometry(window), QRect(0, 5, 1024, 768 - 105));

    for (const int room : {35, 105}) {
        main.runCommand(M::mnuView_Toolbar);
        EXPECT_TRUE(test::waitUntil([&] { return probe.geometry(window).height() == 768 - room; }));
        QTest::qWait(300);
        test::saveScreenshot(probe.capture(static_cast<unsigned long>(main.winId())),
                             QString("share_drive_toolbar_%1.png").arg(room));
    }

    for (const M item : {M::mnuProfile, M::mnuView})
        test::saveScreenshot(main.menuItem(item)->menu()->grab().toImage(),
                             "share_drive_" + main.menuItem(item)->objectName() + ".png");
    for (const M button :
         {M::FlatBttnNewShareDriv, M::FlatBttnOpenShareDrv, M::FlatBttnCopy, M::FlatBttnPaste})
        main.runCommand(button);
    for (const Qt::Key key : {Qt::Key_N, Qt::Key_C, Qt::Key_V, Qt::Key_X}) {
        QApplication::setActiveWindow(&main);
        QTest::keyClick(&main, key, Qt::ControlModifier);
    }
    EXPECT_TRUE(test::waitUntil(
        [&] { return env.readFile("c:\\share.log").endsWith("exit window destroyed\n"); }));
    QString sent = QString(env.readFile("c:\\share.log")).split('\n').filter("message ").join(',');
    EXPECT_EQ(sent.remove("message ").remove(" 0 0"), "11110,11111,11114,11115,11110,11114,11115");
    EXPECT_TRUE(env.ui.boxes.empty()) << env.ui.lastText().toStdString();
    qunsetenv("VORNELIX_SHARE_DRIVE_LOG");
}

}  // namespace
}  // namespace vornelix
