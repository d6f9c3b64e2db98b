#pragma once

namespace vornelix {

// Installs the application's windows as those that the folders below reach: the main window,
// the machine window and the Profile Settings dialog. Called once at start-up.
void installAppWindows();

}  // namespace vornelix
