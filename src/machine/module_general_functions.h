#pragma once

#include <QString>
#include <cstdint>

namespace vornelix::ModuleGeneralFunctions {

// Sets which menu items and toolbar buttons of the main window can be used, from
// ProfileOpen and EngineRunning.
void UpdateMenusAndButtons();

}  // namespace vornelix::ModuleGeneralFunctions
