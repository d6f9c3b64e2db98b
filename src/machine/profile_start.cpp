#include "machine/profile_start.h"

#include <optional>

#include "forms/busy_state.h"
#include "forms/error_boundary.h"
#include "forms/machine_window_port.h"
#include "forms/main_window_port.h"
#include "forms/message_title.h"
#include "machine/engine_config.h"
#include "machine/engine_launch.h"
#include "machine/global_variables.h"
#include "machine/module_general_functions.h"
#include "machine/profile_store.h"
#include "machine/start_animation.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/runtime_error.h"
#include "platform/services.h"
#include "platform/user_interface.h"

namespace vornelix {

namespace {

// The row's refusals: no volume (none in the row, or its image is not on disk), no installation
// path, a value the configuration file cannot carry.
bool refuseProfile(const EngineProfileRow& row) {
    if (row.hardDiskPath.isNull() || !platform::files().fileExists(masterImagePath(row))) {
        showMessage(ProfileStart::kNoVolumeMessage);
        return true;
    }
    if (row.cdRomPath.isNull()) {
        showMessage(ProfileStart::kNoInstallationPathMessage);
        return true;
    }
    if (const auto unsafe = findUnsafeConfigValue(row, gv().SharedDrivePath)) {
        showMessage(ProfileStart::unsafeValueMessage(unsafe->what, visibleText(unsafe->value)));
        return true;
    }
    return false;
}

// The IDE slave for the global state, the host's CD-ROM drive and the user's answer.
std::optional<IdeSlaveChoice> chooseIdeSlaveForStart() {
    const auto findDrive = [] {
        QString drive;
        ModuleGeneralFunctions::FindCDROMDrive(drive);
        return drive;
    };
    const auto askToContinue = [] {
        return platform::ui().message(
                   QStringLiteral("No CD-ROM was detected.Continue without CD-ROM ?"),
                   kMessageTitle, platform::MsgButtons::YesNo) == platform::MsgAnswer::Yes;
    };
    const GlobalVariablesModule& state = gv();
    return chooseIdeSlave({state.AttachInstallMedium, state.CdRomEnabled, state.SharedDrivePath},
                          findDrive, askToContinue);
}

// Writes the configuration file; nothing when the user would not go on without a CD-ROM
// drive (the file then keeps its first seven lines).
bool writeConfiguration(const EngineProfileRow& row) {
    writeEngineConfigFile(engineConfigHeadLines(row));
    const std::optional<IdeSlaveChoice> slave = chooseIdeSlaveForStart();
    if (!slave)
        return false;
    GlobalVariablesModule& g = gv();
    if (slave->slave == IdeSlave::InstallMedium)
        g.AttachInstallMedium = kFalse;
    const QString driver = ModuleGeneralFunctions::BuildGraphicDriverFile();
    // The global keeps the row's size after the start.
    g.RamSizeMB = startRamSizeMB(row.ramSize, g.RamSizeMB);
    writeEngineConfigFile(engineConfigLines(
        row, *slave, {g.SharedDrivePath, g.StartResolution, g.RamSizeMB, driver}));
    g.AttachInstallMedium = kFalse;
    return true;
}

void animateAndLaunch() {
    MachineWindowPort& window = machineWindow();
    window.Show();
    window.setBlackLogoVisible(true);
    window.setLoginBarVisible(true);
    window.setCaption(gv().ProfileName);
    ProfileStart::ShowProgressPicts(window);
    ProfileStart::Exec_myVornel();
    window.setLoginBarVisible(false);
    window.setBlackLogoVisible(false);
    gv().SharedDrivePath = QStringLiteral(" ");
    gv().CdRomEnabled = kFalse;
}

void reportFailedLaunch() {
    showMessage(ProfileStart::kLaunchFailedMessage);
    unloadMachineWindow();
    gv().EngineRunning = kFalse;
    ModuleGeneralFunctions::UpdateMenusAndButtons();
}

void armNetworkPollWhenNetworked() {
    const GlobalVariablesModule& state = gv();
    if (state.NetworkingEnabled != 1 || state.HostIPAddress.trimmed().isEmpty() ||
        state.HostSubnetMask.trimmed().isEmpty())
        return;
    MainWindowPort* main = mainWindow();
    if (!main)
        return;
    main->setNetworkPollCount(0);
    platform::clock().doEvents();
    main->setNetworkTimerEnabled(true);
    platform::clock().doEvents();
}

void startSteps() {
    // The store stays open until the start has ended.
    const ProfileStoreSession store(kSelectProfileByName, {gv().ProfileName});
    const EngineProfileRow row = readEngineProfileRow(store.rows());
    if (refuseProfile(row) || !writeConfiguration(row))
        return;
    animateAndLaunch();
    if (gv().EngineWindow == 0) {
        reportFailedLaunch();
        return;
    }
    armNetworkPollWhenNetworked();
    gv().EngineRunning = kTrue;
    ProfileStart::watchEngine();
}

}  // namespace

void ProfileStart::Power_on() {
    BusyScope busy(BusyWork::ProfileStart);
    try {
        startSteps();
    } catch (const platform::RuntimeError& error) {
        if (error.number() == platform::kErrUnspecified)
            fatal(kDatabaseHeldMessage);
        // The start ends here; the user learns why.
        showErrorDescription(error);
    }
}

}  // namespace vornelix
