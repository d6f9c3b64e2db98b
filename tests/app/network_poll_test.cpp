#include <gtest/gtest.h>

#include "app/app_windows.h"
#include "app/mdi_form1.h"
#include "machine/global_variables.h"
#include "support/test_environment.h"

namespace vornelix {
namespace {

// The main window's network timer drives the poll for a trigger file; stopping the engine
// leaves it running.
TEST(NetworkPoll, MainWindowTimerPollsUntilTheTriggerFileAndStopDoesNotEndIt) {
    test::TestEnvironment env;
    installAppWindows();
    MDIForm1 window;
    gv().HostIPAddress = "192.168.0.1";
    gv().HostSubnetMask = "255.255.255.0";
    gv().EngineRunning = kTrue;
    window.setNetworkPollCount(0);
    window.setNetworkTimerEnabled(true);
    env.clock.advance(1000);
    window.runCommand(MenuControl::mnuControl_Stop);
    env.clock.advance(1000);
    EXPECT_TRUE(window.networkTimer().isEnabled());
    EXPECT_EQ(window.networkPollCount(), 20);

    env.writeFile("c:\\Vornelix\\eth0.ras", "");
    env.clock.advance(100);
    EXPECT_FALSE(window.networkTimer().isEnabled());
    ASSERT_FALSE(env.processes.starts.empty());
    EXPECT_EQ(env.processes.starts.back().parameters, "address add 192.168.0.1/24 dev eth0");
}

}  // namespace
}  // namespace vornelix
