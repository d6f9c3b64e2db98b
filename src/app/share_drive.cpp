// The share drive: the share-drive program embedded in the machine window, the main window's
// share-drive menu mode and the commands that drive the program.

#include "app/share_drive.h"

#include <QAction>

#include "app/main_window_texts.h"
#include "app/mdi_form1.h"
#include "app/picture_box.h"
#include "machine/basic_text.h"
#include "machine/busy_state.h"
#include "machine/error_boundary.h"
#include "machine/global_variables.h"
#include "machine/machine_window_port.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/processes.h"
#include "platform/runtime_error.h"
#include "platform/services.h"
#include "platform/twips.h"
#include "platform/window_system.h"

namespace vornelix {

namespace {

using M = MenuControl;
using platform::ShowCommand;

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
// How often the embedded program is looked for.
constexpr int kShareDriveWatchMs = 500;

const char* const kSharedButtons = "PictureSharedvButtons";

// The window of the process this attempt started, looked for until it appears or the wait is
// over; the windows stay painted meanwhile.
WindowHandle waitForShareDriveWindow(std::int64_t pid) {
    platform::WindowSystem& windows = platform::windows();
    for (int waited = 0;; waited += kShareDrivePollMs) {
        if (const WindowHandle found = windows.findWindowOfProcess(QString(), pid))
            return found;
        if (waited >= kShareDriveWaitMs)
            return 0;
        platform::clock().sleep(kShareDrivePollMs);
    }
}

// The empty marker file the program expects beside it; false when it cannot be made.
bool ensureMarkerFile(const QString& path) {
    if (platform::files().fileExists(path))
        return true;
    return platform::files().writeFile(path, QByteArray());
}

// Starts the share-drive program hidden and returns its window, 0 when none came. pid is the
// started process, 0 when nothing was started.
WindowHandle startShareDrive(std::int64_t& pid) {
    const QString folder = platform::files().programFolder();
    if (!ensureMarkerFile(inFolder(folder, kShareDriveMarkerName)))
        return 0;
    const platform::StartResult started = platform::processes().start(
        inFolder(folder, kShareDriveProgramName), QString(), QString(), ShowCommand::Hide);
    if (!started.started())
        return 0;
    pid = started.pid;
    return waitForShareDriveWindow(pid);
}

void moveShareDriveWindow(const QRect& place) {
    platform::windows().move(gv().ShareDriveWindow, place.x(), place.y(), place.width(),
                             place.height());
}

}  // namespace

std::span<const MenuModeRow> menuModeRows() {
    return kMenuModes;
}

bool menuModeValue(const MenuModeRow& row, MenuMode mode) {
    return mode == MenuMode::ShareDrive ? row.shareDriveMode : row.profileMode;
}

QString profileMenuCaption(MenuMode mode) {
    return mode == MenuMode::ShareDrive ? QStringLiteral("Share Drive") : QStringLiteral("Profile");
}

QRect shareDriveGeometry(QSize picture1Twips, bool toolbarShown) {
    const int room = toolbarShown ? kRoomWithToolbar : kRoomWithoutToolbar;
    return QRect(0, kShareDriveTop, twipsToPixels(picture1Twips.width()),
                 twipsToPixels(picture1Twips.height()) - room);
}

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
    std::int64_t pid = 0;
    try {
        gv().ShareDriveWindow = startShareDrive(pid);
        if (gv().ShareDriveWindow > 0) {
            MachineWindowPort& machine = machineWindow();
            machine.Show();
            platform::WindowSystem& windows = platform::windows();
            windows.setParent(gv().ShareDriveWindow, machine.picture1Handle());
            moveShareDriveWindow(shareDriveGeometry(machine.picture1SizeTwips(), true));
            windows.show(gv().ShareDriveWindow, ShowCommand::Normal);
            watchShareDrive(pid);
            return true;
        }
    } catch (const platform::RuntimeError&) {
        // Any failure ends as a window that never came does.
    }
    // A program whose window was not embedded could never be closed again.
    if (pid != 0)
        platform::processes().end(pid);
    showMessage(kShareDriveFailedMessage);
    gv().ShareDriveWindow = 0;
    return false;
}

void MDIForm1::applyMenuMode(MenuMode mode) {
    gv().ShareDriveOpen = mode == MenuMode::ShareDrive ? kTrue : kFalse;
    for (const MenuModeRow& row : menuModeRows()) {
        const bool value = menuModeValue(row, mode);
        if (row.property == MenuModeProperty::Enabled)
            m_enabled[static_cast<int>(row.control)] = value;
        else
            menuItem(row.control)->setVisible(value);
    }
    menuItem(M::mnuProfile)->setText(profileMenuCaption(mode));
    showEnableState();
}

void MDIForm1::watchShareDrive(std::int64_t pid) {
    m_shareDrivePid = pid;
    m_shareDriveWatch = platform::clock().createTimer();
    m_shareDriveWatch->setInterval(kShareDriveWatchMs);
    m_shareDriveWatch->onTimeout([this] {
        if (gv().ShareDriveOpen == kTrue && !isBusy() &&
            !platform::processes().isRunning(m_shareDrivePid))
            runHandler(ErrorPolicy::Ignore, [this] { FlatBttnCloseShareDrv_Click(); });
    });
    m_shareDriveWatch->setEnabled(true);
}

void MDIForm1::restoreProfileMenuMode() {
    // The timer may be the caller: it is switched off, not destroyed.
    if (m_shareDriveWatch)
        m_shareDriveWatch->setEnabled(false);
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
