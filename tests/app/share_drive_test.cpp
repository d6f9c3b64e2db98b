#include <gtest/gtest.h>

#include <QAction>

#include "app/app_windows.h"
#include "app/form1.h"
#include "app/mdi_form1.h"
#include "app/picture_box.h"
#include "support/test_environment.h"

namespace vornelix {
namespace {

using M = MenuControl;
const QString kTitle = "Vornel Drag And Drop";
const char* const kFailed =
    "Vornelix Share Drive Module Failed ,Please report at https://support.example.com/vornelix";

// Start code, sleeps before the window comes (-1: never), engine running, message, sleeps.
using OpenCase = std::tuple<int, int, Flag, std::string, std::size_t>;

// The started program makes its window once the clock has slept this often.
class ShareDriveTest : public ::testing::TestWithParam<OpenCase> {
  protected:
    ShareDriveTest() {
        installAppWindows();
        window = std::make_unique<MDIForm1>();
        env.clock.onStep = [this](const char*, int) {
            if (!own && static_cast<int>(env.clock.sleeps.size()) == sleepsBeforeWindow)
                own = env.windows.addWindow("", kTitle, env.processes.nextPid - 1);
        };
    }

    test::TestEnvironment env;
    std::unique_ptr<MDIForm1> window;
    int sleepsBeforeWindow = 1;
    WindowHandle own = 0;
};

TEST_P(ShareDriveTest, TakesOnlyTheWindowOfTheProgramItStarted) {
    const auto& [code, before, engineRunning, message, sleeps] = GetParam();
    env.processes.code = code;
    gv().EngineRunning = engineRunning;
    sleepsBeforeWindow = before;
    const WindowHandle earlier = env.windows.addWindow("", kTitle, 7);
    window->runCommand(M::mnuTools_ShareDrive);
    EXPECT_EQ(env.ui.lastText().toStdString(), message);
    EXPECT_EQ(env.clock.sleeps, std::vector<int>(sleeps, 100));
    EXPECT_EQ(gv().ShareDriveWindow, own);
    EXPECT_EQ(gv().ShareDriveOpen, own ? kTrue : kFalse);
    EXPECT_EQ(window->picture("PictureSharedvButtons")->isHidden(), own == 0);
    EXPECT_EQ(env.processes.running.size(), own ? 1u : 0u) << "nothing else left running";
    EXPECT_EQ(env.files().fileExists("c:\\Vornelix\\pszFile"), engineRunning == kFalse);
    EXPECT_EQ(env.windows.parentOf(earlier), 0);
    if (own) {
        window->runCommand(M::mnuTools_ShareDrive);
        EXPECT_EQ(env.processes.starts.size(), 1u) << "the embedded one stays";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Open, ShareDriveTest,
    ::testing::Values(OpenCase(platform::kStartOk, 10, kFalse, "", 10),
                      OpenCase(platform::kStartOk, -1, kFalse, kFailed, 30),
                      OpenCase(platform::kStartFileNotFound, 0, kFalse, kFailed, 0),
                      OpenCase(platform::kStartOk, 0, kTrue, "Already running a profile.", 0)));

// The strip's Close, Profile > Close and any unload of the machine window end alike, with
// Close disabled although a profile is open.
TEST_F(ShareDriveTest, EveryCloseRestoresTheProfileMenus) {
    const std::function<void()> closes[] = {
        [&] { window->runCommand(M::FlatBttnCloseShareDrv); },
        [&] { window->runCommand(M::mnuProfile_close); },
        [] { unload<Form1>(); },
        // The program ends by itself.
        [&] {
            env.processes.running.clear();
            env.clock.advance(1000);
        },
    };
    for (const auto& close : closes) {
        gv().ProfileOpen = kTrue;
        window->runCommand(M::mnuTools_ShareDrive);
        EXPECT_EQ(window->menuItem(M::mnuProfile)->text(), "Share Drive");
        close();
        EXPECT_EQ(gv().ShareDriveOpen, kFalse);
        EXPECT_FALSE(isLoaded<Form1>());
        EXPECT_EQ(window->menuItem(M::mnuProfile)->text(), "Profile");
        EXPECT_FALSE(window->menuItem(M::mnuProfile_close)->isEnabled());
        own = 0;
        env.clock.sleeps.clear();
    }
}

}  // namespace
}  // namespace vornelix
