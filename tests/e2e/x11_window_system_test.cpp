#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QWidget>
#include <memory>
#include <vector>

#include "platform/x11_window_system.h"
#include "x11_probe.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

namespace vornelix::platform {
namespace {

// A top-level Qt window with a title of its own, made native but not shown.
std::unique_ptr<QWidget> titledWindow(const QString& title) {
    auto w = std::make_unique<QWidget>();
    w->setWindowTitle(title);
    w->resize(200, 100);
    w->winId();
    return w;
}

WindowHandle handleOf(const QWidget& w) {
    return static_cast<WindowHandle>(w.winId());
}

class X11WindowSystemTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(windows.connected() && probe.connected()); }

    X11WindowSystem windows;
    test::X11Probe probe;
};

TEST_F(X11WindowSystemTest, FindsAnotherClientsHiddenTopLevelByTitleAndEmbedsIt) {
    // A title of this process alone: other tests on the same display show windows too.
    const QString title =
        QStringLiteral("Embedded window %1").arg(QCoreApplication::applicationPid());
    const auto shared = titledWindow(title);
    const WindowHandle handle = handleOf(*shared);
    EXPECT_EQ(windows.findWindow("", title), handle);
    EXPECT_EQ(windows.findWindow("", title.chopped(1)), 0) << "titles match whole";
    EXPECT_EQ(windows.findWindow("NoSuchClass", title), 0);
    EXPECT_FALSE(windows.isVisible(handle));

    QWidget host;
    host.resize(640, 480);
    host.show();
    windows.setParent(handle, handleOf(host));
    windows.move(handle, 0, 5, 300, 150);
    windows.show(handle, ShowCommand::Normal);
    EXPECT_EQ(probe.parent(static_cast<unsigned long>(handle)),
              static_cast<unsigned long>(host.winId()));
    EXPECT_EQ(probe.geometry(static_cast<unsigned long>(handle)), QRect(0, 5, 300, 150));
    EXPECT_TRUE(windows.isVisible(handle));
    EXPECT_EQ(windows.findWindow("", title), 0) << "an embedded window is no longer top-level";

    windows.show(handle, ShowCommand::Minimized);
    EXPECT_FALSE(windows.isVisible(handle));
    windows.show(handle, ShowCommand::Restore);
    EXPECT_TRUE(windows.isVisible(handle));
    windows.show(handle, ShowCommand::Hide);
    EXPECT_FALSE(windows.isVisible(handle));

    windows.setParent(handle, 0);
    EXPECT_EQ(windows.parentOf(handle), 0);
    EXPECT_EQ(windows.findWindow("", title), handle);
}

TEST_F(X11WindowSystemTest, TopmostOfTwoMatchingWindowsIsFound) {
    const auto lower = titledWindow("Twin");
    lower->show();
    const auto upper = titledWindow("Twin");
    upper->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(windows.findWindow("", "Twin"), handleOf(*upper));
}

TEST_F(X11WindowSystemTest, HandlesOfVanishedWindowsChangeNothing) {
    WindowHandle gone = 0;
    {
        const auto w = titledWindow("Short-lived");
        gone = handleOf(*w);
    }
    for (const WindowHandle h : {gone, WindowHandle(0), WindowHandle(-1)}) {
        windows.setParent(h, 0);
        windows.setPosition(h, 1, 2);
        windows.move(h, 1, 2, 3, 4);
        windows.show(h, ShowCommand::Minimized);
        windows.show(h, ShowCommand::Restore);
        windows.setFocus(h);
        EXPECT_EQ(windows.sendMessage(h, 2, 0, 0), 0);
        EXPECT_FALSE(windows.windowExists(h));
        EXPECT_FALSE(windows.isVisible(h));
        EXPECT_EQ(windows.parentOf(h), 0);
    }
    const auto still = titledWindow("Still here");
    EXPECT_EQ(windows.findWindow("", "Still here"), handleOf(*still)) << "the connection survives";
}

// Hidden windows of one class, bottom to top, by their _NET_WM_PID (0: none), and the one
// found (-1: none) for process 4100001.
TEST(X11WindowSystem, FindWindowOfProcessTakesItsOwnThenOneWithoutPidNeverAnothers) {
    const std::pair<std::vector<long>, int> cases[] = {
        {{0}, 0}, {{4100002}, -1}, {{0, 4100002}, 0}, {{4100001, 0}, 0}};
    // A class of this test process alone: other tests use the display at the same time.
    QByteArray className = "ClassVornelix" + QByteArray::number(QCoreApplication::applicationPid());
    for (const auto& [pids, found] : cases) {
        Display* d = XOpenDisplay(nullptr);
        std::vector<Window> made;
        for (long pid : pids) {
            made.push_back(XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 9, 9, 0, 0, 0));
            XClassHint hint{className.data(), className.data()};
            XSetClassHint(d, made.back(), &hint);
            if (pid != 0)
                XChangeProperty(d, made.back(), XInternAtom(d, "_NET_WM_PID", False), XA_CARDINAL,
                                32, PropModeReplace, reinterpret_cast<unsigned char*>(&pid), 1);
        }
        XSync(d, False);
        EXPECT_EQ(X11WindowSystem().findWindowOfProcess(className, 4100001),
                  found < 0 ? 0 : static_cast<WindowHandle>(made[found]))
            << pids.size() << " windows, the first " << pids[0];
        XCloseDisplay(d);
    }
}

TEST(X11WindowSystemWithoutDisplay, FindsNothingAndDoesNothing) {
    X11WindowSystem windows(":4999");
    EXPECT_FALSE(windows.connected());
    EXPECT_EQ(windows.findWindow("ClassVornelix", ""), 0);
    windows.show(0x200001, ShowCommand::Normal);
    EXPECT_EQ(windows.sendMessage(0x200001, 2, 0, 0), 0);
}

}  // namespace
}  // namespace vornelix::platform
