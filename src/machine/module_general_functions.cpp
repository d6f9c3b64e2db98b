#include "machine/module_general_functions.h"

#include "forms/main_window_port.h"
#include "forms/upper_windows.h"

namespace vornelix {

void ModuleGeneralFunctions::UpdateMenusAndButtons() {
    if (MainWindowPort* main = mainWindow())
        main->updateMenusAndButtons();
}

}  // namespace vornelix
