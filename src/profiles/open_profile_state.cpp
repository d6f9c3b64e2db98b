#include "profiles/open_profile_state.h"

#include "forms/main_window_port.h"
#include "machine/global_variables.h"
#include "machine/module_general_functions.h"
#include "machine/volume_layout.h"
#include "profiles/install_source.h"

namespace vornelix {

namespace {

auto openProfileGlobals(GlobalVariablesModule& g) {
    return std::tie(g.ProfileName, g.VolumeDrive, g.HardDiskPath, g.CdRomType, g.CdRomPath,
                    g.ProfileOpen, g.GrowableVolume, g.HardDiskSizeGB, g.StartInstallation,
                    g.NetworkingEnabled, g.AttachInstallMedium, g.RamSizeMB);
}

}  // namespace

OpenProfileState OpenProfileState::current() {
    OpenProfileState state;
    state.m_globals = openProfileGlobals(gv());
    if (const MainWindowPort* main = mainWindow())
        state.m_caption = main->caption();
    return state;
}

void OpenProfileState::restore() const {
    const Flag wasOpen = gv().ProfileOpen;
    openProfileGlobals(gv()) = m_globals;
    if (gv().ProfileOpen != wasOpen)
        ModuleGeneralFunctions::UpdateMenusAndButtons();
    // A running engine keeps its caption.
    MainWindowPort* main = mainWindow();
    if (main && gv().EngineRunning == kFalse)
        main->setCaption(m_caption);
}

void takeOverNewProfile(const NewProfile& profile) {
    GlobalVariablesModule& g = gv();
    g.ProfileName = profile.name;
    g.GrowableVolume = toFlag(profile.growable);
    g.HardDiskSizeGB = profile.sizeGB;
    g.VolumeDrive = profile.drive;
    g.HardDiskPath = volumeRoot(profile.drive);
    g.RamSizeMB = profile.ramSizeMB;
    g.NetworkingEnabled = 0;
    g.StartInstallation = toFlag(profile.startInstallation);
    takeInstallationSource({profile.cdRomType, profile.cdRomPath, profile.startInstallation});
    // A running engine keeps its caption; its end names the open profile. An installation that
    // follows starts the new profile, captioned as Control > Run captions a start.
    MainWindowPort* main = mainWindow();
    if (!main || g.EngineRunning == kTrue)
        return;
    if (profile.startInstallation)
        main->setCaption(kMainCaption);
    else if (g.ProfileOpen == kTrue)
        main->setCaption(openProfileCaption(profile.name));
}

}  // namespace vornelix
