#include <gtest/gtest.h>

#include <signal.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <memory>

#include "app/app_windows.h"
#include "app/mdi_form1.h"
#include "platform/linux_processes.h"
#include "platform/real_clock.h"
#include "platform/x11_window_system.h"
#include "support/test_environment.h"
#include "x11_probe.h"
#include "x11_top_level.h"

namespace vornelix {
namespace {

using platform::ShowCommand;
using platform::WindowHandle;
using test::waitUntil;

constexpr std::uint32_t kNew = 11110;
constexpr std::uint32_t kOpen = 11111;
constexpr std::uint32_t kCopy = 11114;
constexpr std::uint32_t kPaste = 11115;

// The share-drive program copied into the test's program folder c:\Vornelix, whose
// SharedDrive folder holds one file, started hidden as the program starts it.
class ShareDriveX11Test : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(windows.connected() && probe.connected()) << "needs an X display";
        ASSERT_TRUE(QFile::copy(VORNELIX_PROGRAM_DIR "/chktarakh.ctq",
                                env.programHost() + "/chktarakh.ctq"));
        env.writeFile("c:\\Vornelix\\SharedDrive\\Notes.txt", "hello");
        platform::services().processes = &processes;
        qputenv("VORNELIX_SHARE_DRIVE_LOG", (env.root() + "/share.log").toLocal8Bit());
        const auto started =
            processes.start("c:\\Vornelix\\chktarakh.ctq", "", "c:\\Vornelix", ShowCommand::Hide);
        ASSERT_TRUE(started.started());
        pid = started.pid;
        waitUntil([&] { return (window = windows.findWindowOfProcess("", pid)) != 0; });
        ASSERT_NE(window, 0);
    }
    void TearDown() override {
        processes.end(pid);
        qunsetenv("VORNELIX_SHARE_DRIVE_LOG");
    }

    QStringList log() const {
        QFile file(env.root() + "/share.log");
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromLocal8Bit(file.readAll()).split('\n', Qt::SkipEmptyParts);
    }
    QStringList files(const char* folder) const {
        return QDir(env.programHost() + "/" + folder).entryList(QDir::Files, QDir::Name);
    }
    bool ended() {
        return waitUntil([&] { return !processes.isRunning(pid); });
    }

    test::TestEnvironment env;
    platform::X11WindowSystem windows;
    platform::LinuxProcesses processes;
    test::X11Probe probe;
    std::int64_t pid = 0;
    WindowHandle window = 0;
};

struct Step {
    std::uint32_t message;
    const char* done;
    QStringList drive;
    QStringList clipboard;
};

TEST_F(ShareDriveX11Test, FollowsTheFourMessages) {
    const auto titled = test::findWindowsByTitle("Vornel Drag And Drop");
    EXPECT_NE(std::find(titled.begin(), titled.end(), static_cast<unsigned long>(window)),
              titled.end());
    EXPECT_FALSE(windows.isVisible(window)) << "started hidden";

    const QStringList notes = {"Notes.txt"};
    const QStringList two = {"New File 1", "Notes.txt"};
    const QStringList three = {"New File 1", "New File 2", "Notes.txt"};
    const QStringList four = {"New File 1", "New File 2", "Notes.txt", "Notes.txt - Copy"};
    const Step steps[] = {
        {kPaste, "paste: the clipboard is empty", notes, {}},
        {kCopy, "copy Notes.txt", notes, notes},
        {kNew, "new New File 1", two, notes},
        {kNew, "new New File 2", three, notes},
        {kOpen, "open Notes.txt", three, notes},
        {kOpen, "open New File 1", three, notes},
        {kPaste, "paste Notes.txt - Copy", four, notes},
        {kCopy, "copy Notes.txt - Copy", four, {"Notes.txt - Copy"}},
    };
    for (const Step& step : steps) {
        const qsizetype before = log().size();
        windows.sendMessage(window, step.message, 0, 0);
        ASSERT_TRUE(waitUntil([&] { return log().size() == before + 2; })) << step.done;
        EXPECT_EQ(log().mid(before),
                  QStringList({QString("message %1 0 0").arg(step.message), QString(step.done)}));
        EXPECT_EQ(files("SharedDrive"), step.drive) << step.done;
        EXPECT_EQ(files("SharedDriveClipboard"), step.clipboard) << step.done;
    }
    EXPECT_EQ(env.readFile("c:\\Vornelix\\SharedDrive\\Notes.txt - Copy"), "hello");
    EXPECT_EQ(env.readFile("c:\\Vornelix\\SharedDrive\\New File 2"), "");
    windows.sendMessage(window, 0x0401, 7, 0);
    ASSERT_TRUE(waitUntil([&] { return log().last() == "message 1025 7 0"; }));
    EXPECT_TRUE(processes.isRunning(pid));
}

TEST_F(ShareDriveX11Test, EmbeddedWindowShowsTheDriveAndEndsWithItsHost) {
    auto host = std::make_unique<QWidget>();
    host->resize(520, 400);
    host->show();
    waitUntil([&] { return host->windowHandle() && host->windowHandle()->isExposed(); });
    const auto hostId = static_cast<WindowHandle>(host->winId());
    windows.setParent(window, hostId);
    windows.move(window, 0, 5, 500, 300);
    windows.show(window, ShowCommand::Normal);
    windows.sendMessage(window, kNew, 0, 0);
    ASSERT_TRUE(waitUntil([&] { return log().contains("new New File 1"); }));
    EXPECT_EQ(probe.parent(window), static_cast<unsigned long>(hostId));
    EXPECT_EQ(probe.geometry(window), QRect(0, 5, 500, 300));

    // The title band on top, the selected entry's highlight in the list.
    QImage image;
    EXPECT_TRUE(waitUntil([&] {
        image = probe.capture(static_cast<unsigned long>(window));
        return !image.isNull() && image.pixel(3, 3) == qRgb(0x2f, 0x5d, 0x50) &&
               image.pixel(10, 50) == qRgb(0x3b, 0x82, 0xc4);
    }));
    test::saveScreenshot(image, "share_drive_embedded.png");

    host.reset();
    EXPECT_TRUE(ended());
    EXPECT_EQ(log().last(), "exit window destroyed");
}

TEST_F(ShareDriveX11Test, EndsOnSigterm) {
    ::kill(static_cast<pid_t>(pid), SIGTERM);
    EXPECT_TRUE(ended());
    EXPECT_EQ(log().last(), "exit terminated");
    EXPECT_TRUE(waitUntil([&] { return !windows.windowExists(window); }));
}

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

    main.runCommand(MenuControl::mnuTools_ShareDrive);
    const auto window = static_cast<unsigned long>(gv().ShareDriveWindow);
    ASSERT_NE(window, 0u) << env.ui.lastText().toStdString();
    EXPECT_EQ(probe.geometry(window), QRect(0, 5, 1024, 768 - 105));

    for (const int room : {35, 105}) {
        main.runCommand(MenuControl::mnuView_Toolbar);
        EXPECT_TRUE(test::waitUntil([&] { return probe.geometry(window).height() == 768 - room; }));
        QTest::qWait(300);
        test::saveScreenshot(probe.capture(static_cast<unsigned long>(main.winId())),
                             QString("share_drive_toolbar_%1.png").arg(room));
    }

    for (const MenuControl item : {MenuControl::mnuProfile, MenuControl::mnuView})
        test::saveScreenshot(main.menuItem(item)->menu()->grab().toImage(),
                             "share_drive_" + main.menuItem(item)->objectName() + ".png");
    for (const MenuControl button :
         {MenuControl::FlatBttnNewShareDriv, MenuControl::FlatBttnOpenShareDrv,
          MenuControl::FlatBttnCopy, MenuControl::FlatBttnPaste})
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
