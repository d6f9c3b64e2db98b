// The share drive: the share-drive program embedded in the machine window, the main window's
// share-drive menu mode and the commands that drive the program.

#include "app/share_drive.h"

#include <QAction>
#include <QRect>
#include <QSize>

#include "app/main_window_texts.h"
#include "app/mdi_form1.h"
#include "app/picture_box.h"
#include "forms/error_boundary.h"
#include "forms/machine_window_port.h"
#include "machine/basic_text.h"
#include "machine/companion_program.h"
#include "machine/global_variables.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/runtime_error.h"
#include "platform/services.h"
#include "platform/twips.h"
#include "platform/window_system.h"

namespace vornelix {

namespace {

using M = MenuControl;
using platform::ShowCommand;

// The property of a control that a menu mode sets.
enum class MenuModeProperty { Visible, Enabled };

// One property of a control that the menu modes set, and its value in each mode.
struct MenuModeRow {
    MenuControl control;
    MenuModeProperty property;
    bool profileMode;
    bool shareDriveMode;
};

constexpr MenuModeProperty kEnabled = MenuModeProperty::Enabled;
constexpr MenuModeProperty kVisible = MenuModeProperty::Visible;

constexpr MenuModeRow kMenuModes[] = {
    {M::mnuControl, kVisible, true, false},          {M::mnuTools, kVisible, true, false},
    {M::mnuProfile_Open, kVisible, true, false},     {M::mnuProfile_close, kEnabled, false, true},
    {M::mnuProfile_Copy, kVisible, false, true},     {M::mnuProfile_Paste, kVisible, false, true},
    {M::mnuView_ToggleMouse, kVisible, true, false}, {M::mnuView_FullScreen, kVisible, true, false},
};

constexpr int kShareDriveTop = 5;
constexpr int kRoomWithToolbar = 105;
constexpr int kRoomWithoutToolbar = 35;

const char* const kSharedButtons = "PictureSharedvButtons";

bool menuModeValue(const MenuModeRow& row, MenuMode mode) {
    return mode == MenuMode::ShareDrive ? row.shareDriveMode : row.profileMode;
}

// The caption of `mnuProfile` in a mode; "&Profile" at start is the menu tree's.
QString profileMenuCaption(MenuMode mode) {
    return mode == MenuMode::ShareDrive ? QStringLiteral("Share Drive") : QStringLiteral("Profile");
}

// Where the embedded share-drive window lies in `Form1.Picture1`, given that picture box's
// size in twips and the room the toolbar leaves (105 pixels less when shown, 35 when hidden).
QRect shareDriveGeometry(QSize picture1Twips, bool toolbarShown) {
    const int room = toolbarShown ? kRoomWithToolbar : kRoomWithoutToolbar;
    return QRect(0, kShareDriveTop, twipsToPixels(picture1Twips.width()),
                 twipsToPixels(picture1Twips.height()) - room);
}

// The empty marker file the program expects beside it; false when it cannot be made.
bool ensureMarkerFile(const QString& path) {
    if (platform::files().fileExists(path))
        return true;
    return platform::files().writeFile(path, QByteArray());
}

// Starts the share-drive program hidden and returns its window, 0 when none came; the windows
// stay painted while it is awaited.
WindowHandle startShareDrive(CompanionProgram& program) {
    const QString folder = platform::files().programFolder();
    if (!ensureMarkerFile(inFolder(folder, kShareDriveMarkerName)) ||
        !program.start(inFolder(folder, kShareDriveProgramName), QString(), QString()))
        return 0;
    return program.waitForWindow(QString(), kShareDriveWaitMs, kShareDrivePollMs);
}

void moveShareDriveWindow(const QRect& place) {
    platform::windows().move(gv().ShareDriveWindow, place.x(), place.y(), place.width(),
                             place.height());
}

}  // namespace

void MDIForm1::mnuTools_ShareDrive_Click() {
    picture(kSharedButtons)->show();
    open_share_drive();
    // A strip whose share drive did not open would only cover the profile buttons.
    picture(kSharedButtons)->setVisible(gv().ShareDriveOpen == kTrue);
}

void MDIForm1::open_share_drive() {
    if (gv().EngineRunning == kTrue) {
        showMessage(kAlreadyRunningMessage);
        return;
    }
    if (gv().ShareDriveWindow != 0)
        return;
    if (!OpenDragandDrop())
        return;
    applyMenuMode(MenuMode::ShareDrive);
}

bool MDIForm1::OpenDragandDrop() {
    CompanionProgram& shareDrive = companionPrograms().shareDrive;
    try {
        gv().ShareDriveWindow = startShareDrive(shareDrive);
        if (gv().ShareDriveWindow > 0) {
            MachineWindowPort& machine = machineWindow();
            machine.Show();
            shareDrive.embed(gv().ShareDriveWindow, machine.picture1Handle());
            moveShareDriveWindow(shareDriveGeometry(machine.picture1SizeTwips(), true));
            platform::windows().show(gv().ShareDriveWindow, ShowCommand::Normal);
            // One that ends by itself is closed as by the strip's Close.
            shareDrive.watch([] { return gv().ShareDriveOpen == kTrue; },
                             [] {
                                 if (MDIForm1* main = MDIForm1::instance())
                                     main->FlatBttnCloseShareDrv_Click();
                             });
            return true;
        }
    } catch (const platform::RuntimeError&) {
        // Any failure ends as a window that never came does.
    }
    // A program whose window was not embedded could never be closed again.
    shareDrive.end();
    showMessage(kShareDriveFailedMessage);
    gv().ShareDriveWindow = 0;
    return false;
}

void MDIForm1::applyMenuMode(MenuMode mode) {
    gv().ShareDriveOpen = mode == MenuMode::ShareDrive ? kTrue : kFalse;
    for (const MenuModeRow& row : kMenuModes) {
        const bool value = menuModeValue(row, mode);
        if (row.property == MenuModeProperty::Enabled)
            m_enabled[static_cast<int>(row.control)] = value;
        else
            menuItem(row.control)->setVisible(value);
    }
    menuItem(M::mnuProfile)->setText(profileMenuCaption(mode));
    showEnableState();
}

void MDIForm1::restoreProfileMenuMode() {
    companionPrograms().shareDrive.stopWatching();
    picture(kSharedButtons)->hide();
    applyMenuMode(MenuMode::Profile);
}

void MDIForm1::FlatBttnCloseShareDrv_Click() {
    // The embedded window goes with the machine window; the program then ends by itself.
    unloadMachineWindow();
    restoreProfileMenuMode();
}

void MDIForm1::placeShareDriveWindow(bool toolbarShown) {
    moveShareDriveWindow(shareDriveGeometry(machineWindow().picture1SizeTwips(), toolbarShown));
}

void MDIForm1::sendShareDriveCommand(std::uint32_t message) {
    platform::WindowSystem& windows = platform::windows();
    windows.setFocus(gv().ShareDriveWindow);
    platform::clock().doEvents();
    windows.sendMessage(gv().ShareDriveWindow, message, 0, 0);
}

void MDIForm1::FlatBttnNewShareDriv_Click() {
    ignoringErrors([this] { sendShareDriveCommand(ShareDriveCmdNew); });
}

void MDIForm1::FlatBttnOpenShareDrv_Click() {
    sendShareDriveCommand(ShareDriveCmdOpen);
}

void MDIForm1::FlatBttnCopy_Click() {
    sendShareDriveCommand(ShareDriveCmdCopy);
}

void MDIForm1::FlatBttnPaste_Click() {
    sendShareDriveCommand(ShareDriveCmdPaste);
}

void MDIForm1::mnuProfile_Copy_Click() {
    FlatBttnCopy_Click();
}

void MDIForm1::mnuProfile_Paste_Click() {
    FlatBttnPaste_Click();
}

}  // namespace vornelix
