// Volume creation: a fixed 8 GiB volume made through my_new_Timer against `unrar x` of the same
// image archive into the same folder, alternating, and the wall time of a growable volume.
//
//   creation_bench [--runs N] [--dir FOLDER] [--size-gb N]
//
// The archive is the build's vornelix_hd_<N>gb.rar; everything else lives in a temporary
// folder under --dir (default /tmp), deleted at the end.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench_timing.h"
#include "platform/file_system.h"
#include "platform/linux_processes.h"
#include "platform/real_clock.h"
#include "platform/services.h"
#include "platform/user_interface.h"
#include "profiles/creation_change.h"
#include "profiles/new_profile.h"
#include "profiles/volume_creation.h"

namespace {

using vornelix::bench::median;
using vornelix::bench::seconds;

using namespace vornelix;

[[noreturn]] void fail(const QString& why) {
    std::fprintf(stderr, "creation_bench: %s\n", qPrintable(why));
    std::_Exit(1);
}

// The warning before the extraction is answered at once; any other box fails the run.
class BenchUi final : public platform::UiService {
  public:
    platform::MsgAnswer messageBox(const platform::MessageBoxRequest& request) override {
        if (request.text != VolumeCreation::kFormattingMessage)
            fail("box: " + request.text);
        return platform::MsgAnswer::Ok;
    }
    std::optional<QString> openFile(const platform::OpenFileRequest&) override {
        return std::nullopt;
    }
    [[noreturn]] void endProgram() override { fail("the program ended"); }
};

// The bench profile on drive b:, which stands for the bench's folder.
NewProfile benchProfile(bool growable, int sizeGB) {
    NewProfile profile;
    profile.name = "Bench";
    profile.drive = "b:";
    profile.sizeGB = static_cast<std::int16_t>(sizeGB);
    profile.growable = growable;
    return profile;
}

// One volume step; what it made is kept, since the bench removes the folder itself.
bool makeVolume(bool growable, int sizeGB) {
    CreationChange made;
    return VolumeCreation::my_new_Timer(benchProfile(growable, sizeGB), made);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int runs = 5, sizeGB = 8;
    QString dir = QDir::tempPath();
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == "--runs")
            runs = args[i + 1].toInt();
        else if (args[i] == "--dir")
            dir = args[i + 1];
        else if (args[i] == "--size-gb")
            sizeGB = args[i + 1].toInt();
    }
    QTemporaryDir folder(dir + "/vornelix-creation-bench-XXXXXX");
    const QString root = folder.path();
    const QString archiveName = QString("vornelix_hd_%1gb.rar").arg(sizeGB);
    if (!QFile::copy(VORNELIX_PROGRAM_DIR "/" + archiveName, root + "/" + archiveName) ||
        !QFile::copy(VORNELIX_PROGRAM_DIR "/VornelHD.exe", root + "/VornelHD.exe"))
        fail("the build's program folder lacks the archive or the HD tool");
    const QString unrar = QStandardPaths::findExecutable("unrar");
    if (unrar.isEmpty())
        fail("unrar is not installed");

    BenchUi ui;
    platform::RealClock clock(1.0);
    platform::LinuxProcesses processes;
    platform::FileSystem files(
        platform::DriveTable({{'b', root, platform::DriveType::Fixed, "", true}}),
        {root, root, root});
    platform::services().ui = &ui;
    platform::services().clock = &clock;
    platform::services().files = &files;
    platform::services().processes = &processes;

    const QString profile = root + "/Vornelix_HD/Bench";
    const QString image = profile + "/hdimage.img";
    const qint64 expected = qint64{sizeGB} << 30;
    std::vector<double> module, cli;
    for (int run = 0; run < 2 * runs; ++run) {
        if (run % 2 == 0) {
            module.push_back(seconds([&] {
                if (!makeVolume(false, sizeGB))
                    fail("my_new_Timer failed");
            }));
        } else {
            QDir().mkpath(profile);
            cli.push_back(seconds([&] {
                QProcess process;
                process.start(unrar, {"x", "-o+", "-idq", root + "/" + archiveName, profile + "/"});
                if (!process.waitForFinished(-1) || process.exitCode() != 0)
                    fail("unrar failed");
            }));
        }
        if (QFileInfo(image).size() != expected)
            fail("the image has the wrong size");
        QDir(root + "/Vornelix_HD").removeRecursively();
    }
    const double m = median(module), c = median(cli);
    std::printf(
        "fixed %d GiB volume, %d runs each, medians: my_new_Timer %.2f s, unrar x %.2f s, "
        "ratio unrar/my_new_Timer %.3f\n",
        sizeGB, runs, m, c, c / m);

    std::vector<double> growable;
    for (int run = 0; run < runs; ++run) {
        growable.push_back(seconds([&] {
            if (!makeVolume(true, sizeGB))
                fail("the HD tool did not start");
            while (QFileInfo(image).size() != expected) QThread::msleep(5);
        }));
        QDir(root + "/Vornelix_HD").removeRecursively();
    }
    std::printf(
        "growable %d GiB volume (two 2000 ms waits and the tool): median %.2f s, max %.2f s\n",
        sizeGB, median(growable), *std::max_element(growable.begin(), growable.end()));
    return 0;
}
