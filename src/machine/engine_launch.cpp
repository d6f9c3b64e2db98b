#include "machine/engine_launch.h"

#include "forms/error_boundary.h"
#include "forms/machine_window_port.h"
#include "forms/main_window_port.h"
#include "machine/companion_program.h"
#include "machine/engine_interface.h"
#include "machine/global_variables.h"
#include "machine/host_probes.h"
#include "machine/module_general_functions.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/services.h"
#include "platform/window_system.h"

namespace vornelix {

namespace {

using platform::ShowCommand;

// How long the embedded window is left to settle before it is minimised and restored.
constexpr int kEmbedSettleMs = 2000;

// The engine of the last launch.
CompanionProgram& engineProgram() {
    return companionPrograms().engine;
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
    engineProgram().embed(gv().EngineWindow, host);
    // The top 50 pixels of the engine's screen lie above the visible area.
    windows.setPosition(gv().EngineWindow, 0, -50);
    clock.sleep(kEmbedSettleMs);
    windows.show(gv().EngineWindow, ShowCommand::Minimized);
    windows.show(gv().EngineWindow, ShowCommand::Restore);
}

}  // namespace

void ProfileStart::Exec_myVornel() {
    platform::WindowSystem& windows = platform::windows();
    CompanionProgram& engine = engineProgram();
    const QString folder = platform::files().programFolder();
    const EngineCommandLine command = engineCommandLine(folder);
    engine.start(command.program, command.parameters, command.workingFolder);
    platform::clock().sleep(kEngineWindowWaitMs);

    const WindowHandle console =
        windows.findWindow(kConsoleWindowClass, engineConsoleTitle(folder));
    // Only the display window of the engine this call started, looked for once: another one on
    // the desktop may be left over from an earlier start.
    gv().EngineWindow = engine.window(kEngineWindowClass);
    const WindowHandle host = machineWindow().picture1Handle();
    if (gv().EngineWindow > 0)
        embedEngineWindow(host);
    else
        engine.end();  // without its window nothing could ever stop it
    if (console > 0)
        windows.show(console, ShowCommand::Hide);
    windows.setFocus(gv().EngineWindow);
    windows.sendMessage(gv().EngineWindow, kWmEngineHostWindow, host, kEngineMessageValue);
}

void ProfileStart::watchEngine() {
    engineProgram().watch([] { return gv().EngineRunning == kTrue; }, afterEngineEnd);
}

void ProfileStart::afterEngineEnd() {
    engineProgram().stopWatching();
    gv().EngineRunning = kFalse;
    unloadMachineWindow();
    ModuleGeneralFunctions::UpdateMenusAndButtons();
    if (MainWindowPort* main = mainWindow())
        main->setCaption(openProfileCaption(gv().ProfileName));
    deleteGraphicDriverFile();
}

}  // namespace vornelix
