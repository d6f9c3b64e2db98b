#include "machine/menu_state.h"

#include "machine/global_variables.h"
#include "machine/main_window_port.h"
#include "machine/module_general_functions.h"

namespace vornelix {

namespace {

struct Row {
    MenuControl control;
    std::optional<bool> noProfile, profileIdle, engineRunning;
};

constexpr std::optional<bool> unchanged = std::nullopt;

// Menu items first, then the buttons, in the order they are set.
const Row kTable[] = {
    {MenuControl::mnuProfile_close, false, true, false},
    {MenuControl::mnuControl, false, true, true},
    {MenuControl::mnuControl_Play, unchanged, true, false},
    {MenuControl::mnuControl_Stop, unchanged, false, true},
    {MenuControl::mnuControl_Pause, unchanged, false, true},
    {MenuControl::mnuView_FullScreen, false, false, true},
    {MenuControl::mnuView_ToggleMouse, false, false, true},
    {MenuControl::mnuTools_Network_Configurator, false, true, false},
    {MenuControl::mnuTools_Profile_Settings, false, true, false},
    {MenuControl::mnuTools_ShareDrive, true, true, false},
    {MenuControl::FlatBttnClose, false, true, false},
    {MenuControl::FlatBttnPlay, false, true, false},
    {MenuControl::FlatBttnStop, false, false, true},
    {MenuControl::FlatBttnPause, false, false, true},
    {MenuControl::FlatBttnFullScreen, false, false, true},
    {MenuControl::FlatBttnNetwork, false, true, false},
    {MenuControl::FlatBttnProfSettings, false, true, false},
};

}  // namespace

MenuStateKind menuStateKind(Flag profileOpen, Flag engineRunning) {
    if (profileOpen == kFalse) return MenuStateKind::NoProfile;
    if (engineRunning == kFalse) return MenuStateKind::ProfileIdle;
    return MenuStateKind::EngineRunning;
}

EnableState enableStateFor(MenuStateKind kind) {
    EnableState state{};
    for (const Row& row : kTable) {
        const auto value = kind == MenuStateKind::NoProfile     ? row.noProfile
                           : kind == MenuStateKind::ProfileIdle ? row.profileIdle
                                                                : row.engineRunning;
        state[static_cast<int>(row.control)] = value;
    }
    return state;
}

void ModuleGeneralFunctions::UpdateMenusAndButtons() {
    if (MainWindowPort* main = mainWindow())
        main->applyEnableState(enableStateFor(menuStateKind(gv().ProfileOpen, gv().EngineRunning)));
}

}  // namespace vornelix
