#include "machine/profile_settings_port.h"

namespace vornelix {

namespace {
std::function<void()>& shower() {
    static std::function<void()> show;
    return show;
}
}  // namespace

void setProfileSettingsShower(std::function<void()> show) {
    shower() = std::move(show);
}

void showProfileSettings() {
    if (shower())
        shower()();
}

}  // namespace vornelix
