#include "app/mdl_load.h"

#include <QApplication>

#include "app/form1.h"
#include "app/mdi_form1.h"
#include "platform/file_system.h"
#include "platform/host_facts.h"
#include "platform/icmp_echo.h"
#include "platform/linux_processes.h"
#include "platform/qt_ui_service.h"
#include "platform/real_clock.h"
#include "platform/services.h"
#include "platform/x11_window_system.h"

namespace vornelix {

void MdlLoad::Main() {
    mdiForm1().show();
}

int MdlLoad::run(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Vornelix");

    platform::QtUiService ui;
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

    installMachineWindowAccess();
    Main();
    return QApplication::exec();
}

}  // namespace vornelix
