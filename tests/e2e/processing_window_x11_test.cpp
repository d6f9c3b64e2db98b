#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMdiSubWindow>
#include <QTest>

#include "app/app_windows.h"
#include "app/mdi_form1.h"

#include "e2e/x11_probe.h"
#include "machine/global_variables.h"
#include "profiles/creation_start.h"
#include "profiles/frm_processing.h"
#include "support/test_environment.h"

namespace vornelix {
namespace {

// The progress window on a real X server at each step of a creation with a source: every
// control lies inside the window and the current step is the one in bold.
TEST(ProcessingWindowX11, EachStepShowsInsideTheWindow) {
    test::TestEnvironment env;
    env.createDatabase();
    env.writeFile(R"(c:\Vornelix\VornelHD.exe)", "tool");
    GlobalVariablesModule& g = gv();
    g.ProfileName = "Tiger";
    g.GrowableVolume = kTrue;
    g.HardDiskSizeGB = 3;
    g.VolumeDrive = "c:";
    g.HardDiskPath = R"(c:\Vornelix_HD\)";
    g.CdRomType = "cdrom";
    g.CdRomPath = "   ";
    installAppWindows();
    MDIForm1 main;
    main.resize(1000, 720);
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    startProfileCreation();
    frmProcessing& window = form<frmProcessing>();
    for (int step = 1; step <= 3; ++step) {
        QTest::qWait(200);
        for (QWidget* child : window.findChildren<QWidget*>())
            EXPECT_TRUE(
                window.rect().contains(QRect(child->mapTo(&window, QPoint()), child->size())))
                << child->objectName().toStdString();
        test::saveScreenshot(window.subWindow()->grab().toImage(),
                             QString("frm_processing_step%1.png").arg(step));
        env.clock.advance(frmProcessing::kTimerIntervalMs);
    }
    env.clock.advance(frmProcessing::kTimerIntervalMs);
    EXPECT_FALSE(isLoaded<frmProcessing>());
}

}  // namespace
}  // namespace vornelix
