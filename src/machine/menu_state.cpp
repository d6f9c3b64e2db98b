#include "machine/menu_state.h"

#include "forms/busy_state.h"
#include "forms/main_window_port.h"
#include "machine/global_variables.h"
#include "machine/module_general_functions.h"

namespace vornelix {

namespace {

using M = MenuControl;
constexpr std::optional<bool> unchanged = std::nullopt;
constexpr bool on = true;
constexpr bool off = false;
constexpr bool held = true;
constexpr bool free = false;

constexpr MenuControlRow kControls[] = {
    {M::mnuProfile, "mnuProfile", unchanged, unchanged, unchanged, free},
    {M::mnuProfile_New, "mnuProfile_New", unchanged, unchanged, unchanged, held},
    {M::mnuProfile_Open, "mnuProfile_Open", unchanged, unchanged, unchanged, held},
    {M::mnuProfile_Copy, "mnuProfile_Copy", unchanged, unchanged, unchanged, free},
    {M::mnuProfile_Paste, "mnuProfile_Paste", unchanged, unchanged, unchanged, free},
    {M::mnuProfile_close, "mnuProfile_close", off, on, off, held},
    {M::mnuProfile_exit, "mnuProfile_exit", unchanged, unchanged, unchanged, free},
    {M::mnuControl, "mnuControl", off, on, on, free},
    {M::mnuControl_Play, "mnuControl_Play", unchanged, on, off, held},
    {M::mnuControl_Stop, "mnuControl_Stop", unchanged, off, on, held},
    {M::mnuControl_Pause, "mnuControl_Pause", unchanged, off, on, free},
    {M::mnuView, "mnuView", unchanged, unchanged, unchanged, free},
    {M::mnuView_FullScreen, "mnuView_FullScreen", off, off, on, free},
    {M::mnuView_ToggleMouse, "mnuView_ToggleMouse", off, off, on, free},
    {M::mnuView_Toolbar, "mnuView_Toolbar", unchanged, unchanged, unchanged, free},
    {M::mnuTools, "mnuTools", unchanged, unchanged, unchanged, free},
    {M::mnuTools_ShareDrive, "mnuTools_ShareDrive", on, on, off, held},
    {M::mnuTools_Network_Configurator, "mnuTools_Network_Configurator", off, on, off, free},
    {M::mnuTools_Profile_Settings, "mnuTools_Profile_Settings", off, on, off, held},
    {M::mnuHelp, "mnuHelp", unchanged, unchanged, unchanged, free},
    {M::mnuHelp_About, "mnuHelp_About", unchanged, unchanged, unchanged, free},
    {M::mnuHelp_Contents, "mnuHelp_Contents", unchanged, unchanged, unchanged, free},
    {M::mnuHelp_FAQ, "mnuHelp_FAQ", unchanged, unchanged, unchanged, free},
    {M::FlatBttnNew, "FlatBttnNew", unchanged, unchanged, unchanged, held},
    {M::FlatBttnOpen, "FlatBttnOpen", unchanged, unchanged, unchanged, held},
    {M::FlatBttnClose, "FlatBttnClose", off, on, off, held},
    {M::FlatBttnPlay, "FlatBttnPlay", off, on, off, held},
    {M::FlatBttnStop, "FlatBttnStop", off, off, on, held},
    {M::FlatBttnPause, "FlatBttnPause", off, off, on, free},
    {M::FlatBttnFullScreen, "FlatBttnFullScreen", off, off, on, free},
    {M::FlatBttnNetwork, "FlatBttnNetwork", off, on, off, free},
    {M::FlatBttnProfSettings, "FlatBttnProfSettings", off, on, off, held},
    {M::FlatBttnNewShareDriv, "FlatBttnNewShareDriv", unchanged, unchanged, unchanged, free},
    {M::FlatBttnCopy, "FlatBttnCopy", unchanged, unchanged, unchanged, free},
    {M::FlatBttnPaste, "FlatBttnPaste", unchanged, unchanged, unchanged, free},
    {M::FlatBttnCloseShareDrv, "FlatBttnCloseShareDrv", unchanged, unchanged, unchanged, held},
    {M::FlatBttnOpenShareDrv, "FlatBttnOpenShareDrv", unchanged, unchanged, unchanged, free},
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

void ModuleGeneralFunctions::UpdateMenusAndButtons() {
    if (MainWindowPort* main = mainWindow())
        main->applyEnableState(enableStateFor(menuStateKind(gv().ProfileOpen, gv().EngineRunning)));
}

}  // namespace vornelix
