#include "machine/main_window_port.h"

namespace vornelix {

namespace {
MainWindowPort* g_mainWindow = nullptr;
}

MainWindowPort* mainWindow() { return g_mainWindow; }
void setMainWindow(MainWindowPort* window) { g_mainWindow = window; }

}  // namespace vornelix
