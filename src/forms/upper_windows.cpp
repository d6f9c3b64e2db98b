#include "forms/upper_windows.h"

#include <utility>

#include "forms/machine_window_port.h"
#include "forms/main_window_port.h"

namespace vornelix {

namespace {

UpperWindows* g_windows = nullptr;

// The machine window while no windows are installed: it shows nothing and hosts nothing.
class NoMachineWindow final : public MachineWindowPort {
  public:
    void Show() override {}
    void setCaption(const QString&) override {}
    void setBlackLogoVisible(bool) override {}
    void setLoginBarVisible(bool) override {}
    void setProgressPictureVisible(int, bool) override {}
    bool isProgressPictureVisible(int) const override { return false; }
    void setProgressCaption(const QString&) override {}
    QString progressCaption() const override { return {}; }
    platform::WindowHandle picture1Handle() override { return 0; }
    QSize picture1SizeTwips() const override { return {}; }
};

}  // namespace

UpperWindows* installUpperWindows(UpperWindows* windows) {
    return std::exchange(g_windows, windows);
}

MainWindowPort* mainWindow() {
    return g_windows ? g_windows->mainWindow() : nullptr;
}

void updateMenusAndButtons() {
    if (MainWindowPort* main = mainWindow())
        main->updateMenusAndButtons();
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
    static NoMachineWindow none;
    return g_windows ? g_windows->machineWindow().load() : none;
}

bool isMachineWindowLoaded() {
    return g_windows && g_windows->machineWindow().isLoaded();
}

void unloadMachineWindow() {
    if (g_windows)
        g_windows->machineWindow().unload();
}

}  // namespace vornelix
