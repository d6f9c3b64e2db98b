#pragma once

#include <array>
#include <optional>

#include "machine/flag.h"

namespace vornelix {

// The controls of the main window whose enabled state follows the open profile and engine.
enum class MenuControl {
    mnuProfile_close,
    mnuControl,
    mnuControl_Play,
    mnuControl_Stop,
    mnuControl_Pause,
    mnuView_FullScreen,
    mnuView_ToggleMouse,
    mnuTools_Network_Configurator,
    mnuTools_Profile_Settings,
    mnuTools_ShareDrive,
    FlatBttnClose,
    FlatBttnPlay,
    FlatBttnStop,
    FlatBttnPause,
    FlatBttnFullScreen,
    FlatBttnNetwork,
    FlatBttnProfSettings,
};
inline constexpr int kMenuControlCount = static_cast<int>(MenuControl::FlatBttnProfSettings) + 1;

// For every control: enabled, disabled, or nothing when the state leaves it unchanged.
using EnableState = std::array<std::optional<bool>, kMenuControlCount>;

enum class MenuStateKind { NoProfile, ProfileIdle, EngineRunning };

MenuStateKind menuStateKind(Flag profileOpen, Flag engineRunning);
EnableState enableStateFor(MenuStateKind kind);

}  // namespace vornelix
