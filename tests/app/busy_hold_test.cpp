#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <memory>

#include "app/app_windows.h"
#include "app/dlg_about_vornelix.h"
#include "app/flat_bttn.h"
#include "app/form1.h"
#include "app/frm_faqs.h"
#include "app/mdi_form1.h"
#include "forms/busy_state.h"
#include "machine/dlg_open_profile.h"
#include "machine/global_variables.h"
#include "machine/profile_store.h"
#include "network/dlg_network_settings_wizard.h"
#include "profiles/creation_start.h"
#include "profiles/dlg_new_profile_wizard.h"
#include "profiles/dlg_new_profile_wizard3.h"
#include "profiles/frm_processing.h"
#include "profiles/frm_profile_settings.h"
#include "support/test_environment.h"

namespace vornelix {
namespace {

using M = MenuControl;

// The main window with a profile open and, over it, one window of each kind that a user can
// have open when work begins.
class BusyHold : public ::testing::Test {
  protected:
    BusyHold() {
        installAppWindows();
        window = std::make_unique<MDIForm1>();
        window->show();
        env.insertProfile({"Tiger", "c:\\HD", 3, "   ", "cdrom", 0, QVariant(), QVariant()});
        gv().ProfileName = "Tiger";
        gv().ProfileOpen = kTrue;
        window->setCaption("caption of the work");
        window->updateMenusAndButtons();
        form<DlgNewProfileWizard>().Show();
        form<DlgNewProfileWizard3>().Show();
        form<DlgOpenProfile>().Show();
        form<frmProfileSettings>().Show();
        form<DlgNetworkSettingsWizard>().Show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    std::string shownWindows() const {
        std::string shown;
        for (QMdiSubWindow* sub : window->mdiArea()->subWindowList())
            if (sub->isVisible())
                shown = shown + sub->widget()->metaObject()->className() + " ";
        return shown;
    }

    // What a press could change: the shown windows, the programs started, the open profile.
    auto state() const {
        return std::tuple(shownWindows(), env.processes.starts.size(), gv().ProfileName,
                          gv().ProfileOpen, window->caption());
    }

    // Every command of the main window but About and FAQ, by shortcut, menu and button, then
    // Enter, every button and the close box of every shown window: nothing starts, nothing
    // unloads, nothing is told, the open profile stays as it was.
    void pressEverything() {
        const auto before = state();
        for (const MenuControlRow& row : menuControls()) {
            if (!row.command || row.control == M::mnuHelp_About || row.control == M::mnuHelp_FAQ)
                continue;
            if (QAction* item = window->menuItem(row.control)) {
                if (!item->shortcut().isEmpty())
                    QTest::keySequence(window.get(), item->shortcut());
                item->trigger();
            } else {
                QTest::mouseClick(window->flatButton(row.control), Qt::LeftButton);
            }
        }
        for (QMdiSubWindow* sub : window->mdiArea()->subWindowList()) {
            if (!sub->isVisible())
                continue;
            QTest::keyClick(sub->widget(), Qt::Key_Return);
            for (QPointer<QAbstractButton> button : sub->widget()->findChildren<QAbstractButton*>())
                if (button && button->isVisible())
                    QTest::mouseClick(button, Qt::LeftButton);
            sub->close();
        }
        EXPECT_EQ(state(), before);
        EXPECT_TRUE(env.ui.boxes.empty()) << env.ui.lastText().toStdString();
        EXPECT_FALSE(env.ui.ended);
    }

    test::TestEnvironment env;
    std::unique_ptr<MDIForm1> window;
};

class EachWork : public BusyHold, public ::testing::WithParamInterface<BusyWork> {};

TEST_P(EachWork, HoldsEveryCommandAndEveryWindowButAboutAndFaq) {
    {
        const BusyScope busy(GetParam());
        pressEverything();
        EXPECT_FALSE(window->close());
        // About and FAQ open, take input and close by their close boxes.
        window->menuItem(M::mnuHelp_About)->trigger();
        window->menuItem(M::mnuHelp_FAQ)->trigger();
        EXPECT_TRUE(isLoaded<DlgAboutVornelix>() && form<DlgAboutVornelix>().isEnabled());
        EXPECT_TRUE(isLoaded<frmFAQs>() && form<frmFAQs>().isEnabled());
        EXPECT_TRUE(form<DlgAboutVornelix>().subWindow()->close());
        EXPECT_TRUE(form<frmFAQs>().subWindow()->close());
        EXPECT_FALSE(isLoaded<DlgAboutVornelix>() || isLoaded<frmFAQs>());
    }
    for (QMdiSubWindow* sub : window->mdiArea()->subWindowList())
        EXPECT_TRUE(sub->widget()->isEnabled()) << sub->widget()->metaObject()->className();
    EXPECT_TRUE(window->menuItem(M::mnuProfile_exit)->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Kinds, EachWork,
                         ::testing::Values(BusyWork::ProfileStart, BusyWork::Creation,
                                           BusyWork::Extraction, BusyWork::VolumeMove,
                                           BusyWork::QuickFormat));

// While the HD tool makes a new profile's volume, everything pressed is held: the creation
// ends whole, with one row, one volume and one run of the tool.
TEST_F(BusyHold, ACreationWaitingForTheHdToolEndsWholeAndOnce) {
    env.writeFile(R"(c:\Vornelix\VornelHD.exe)", "tool");
    env.processes.onStart = [this](const test::StartCall& call, std::int64_t) {
        env.writeFile(volumeImage(call.folder), "growable");
    };
    env.processes.exitStatus = std::nullopt;  // the tool works until the presses are done
    int presses = 0;
    env.clock.onStep = [&](const char* what, int) {
        if (std::string(what) != "doEvents" || env.processes.starts.empty() || presses++ > 0)
            return;
        pressEverything();  // the row is stored by now: the profile being made is the open one
        env.processes.exitStatus = 0;
    };
    startProfileCreation({"Lion", "c:", 8, true, "cdrom", "   ", false});
    for (int step = 0; step < 4; ++step) env.clock.advance(frmProcessing::kTimerIntervalMs);
    env.clock.onStep = nullptr;
    EXPECT_GT(presses, 0);
    EXPECT_EQ(env.processes.starts.size(), 1u);
    EXPECT_EQ(env.readFile(R"(c:\Vornelix_HD\Lion\hdimage.img)"), "growable");
    EXPECT_EQ(countProfiles(), 2);
    EXPECT_EQ(env.pendingRecords(), QStringList());
}

// Scopes nest: the machine window takes input while a start runs inside a creation and not
// around it; a window loaded during the work is held too; the end of the work enables again
// only what the hold disabled.
TEST_F(BusyHold, NestedWorkAndWindowsLoadedMeanwhile) {
    const Form& machine = form<Form1>();
    form<DlgOpenProfile>().setEnabled(false);
    unload<DlgNetworkSettingsWizard>();
    {
        const BusyScope creation(BusyWork::Creation);
        EXPECT_FALSE(machine.isEnabled());
        {
            const BusyScope start(BusyWork::ProfileStart);
            EXPECT_TRUE(machine.isEnabled());
            EXPECT_FALSE(form<DlgNetworkSettingsWizard>().isEnabled());
        }
        EXPECT_FALSE(machine.isEnabled());
    }
    EXPECT_TRUE(machine.isEnabled());
    EXPECT_TRUE(form<DlgNetworkSettingsWizard>().isEnabled());
    EXPECT_FALSE(form<DlgOpenProfile>().isEnabled());
}

}  // namespace
}  // namespace vornelix
