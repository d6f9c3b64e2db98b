#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QMdiArea>
#include <QPainter>
#include <functional>
#include <memory>

#include "app/app_windows.h"
#include "app/flat_bttn.h"
#include "app/form1.h"
#include "app/mdi_form1.h"
#include "app/mdl_load.h"
#include "app/picture_box.h"
#include "app/toolbar_pictures.h"
#include "forms/busy_state.h"
#include "machine/dlg_open_profile.h"
#include "machine/global_variables.h"
#include "machine/module_general_functions.h"
#include "network/dlg_network_settings_wizard.h"
#include "platform/folder_lock.h"
#include "profiles/creation_change.h"
#include "profiles/dlg_new_profile_wizard.h"
#include "profiles/frm_profile_settings.h"
#include "profiles/profile_folders.h"
#include "profiles/volume_creation.h"
#include "support/test_environment.h"

namespace vornelix {
namespace {

using M = MenuControl;

class MainWindowTest : public ::testing::Test {
  protected:
    MainWindowTest() {
        installAppWindows();
        window = std::make_unique<MDIForm1>();
    }

    // Those of the controls that the commands switch which a user can use: enabled, and for
    // a menu item, in an enabled menu.
    QString usableControls() const {
        static const QStringList watched =
            QStringLiteral(
                "mnuProfile_New mnuProfile_Open mnuProfile_close mnuControl_Play mnuControl_Stop "
                "mnuControl_Pause mnuView_FullScreen mnuView_ToggleMouse mnuTools_ShareDrive "
                "mnuTools_Network_Configurator mnuTools_Profile_Settings FlatBttnNew FlatBttnOpen "
                "FlatBttnClose FlatBttnPlay FlatBttnStop FlatBttnPause FlatBttnFullScreen "
                "FlatBttnNetwork FlatBttnProfSettings")
                .split(u' ');
        QStringList usable;
        for (const QString& name : watched) {
            if (auto* item = window->findChild<QAction*>(name)) {
                if (item->isEnabled() &&
                    window->findChild<QAction*>(name.section(u'_', 0, 0))->isEnabled())
                    usable << name;
            } else if (window->findChild<FlatBttn*>(name)->isEnabled()) {
                usable << name;
            }
        }
        return usable.join(u' ');
    }

    void setFlags(Flag profileOpen, Flag engineRunning) {
        gv().ProfileOpen = profileOpen;
        gv().EngineRunning = engineRunning;
        ModuleGeneralFunctions::UpdateMenusAndButtons();
    }

    test::TestEnvironment env;
    std::unique_ptr<MDIForm1> window;
};

// What a user can use, and the caption, after each command: open a profile, run it (nothing
// usable while it starts, the caption taken back first), stop it, close it.
TEST_F(MainWindowTest, CommandsLeaveTheControlsAndTheCaptionAUserExpects) {
    env.createDatabase();
    env.insertProfile({"Tiger", "c:\\HD", 3, "   ", "cdrom", 0, QVariant(), QVariant()});
    env.writeFile("c:\\HD\\hdimage.img", "image");
    env.engineMakesWindows();
    QString whileStarting;
    env.clock.onStep = [&](const char*, int) {
        whileStarting = window->caption() + ": " + usableControls();
    };
    const QString idle = "Vornelix [ Tiger - Press Ctrl+R to Start Mac ]";
    const QString noProfile =
        "mnuProfile_New mnuProfile_Open mnuTools_ShareDrive FlatBttnNew "
        "FlatBttnOpen";
    const QString profileOpen =
        "mnuProfile_New mnuProfile_Open mnuProfile_close mnuControl_Play mnuTools_ShareDrive "
        "mnuTools_Network_Configurator mnuTools_Profile_Settings FlatBttnNew FlatBttnOpen "
        "FlatBttnClose FlatBttnPlay FlatBttnNetwork FlatBttnProfSettings";
    EXPECT_EQ(usableControls(), noProfile);
    window->runCommand(M::FlatBttnOpen);
    form<DlgOpenProfile>().OKButton_Click();
    EXPECT_EQ(usableControls(), profileOpen);
    EXPECT_EQ(window->caption(), idle);
    window->runCommand(M::mnuControl_Play);
    EXPECT_EQ(whileStarting, "Vornelix: ");
    EXPECT_EQ(usableControls(),
              "mnuProfile_New mnuProfile_Open mnuControl_Stop mnuControl_Pause mnuView_FullScreen "
              "mnuView_ToggleMouse FlatBttnNew FlatBttnOpen FlatBttnStop FlatBttnPause "
              "FlatBttnFullScreen");
    window->runCommand(M::FlatBttnStop);
    EXPECT_EQ(usableControls(), profileOpen);
    EXPECT_EQ(window->caption(), idle);
    window->runCommand(M::mnuProfile_close);
    EXPECT_EQ(usableControls(), noProfile);
    EXPECT_EQ(window->caption(), "Vornelix");
    EXPECT_TRUE(env.ui.boxes.empty());
}

// A screen reader names each toolbar button after the menu item whose command it runs.
TEST_F(MainWindowTest, ToolbarButtonsAreNamedAfterTheirMenuItems) {
    const std::pair<const char*, const char*> rows[] = {
        {"FlatBttnNew", "New"},
        {"FlatBttnOpen", "Open"},
        {"FlatBttnClose", "Close"},
        {"FlatBttnPlay", "Run"},
        {"FlatBttnStop", "Stop"},
        {"FlatBttnPause", "Pause"},
        {"FlatBttnFullScreen", "Full Screen View"},
        {"FlatBttnNetwork", "Network Settings"},
        {"FlatBttnProfSettings", "Profile Settings"},
        {"FlatBttnNewShareDriv", "New"},
        {"FlatBttnCopy", "Copy"},
        {"FlatBttnPaste", "Paste"},
        {"FlatBttnCloseShareDrv", "Close"}};
    for (const auto& [name, caption] : rows)
        EXPECT_EQ(window->findChild<FlatBttn*>(name)->accessibleName(), caption) << name;
}

// Commands refused by their own flags or by the profile store say so in a box titled
// "Vornelix" and change nothing.
TEST_F(MainWindowTest, RefusalsShowTheirMessage) {
    const std::pair<M, const char*> refusals[] = {
        {M::mnuProfile_Open, "Could not find file 'c:\\Vornelix\\ASNMD.DAT'."},
        {M::mnuControl_Play, "No profile is open, please open a profile to run"},
        {M::FlatBttnStop, "No Profile is running."},
        {M::mnuView_FullScreen, "No Profile is running"},
        {M::mnuProfile_close, "No profile is open."},
    };
    for (const auto& [control, text] : refusals) {
        window->runCommand(control);
        EXPECT_EQ(env.ui.takeOnlyBox(), text) << menuControl(control).name;
    }
    env.createDatabase();
    window->runCommand(M::FlatBttnOpen);
    EXPECT_EQ(env.ui.takeOnlyBox(), "There is no profile, Please create profile first.");
    setFlags(kTrue, kTrue);
    window->runCommand(M::FlatBttnPlay);
    EXPECT_EQ(env.ui.takeOnlyBox(), "Already running a profile.");
    EXPECT_EQ(gv().EngineRunning, kTrue);
}

// Each toolbar button does what its menu item does.
TEST_F(MainWindowTest, EachButtonRunsItsMenuItemsCommand) {
    const struct {
        M button, item;
        const char* box;  // nullptr: none
        std::function<bool()> done;
    } rows[] = {
        {M::FlatBttnNew, M::mnuProfile_New, nullptr,
         [] { return isLoaded<DlgNewProfileWizard>(); }},
        {M::FlatBttnOpen, M::mnuProfile_Open, "Could not find file 'c:\\Vornelix\\ASNMD.DAT'.",
         [] { return true; }},
        {M::FlatBttnClose, M::mnuProfile_close, "No profile is open.", [] { return true; }},
        {M::FlatBttnPlay, M::mnuControl_Play, "No profile is open, please open a profile to run",
         [] { return true; }},
        {M::FlatBttnStop, M::mnuControl_Stop, "No Profile is running.", [] { return true; }},
        {M::FlatBttnFullScreen, M::mnuView_FullScreen, "No Profile is running",
         [] { return true; }},
        {M::FlatBttnNetwork, M::mnuTools_Network_Configurator, nullptr,
         [] { return isLoaded<DlgNetworkSettingsWizard>(); }},
        // Its store cannot be read: the dialog says why and goes.
        {M::FlatBttnProfSettings, M::mnuTools_Profile_Settings,
         "Could not find file 'c:\\Vornelix\\ASNMD.DAT'.",
         [] { return !isLoaded<frmProfileSettings>(); }},
    };
    for (const auto& row : rows)
        for (const M control : {row.item, row.button}) {
            window->runCommand(control);
            if (row.box)
                EXPECT_EQ(env.ui.takeOnlyBox(), row.box) << menuControl(control).name;
            else
                EXPECT_TRUE(env.ui.boxes.empty()) << menuControl(control).name;
            EXPECT_TRUE(row.done()) << menuControl(control).name;
            FormRegistry::unloadAll();
        }
}

// The load: the start resolution from the screen, the help picture at the right end of the
// 1024-pixel screen, the share-drive strip hidden, the network poll off; View > Toolbar moves
// its check mark and the strip together.
TEST_F(MainWindowTest, LoadAndTheToolbarToggle) {
    EXPECT_EQ(gv().StartResolution, "\"1024x768x32\"");
    EXPECT_EQ(window->picture("PictureHelp")->geometry(), QRect(1024 - 95, 2, 95, 67));
    EXPECT_TRUE(window->picture("PictureSharedvButtons")->isHidden());
    window->menuItem(M::mnuView_Toolbar)->trigger();
    EXPECT_FALSE(window->menuItem(M::mnuView_Toolbar)->isChecked());
    EXPECT_TRUE(window->picture("Picture1")->isHidden());
}

// A dialog opened over the maximized machine window opens at its own size, and the main
// window's caption stays what the program set.
TEST_F(MainWindowTest, DialogsOverTheMaximizedMachineWindow) {
    window->show();
    env.createDatabase();
    form<Form1>().Show();
    ASSERT_TRUE(form<Form1>().subWindow()->isMaximized());
    window->setCaption("Vornelix [ Tiger - Press Ctrl+R to Start Mac ]");
    form<DlgOpenProfile>().Show();
    EXPECT_FALSE(form<DlgOpenProfile>().subWindow()->isMaximized());
    EXPECT_EQ(window->windowTitle(), "Vornelix [ Tiger - Press Ctrl+R to Start Mac ]");
    unload<DlgOpenProfile>();
    window->mdiArea()->setActiveSubWindow(form<Form1>().subWindow());
    EXPECT_EQ(window->windowTitle(), "Vornelix [ Tiger - Press Ctrl+R to Start Mac ]");
}

// The main window's network timer drives the poll for a trigger file (what the file switches
// is held with networkTimerTick); stopping the engine leaves it running.
TEST_F(MainWindowTest, NetworkTimerPollsUntilTheTriggerFileAndStopDoesNotEndIt) {
    gv().EngineRunning = kTrue;
    window->setNetworkPollCount(0);
    window->setNetworkTimerEnabled(true);
    env.clock.advance(1000);
    window->runCommand(MenuControl::mnuControl_Stop);
    env.clock.advance(1000);
    EXPECT_TRUE(window->networkTimer().isEnabled());
    EXPECT_EQ(window->networkPollCount(), 20);

    env.writeFile("c:\\Vornelix\\eth0.ras", "");
    env.clock.advance(100);
    EXPECT_FALSE(window->networkTimer().isEnabled());
    EXPECT_FALSE(env.files().fileExists("c:\\Vornelix\\eth0.ras"));
}

// The machine window loads with the unlit icons showing; its unload deletes the configuration
// file.
TEST_F(MainWindowTest, MachineWindowUnloadDeletesTheConfigurationFileAndLoadStartsUnlit) {
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

// A second instance on the same program folder is refused; the lock goes with its holder, so
// an instance that ended (or crashed) leaves nothing behind.
TEST(SecondInstance, IsRefusedWhileTheFirstHoldsTheProgramFolder) {
    test::TestEnvironment env;
    auto first = MdlLoad::claimProgramFolder();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(MdlLoad::claimProgramFolder(), nullptr);
    EXPECT_EQ(env.ui.takeOnlyBox(), "Vornelix is already running.");
    first.reset();
    EXPECT_NE(MdlLoad::claimProgramFolder(), nullptr);
}

// The start takes away what a creation that the last run did not finish has made, and says
// so, before the main window shows.
TEST(Start, UndoesAnUnfinishedCreationBeforeTheMainWindowShows) {
    test::TestEnvironment env;
    installAppWindows();
    CreationChange killed;  // a creation killed once its folder is made
    killed.forProfile("Test", R"(c:\Vornelix_HD\Test)");
    killed.keepOnDisk();
    makeProfileFolder("c:", "Test", killed);
    killed.folderReady();
    MdlLoad::Main();
    EXPECT_FALSE(env.files().folderExists(R"(c:\Vornelix_HD)"));
    EXPECT_FALSE(env.files().fileExists(killed.file()));
    EXPECT_TRUE(env.ui.takeOnlyBox().startsWith("The profile Test was not fully created"));
    EXPECT_TRUE(MDIForm1::instance()->isVisible());
    delete MDIForm1::instance();
}

QImage image(const QPixmap& pixmap) {
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

// The mask colour is cut out of every picture, also when it changes later; a state without
// a picture of its own shows the normal one.
TEST(FlatBttn, ShowsThePictureOfItsStateWithoutTheMaskColour) {
    QPixmap picture(26, 35);
    picture.fill(Qt::white);
    QPainter(&picture).fillRect(5, 5, 10, 10, QColor(0xFE, 0xFE, 0xFE));
    FlatBttn button;
    button.setPicture(picture);
    const QImage shown = image(button.shownPicture(FlatBttn::Look::Over));
    EXPECT_EQ(qAlpha(shown.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(shown.pixel(7, 7)), 255);
    button.setMaskColor(QColor(0xFE, 0xFE, 0xFE));
    const QImage remasked = image(button.shownPicture(FlatBttn::Look::Normal));
    EXPECT_EQ(qAlpha(remasked.pixel(0, 0)), 255);
    EXPECT_EQ(qAlpha(remasked.pixel(7, 7)), 0);
}

// Every icon draws four distinct pictures with no pixel of the white mask colour, which would
// cut holes into them.
TEST(ToolbarPictures, EveryIconDrawsFourDistinctPicturesWithoutMaskColour) {
    for (int icon = 0; icon <= static_cast<int>(ToolbarIcon::Paste); ++icon) {
        SCOPED_TRACE(icon);
        const FlatBttnPictures p = drawToolbarButton(static_cast<ToolbarIcon>(icon), {26, 35}, 2);
        for (const QPixmap* picture : {&p.normal, &p.disabled, &p.down, &p.over}) {
            EXPECT_EQ(picture->deviceIndependentSize().toSize(), QSize(26, 35));
            const QImage pixels = image(*picture);
            int white = 0, opaque = 0;
            for (int y = 0; y < pixels.height(); ++y)
                for (int x = 0; x < pixels.width(); ++x) {
                    white += pixels.pixel(x, y) == qRgba(255, 255, 255, 255);
                    opaque += qAlpha(pixels.pixel(x, y)) > 0;
                }
            EXPECT_EQ(white, 0);
            EXPECT_GT(opaque, 100);
            EXPECT_TRUE(picture == &p.normal || pixels != image(p.normal));
        }
    }
}

const QString kTitle = "Vornel Drag And Drop";
const char* const kFailed =
    "Vornelix Share Drive Module Failed ,Please report at https://support.example.com/vornelix";

// Start code, sleeps before the window comes (-1: never), engine running, message, sleeps.
using OpenCase = std::tuple<int, int, Flag, std::string, std::size_t>;

// The started program makes its window once the clock has slept this often.
class ShareDriveTest : public MainWindowTest, public ::testing::WithParamInterface<OpenCase> {
  protected:
    ShareDriveTest() {
        env.clock.onStep = [this](const char*, int) {
            if (!own && static_cast<int>(env.clock.sleeps.size()) == sleepsBeforeWindow)
                own = env.windows.addWindow("", kTitle, env.processes.nextPid - 1);
        };
    }

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
