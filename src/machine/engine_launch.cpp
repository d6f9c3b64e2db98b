#include "machine/engine_launch.h"

#include <memory>

#include "machine/busy_state.h"
#include "machine/engine_interface.h"
#include "machine/error_boundary.h"
#include "machine/global_variables.h"
#include "machine/host_probes.h"
#include "machine/machine_window_port.h"
#include "machine/main_window_port.h"
#include "machine/module_general_functions.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/processes.h"
#include "platform/services.h"
#include "platform/window_system.h"

namespace vornelix {

namespace {

using platform::ShowCommand;

// How long the embedded window is left to settle before it is minimised and restored.
constexpr int kEmbedSettleMs = 2000;
// How often the watch looks whether the embedded engine still runs.
constexpr int kEngineWatchMs = 500;

// The engine process of the last launch; 0 when none was embedded.
std::int64_t g_enginePid = 0;

std::unique_ptr<platform::Timer>& engineWatchTimer() {
    static std::unique_ptr<platform::Timer> timer;
    return timer;
}

void checkEngine() {
    if (gv().EngineRunning == kFalse || isBusy())
        return;
    if (platform::processes().isRunning(g_enginePid))
        return;
    runHandler(ErrorPolicy::Ignore, [] { ProfileStart::afterEngineEnd(); });
}

// Deletes the joined graphics-driver file of the last engine start; failures are ignored.
void deleteGraphicDriverFile() {
    ignoringErrors([] {
        const QString path = graphicDriverFilePath();
        if (platform::files().fileExists(path))
            platform::files().deleteFile(path);
    });
}

void embedEngineWindow(WindowHandle host) {
    platform::WindowSystem& windows = platform::windows();
    platform::Clock& clock = platform::clock();
    gv().EngineRunning = kTrue;
    clock.doEvents();
    ModuleGeneralFunctions::UpdateMenusAndButtons();
    clock.doEvents();
    windows.setParent(gv().EngineWindow, host);
    // The top 50 pixels of the engine's screen lie above the visible area.
    windows.setPosition(gv().EngineWindow, 0, -50);
    clock.sleep(kEmbedSettleMs);
    windows.show(gv().EngineWindow, ShowCommand::Minimized);
    windows.show(gv().EngineWindow, ShowCommand::Restore);
}

}  // namespace

void ProfileStart::Exec_myVornel() {
    platform::WindowSystem& windows = platform::windows();
    const QString folder = platform::files().programFolder();
    const EngineCommandLine command = engineCommandLine(folder);
    const platform::StartResult started = platform::processes().start(
        command.program, command.parameters, command.workingFolder, ShowCommand::Hide);
    platform::clock().sleep(kEngineWindowWaitMs);

    const WindowHandle console =
        windows.findWindow(kConsoleWindowClass, engineConsoleTitle(folder));
    // Only the display window of the engine this call started: another one on the desktop may
    // be left over from an earlier start.
    gv().EngineWindow =
        started.started() ? windows.findWindowOfProcess(kEngineWindowClass, started.pid) : 0;
    g_enginePid = gv().EngineWindow > 0 ? started.pid : 0;
    const WindowHandle host = machineWindow().picture1Handle();
    if (gv().EngineWindow > 0) {
        embedEngineWindow(host);
    } else if (started.started()) {
        // Without its window nothing could ever stop it.
        platform::processes().end(started.pid);
    }
    if (console > 0)
        windows.show(console, ShowCommand::Hide);
    windows.setFocus(gv().EngineWindow);
    windows.sendMessage(gv().EngineWindow, kWmEngineHostWindow, host, kEngineMessageValue);
}

void ProfileStart::watchEngine() {
    std::unique_ptr<platform::Timer>& timer = engineWatchTimer();
    timer = platform::clock().createTimer();
    timer->setInterval(kEngineWatchMs);
    timer->onTimeout(checkEngine);
    timer->setEnabled(g_enginePid != 0);
}

void ProfileStart::forgetEngine() {
    engineWatchTimer().reset();
    g_enginePid = 0;
}

void ProfileStart::afterEngineEnd() {
    // The timer may be the caller: it is switched off, not destroyed.
    if (engineWatchTimer())
        engineWatchTimer()->setEnabled(false);
    g_enginePid = 0;
    gv().EngineRunning = kFalse;
    unloadMachineWindow();
    ModuleGeneralFunctions::UpdateMenusAndButtons();
    if (MainWindowPort* main = mainWindow())
        main->setCaption(openProfileCaption(gv().ProfileName));
    deleteGraphicDriverFile();
}

}  // namespace vornelix
