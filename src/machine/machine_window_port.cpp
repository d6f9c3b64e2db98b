#include "machine/machine_window_port.h"

namespace vornelix {

namespace {
MachineWindowAccess* g_access = nullptr;
}

MachineWindowAccess* machineWindowAccess() { return g_access; }
void setMachineWindowAccess(MachineWindowAccess* access) { g_access = access; }

MachineWindowPort& machineWindow() { return g_access->load(); }
bool isMachineWindowLoaded() { return g_access && g_access->isLoaded(); }
void unloadMachineWindow() {
    if (g_access) g_access->unload();
}

}  // namespace vornelix
