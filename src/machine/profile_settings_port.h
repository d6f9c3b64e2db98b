#pragma once

#include <functional>

namespace vornelix {

// Shows the Profile Settings dialog, which lives in a folder above this one; the application
// installs how. Nothing happens while none is installed.
void setProfileSettingsShower(std::function<void()> show);
void showProfileSettings();

}  // namespace vornelix
