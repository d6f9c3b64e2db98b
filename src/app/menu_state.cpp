#include "app/menu_state.h"

#include "app/mdi_form1.h"

namespace vornelix {

namespace {

using M = MenuControl;
using F = MDIForm1;
constexpr std::optional<bool> unchanged = std::nullopt;
constexpr bool on = true;
constexpr bool off = false;
constexpr bool held = true;
constexpr bool free = false;

constexpr MenuControlRow kControls[] = {
    {M::mnuProfile, "mnuProfile", unchanged, unchanged, unchanged, free},
    {M::mnuProfile_New, "mnuProfile_New", unchanged, unchanged, unchanged, held,
     &F::mnuProfile_New_Click},
    {M::mnuProfile_Open, "mnuProfile_Open", unchanged, unchanged, unchanged, held,
     &F::mnuProfile_Open_Click},
    {M::mnuProfile_Copy, "mnuProfile_Copy", unchanged, unchanged, unchanged, free,
     &F::mnuProfile_Copy_Click},
    {M::mnuProfile_Paste, "mnuProfile_Paste", unchanged, unchanged, unchanged, free,
     &F::mnuProfile_Paste_Click},
    {M::mnuProfile_close, "mnuProfile_close", off, on, off, held, &F::mnuProfile_close_Click},
    {M::mnuProfile_exit, "mnuProfile_exit", unchanged, unchanged, unchanged, free,
     &F::mnuProfile_exit_Click},
    {M::mnuControl, "mnuControl", off, on, on, free},
    {M::mnuControl_Play, "mnuControl_Play", unchanged, on, off, held, &F::mnuControl_Play_Click},
    {M::mnuControl_Stop, "mnuControl_Stop", unchanged, off, on, held, &F::mnuControl_Stop_Click},
    {M::mnuControl_Pause, "mnuControl_Pause", unchanged, off, on, free, &F::mnuControl_Pause_Click},
    {M::mnuView, "mnuView", unchanged, unchanged, unchanged, free},
    {M::mnuView_FullScreen, "mnuView_FullScreen", off, off, on, free, &F::mnuView_FullScreen_Click},
    {M::mnuView_ToggleMouse, "mnuView_ToggleMouse", off, off, on, free,
     &F::mnuView_ToggleMouse_Click},
    {M::mnuView_Toolbar, "mnuView_Toolbar", unchanged, unchanged, unchanged, free,
     &F::mnuView_Toolbar_Click},
    {M::mnuTools, "mnuTools", unchanged, unchanged, unchanged, free},
    {M::mnuTools_ShareDrive, "mnuTools_ShareDrive", on, on, off, held,
     &F::mnuTools_ShareDrive_Click},
    {M::mnuTools_Network_Configurator, "mnuTools_Network_Configurator", off, on, off, free,
     &F::mnuTools_Network_Configurator_Click},
    {M::mnuTools_Profile_Settings, "mnuTools_Profile_Settings", off, on, off, held,
     &F::mnuTools_Profile_Settings_Click},
    {M::mnuHelp, "mnuHelp", unchanged, unchanged, unchanged, free},
    {M::mnuHelp_About, "mnuHelp_About", unchanged, unchanged, unchanged, free,
     &F::mnuHelp_About_Click},
    {M::mnuHelp_Contents, "mnuHelp_Contents", unchanged, unchanged, unchanged, free,
     &F::mnuHelp_Contents_Click},
    {M::mnuHelp_FAQ, "mnuHelp_FAQ", unchanged, unchanged, unchanged, free, &F::mnuHelp_FAQ_Click},
    {M::FlatBttnNew, "FlatBttnNew", unchanged, unchanged, unchanged, held, &F::mnuProfile_New_Click,
     M::mnuProfile_New},
    {M::FlatBttnOpen, "FlatBttnOpen", unchanged, unchanged, unchanged, held,
     &F::mnuProfile_Open_Click, M::mnuProfile_Open},
    {M::FlatBttnClose, "FlatBttnClose", off, on, off, held, &F::mnuProfile_close_Click,
     M::mnuProfile_close},
    {M::FlatBttnPlay, "FlatBttnPlay", off, on, off, held, &F::mnuControl_Play_Click,
     M::mnuControl_Play},
    {M::FlatBttnStop, "FlatBttnStop", off, off, on, held, &F::mnuControl_Stop_Click,
     M::mnuControl_Stop},
    {M::FlatBttnPause, "FlatBttnPause", off, off, on, free, &F::mnuControl_Pause_Click,
     M::mnuControl_Pause},
    {M::FlatBttnFullScreen, "FlatBttnFullScreen", off, off, on, free, &F::mnuView_FullScreen_Click,
     M::mnuView_FullScreen},
    {M::FlatBttnNetwork, "FlatBttnNetwork", off, on, off, free,
     &F::mnuTools_Network_Configurator_Click, M::mnuTools_Network_Configurator},
    {M::FlatBttnProfSettings, "FlatBttnProfSettings", off, on, off, held,
     &F::mnuTools_Profile_Settings_Click, M::mnuTools_Profile_Settings},
    {M::FlatBttnNewShareDriv, "FlatBttnNewShareDriv", unchanged, unchanged, unchanged, free,
     &F::FlatBttnNewShareDriv_Click, M::mnuProfile_New},
    {M::FlatBttnCopy, "FlatBttnCopy", unchanged, unchanged, unchanged, free, &F::FlatBttnCopy_Click,
     M::mnuProfile_Copy},
    {M::FlatBttnPaste, "FlatBttnPaste", unchanged, unchanged, unchanged, free,
     &F::FlatBttnPaste_Click, M::mnuProfile_Paste},
    {M::FlatBttnCloseShareDrv, "FlatBttnCloseShareDrv", unchanged, unchanged, unchanged, held,
     &F::FlatBttnCloseShareDrv_Click, M::mnuProfile_close},
    {M::FlatBttnOpenShareDrv, "FlatBttnOpenShareDrv", unchanged, unchanged, unchanged, free,
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

bool shownEnabled(MenuControl control, bool tableState, bool busy) {
    return tableState && !(busy && menuControl(control).heldWhileBusy);
}

}  // namespace vornelix
