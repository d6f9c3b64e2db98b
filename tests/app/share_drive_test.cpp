#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <memory>

#include "app/app_windows.h"
#include "app/flat_bttn.h"
#include "app/form1.h"
#include "app/mdi_form1.h"
#include "app/picture_box.h"
#include "support/test_environment.h"

namespace vornelix {
namespace {

using M = MenuControl;
const QString kTitle = "Vornel Drag And Drop";

// The visible menus and items; disabled ones in brackets.
QString shownMenus(MDIForm1& window) {
    QStringList out;
    for (QAction* menu : window.menuBar()->actions()) {
        if (!menu->isVisible())
            continue;
        out << menu->text() + ":";
        for (QAction* item : menu->menu()->actions())
            if (item->isVisible() && !item->isSeparator())
                out << (item->isEnabled() ? item->text() : "[" + item->text() + "]");
    }
    return out.join(' ');
}

const QString kProfileMode =
    "&Control: Run Stop Pause V&iew: [Full Screen View] [Toggle Mouse] Toolbar &Tools: Shared "
    "Drive [Network Settings] [Profile Settings] &Help: About Vornelix Contents FAQ";

class ShareDriveTest : public ::testing::Test {
  protected:
    ShareDriveTest() {
        installAppWindows();
        window = std::make_unique<MDIForm1>();
        // The program makes its window once the clock has slept this often (-1: never).
        env.processes.onStart = [this](const test::StartCall&, std::int64_t pid) {
            if (sleepsBeforeWindow == 0)
                own = env.windows.addWindow("", kTitle, pid);
            env.clock.onStep = [this, pid](const char* what, int) {
                if (QLatin1String(what) == "sleep" &&
                    static_cast<int>(env.clock.sleeps.size()) == sleepsBeforeWindow)
                    own = env.windows.addWindow("", kTitle, pid);
            };
        };
    }
    ~ShareDriveTest() override { window.reset(); }

    void open() {
        window->runCommand(M::mnuTools_ShareDrive);
        ASSERT_NE(gv().ShareDriveWindow, 0) << env.ui.lastText().toStdString();
    }
    QRect placed() {
        test::FakeWindow* w = env.windows.window(own);
        return QRect(w->x, w->y, w->width, w->height);
    }
    bool stripShown() const { return !window->picture("PictureSharedvButtons")->isHidden(); }

    test::TestEnvironment env;
    std::unique_ptr<MDIForm1> window;
    int sleepsBeforeWindow = 0;
    WindowHandle own = 0;
};

struct OpenCase {
    const char* name;
    int startCode;
    int sleepsBeforeWindow;
    Flag engineRunning;
    bool earlierWindow;  // a share-drive window of another program is on the desktop
    const char* message;
    std::size_t sleeps;
    std::size_t ended;
};

TEST_F(ShareDriveTest, OpenWaitsForTheWindowOfTheProgramItStarted) {
    const char* failed =
        "Vornelix Share Drive Module Failed ,Please report at https://support.example.com/vornelix";
    const OpenCase cases[] = {
        {"at once", platform::kStartOk, 0, kFalse, false, nullptr, 0, 0},
        {"after a second", platform::kStartOk, 10, kFalse, true, nullptr, 10, 0},
        {"never", platform::kStartOk, -1, kFalse, true, failed, 30, 1},
        {"missing program", platform::kStartFileNotFound, 0, kFalse, false, failed, 0, 0},
        {"engine running", platform::kStartOk, 0, kTrue, false, "Already running a profile.", 0, 0},
    };
    for (const OpenCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto onStart = env.processes.onStart;
        env.processes = {};
        env.processes.onStart = onStart;
        env.processes.code = c.startCode;
        env.clock.sleeps.clear();
        env.ui.boxes.clear();
        gv().EngineRunning = c.engineRunning;
        sleepsBeforeWindow = c.sleepsBeforeWindow;
        own = 0;
        const WindowHandle earlier = c.earlierWindow ? env.windows.addWindow("", kTitle, 7) : 0;

        const QString caption = window->menuItem(M::mnuProfile)->text();
        window->runCommand(M::mnuTools_ShareDrive);
        EXPECT_EQ(env.ui.lastText(), c.message ? QString(c.message) : QString());
        EXPECT_EQ(env.clock.sleeps, std::vector<int>(c.sleeps, 100));
        EXPECT_EQ(env.processes.ended.size(), c.ended);
        EXPECT_EQ(env.processes.starts.size(), c.engineRunning == kTrue ? 0u : 1u);
        EXPECT_EQ(stripShown(), c.message == nullptr);
        if (c.message) {
            EXPECT_EQ(gv().ShareDriveWindow, 0);
            EXPECT_EQ(gv().ShareDriveOpen, kFalse);
            EXPECT_EQ(window->menuItem(M::mnuProfile)->text(), caption);
            continue;
        }
        const test::StartCall& start = env.processes.starts[0];
        EXPECT_EQ(start.program, "c:\\Vornelix\\chktarakh.ctq");
        EXPECT_EQ(start.show, platform::ShowCommand::Hide);
        EXPECT_TRUE(env.files().fileExists("c:\\Vornelix\\pszFile"));
        EXPECT_EQ(gv().ShareDriveWindow, own);
        EXPECT_EQ(env.windows.parentOf(own), form<Form1>().picture1Handle());
        EXPECT_EQ(env.windows.parentOf(earlier), 0);
        EXPECT_EQ(placed(), QRect(0, 5, 1024, 768 - 105));
        EXPECT_TRUE(env.windows.isVisible(own));
        EXPECT_NE(form<Form1>().subWindow(), nullptr) << "shown";
        // A second open leaves the embedded one alone.
        window->runCommand(M::mnuTools_ShareDrive);
        EXPECT_EQ(env.processes.starts.size(), 1u);
        window->FlatBttnCloseShareDrv_Click();
    }
}

TEST_F(ShareDriveTest, ButtonsMenuItemsAndShortcutsSendTheirMessages) {
    window->show();
    open();
    EXPECT_EQ(shownMenus(*window),
              "Share Drive: New Copy Paste Close Exit Vornelix V&iew: Toolbar &Help: About "
              "Vornelix Contents FAQ");
    const std::pair<M, std::uint32_t> sends[] = {
        {M::FlatBttnNewShareDriv, 11110}, {M::FlatBttnOpenShareDrv, 11111},
        {M::FlatBttnCopy, 11114},         {M::FlatBttnPaste, 11115},
        {M::mnuProfile_New, 11110},       {M::mnuProfile_Copy, 11114},
        {M::mnuProfile_Paste, 11115},
    };
    for (const auto& [control, message] : sends) {
        env.windows.calls.clear();
        window->runCommand(control);
        EXPECT_EQ(env.windows.calls,
                  QStringList({QString("setFocus(%1)").arg(own),
                               QString("sendMessage(%1, %2, 0, 0)").arg(own).arg(message)}))
            << menuControl(control).name;
    }
    for (const auto& [key, message] :
         {std::pair{Qt::Key_N, 11110}, {Qt::Key_C, 11114}, {Qt::Key_V, 11115}}) {
        QApplication::setActiveWindow(window.get());
        QTest::keyClick(window.get(), key, Qt::ControlModifier);
        EXPECT_EQ(env.windows.messages.back().message, static_cast<std::uint32_t>(message));
    }
    EXPECT_TRUE(window->flatButton(M::FlatBttnCopy)->isVisible());
    EXPECT_FALSE(window->flatButton(M::FlatBttnOpenShareDrv)->isVisible());
}

TEST_F(ShareDriveTest, ToolbarGivesTheEmbeddedWindowSeventyPixels) {
    open();
    for (const int height : {768 - 35, 768 - 105, 768 - 35}) {
        window->runCommand(M::mnuView_Toolbar);
        EXPECT_EQ(placed(), QRect(0, 5, 1024, height));
    }
}

// The strip's Close button, Profile > Close and any unload of the machine window end alike.
TEST_F(ShareDriveTest, EveryCloseRestoresTheProfileMenuMode) {
    const std::function<void()> closes[] = {
        [&] { window->runCommand(M::FlatBttnCloseShareDrv); },
        [&] { window->runCommand(M::mnuProfile_close); },
        [] { unload<Form1>(); },
    };
    for (const auto& close : closes) {
        gv().ProfileOpen = kTrue;
        open();
        const WindowHandle embedded = own;
        env.writeFile("c:\\Vornelix\\Xeminga", "x");
        close();
        EXPECT_EQ(gv().ShareDriveWindow, 0);
        EXPECT_EQ(gv().ShareDriveOpen, kFalse);
        EXPECT_EQ(gv().ProfileOpen, kTrue);
        EXPECT_FALSE(isLoaded<Form1>());
        EXPECT_FALSE(stripShown());
        EXPECT_FALSE(env.files().fileExists("c:\\Vornelix\\Xeminga"));
        EXPECT_EQ(shownMenus(*window), "Profile: New Open [Close] Exit Vornelix " + kProfileMode);
        EXPECT_TRUE(env.ui.boxes.empty());
        env.windows.removeWindow(embedded);  // the program ends with its host window
    }
}

}  // namespace
}  // namespace vornelix
