#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <map>
#include <memory>

#include "app/flat_bttn.h"
#include "app/mdi_form1.h"
#include "app/picture_box.h"
#include "machine/forms.h"
#include "machine/engine_interface.h"
#include "machine/global_variables.h"
#include "machine/machine_window_port.h"
#include "machine/module_general_functions.h"
#include "machine/profile_store.h"
#include "platform/database.h"
#include "support/fake_machine_window.h"
#include "support/test_environment.h"

namespace vornelix {
namespace {

using platform::MsgButtons;

// Every control of the enable table, menu items first.
const QStringList kTableControls = {"mnuProfile_close",
                                    "mnuControl",
                                    "mnuControl_Play",
                                    "mnuControl_Stop",
                                    "mnuControl_Pause",
                                    "mnuView_FullScreen",
                                    "mnuView_ToggleMouse",
                                    "mnuTools_Network_Configurator",
                                    "mnuTools_Profile_Settings",
                                    "mnuTools_ShareDrive",
                                    "FlatBttnClose",
                                    "FlatBttnPlay",
                                    "FlatBttnStop",
                                    "FlatBttnPause",
                                    "FlatBttnFullScreen",
                                    "FlatBttnNetwork",
                                    "FlatBttnProfSettings"};

// Controls the enable state never touches; they stay enabled.
const QStringList kAlwaysEnabled = {
    "mnuProfile",      "mnuProfile_New", "mnuProfile_Open", "mnuProfile_exit", "mnuView",
    "mnuView_Toolbar", "mnuTools",       "mnuHelp",         "mnuHelp_About",   "mnuHelp_Contents",
    "mnuHelp_FAQ",     "FlatBttnNew",    "FlatBttnOpen"};

using Enabled = std::map<QString, bool>;

// A test form that counts its unloads.
class LoadedForm : public Form {
  public:
    static inline int unloads = 0;

  protected:
    void Form_Unload() override { ++unloads; }
};

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { window = std::make_unique<MDIForm1>(); }
    void TearDown() override { window.reset(); }

    bool isEnabled(const QString& name) const {
        if (QAction* item = window->menuItem(name))
            return item->isEnabled();
        FlatBttn* button = window->flatButton(name);
        EXPECT_NE(button, nullptr) << name.toStdString();
        return button && button->isEnabled();
    }

    Enabled snapshot(const QStringList& names) const {
        Enabled result;
        for (const QString& name : names) result[name] = isEnabled(name);
        return result;
    }

    void setFlags(Flag profileOpen, Flag engineRunning) {
        gv().ProfileOpen = profileOpen;
        gv().EngineRunning = engineRunning;
        ModuleGeneralFunctions::UpdateMenusAndButtons();
    }

    // The only box shown since the last call, checked for title and buttons.
    QString onlyMessage() {
        EXPECT_EQ(env.ui.boxes.size(), 1u);
        if (env.ui.boxes.empty())
            return {};
        const platform::MessageBoxRequest box = env.ui.boxes.back();
        EXPECT_EQ(box.title, "Vornelix");
        EXPECT_EQ(box.buttons, MsgButtons::Ok);
        env.ui.boxes.clear();
        return box.text;
    }

    test::TestEnvironment env;
    std::unique_ptr<MDIForm1> window;
};

// Enabled in each state, from the table: no profile, profile idle, engine running.
const std::map<QString, std::array<bool, 3>> kExpected = {
    {"mnuProfile_close", {false, true, false}},
    {"mnuControl", {false, true, true}},
    {"mnuView_FullScreen", {false, false, true}},
    {"mnuView_ToggleMouse", {false, false, true}},
    {"mnuTools_Network_Configurator", {false, true, false}},
    {"mnuTools_Profile_Settings", {false, true, false}},
    {"mnuTools_ShareDrive", {true, true, false}},
    {"FlatBttnClose", {false, true, false}},
    {"FlatBttnPlay", {false, true, false}},
    {"FlatBttnStop", {false, false, true}},
    {"FlatBttnPause", {false, false, true}},
    {"FlatBttnFullScreen", {false, false, true}},
    {"FlatBttnNetwork", {false, true, false}},
    {"FlatBttnProfSettings", {false, true, false}},
};

void expectState(const Enabled& actual, int column) {
    for (const auto& [name, values] : kExpected)
        EXPECT_EQ(actual.at(name), values[column]) << name.toStdString() << " in state " << column;
}

TEST_F(MainWindowTest, StartsInTheNoProfileState) {
    const Enabled state = snapshot(kTableControls);
    expectState(state, 0);
    // Never set before: enabled, but under the disabled Control menu.
    EXPECT_TRUE(state.at("mnuControl_Play"));
    EXPECT_TRUE(state.at("mnuControl_Stop"));
    EXPECT_TRUE(state.at("mnuControl_Pause"));
    for (const auto& [name, enabled] : snapshot(kAlwaysEnabled))
        EXPECT_TRUE(enabled) << name.toStdString();
}

TEST_F(MainWindowTest, ProfileIdleAndEngineRunningStates) {
    setFlags(kTrue, kFalse);
    Enabled state = snapshot(kTableControls);
    expectState(state, 1);
    EXPECT_TRUE(state.at("mnuControl_Play"));
    EXPECT_FALSE(state.at("mnuControl_Stop"));
    EXPECT_FALSE(state.at("mnuControl_Pause"));

    setFlags(kTrue, kTrue);
    state = snapshot(kTableControls);
    expectState(state, 2);
    EXPECT_FALSE(state.at("mnuControl_Play"));
    EXPECT_TRUE(state.at("mnuControl_Stop"));
    EXPECT_TRUE(state.at("mnuControl_Pause"));
    for (const auto& [name, enabled] : snapshot(kAlwaysEnabled))
        EXPECT_TRUE(enabled) << name.toStdString();
}

TEST_F(MainWindowTest, EngineRunningWithoutProfileIsTheNoProfileState) {
    setFlags(kFalse, kTrue);
    expectState(snapshot(kTableControls), 0);
}

TEST_F(MainWindowTest, RunStopAndPauseKeepTheirStateWhileControlMenuIsDisabled) {
    setFlags(kTrue, kTrue);
    setFlags(kFalse, kFalse);
    EXPECT_FALSE(isEnabled("mnuControl"));
    EXPECT_FALSE(isEnabled("mnuControl_Play"));
    EXPECT_TRUE(isEnabled("mnuControl_Stop"));
    EXPECT_TRUE(isEnabled("mnuControl_Pause"));

    setFlags(kTrue, kFalse);
    setFlags(kFalse, kFalse);
    EXPECT_TRUE(isEnabled("mnuControl_Play"));
    EXPECT_FALSE(isEnabled("mnuControl_Stop"));
    EXPECT_FALSE(isEnabled("mnuControl_Pause"));
    // The buttons are set in every state.
    EXPECT_FALSE(isEnabled("FlatBttnPlay"));
    EXPECT_FALSE(isEnabled("FlatBttnStop"));
}

TEST_F(MainWindowTest, UpdatingTwiceGivesTheSameResultAsOnce) {
    const std::pair<Flag, Flag> states[] = {{kFalse, kFalse}, {kTrue, kFalse}, {kTrue, kTrue}};
    for (const auto& [profile, engine] : states) {
        setFlags(profile, engine);
        const Enabled once = snapshot(kTableControls + kAlwaysEnabled);
        ModuleGeneralFunctions::UpdateMenusAndButtons();
        EXPECT_EQ(snapshot(kTableControls + kAlwaysEnabled), once);
    }
}

TEST_F(MainWindowTest, ApplyEnableStateLeavesUnchangedCellsAlone) {
    EnableState state{};
    state[static_cast<int>(MenuControl::FlatBttnNetwork)] = true;
    state[static_cast<int>(MenuControl::mnuControl_Stop)] = false;
    const Enabled before = snapshot(kTableControls);
    window->applyEnableState(state);
    Enabled after = snapshot(kTableControls);
    EXPECT_TRUE(after.at("FlatBttnNetwork"));
    EXPECT_FALSE(after.at("mnuControl_Stop"));
    after["FlatBttnNetwork"] = before.at("FlatBttnNetwork");
    after["mnuControl_Stop"] = before.at("mnuControl_Stop");
    EXPECT_EQ(after, before);
}

TEST_F(MainWindowTest, RefusalsShowTheirMessageAndChangeNothing) {
    window->setCaption("before");
    window->mnuControl_Play_Click();
    EXPECT_EQ(onlyMessage(), "No profile is open, please open a profile to run");
    window->mnuControl_Stop_Click();
    EXPECT_EQ(onlyMessage(), "No Profile is running.");
    window->mnuProfile_close_Click();
    EXPECT_EQ(onlyMessage(), "No profile is open.");
    window->mnuView_FullScreen_Click();
    EXPECT_EQ(onlyMessage(), "No Profile is running");
    window->mnuView_ToggleMouse_Click();
    EXPECT_EQ(onlyMessage(), "No Profile is running");
    EXPECT_EQ(window->caption(), "before");
    EXPECT_EQ(gv().ProfileOpen, kFalse);

    setFlags(kTrue, kTrue);
    window->mnuControl_Play_Click();
    EXPECT_EQ(onlyMessage(), "Already running a profile.");
    EXPECT_EQ(window->caption(), "before");
    EXPECT_EQ(gv().EngineRunning, kTrue);
}

TEST_F(MainWindowTest, PauseContentsAndUnbuiltCommandsDoNothing) {
    setFlags(kTrue, kTrue);
    const Enabled before = snapshot(kTableControls + kAlwaysEnabled);
    for (auto handler : {&MDIForm1::mnuControl_Pause_Click, &MDIForm1::mnuHelp_Contents_Click,
                         &MDIForm1::mnuProfile_New_Click, &MDIForm1::mnuHelp_About_Click,
                         &MDIForm1::mnuHelp_FAQ_Click, &MDIForm1::mnuTools_ShareDrive_Click,
                         &MDIForm1::mnuTools_Network_Configurator_Click,
                         &MDIForm1::mnuTools_Profile_Settings_Click})
        (window.get()->*handler)();
    EXPECT_TRUE(env.ui.boxes.empty());
    EXPECT_EQ(snapshot(kTableControls + kAlwaysEnabled), before);
    EXPECT_EQ(window->caption(), "Vornelix");
}

TEST_F(MainWindowTest, CaptionFollowsRunCloseAndStop) {
    EXPECT_EQ(window->caption(), "Vornelix");
    EXPECT_EQ(window->windowTitle(), "Vornelix");

    gv().ProfileOpen = kTrue;
    gv().ProfileName = "Test Mac";
    window->setCaption(openProfileCaption(gv().ProfileName));
    EXPECT_EQ(window->windowTitle(), "Vornelix [ Test Mac - Press Ctrl+R to Start Mac ]");
    // Run takes the caption back before the start, which refuses a profile without a volume.
    env.insertProfile({"Test Mac", QVariant(), 3, "   ", "cdrom", 0, QVariant(), QVariant()});
    window->mnuControl_Play_Click();
    ASSERT_EQ(env.ui.boxes.size(), 1u);
    EXPECT_EQ(env.ui.lastText(),
              "This Profile has no HFS partition, please complete this profile first.");
    env.ui.boxes.clear();
    EXPECT_EQ(window->caption(), "Vornelix");
    EXPECT_TRUE(isEnabled("mnuControl"));

    // A running engine stopped: the profile stays open and its name is in the caption.
    env.writeFile("c:\\Temp\\ifrs_gkl.tmp", "driver");
    setFlags(kTrue, kTrue);
    window->mnuControl_Stop_Click();
    EXPECT_TRUE(env.ui.boxes.empty());
    EXPECT_EQ(gv().EngineRunning, kFalse);
    EXPECT_EQ(gv().ProfileOpen, kTrue);
    EXPECT_EQ(window->caption(), "Vornelix [ Test Mac - Press Ctrl+R to Start Mac ]");
    EXPECT_FALSE(env.files().fileExists("c:\\Temp\\ifrs_gkl.tmp"));
    expectState(snapshot(kTableControls), 1);

    // Stop without a driver file left behind works alike.
    setFlags(kTrue, kTrue);
    window->mnuControl_Stop_Click();
    EXPECT_TRUE(env.ui.boxes.empty());
    EXPECT_EQ(gv().EngineRunning, kFalse);

    window->mnuProfile_close_Click();
    EXPECT_TRUE(env.ui.boxes.empty());
    EXPECT_EQ(gv().ProfileOpen, kFalse);
    EXPECT_EQ(gv().ProfileName, "Test Mac");
    EXPECT_EQ(window->caption(), "Vornelix");
    expectState(snapshot(kTableControls), 0);
}

TEST_F(MainWindowTest, CloseWhileTheShareDriveIsOpenLeavesTheProfileOpen) {
    setFlags(kTrue, kFalse);
    gv().ShareDriveOpen = kTrue;
    window->setCaption("profile caption");
    window->mnuProfile_close_Click();
    EXPECT_TRUE(env.ui.boxes.empty());
    EXPECT_EQ(gv().ProfileOpen, kTrue);
    EXPECT_EQ(window->caption(), "profile caption");
}

TEST_F(MainWindowTest, OpenCountsTheProfilesAndLeavesTheStoreClosed) {
    env.createDatabase();
    window->mnuProfile_Open_Click();
    EXPECT_EQ(onlyMessage(), "There is no profile, Please create profile first.");
    EXPECT_FALSE(gv().DbConnection.exists());
    EXPECT_FALSE(gv().DbRecordset.exists());

    env.insertProfile({"Test", QVariant(), QVariant(), QVariant(), QVariant(), QVariant(),
                       QVariant(), QVariant()});
    window->mnuProfile_Open_Click();
    EXPECT_TRUE(env.ui.boxes.empty());
    EXPECT_FALSE(gv().DbConnection.exists());
    EXPECT_FALSE(gv().DbRecordset.exists());
}

TEST_F(MainWindowTest, OpenWithoutDatabaseShowsTheErrorAndGoesOn) {
    window->FlatBttnOpen_Click();
    ASSERT_EQ(env.ui.boxes.size(), 1u);
    EXPECT_EQ(env.ui.boxes[0].title, "Vornelix");
    EXPECT_FALSE(env.ui.boxes[0].text.isEmpty());
    EXPECT_NE(env.ui.boxes[0].text, "There is no profile, Please create profile first.");
    EXPECT_FALSE(gv().DbConnection.exists());
    EXPECT_FALSE(gv().DbRecordset.exists());

    // Once the file is there the same command works.
    env.ui.boxes.clear();
    env.createDatabase();
    window->mnuProfile_Open_Click();
    EXPECT_EQ(onlyMessage(), "There is no profile, Please create profile first.");
}

TEST_F(MainWindowTest, ToolbarItemMovesCheckMarkAndStripTogether) {
    window->show();
    EXPECT_TRUE(window->mnuView_Toolbar->isChecked());
    EXPECT_TRUE(window->Picture1->isVisible());

    window->mnuView_Toolbar->trigger();
    EXPECT_FALSE(window->mnuView_Toolbar->isChecked());
    EXPECT_FALSE(window->Picture1->isVisible());
    EXPECT_FALSE(window->FlatBttnNew->isVisible());

    // The shortcuts of the View menu still reach their commands (enabled here by hand, so that
    // the refusals show that they ran).
    window->mnuView_FullScreen->setEnabled(true);
    window->mnuView_ToggleMouse->setEnabled(true);
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_F5);
    EXPECT_EQ(onlyMessage(), "No Profile is running");
    QTest::keyClick(window.get(), Qt::Key_F6);
    EXPECT_EQ(onlyMessage(), "No Profile is running");

    window->mnuView_Toolbar_Click();
    EXPECT_TRUE(window->mnuView_Toolbar->isChecked());
    EXPECT_TRUE(window->Picture1->isVisible());
}

TEST_F(MainWindowTest, MenuTreeHasTheCaptionsShortcutsAndVisibility) {
    QStringList tree;
    for (QAction* menuAction : window->menuBar()->actions()) {
        tree << menuAction->objectName() + " " + menuAction->text();
        for (QAction* item : menuAction->menu()->actions()) {
            if (item->isSeparator()) {
                tree << "  -";
                continue;
            }
            QString line = "  " + item->objectName() + " " + item->text();
            if (!item->shortcut().isEmpty())
                line += " [" + item->shortcut().toString() + "]";
            if (!item->isVisible())
                line += " hidden";
            if (item->isChecked())
                line += " checked";
            tree << line;
        }
    }
    const QStringList expected = {
        "mnuProfile &Profile",
        "  mnuProfile_New New [Ctrl+N]",
        "  mnuProfile_Open Open [Ctrl+O]",
        "  mnuProfile_Copy Copy [Ctrl+C] hidden",
        "  mnuProfile_Paste Paste [Ctrl+V] hidden",
        "  -",
        "  mnuProfile_close Close [Ctrl+X]",
        "  -",
        "  mnuProfile_exit Exit Vornelix",
        "mnuControl &Control",
        "  mnuControl_Play Run [Ctrl+R]",
        "  mnuControl_Stop Stop",
        "  -",
        "  mnuControl_Pause Pause",
        "mnuView V&iew",
        "  mnuView_FullScreen Full Screen View [F5]",
        "  mnuView_ToggleMouse Toggle Mouse [F6]",
        "  -",
        "  mnuView_Toolbar Toolbar checked",
        "mnuTools &Tools",
        "  mnuTools_ShareDrive Shared Drive",
        "  mnuTools_Network_Configurator Network Settings",
        "  -",
        "  mnuTools_Profile_Settings Profile Settings",
        "mnuHelp &Help",
        "  mnuHelp_About About Vornelix",
        "  -",
        "  mnuHelp_Contents Contents",
        "  mnuHelp_FAQ FAQ",
    };
    EXPECT_EQ(tree, expected);
    EXPECT_EQ(window->menuItem("mnuControl_Play"), window->mnuControl_Play);
}

TEST_F(MainWindowTest, EachButtonRunsItsMenuCommand) {
    env.createDatabase();
    const std::pair<FlatBttn*, QString> refusals[] = {
        {window->FlatBttnOpen, "There is no profile, Please create profile first."},
        {window->FlatBttnClose, "No profile is open."},
        {window->FlatBttnPlay, "No profile is open, please open a profile to run"},
        {window->FlatBttnStop, "No Profile is running."},
        {window->FlatBttnFullScreen, "No Profile is running"},
    };
    for (const auto& [button, text] : refusals) {
        button->setEnabled(true);
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(onlyMessage(), text) << button->objectName().toStdString();
    }
    for (FlatBttn* button : {window->FlatBttnNew, window->FlatBttnPause, window->FlatBttnNetwork,
                             window->FlatBttnProfSettings}) {
        button->setEnabled(true);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    EXPECT_TRUE(env.ui.boxes.empty());
}

TEST_F(MainWindowTest, DisabledButtonsDoNothing) {
    for (FlatBttn* button : {window->FlatBttnClose, window->FlatBttnPlay, window->FlatBttnStop,
                             window->FlatBttnFullScreen}) {
        ASSERT_FALSE(button->isEnabled());
        QTest::mouseClick(button, Qt::LeftButton);
        button->click();
    }
    EXPECT_TRUE(env.ui.boxes.empty());
}

TEST_F(MainWindowTest, ExitEndsAtOnceWithoutUnloadingWindows) {
    LoadedForm::unloads = 0;
    form<LoadedForm>();
    setFlags(kTrue, kTrue);
    env.writeFile("c:\\Temp\\ifrs_gkl.tmp", "driver");
    EXPECT_THROW(window->mnuProfile_exit_Click(), platform::ProgramEnded);
    EXPECT_TRUE(env.ui.ended);
    EXPECT_TRUE(isLoaded<LoadedForm>());
    EXPECT_EQ(LoadedForm::unloads, 0);
    EXPECT_EQ(gv().EngineRunning, kTrue);
    EXPECT_TRUE(env.files().fileExists("c:\\Temp\\ifrs_gkl.tmp"));
    unload<LoadedForm>();
}

TEST_F(MainWindowTest, ClosingTheFrameUnloadsHiddenWindows) {
    LoadedForm::unloads = 0;
    form<LoadedForm>().Show();
    form<LoadedForm>().Hide();
    window->show();
    EXPECT_TRUE(window->close());
    EXPECT_EQ(LoadedForm::unloads, 1);
    EXPECT_FALSE(isLoaded<LoadedForm>());
}

TEST_F(MainWindowTest, LoadSetsUpWindowToolbarAndTimer) {
    EXPECT_EQ(mainWindow(), window.get());
    EXPECT_EQ(&mdiForm1(), window.get());
    EXPECT_TRUE(window->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(gv().StartResolution, "\"1024x768x32\"");

    // 1024 x 768 screen: the help picture at its right end.
    EXPECT_EQ(window->PictureHelp->geometry(), QRect(1024 - 95, 2, 95, 67));
    EXPECT_EQ(window->Picture1->height(), 69);
    EXPECT_TRUE(window->PictureSharedvButtons->isHidden());

    const int lefts[] = {12, 46, 80, 126, 160, 194, 242, 290, 324};
    const QList<FlatBttn*> buttons = {
        window->FlatBttnNew,        window->FlatBttnOpen,    window->FlatBttnClose,
        window->FlatBttnPlay,       window->FlatBttnStop,    window->FlatBttnPause,
        window->FlatBttnFullScreen, window->FlatBttnNetwork, window->FlatBttnProfSettings};
    for (int i = 0; i < buttons.size(); ++i) {
        EXPECT_EQ(buttons[i]->parentWidget(), window->Picture1);
        EXPECT_EQ(buttons[i]->geometry(), QRect(lefts[i], 22, 26, 35)) << i;
        if (i > 0) {
            EXPECT_EQ(buttons[i - 1]->nextInFocusChain(), buttons[i]) << i;
        }
    }

    EXPECT_EQ(window->Network_Timer->interval(), 100);
    EXPECT_FALSE(window->Network_Timer->isEnabled());
    EXPECT_EQ(window->NetworkPollCount, 0);
    window->setNetworkPollCount(3);
    window->setNetworkTimerEnabled(true);
    EXPECT_EQ(window->NetworkPollCount, 3);
    EXPECT_TRUE(window->Network_Timer->isEnabled());
}

TEST_F(MainWindowTest, LoadGoesOnWhenTheScreenCannotBeRead) {
    window.reset();
    // The start resolution and the help picture fail; the enable state is set all the same.
    struct FailingHost : platform::HostFacts {
        double physicalMemoryBytes() override { return 0; }
        platform::ScreenMetrics screen() override {
            throw platform::RuntimeError(platform::kErrUnspecified, "no screen");
        }
    } host;
    platform::services().host = &host;
    gv().StartResolution.clear();
    window = std::make_unique<MDIForm1>();
    EXPECT_TRUE(gv().StartResolution.isEmpty());
    expectState(snapshot(kTableControls), 0);
    window.reset();
}

// The engine commands, with the steps each sends to the engine window in order.
TEST_F(MainWindowTest, StopFullScreenAndToggleMouseDriveTheEngineWindow) {
    test::FakeMachineWindow machine;
    setMachineWindowAccess(&machine);
    machineWindow();
    const auto engine = env.windows.addWindow(kEngineWindowClass, "", 1000, true);
    gv().EngineWindow = engine;
    gv().ProfileName = "Tiger";
    setFlags(kTrue, kTrue);
    env.writeFile("c:\\Vornelix\\Xeminga", "x");

    window->FullScreen();
    window->ToggleMouse();
    EXPECT_TRUE(env.ui.boxes.empty());
    EXPECT_EQ(env.clock.sleeps, std::vector<int>({500, 500, 500}));
    const QStringList expected = {
        QString("sendMessage(%1, 256, 65521, 4194303)").arg(engine),
        QString("setFocus(%1)").arg(engine),
        QString("setFocus(%1)").arg(engine),
        QString("sendMessage(%1, 514, 65521, 4194303)").arg(engine),
        QString("setFocus(%1)").arg(engine),
    };
    EXPECT_EQ(env.windows.calls, expected);

    env.windows.calls.clear();
    window->mnuControl_Stop_Click();
    EXPECT_EQ(env.windows.calls,
              QStringList({QString("sendMessage(%1, 2, 0, 0)").arg(engine)}));
    EXPECT_EQ(gv().EngineRunning, kFalse);
    EXPECT_EQ(machine.unloads, 1);
    EXPECT_EQ(window->caption(), "Vornelix [ Tiger - Press Ctrl+R to Start Mac ]");
    expectState(snapshot(kTableControls), 1);
    setMachineWindowAccess(nullptr);
}

TEST_F(MainWindowTest, RunDuringAStartInProgressIsRefused) {
    test::FakeMachineWindow machine;
    setMachineWindowAccess(&machine);
    env.insertProfile({"Tiger", "c:\\Vornelix_HD\\Tiger", 3, "   ", "cdrom", 0, QVariant(),
                       QVariant()});
    gv().ProfileName = "Tiger";
    setFlags(kTrue, kFalse);
    // A second Run while the first one's animation yields to the event loop.
    int nested = 0;
    env.clock.onStep = [&](const char* what, int) {
        if (std::string(what) == "doEvents" && nested++ == 3) window->mnuControl_Play_Click();
    };
    window->mnuControl_Play_Click();
    ASSERT_GE(env.ui.boxes.size(), 1u);
    EXPECT_EQ(env.ui.boxes.front().text, "Already running a profile.");
    EXPECT_EQ(env.processes.starts.size(), 1u);
    setMachineWindowAccess(nullptr);
}

}  // namespace
}  // namespace vornelix
