#include "app/menu_state.h"

#include "app/dlg_about_vornelix.h"
#include "app/frm_faqs.h"
#include "app/mdi_form1.h"
#include "machine/dlg_open_profile.h"
#include "network/dlg_network_settings_wizard.h"
#include "profiles/dlg_new_profile_wizard.h"
#include "profiles/frm_profile_settings.h"

namespace vornelix {

namespace {

using M = MenuControl;
using F = MDIForm1;
constexpr std::optional<bool> unchanged = std::nullopt;
constexpr bool on = true;
constexpr bool off = false;

constexpr MenuControlRow kControls[] = {
    {M::mnuProfile, "mnuProfile", unchanged, unchanged, unchanged},
    {M::mnuProfile_New, "mnuProfile_New", unchanged, unchanged, unchanged,
     &F::mnuProfile_New_Click},
    {M::mnuProfile_Open, "mnuProfile_Open", unchanged, unchanged, unchanged,
     &F::mnuProfile_Open_Click},
    {M::mnuProfile_Copy, "mnuProfile_Copy", unchanged, unchanged, unchanged,
     &F::mnuProfile_Copy_Click},
    {M::mnuProfile_Paste, "mnuProfile_Paste", unchanged, unchanged, unchanged,
     &F::mnuProfile_Paste_Click},
    {M::mnuProfile_close, "mnuProfile_close", off, on, off, &F::mnuProfile_close_Click},
    {M::mnuProfile_exit, "mnuProfile_exit", unchanged, unchanged, unchanged,
     &F::mnuProfile_exit_Click},
    {M::mnuControl, "mnuControl", off, on, on},
    {M::mnuControl_Play, "mnuControl_Play", unchanged, on, off, &F::mnuControl_Play_Click},
    {M::mnuControl_Stop, "mnuControl_Stop", unchanged, off, on, &F::mnuControl_Stop_Click},
    {M::mnuControl_Pause, "mnuControl_Pause", unchanged, off, on, &F::mnuControl_Pause_Click},
    {M::mnuView, "mnuView", unchanged, unchanged, unchanged},
    {M::mnuView_FullScreen, "mnuView_FullScreen", off, off, on, &F::mnuView_FullScreen_Click},
    {M::mnuView_ToggleMouse, "mnuView_ToggleMouse", off, off, on, &F::mnuView_ToggleMouse_Click},
    {M::mnuView_Toolbar, "mnuView_Toolbar", unchanged, unchanged, unchanged,
     &F::mnuView_Toolbar_Click},
    {M::mnuTools, "mnuTools", unchanged, unchanged, unchanged},
    {M::mnuTools_ShareDrive, "mnuTools_ShareDrive", on, on, off, &F::mnuTools_ShareDrive_Click},
    {M::mnuTools_Network_Configurator, "mnuTools_Network_Configurator", off, on, off,
     &F::mnuTools_Network_Configurator_Click},
    {M::mnuTools_Profile_Settings, "mnuTools_Profile_Settings", off, on, off,
     &F::mnuTools_Profile_Settings_Click},
    {M::mnuHelp, "mnuHelp", unchanged, unchanged, unchanged},
    {M::mnuHelp_About, "mnuHelp_About", unchanged, unchanged, unchanged, &F::mnuHelp_About_Click},
    {M::mnuHelp_Contents, "mnuHelp_Contents", unchanged, unchanged, unchanged,
     &F::mnuHelp_Contents_Click},
    {M::mnuHelp_FAQ, "mnuHelp_FAQ", unchanged, unchanged, unchanged, &F::mnuHelp_FAQ_Click},
    {M::FlatBttnNew, "FlatBttnNew", unchanged, unchanged, unchanged, &F::mnuProfile_New_Click,
     M::mnuProfile_New},
    {M::FlatBttnOpen, "FlatBttnOpen", unchanged, unchanged, unchanged, &F::mnuProfile_Open_Click,
     M::mnuProfile_Open},
    {M::FlatBttnClose, "FlatBttnClose", off, on, off, &F::mnuProfile_close_Click,
     M::mnuProfile_close},
    {M::FlatBttnPlay, "FlatBttnPlay", off, on, off, &F::mnuControl_Play_Click, M::mnuControl_Play},
    {M::FlatBttnStop, "FlatBttnStop", off, off, on, &F::mnuControl_Stop_Click, M::mnuControl_Stop},
    {M::FlatBttnPause, "FlatBttnPause", off, off, on, &F::mnuControl_Pause_Click,
     M::mnuControl_Pause},
    {M::FlatBttnFullScreen, "FlatBttnFullScreen", off, off, on, &F::mnuView_FullScreen_Click,
     M::mnuView_FullScreen},
    {M::FlatBttnNetwork, "FlatBttnNetwork", off, on, off, &F::mnuTools_Network_Configurator_Click,
     M::mnuTools_Network_Configurator},
    {M::FlatBttnProfSettings, "FlatBttnProfSettings", off, on, off,
     &F::mnuTools_Profile_Settings_Click, M::mnuTools_Profile_Settings},
    {M::FlatBttnNewShareDriv, "FlatBttnNewShareDriv", unchanged, unchanged, unchanged,
     &F::FlatBttnNewShareDriv_Click, M::mnuProfile_New},
    {M::FlatBttnCopy, "FlatBttnCopy", unchanged, unchanged, unchanged, &F::FlatBttnCopy_Click,
     M::mnuProfile_Copy},
    {M::FlatBttnPaste, "FlatBttnPaste", unchanged, unchanged, unchanged, &F::FlatBttnPaste_Click,
     M::mnuProfile_Paste},
    {M::FlatBttnCloseShareDrv, "FlatBttnCloseShareDrv", unchanged, unchanged, unchanged,
     &F::FlatBttnCloseShareDrv_Click, M::mnuProfile_close},
    {M::FlatBttnOpenShareDrv, "FlatBttnOpenShareDrv", unchanged, unchanged, unchanged,
     &F::FlatBttnOpenShareDrv_Click, M::mnuProfile_Open},
};
static_assert(std::size(kControls) == kMenuControlCount);

constexpr bool inEnumOrder() {
    for (int i = 0; i < kMenuControlCount; ++i)
        if (static_cast<int>(kControls[i].control) != i)
            return false;
    return true;
}
static_assert(inEnumOrder(), "one row per control, in the order of MenuControl");

// The commands that open a window, and what that window answers while long work runs.
struct WindowCommand {
    MenuCommand command;
    InputWhileBusy opensWindowTakingInput;
};

constexpr WindowCommand kWindowCommands[] = {
    {&F::mnuProfile_New_Click, &takesInputWhileBusy<DlgNewProfileWizard>},
    {&F::mnuProfile_Open_Click, &takesInputWhileBusy<DlgOpenProfile>},
    {&F::mnuTools_Network_Configurator_Click, &takesInputWhileBusy<DlgNetworkSettingsWizard>},
    {&F::mnuTools_Profile_Settings_Click, &takesInputWhileBusy<frmProfileSettings>},
    {&F::mnuHelp_About_Click, &takesInputWhileBusy<DlgAboutVornelix>},
    {&F::mnuHelp_FAQ_Click, &takesInputWhileBusy<frmFAQs>},
};

}  // namespace

std::span<const MenuControlRow> menuControls() {
    return kControls;
}

const MenuControlRow& menuControl(MenuControl control) {
    return kControls[static_cast<int>(control)];
}

MenuStateKind menuStateKind(Flag profileOpen, Flag engineRunning) {
    if (profileOpen == kFalse)
        return MenuStateKind::NoProfile;
    if (engineRunning == kFalse)
        return MenuStateKind::ProfileIdle;
    return MenuStateKind::EngineRunning;
}

EnableState enableStateFor(MenuStateKind kind) {
    EnableState state{};
    for (const MenuControlRow& row : kControls) {
        const auto value = kind == MenuStateKind::NoProfile     ? row.noProfile
                           : kind == MenuStateKind::ProfileIdle ? row.profileIdle
                                                                : row.engineRunning;
        state[static_cast<int>(row.control)] = value;
    }
    return state;
}

bool heldWhileBusy(MenuControl control) {
    // A menu runs nothing itself.
    const MenuCommand command = menuControl(control).command;
    if (!command)
        return false;
    for (const WindowCommand& opens : kWindowCommands)
        if (opens.command == command)
            return !opens.opensWindowTakingInput();
    return true;
}

bool shownEnabled(MenuControl control, bool tableState, bool busy) {
    return tableState && !(busy && heldWhileBusy(control));
}

}  // namespace vornelix
