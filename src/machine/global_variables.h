#pragma once

#include <QString>
#include <cstdint>

#include "machine/flag.h"
#include "platform/window_system.h"

namespace vornelix {

using platform::WindowHandle;

// The state that every window and module shares. Every member starts at its type's zero. The
// profile store has no shared objects here: each use of it opens its own (profile_store.h).
struct GlobalVariablesModule {
    QString ProfileName;
    Flag GrowableVolume = kFalse;
    std::int16_t HardDiskSizeGB = 0;
    QString HardDiskPath;
    QString CdRomType;
    QString CdRomPath;
    double RamSizeMB = 0;
    QString VolumeDrive;
    std::int16_t NetworkingEnabled = 0;
    Flag AttachInstallMedium = kFalse;
    Flag EngineRunning = kFalse;
    Flag CdRomEnabled = kFalse;
    QString StartResolution;
    WindowHandle EngineWindow = 0;
    Flag ProfileOpen = kFalse;
    QString HostIPAddress;
    QString HostSubnetMask;
    WindowHandle ShareDriveWindow = 0;
    std::int16_t HelpPageSelector = 0;
    QString SharedDrivePath;
    Flag ShareDriveOpen = kFalse;
    Flag StartInstallation = kFalse;
    Flag UseG4Emulation = kFalse;
};

GlobalVariablesModule& gv();
// Puts every variable back to its value at start (tests).
void resetGlobalVariables();

}  // namespace vornelix
