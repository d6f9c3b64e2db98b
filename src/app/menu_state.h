#pragma once

#include <array>
#include <optional>
#include <span>

#include "machine/flag.h"

namespace vornelix {

class MDIForm1;
// What a click on a control runs: a handler of the main window.
using MenuCommand = void (MDIForm1::*)();

// Every menu, menu item and toolbar button of the main window, in menu order.
enum class MenuControl {
    mnuProfile,
    mnuProfile_New,
    mnuProfile_Open,
    mnuProfile_Copy,
    mnuProfile_Paste,
    mnuProfile_close,
    mnuProfile_exit,
    mnuControl,
    mnuControl_Play,
    mnuControl_Stop,
    mnuControl_Pause,
    mnuView,
    mnuView_FullScreen,
    mnuView_ToggleMouse,
    mnuView_Toolbar,
    mnuTools,
    mnuTools_ShareDrive,
    mnuTools_Network_Configurator,
    mnuTools_Profile_Settings,
    mnuHelp,
    mnuHelp_About,
    mnuHelp_Contents,
    mnuHelp_FAQ,
    FlatBttnNew,
    FlatBttnOpen,
    FlatBttnClose,
    FlatBttnPlay,
    FlatBttnStop,
    FlatBttnPause,
    FlatBttnFullScreen,
    FlatBttnNetwork,
    FlatBttnProfSettings,
    FlatBttnNewShareDriv,
    FlatBttnCopy,
    FlatBttnPaste,
    FlatBttnCloseShareDrv,
    FlatBttnOpenShareDrv,
};
inline constexpr int kMenuControlCount = static_cast<int>(MenuControl::FlatBttnOpenShareDrv) + 1;

// One control: its name, whether it is enabled with no profile open, with a profile open and
// idle, and with the engine running (nothing: that state leaves it as it is), what a click runs
// (nothing for a menu), and for a toolbar button the menu item whose caption names it.
struct MenuControlRow {
    MenuControl control;
    const char* name;
    std::optional<bool> noProfile, profileIdle, engineRunning;
    MenuCommand command = nullptr;
    std::optional<MenuControl> item = std::nullopt;
};

std::span<const MenuControlRow> menuControls();
const MenuControlRow& menuControl(MenuControl control);

// For every control: enabled, disabled, or nothing when the state leaves it unchanged.
using EnableState = std::array<std::optional<bool>, kMenuControlCount>;

enum class MenuStateKind { NoProfile, ProfileIdle, EngineRunning };

MenuStateKind menuStateKind(Flag profileOpen, Flag engineRunning);
EnableState enableStateFor(MenuStateKind kind);

// While long work is under way every command is held, by menu, shortcut or button, Exit among
// them, except those that open a window that takes input then (About and FAQ).
bool heldWhileBusy(MenuControl control);

// What a control shows: its state from the table, switched off while busy when it is held.
bool shownEnabled(MenuControl control, bool tableState, bool busy);

}  // namespace vornelix
