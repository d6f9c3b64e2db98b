// The commands of the main window's menus and toolbar buttons.

#include <QAction>

#include "app/main_window_texts.h"
#include "app/mdi_form1.h"
#include "app/picture_box.h"
#include "machine/dlg_open_profile.h"
#include "machine/engine_interface.h"
#include "machine/global_variables.h"
#include "machine/machine_window_port.h"
#include "machine/profile_start.h"
#include "machine/host_probes.h"
#include "machine/module_general_functions.h"
#include "machine/profile_store.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/runtime_error.h"
#include "platform/services.h"
#include "platform/ui_service.h"
#include "platform/window_system.h"

namespace vornelix {

namespace {

void message(const QString& text) {
    platform::ui().message(text, kMessageTitle);
}

void updateMenus() {
    ModuleGeneralFunctions::UpdateMenusAndButtons();
}

// Deletes the joined graphics-driver file of the last engine start; failures are ignored.
void deleteGraphicDriverFile() {
    try {
        const QString path = graphicDriverFilePath();
        if (platform::files().fileExists(path))
            platform::files().deleteFile(path);
    } catch (const std::exception&) {
    }
}

}  // namespace

// Profile menu.

void MDIForm1::mnuProfile_New_Click() {
    // The share-drive New command and the New Profile Wizard are wired here when they exist.
}

void MDIForm1::mnuProfile_Open_Click() {
    std::int16_t profiles = 0;
    try {
        profiles = countProfiles();
    } catch (const platform::RuntimeError& error) {
        // The store cannot be opened or read: say why and leave it closed.
        closeProfileStore();
        message(error.description());
        return;
    } catch (...) {
        closeProfileStore();
        throw;
    }
    closeProfileStore();
    if (profiles >= 1) {
        form<DlgOpenProfile>().Show();
        return;
    }
    message(kNoProfileMessage);
}

void MDIForm1::mnuProfile_Copy_Click() {
    // The share-drive Copy command is wired here with the share drive.
}

void MDIForm1::mnuProfile_Paste_Click() {
    // The share-drive Paste command is wired here with the share drive.
}

void MDIForm1::mnuProfile_close_Click() {
    if (gv().ShareDriveOpen == kTrue) {
        // CALL SITE: close the share drive (FlatBttnCloseShareDrv_Click) once it exists.
        return;
    }
    if (gv().ProfileOpen == kFalse) {
        message(kNoProfileOpenMessage);
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
        message(kNoProfileToRunMessage);
        return;
    }
    // A start still in its animation or launch counts as running.
    if (gv().EngineRunning == kTrue || frmProcessing::isStartInProgress()) {
        message(kAlreadyRunningMessage);
        return;
    }
    setCaption(kMainCaption);
    frmProcessing::Power_on();
    updateMenus();
}

void MDIForm1::mnuControl_Stop_Click() {
    // A start still in its launch has the machine window in use: it is not running yet.
    if (gv().EngineRunning == kFalse || frmProcessing::isStartInProgress()) {
        message(kStopNotRunningMessage);
        return;
    }
    platform::windows().sendMessage(gv().EngineWindow, kWmDestroy, 0, kEngineDestroyValue);
    gv().EngineRunning = kFalse;
    unloadMachineWindow();
    updateMenus();
    setCaption(openProfileCaption(gv().ProfileName));
    deleteGraphicDriverFile();
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
        message(kNotRunningMessage);
        return;
    }
    platform::windows().sendMessage(gv().EngineWindow, kWmKeyDown, EngineToggleParam,
                                    kEngineMessageValue);
    platform::clock().sleep(kEngineToggleWaitMs);
    platform::windows().setFocus(gv().EngineWindow);
}

void MDIForm1::ToggleMouse() {
    if (gv().EngineRunning == kFalse) {
        message(kNotRunningMessage);
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
    const bool show = !mnuView_Toolbar->isChecked();
    mnuView_Toolbar->setChecked(show);
    Picture1->setVisible(show);
    // CALL SITE: resize an embedded share-drive window (ShareDriveWindow > 0) to the new room.
}

// Tools menu.

void MDIForm1::mnuTools_ShareDrive_Click() {
    // The share drive is wired here when it exists.
}

void MDIForm1::mnuTools_Network_Configurator_Click() {
    // The Network Settings Wizard is shown here when it exists.
}

void MDIForm1::mnuTools_Profile_Settings_Click() {
    // The Profile Settings dialog is shown here when it exists.
}

// Help menu.

void MDIForm1::mnuHelp_About_Click() {
    // The About window is shown here when it exists.
}

void MDIForm1::mnuHelp_Contents_Click() {
    // Contents has no action.
}

void MDIForm1::mnuHelp_FAQ_Click() {
    // The FAQ window is shown here, on question 1, when it exists.
}

// Toolbar buttons: each runs its menu item's handler.

void MDIForm1::FlatBttnNew_Click() {
    mnuProfile_New_Click();
}
void MDIForm1::FlatBttnOpen_Click() {
    mnuProfile_Open_Click();
}
void MDIForm1::FlatBttnClose_Click() {
    mnuProfile_close_Click();
}
void MDIForm1::FlatBttnPlay_Click() {
    mnuControl_Play_Click();
}
void MDIForm1::FlatBttnStop_Click() {
    mnuControl_Stop_Click();
}
void MDIForm1::FlatBttnPause_Click() {
    mnuControl_Pause_Click();
}
void MDIForm1::FlatBttnFullScreen_Click() {
    mnuView_FullScreen_Click();
}
void MDIForm1::FlatBttnNetwork_Click() {
    mnuTools_Network_Configurator_Click();
}
void MDIForm1::FlatBttnProfSettings_Click() {
    mnuTools_Profile_Settings_Click();
}

// Timer.

void MDIForm1::Network_Timer_Timer() {
    // The poll for the network trigger file is wired here with the static address switch.
}

}  // namespace vornelix
