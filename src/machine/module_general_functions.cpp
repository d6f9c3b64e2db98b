#include "machine/module_general_functions.h"

#include "forms/upper_windows.h"

namespace vornelix {

void ModuleGeneralFunctions::UpdateMenusAndButtons() {
    vornelix::updateMenusAndButtons();
}

}  // namespace vornelix
