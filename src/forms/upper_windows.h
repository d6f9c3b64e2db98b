#pragma once

namespace vornelix {

class MainWindowPort;
class MachineWindowAccess;

// The windows of the folders above this one that code here reaches: the main window, the
// machine window and the Profile Settings dialog. The application installs its windows once at
// start-up; tests install their own.
class UpperWindows {
  public:
    virtual ~UpperWindows() = default;
    // The main window; nullptr while there is none.
    virtual MainWindowPort* mainWindow() = 0;
    virtual MachineWindowAccess& machineWindow() = 0;
    virtual void showProfileSettings() = 0;
    // Opens the FAQ window at a question (list index 0..3): the question is selected before the
    // window is shown when selectFirst is set, else after.
    virtual void showFaq(int listIndex, bool selectFirst) = 0;
};

// Installs the windows; returns those installed before (nullptr at first).
UpperWindows* installUpperWindows(UpperWindows* windows);

// The installed windows' parts; with none installed there is no main window and nothing is
// shown.
MainWindowPort* mainWindow();
// Sets the main window's menus and toolbar from the global flags and the busy state.
void updateMenusAndButtons();
void showProfileSettings();
void showFaq(int listIndex, bool selectFirst);

}  // namespace vornelix
