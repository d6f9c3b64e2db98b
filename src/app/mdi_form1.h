#pragma once

#include <QMainWindow>
#include <cstdint>
#include <memory>

#include "machine/main_window_port.h"
#include "platform/clock.h"

class QAction;
class QMdiArea;

namespace vornelix {

class FlatBttn;
class PictureBox;

// The main window: the menu bar, the toolbar strip of flat picture buttons and the area that
// holds every other window. It opens maximized and registers itself as the main window.
class MDIForm1 : public QMainWindow, public MainWindowPort {
    Q_OBJECT
  public:
    MDIForm1();
    ~MDIForm1() override;

    // MainWindowPort
    void setCaption(const QString& caption) override;
    QString caption() const override;
    void applyEnableState(const EnableState& state) override;
    QMdiArea* mdiArea() override { return m_mdiArea; }
    QSize sizeTwips() const override;
    void setNetworkPollCount(std::int16_t count) override;
    void setNetworkTimerEnabled(bool enabled) override;

    // A menu item or top-level menu by its name ("mnuControl_Play"); nullptr when none.
    QAction* menuItem(const QString& name) const;
    // A toolbar button by its name ("FlatBttnPlay"); nullptr when none.
    FlatBttn* flatButton(const QString& name) const;

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

    void FlatBttnNew_Click();
    void FlatBttnOpen_Click();
    void FlatBttnClose_Click();
    void FlatBttnPlay_Click();
    void FlatBttnStop_Click();
    void FlatBttnPause_Click();
    void FlatBttnFullScreen_Click();
    void FlatBttnNetwork_Click();
    void FlatBttnProfSettings_Click();

    void FullScreen();
    void ToggleMouse();
    void Network_Timer_Timer();

    // Controls of the toolbar strip.
    PictureBox* Picture1 = nullptr;
    PictureBox* PictureHelp = nullptr;
    PictureBox* PictureSharedvButtons = nullptr;
    FlatBttn* FlatBttnNew = nullptr;
    FlatBttn* FlatBttnOpen = nullptr;
    FlatBttn* FlatBttnClose = nullptr;
    FlatBttn* FlatBttnPlay = nullptr;
    FlatBttn* FlatBttnStop = nullptr;
    FlatBttn* FlatBttnPause = nullptr;
    FlatBttn* FlatBttnFullScreen = nullptr;
    FlatBttn* FlatBttnNetwork = nullptr;
    FlatBttn* FlatBttnProfSettings = nullptr;

    // The poll for the network trigger file: 100 ms, off until a profile start arms it.
    std::unique_ptr<platform::Timer> Network_Timer;
    std::int16_t NetworkPollCount = 0;

    // The menus (their menu actions) and menu items.
    QAction* mnuProfile = nullptr;
    QAction* mnuProfile_New = nullptr;
    QAction* mnuProfile_Open = nullptr;
    QAction* mnuProfile_Copy = nullptr;
    QAction* mnuProfile_Paste = nullptr;
    QAction* mnuProfile_close = nullptr;
    QAction* mnuProfile_exit = nullptr;
    QAction* mnuControl = nullptr;
    QAction* mnuControl_Play = nullptr;
    QAction* mnuControl_Stop = nullptr;
    QAction* mnuControl_Pause = nullptr;
    QAction* mnuView = nullptr;
    QAction* mnuView_FullScreen = nullptr;
    QAction* mnuView_ToggleMouse = nullptr;
    QAction* mnuView_Toolbar = nullptr;
    QAction* mnuTools = nullptr;
    QAction* mnuTools_ShareDrive = nullptr;
    QAction* mnuTools_Network_Configurator = nullptr;
    QAction* mnuTools_Profile_Settings = nullptr;
    QAction* mnuHelp = nullptr;
    QAction* mnuHelp_About = nullptr;
    QAction* mnuHelp_Contents = nullptr;
    QAction* mnuHelp_FAQ = nullptr;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildToolbar();
    void buildMenus();
    void setControlEnabled(MenuControl control, bool enabled);
    // Runs a handler; a failure it does not handle itself is shown and ends only the handler.
    void runHandler(void (MDIForm1::*handler)());

    QMdiArea* m_mdiArea = nullptr;
    QString m_caption;
};

// The main window, created on first use.
MDIForm1& mdiForm1();

}  // namespace vornelix
