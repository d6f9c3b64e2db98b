// The longest stall of the event loop during one whole profile start: a 10 ms timer ticks
// while the real program starts the engine stand-in on a real X server (time not scaled), and
// the largest gap between two of its ticks is printed beside the timer's interval.
//
// Run under an X server: xvfb-run -a build/bench/start_stall_bench
// It ends with status 1, having said why, when it cannot make its profile or the profile's
// volume image, or when the start did not embed the engine.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "app/app_windows.h"
#include "app/mdi_form1.h"
#include "forms/machine_window_port.h"
#include "machine/companion_program.h"
#include "machine/global_variables.h"
#include "machine/profile_start.h"
#include "machine/profile_store.h"
#include "platform/database.h"
#include "platform/file_system.h"
#include "platform/host_facts.h"
#include "platform/linux_processes.h"
#include "platform/real_clock.h"
#include "platform/runtime_error.h"
#include "platform/services.h"
#include "platform/user_interface.h"
#include "platform/x11_window_system.h"

using namespace vornelix;

namespace {

// Answers every box with its first button and prints it, so a failed start is visible.
class PrintingUi final : public platform::UiService {
  public:
    platform::MsgAnswer messageBox(const platform::MessageBoxRequest& request) override {
        std::fprintf(stderr, "box: %s\n", qPrintable(request.text));
        return request.buttons == platform::MsgButtons::YesNo ? platform::MsgAnswer::Yes
                                                              : platform::MsgAnswer::Ok;
    }
    std::optional<QString> openFile(const platform::OpenFileRequest&) override {
        return std::nullopt;
    }
    [[noreturn]] void endProgram() override { std::exit(1); }
};

// The profile "Bench" in a new database, and its volume image; false, having said why, when
// either cannot be made.
bool makeProfile(const QString& databaseHost, const QString& root) {
    try {
        createProfileDatabase(databaseHost);
        executeOnStore(
            "insert into Vornelix_profile (prof_name, hard_disk_path, hard_disk_size, "
            "cd_rom_path, cdrom_type, networking, ide_slave_device, ram_size) "
            "values (?, ?, ?, ?, ?, ?, ?, ?)",
            {"Bench", "c:\\Vornelix_HD\\Bench", 3, "   ", "cdrom", 0, 0, 256});
    } catch (const platform::RuntimeError& error) {
        std::fprintf(stderr, "the profile could not be stored: %s\n",
                     qPrintable(error.description()));
        return false;
    }
    // A start refuses a profile without its image.
    QFile image(root + "/Vornelix_HD/Bench/hdimage.img");
    if (!QDir(root).mkpath("Vornelix_HD/Bench")) {
        std::fprintf(stderr, "the folder of the volume image %s could not be made\n",
                     qPrintable(image.fileName()));
        return false;
    }
    if (!image.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "the volume image %s could not be made: %s\n",
                     qPrintable(image.fileName()), qPrintable(image.errorString()));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    QTemporaryDir root;
    for (const char* folder : {"Vornelix", "Temp", "Current"}) QDir(root.path()).mkpath(folder);
    const QString program = root.path() + "/Vornelix";
    QFile::copy(VORNELIX_PROGRAM_DIR "/Vornelix.exe", program + "/Vornelix.exe");

    PrintingUi ui;
    platform::RealClock clock;
    platform::LinuxHostFacts host;
    platform::X11WindowSystem windows;
    platform::LinuxProcesses processes;
    platform::FileSystem files(
        platform::DriveTable({{'c', root.path(), platform::DriveType::Fixed, "NTFS", true}}),
        platform::HostFolders{program, root.path() + "/Temp", root.path() + "/Current"});
    platform::Services& s = platform::services();
    s.ui = &ui;
    s.clock = &clock;
    s.host = &host;
    s.windows = &windows;
    s.processes = &processes;
    s.files = &files;
    if (!makeProfile(program + "/ASNMD.DAT", root.path()))
        return 1;

    CompanionPrograms companions;
    installAppWindows();
    MDIForm1 main;
    main.show();
    gv().ProfileOpen = kTrue;
    gv().ProfileName = "Bench";
    gv().RamSizeMB = 256;

    QElapsedTimer sinceTick;
    qint64 largestGap = 0;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout,
                     [&] { largestGap = std::max(largestGap, sinceTick.restart()); });
    QElapsedTimer whole;
    QTimer::singleShot(0, [&] {
        sinceTick.start();
        ticker.start(10);
        whole.start();
        main.mnuControl_Play_Click();
        ticker.stop();
        largestGap = std::max(largestGap, sinceTick.elapsed());
        const bool running = gv().EngineRunning == kTrue;
        main.mnuControl_Stop_Click();
        std::printf("start: %.1f s, engine %s\n", whole.elapsed() / 1000.0,
                    running ? "embedded" : "NOT embedded");
        std::printf("largest event-loop stall: %lld ms (timer interval 10 ms, ratio %.1f)\n",
                    static_cast<long long>(largestGap), largestGap / 10.0);
        // A start that did not embed the engine measured nothing worth a figure.
        QApplication::exit(running ? 0 : 1);
    });
    return QApplication::exec();
}
