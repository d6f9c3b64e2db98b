#include "forms/upper_windows.h"

#include <utility>

#include "forms/machine_window_port.h"
#include "forms/main_window_port.h"

namespace vornelix {

namespace {
UpperWindows* g_windows = nullptr;
}

UpperWindows* installUpperWindows(UpperWindows* windows) {
    return std::exchange(g_windows, windows);
}

MainWindowPort* mainWindow() {
    return g_windows ? g_windows->mainWindow() : nullptr;
}

void showProfileSettings() {
    if (g_windows)
        g_windows->showProfileSettings();
}

void showFaq(int listIndex, bool selectFirst) {
    if (g_windows)
        g_windows->showFaq(listIndex, selectFirst);
}

MachineWindowPort& machineWindow() {
    return g_windows->machineWindow().load();
}

bool isMachineWindowLoaded() {
    return g_windows && g_windows->machineWindow().isLoaded();
}

void unloadMachineWindow() {
    if (g_windows)
        g_windows->machineWindow().unload();
}

}  // namespace vornelix
