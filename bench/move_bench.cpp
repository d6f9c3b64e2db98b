// A 4 GiB fully allocated volume image moved to another file system (a tmpfs, /dev/shm) by
// the program's move against mv, alternating, five runs each: the median times, their ratio
// mv / ours, and the longest gap between the ticks of a 10 ms timer of a shown window during
// our moves (the windows are painted only while the move yields or waits on work aside).
// Each of our runs also prints how long the copy (place) and the deletion of the original
// (commit) took, and writes a record file whole (flushed) beside the source where the volume
// move writes its record: before the move and before the copy takes its name.
//
// Run under an X server: xvfb-run -a build/bench/move_bench [source folder] [target folder]

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "bench_timing.h"
#include "platform/file_system.h"
#include "platform/real_clock.h"
#include "platform/services.h"
#include "platform/sparse_move.h"

using namespace vornelix;

namespace {

constexpr qint64 kImageBytes = qint64{4} << 30;
constexpr int kRuns = 5;

// Every byte written, as a fixed volume is.
bool writeImage(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray block(8 << 20, '\x5a');
    for (qint64 done = 0; done < kImageBytes; done += block.size())
        if (file.write(block) != block.size())
            return false;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir source(argc > 1 ? QString(argv[1]) + "/move_bench_XXXXXX" : QString());
    QTemporaryDir target(QString(argc > 2 ? argv[2] : "/dev/shm") + "/move_bench_XXXXXX");
    if (!source.isValid() || !target.isValid() ||
        QStorageInfo(source.path()).bytesAvailable() < 2 * kImageBytes ||
        QStorageInfo(target.path()).bytesAvailable() < kImageBytes + (qint64{1} << 28)) {
        std::fprintf(stderr, "needs %lld bytes free in %s and in %s\n",
                     static_cast<long long>(kImageBytes), qPrintable(source.path()),
                     qPrintable(target.path()));
        return 1;
    }
    platform::RealClock clock;
    platform::services().clock = &clock;
    QLabel window("Moving the volume...");
    window.resize(320, 80);
    window.show();

    const platform::FileSystem files(platform::DriveTable::parse("c=" + source.path()),
                                     {source.path(), source.path(), QString()});
    const auto record = [&] { files.writeFileWhole("c:\\move.pending", QByteArray(600, ' ')); };
    const QString from = source.filePath("hdimage.img");
    const QString to = target.filePath("hdimage.img");
    qint64 largestGap = 0;
    QElapsedTimer sinceTick;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout,
                     [&] { largestGap = std::max(largestGap, sinceTick.restart()); });

    const auto ours = [&] {
        sinceTick.start();
        ticker.start(10);
        record();
        const std::optional<platform::FileIdentity> source = platform::identityOf(from);
        platform::HostFileMove move(from, to);
        move.setBeforeNaming(
            [&](platform::HostFileMove::Placement, const platform::FileIdentity&) { record(); });
        QElapsedTimer step;
        step.start();
        const QString why = move.place();
        const qint64 placed = step.restart();
        if (!why.isEmpty() || !platform::deleteFileOf(from, *source) ||
            !files.deleteFile("c:\\move.pending"))
            std::fprintf(stderr, "move failed: %s\n", qPrintable(why));
        std::printf("  place %lld ms, old name deleted %lld ms, stall so far %lld ms\n",
                    static_cast<long long>(placed), static_cast<long long>(step.elapsed()),
                    static_cast<long long>(largestGap));
        ticker.stop();
        largestGap = std::max(largestGap, sinceTick.elapsed());
    };
    const auto mv = [&] {
        if (QProcess::execute("mv", {from, to}) != 0)
            std::fprintf(stderr, "mv failed\n");
    };
    std::vector<double> oursTimes;
    std::vector<double> mvTimes;
    QTimer::singleShot(0, [&] {
        // The window's first paint (its fonts loaded) belongs to no move.
        clock.sleep(200);
        for (int run = 0; run < 2 * kRuns; ++run) {
            const bool isOurs = run % 2 == 0;
            if (!writeImage(from)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(from));
                break;
            }
            const double s = bench::seconds(isOurs ? std::function<void()>(ours) : mv);
            (isOurs ? oursTimes : mvTimes).push_back(s);
            std::printf("run %d %s: %.2f s\n", run / 2 + 1, isOurs ? "ours" : "mv  ", s);
            std::fflush(stdout);
            QFile::remove(to);
            QFile::remove(from);
        }
        const double o = bench::median(oursTimes);
        const double m = bench::median(mvTimes);
        std::printf("4 GiB to %s: ours %.2f s, mv %.2f s (medians), ratio mv/ours %.2f\n",
                    qPrintable(target.path()), o, m, m / o);
        std::printf("longest window stall during our moves: %lld ms (timer interval 10 ms)\n",
                    static_cast<long long>(largestGap));
        QApplication::quit();
    });
    return QApplication::exec();
}
