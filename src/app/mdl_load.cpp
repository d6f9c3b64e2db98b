#include "app/mdl_load.h"

#include <QApplication>

#include "app/app_windows.h"
#include "app/mdi_form1.h"
#include "app/qt_ui_service.h"
#include "forms/error_boundary.h"
#include "machine/companion_program.h"
#include "platform/file_system.h"
#include "platform/folder_lock.h"
#include "platform/host_facts.h"
#include "platform/icmp_echo.h"
#include "platform/linux_processes.h"
#include "platform/real_clock.h"
#include "platform/services.h"
#include "platform/x11_window_system.h"
#include "profiles/unfinished_changes.h"

namespace vornelix {

void MdlLoad::Main() {
    // What a creation, a move or a quick format that the last run did not finish left is
    // settled first.
    UnfinishedChanges::settleAtStart();
    if (!MDIForm1::instance())
        new MDIForm1();
    MDIForm1::instance()->show();
}

std::unique_ptr<platform::FolderLock> MdlLoad::claimProgramFolder() {
    platform::FileSystem& files = platform::files();
    auto lock = platform::FolderLock::tryAcquire(files.hostPath(files.programFolder()));
    if (!lock)
        showMessage(kInstanceRunningMessage);
    return lock;
}

int MdlLoad::run(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Vornelix");

    QtUiService ui;
    platform::RealClock clock;
    platform::FileSystem files = platform::FileSystem::fromEnvironment();
    platform::Services& s = platform::services();
    s.ui = &ui;
    s.clock = &clock;
    s.files = &files;
    platform::LinuxHostFacts host;
    s.host = &host;
    platform::X11WindowSystem windows;
    s.windows = &windows;
    platform::LinuxProcesses processes;
    s.processes = &processes;
    platform::LinuxIcmpEcho icmp;
    s.icmp = &icmp;

    // Two instances on one program folder would share the configuration file and the joined
    // graphics-driver file.
    const auto lock = claimProgramFolder();
    if (!lock)
        return 1;
    // Made before the first window and gone after the last, before the clock.
    CompanionPrograms companions;
    installAppWindows();
    Main();
    const int result = QApplication::exec();
    delete MDIForm1::instance();
    return result;
}

}  // namespace vornelix
