#include <gtest/gtest.h>

#include "forms/busy_state.h"
#include "forms/machine_window_port.h"
#include "forms/upper_windows.h"
#include "support/test_environment.h"

namespace vornelix {
namespace {

// Nested work, of one kind or of several: the main window is told as the outermost work begins
// and again as it ends, and each kind is under way only inside its own scopes.
TEST(BusyState, TheMainWindowFollowsTheOutermostWork) {
    test::TestEnvironment env;
    int& updates = env.upper.recordingMain.menuUpdates;
    for (const BusyWork inner : {BusyWork::ProfileStart, BusyWork::Extraction}) {
        updates = 0;
        {
            BusyScope outer(BusyWork::ProfileStart);
            EXPECT_EQ(updates, 1);
            {
                BusyScope nested(inner);
                EXPECT_TRUE(isBusyWith(inner));
                EXPECT_FALSE(isBusyWith(BusyWork::VolumeMove));
            }
            EXPECT_TRUE(isBusy());
            EXPECT_TRUE(isBusyWith(BusyWork::ProfileStart));
            EXPECT_FALSE(isBusyWith(BusyWork::Extraction));
            EXPECT_EQ(updates, 1);
        }
        EXPECT_FALSE(isBusy());
        EXPECT_EQ(updates, 2);
    }
}

// With no windows installed nothing is shown: no main window, and a machine window that hosts
// nothing and is never loaded.
TEST(UpperWindows, WithNoneInstalledNothingIsShown) {
    test::TestEnvironment env;
    UpperWindows* const saved = installUpperWindows(nullptr);
    EXPECT_EQ(mainWindow(), nullptr);
    MachineWindowPort& machine = machineWindow();
    machine.Show();
    machine.setProgressCaption("Starting");
    EXPECT_EQ(machine.picture1Handle(), 0);
    EXPECT_FALSE(isMachineWindowLoaded());
    unloadMachineWindow();
    showProfileSettings();
    showFaq(0, true);
    { BusyScope work(BusyWork::Creation); }
    installUpperWindows(saved);
    EXPECT_EQ(env.upper.profileSettingsShown, 0);
    EXPECT_TRUE(env.upper.faqShown.empty());
    EXPECT_EQ(env.upper.recordingMain.menuUpdates, 0);
}

}  // namespace
}  // namespace vornelix
