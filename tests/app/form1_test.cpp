#include <gtest/gtest.h>

#include "app/app_windows.h"
#include "app/form1.h"
#include "support/test_environment.h"

namespace vornelix {
namespace {

TEST(Form1, UnloadDeletesTheConfigurationFileAndLoadStartsUnlit) {
    test::TestEnvironment env;
    installAppWindows();
    env.writeFile("c:\\Vornelix\\Xeminga", "x");
    MachineWindowPort& w = machineWindow();
    for (int i = 0; i < kProgressPictureCount; ++i)
        EXPECT_EQ(w.isProgressPictureVisible(i), i % 2 == 0) << i;
    EXPECT_EQ(w.progressCaption(), "Getting System Parameters");
    unloadMachineWindow();
    EXPECT_FALSE(isMachineWindowLoaded());
    EXPECT_FALSE(env.files().fileExists("c:\\Vornelix\\Xeminga"));
    // A second unload, and an unload without the file, do nothing.
    machineWindow();
    unloadMachineWindow();
    unloadMachineWindow();
}

}  // namespace
}  // namespace vornelix
