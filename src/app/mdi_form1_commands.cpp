// The commands of the main window's menus and toolbar buttons.

#include <QAction>

#include "app/dlg_about_vornelix.h"
#include "app/frm_faqs.h"
#include "app/main_window_texts.h"
#include "app/mdi_form1.h"
#include "app/picture_box.h"
#include "forms/busy_state.h"
#include "forms/error_boundary.h"
#include "machine/dlg_open_profile.h"
#include "machine/engine_interface.h"
#include "machine/engine_launch.h"
#include "machine/global_variables.h"
#include "machine/module_general_functions.h"
#include "machine/profile_store.h"
#include "network/dlg_network_settings_wizard.h"
#include "network/static_address_switch.h"
#include "platform/clock.h"
#include "platform/services.h"
#include "platform/user_interface.h"
#include "platform/window_system.h"
#include "profiles/dlg_new_profile_wizard.h"
#include "profiles/frm_processing.h"
#include "profiles/frm_profile_settings.h"

namespace vornelix {

namespace {

using M = MenuControl;

void updateMenus() {
    ModuleGeneralFunctions::UpdateMenusAndButtons();
}

}  // namespace

void MDIForm1::runCommand(MenuControl control) {
    if (isBusy() && heldWhileBusy(control))
        return;
    if (const MenuCommand command = menuControl(control).command)
        runHandler(ErrorPolicy::ShowDescription, [this, command] { (this->*command)(); });
}

// Profile menu.

void MDIForm1::mnuProfile_New_Click() {
    if (gv().ShareDriveOpen == kTrue) {
        FlatBttnNewShareDriv_Click();
        return;
    }
    form<DlgNewProfileWizard>().Show();
}

void MDIForm1::mnuProfile_Open_Click() {
    // A store that cannot be opened or read: the boundary says why; the store is left closed.
    if (countProfiles() >= 1) {
        form<DlgOpenProfile>().Show();
        return;
    }
    showMessage(kNoProfileMessage);
}

void MDIForm1::mnuProfile_close_Click() {
    if (gv().ShareDriveOpen == kTrue) {
        FlatBttnCloseShareDrv_Click();
        return;
    }
    if (gv().ProfileOpen == kFalse) {
        showMessage(kNoProfileOpenMessage);
        return;
    }
    gv().ProfileOpen = kFalse;
    setCaption(kMainCaption);
    updateMenus();
}

void MDIForm1::mnuProfile_exit_Click() {
    // Ends at once: no window is unloaded, nothing is sent to the engine, no file is deleted.
    platform::ui().endProgram();
}

// Control menu.

void MDIForm1::mnuControl_Play_Click() {
    if (gv().ProfileOpen == kFalse) {
        showMessage(kNoProfileToRunMessage);
        return;
    }
    if (gv().EngineRunning == kTrue) {
        showMessage(kAlreadyRunningMessage);
        return;
    }
    setCaption(kMainCaption);
    frmProcessing::Power_on();
    updateMenus();
}

void MDIForm1::mnuControl_Stop_Click() {
    if (gv().EngineRunning == kFalse) {
        showMessage(kStopNotRunningMessage);
        return;
    }
    platform::windows().sendMessage(gv().EngineWindow, kWmDestroy, 0, kEngineDestroyValue);
    ProfileStart::afterEngineEnd();
}

void MDIForm1::mnuControl_Pause_Click() {
    // Pause has no action.
}

// View menu.

void MDIForm1::mnuView_FullScreen_Click() {
    FullScreen();
}

void MDIForm1::mnuView_ToggleMouse_Click() {
    ToggleMouse();
}

void MDIForm1::FullScreen() {
    if (gv().EngineRunning == kFalse) {
        showMessage(kNotRunningMessage);
        return;
    }
    platform::windows().sendMessage(gv().EngineWindow, kWmKeyDown, EngineToggleParam,
                                    kEngineMessageValue);
    platform::clock().sleep(kEngineToggleWaitMs);
    platform::windows().setFocus(gv().EngineWindow);
}

void MDIForm1::ToggleMouse() {
    if (gv().EngineRunning == kFalse) {
        showMessage(kNotRunningMessage);
        return;
    }
    platform::WindowSystem& windows = platform::windows();
    windows.setFocus(gv().EngineWindow);
    platform::clock().sleep(kEngineToggleWaitMs);
    windows.sendMessage(gv().EngineWindow, kWmLButtonUp, EngineToggleParam, kEngineMessageValue);
    platform::clock().sleep(kEngineToggleWaitMs);
    windows.setFocus(gv().EngineWindow);
}

void MDIForm1::mnuView_Toolbar_Click() {
    QAction* toolbar = menuItem(M::mnuView_Toolbar);
    const bool show = !toolbar->isChecked();
    toolbar->setChecked(show);
    picture("Picture1")->setVisible(show);
    if (gv().ShareDriveWindow > 0)
        placeShareDriveWindow(show);
}

// Tools menu.

void MDIForm1::mnuTools_Network_Configurator_Click() {
    form<DlgNetworkSettingsWizard>().Show();
}

void MDIForm1::mnuTools_Profile_Settings_Click() {
    showProfileSettingsDialog();
}

// Help menu.

void MDIForm1::mnuHelp_About_Click() {
    form<DlgAboutVornelix>().Show();
}

void MDIForm1::mnuHelp_Contents_Click() {
    // Contents has no action.
}

void MDIForm1::mnuHelp_FAQ_Click() {
    frmFAQs::QuestionNo = 1;
    frmFAQs::openAt(0, true);
}

// Timer.

void MDIForm1::Network_Timer_Timer() {
    networkTimerTick(*m_networkTimer, m_networkPollCount);
}

}  // namespace vornelix
