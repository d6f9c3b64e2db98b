#include <gtest/gtest.h>

#include "app/app_windows.h"
#include "app/form1.h"
#include "app/form1_layout.h"
#include "support/test_environment.h"

namespace vornelix {
namespace {

TEST(Form1Layout, PlacesLogoBarIconsAndCaptionOnA1024By768Screen) {
    const Form1Layout l = computeForm1Layout(15360, 11520);
    EXPECT_EQ(l.picture1, QRectF(-30, -450, 15360, 11520));
    EXPECT_DOUBLE_EQ(l.logo.x(), 5437.5);
    EXPECT_DOUBLE_EQ(l.logo.y(), 3840);
    EXPECT_DOUBLE_EQ(l.loginBar.x(), 5637.5);
    EXPECT_DOUBLE_EQ(l.loginBar.y(), 5770.5);
    const double lefts[] = {0, 875, 1750, 2625, 3500};
    for (int pair = 0; pair < 5; ++pair) {
        EXPECT_EQ(l.progressPictures[2 * pair], QPointF(lefts[pair], 50)) << pair;
        EXPECT_EQ(l.progressPictures[2 * pair + 1], QPointF(lefts[pair], 0)) << pair;
    }
    EXPECT_EQ(l.progressLabel, QPointF(0, 849.5));
}

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
