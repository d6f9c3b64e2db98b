#pragma once

#include <QMainWindow>
#include <array>
#include <cstdint>
#include <memory>

#include "app/menu_state.h"
#include "app/share_drive.h"
#include "forms/main_window_port.h"
#include "platform/clock.h"

class QAction;
class QMdiArea;

namespace vornelix {

class FlatBttn;
class PictureBox;

// The main window: the menu bar, the toolbar strip of flat picture buttons and the area that
// holds every other window. It opens maximized; at most one exists.
class MDIForm1 : public QMainWindow, public MainWindowPort {
    Q_OBJECT
  public:
    MDIForm1();
    ~MDIForm1() override;

    // The main window; nullptr while there is none.
    static MDIForm1* instance();

    // MainWindowPort
    void setCaption(const QString& caption) override;
    QString caption() const override;
    void updateMenusAndButtons() override;
    // Enables or disables every control the state names; the others stay as they are.
    void applyEnableState(const EnableState& state);
    QMdiArea* mdiArea() override { return m_mdiArea; }
    QSize sizeTwips() const override;
    void setNetworkPollCount(std::int16_t count) override;
    void setNetworkTimerEnabled(bool enabled) override;
    void restoreProfileMenuMode() override;

    // A menu, menu item or toolbar button by its control name.
    QAction* menuItem(MenuControl control) const;
    FlatBttn* flatButton(MenuControl control) const;
    // The toolbar strip and its pictures by name ("Picture1", "PictureHelp", ...).
    PictureBox* picture(const char* name) const;
    platform::Timer& networkTimer() { return *m_networkTimer; }
    std::int16_t networkPollCount() const { return m_networkPollCount; }

    // Start-up: the start resolution, the help picture at the right end of the strip, the
    // enable state; each step runs even when the one before it failed.
    void MDIForm_Load();

    void mnuProfile_New_Click();
    void mnuProfile_Open_Click();
    void mnuProfile_Copy_Click();
    void mnuProfile_Paste_Click();
    void mnuProfile_close_Click();
    void mnuProfile_exit_Click();
    void mnuControl_Play_Click();
    void mnuControl_Stop_Click();
    void mnuControl_Pause_Click();
    void mnuView_FullScreen_Click();
    void mnuView_ToggleMouse_Click();
    void mnuView_Toolbar_Click();
    void mnuTools_ShareDrive_Click();
    void mnuTools_Network_Configurator_Click();
    void mnuTools_Profile_Settings_Click();
    void mnuHelp_About_Click();
    void mnuHelp_Contents_Click();
    void mnuHelp_FAQ_Click();

    void FullScreen();
    void ToggleMouse();
    void Network_Timer_Timer();

    // The share drive: opened by Tools > Shared Drive while no engine runs, embedded in the
    // machine window and driven from its own button strip and the Profile menu.
    void open_share_drive();
    // True when the share-drive program's window was found and embedded.
    bool OpenDragandDrop();
    void FlatBttnNewShareDriv_Click();
    void FlatBttnOpenShareDrv_Click();
    void FlatBttnCopy_Click();
    void FlatBttnPaste_Click();
    void FlatBttnCloseShareDrv_Click();

    // Runs the command of a control as its click does: nothing while long work is under way
    // when the control is held then, and failures through the error boundary.
    void runCommand(MenuControl control);

  protected:
    void closeEvent(QCloseEvent* event) override;
    // The caption stays exactly what the program set, also while a child is maximized.
    void changeEvent(QEvent* event) override;

  private:
    void buildToolbar();
    void buildMenus();
    void showEnableState();
    void applyMenuMode(MenuMode mode);
    void placeShareDriveWindow(bool toolbarShown);
    void sendShareDriveCommand(std::uint32_t message);

    QMdiArea* m_mdiArea = nullptr;
    QString m_caption;
    std::unique_ptr<platform::Timer> m_networkTimer;
    std::int16_t m_networkPollCount = 0;
    // The enable state as the table set it; what is shown also depends on the busy state.
    std::array<bool, kMenuControlCount> m_enabled;
};

}  // namespace vornelix
