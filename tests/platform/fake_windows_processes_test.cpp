#include <gtest/gtest.h>

#include "support/fake_processes.h"
#include "support/fake_windows.h"

namespace vornelix::test {
namespace {

using platform::ShowCommand;

// The fakes behave as the real services do where tests of the launch rely on it.
TEST(FakeWindows, SearchesTopLevelWindowsTopmostFirstAndForgetsEmbeddedOnes) {
    FakeWindows windows;
    const auto first = windows.addWindow("ClassVornelix", "Vornelix", 10);
    const auto second = windows.addWindow("ClassVornelix", "Vornelix", 11);
    EXPECT_EQ(windows.findWindow("ClassVornelix", ""), second);
    EXPECT_EQ(windows.findWindowOfProcess("ClassVornelix", 10), first);
    windows.setParent(second, 77);
    EXPECT_EQ(windows.findWindow("ClassVornelix", ""), first);
    EXPECT_EQ(windows.parentOf(second), 77);

    windows.show(second, ShowCommand::Minimized);
    EXPECT_FALSE(windows.isVisible(second)) << "a minimised child is not shown";
    windows.show(second, ShowCommand::Restore);
    windows.setFocus(second);
    EXPECT_EQ(windows.focus, second);
    EXPECT_EQ(windows.calls.back(), QString("setFocus(%1)").arg(second));
}

TEST(FakeWindows, MessagesReachOnlyExistingWindows) {
    FakeWindows windows;
    const auto w = windows.addWindow("ClassVornelix", "");
    windows.onMessage = [&](const SentMessage& m) {
        if (m.message == 2)
            windows.removeWindow(m.window);
    };
    windows.sendMessage(w, 2, 0, 0);
    windows.sendMessage(w, 2, 0, 0);
    EXPECT_EQ(windows.messages.size(), 1u);
    EXPECT_EQ(windows.calls.size(), 2);
    EXPECT_FALSE(windows.windowExists(w));
}

TEST(FakeProcesses, StartsRecordAndEndOnlyRunningProcesses) {
    FakeProcesses processes;
    FakeWindows windows;
    processes.onStart = [&](const StartCall&, std::int64_t pid) {
        windows.addWindow("ClassVornelix", "", pid);
    };
    const auto r =
        processes.start("c:\\V\\Vornelix.exe", "c:\\V\\Xeminga 0 0 0", "c:\\V", ShowCommand::Hide);
    EXPECT_TRUE(r.started());
    EXPECT_NE(windows.findWindowOfProcess("ClassVornelix", r.pid), 0);
    EXPECT_TRUE(processes.end(r.pid));
    EXPECT_FALSE(processes.end(r.pid));

    processes.code = platform::kStartFileNotFound;
    EXPECT_EQ(processes.start("x", "", "", ShowCommand::Hide).pid, 0);
    EXPECT_EQ(processes.starts.size(), 2u);
    EXPECT_EQ(processes.starts[0].parameters, "c:\\V\\Xeminga 0 0 0");
}

}  // namespace
}  // namespace vornelix::test
