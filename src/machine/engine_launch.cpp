#include "machine/engine_launch.h"

#include "machine/engine_interface.h"
#include "machine/global_variables.h"
#include "machine/machine_window_port.h"
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

void frmProcessing::Exec_myVornel() {
    platform::WindowSystem& windows = platform::windows();
    const QString folder = platform::files().programFolder();
    const EngineCommandLine command = engineCommandLine(folder);
    const platform::StartResult started = platform::processes().start(
        command.program, command.parameters, command.workingFolder, ShowCommand::Hide);
    platform::clock().sleep(kEngineWindowWaitMs);

    const WindowHandle console = windows.findWindow(kConsoleWindowClass, engineConsoleTitle(folder));
    // Only the display window of the engine this call started: another one on the desktop may
    // be left over from an earlier start.
    gv().EngineWindow =
        started.started() ? windows.findWindowOfProcess(kEngineWindowClass, started.pid) : 0;
    const WindowHandle host = machineWindow().picture1Handle();
    if (gv().EngineWindow > 0) {
        embedEngineWindow(host);
    } else if (started.started()) {
        // Without its window nothing could ever stop it.
        platform::processes().end(started.pid);
    }
    if (console > 0) windows.show(console, ShowCommand::Hide);
    windows.setFocus(gv().EngineWindow);
    windows.sendMessage(gv().EngineWindow, kWmEngineHostWindow, host, kEngineMessageValue);
}

}  // namespace vornelix
