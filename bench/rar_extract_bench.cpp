// Extraction of a 1 GiB volume image: ModuleRAR::RARExecute against the unrar command-line
// tool, alternating in one run, with a plain copy of the image as the disk's limit.
//
//   rar_extract_bench [--size-mib N] [--runs N] [--dir FOLDER]
//
// The image is made compressible (text-like data and long runs of zeros, as a fresh volume
// has) and archived with the rar archiver when it is installed, else stored by the tests' own
// RAR writer. Everything lives in a temporary folder under --dir (default /tmp), deleted at
// the end.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "bench_timing.h"
#include "platform/file_system.h"
#include "platform/real_clock.h"
#include "platform/services.h"
#include "platform/user_interface.h"
#include "profiles/module_rar.h"
#include "support/rar_writer.h"

namespace {

using vornelix::bench::median;
using vornelix::bench::seconds;

using namespace vornelix;

constexpr qint64 kMiB = 1024 * 1024;

QTemporaryDir* workFolder = nullptr;

[[noreturn]] void fail(const QString& why) {
    std::fprintf(stderr, "rar_extract_bench: %s\n", qPrintable(why));
    if (workFolder)
        workFolder->remove();
    std::_Exit(1);
}

// Any box is a failure of the run: it is printed and the benchmark stops.
class BenchUi final : public platform::UiService {
  public:
    platform::MsgAnswer messageBox(const platform::MessageBoxRequest& request) override {
        std::fprintf(stderr, "box \"%s\": %s\n", qPrintable(request.shownTitle()),
                     qPrintable(request.text));
        return platform::MsgAnswer::Ok;
    }
    std::optional<QString> openFile(const platform::OpenFileRequest&) override {
        return std::nullopt;
    }
    [[noreturn]] void endProgram() override { fail("the extraction ended the program"); }
};

// The real clock, counting how often events are processed.
class CountingClock final : public platform::Clock {
  public:
    void sleep(int ms) override { m_real.sleep(ms); }
    void doEvents() override {
        ++events;
        m_real.doEvents();
    }
    void processPaintEvents() override {
        ++events;
        m_real.processPaintEvents();
    }
    std::unique_ptr<platform::Timer> createTimer() override { return m_real.createTimer(); }
    long long events = 0;

  private:
    platform::RealClock m_real{1.0};
};

// 1 MiB blocks: a quarter of text-like words from a small vocabulary, the rest zeros with a
// sector number at the start of every 4 KiB, so that it compresses several times over.
void makeImage(const QString& path, qint64 mib) {
    static const char* const words[] = {
        "System", "Library", "Volume", "HFS",     "catalog", "extent", "node", "kernel",
        "driver", "Mac",     "Finder", "desktop", "folder",  "file",   "data", "resource"};
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        fail("cannot write " + path);
    std::uint32_t seed = 12345;
    QByteArray block(kMiB, '\0');
    for (qint64 b = 0; b < mib; ++b) {
        block.fill('\0');
        int at = 0;
        while (at < kMiB / 4) {
            seed = seed * 1664525u + 1013904223u;
            const char* word = words[(seed >> 16) % 16];
            const int length = static_cast<int>(std::strlen(word));
            std::memcpy(block.data() + at, word,
                        static_cast<size_t>(std::min(length, static_cast<int>(kMiB / 4) - at)));
            at += length + 1;
            block[at - 1] = (seed >> 8) % 7 == 0 ? '\n' : ' ';
        }
        for (qint64 sector = kMiB / 4; sector < kMiB; sector += 4096) {
            const std::uint32_t number = static_cast<std::uint32_t>(b * 256 + sector / 4096);
            std::memcpy(block.data() + sector, &number, sizeof number);
        }
        if (file.write(block) != block.size())
            fail("cannot write " + path);
    }
}

QString archiveImage(const QString& image, const QString& archive) {
    const QString rar = QStandardPaths::findExecutable("rar");
    if (!rar.isEmpty()) {
        QProcess process;
        process.setWorkingDirectory(QFileInfo(image).path());
        process.start(rar, {"a", "-ma5", "-m3", "-idq", "-ep", archive, image});
        if (!process.waitForFinished(-1) || process.exitCode() != 0)
            fail("rar failed");
        return "rar 'a -ma5 -m3' (compressed, RAR 5)";
    }
    QFile file(image);
    if (!file.open(QIODevice::ReadOnly))
        fail("cannot read " + image);
    test::RarWriter writer;
    writer.add("hdimage.img", file.readAll());
    if (!writer.writeTo(archive))
        fail("cannot write " + archive);
    return "the tests' RAR writer (stored, RAR 5): rar is not installed";
}

bool sameFiles(const QString& a, const QString& b) {
    QFile fa(a), fb(b);
    if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly))
        return false;
    if (fa.size() != fb.size())
        return false;
    while (!fa.atEnd())
        if (fa.read(4 * kMiB) != fb.read(4 * kMiB))
            return false;
    return true;
}

void copyFile(const QString& from, const QString& to) {
    QFile in(from), out(to);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly))
        fail("cannot copy");
    QByteArray buffer(4 * kMiB, '\0');
    for (qint64 n; (n = in.read(buffer.data(), buffer.size())) > 0;)
        if (out.write(buffer.constData(), n) != n)
            fail("cannot copy");
}

struct Options {
    qint64 sizeMib = 1024;
    int runs = 5;
    QString dir = QDir::tempPath();
};

Options parse(const QStringList& args) {
    Options options;
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == "--size-mib")
            options.sizeMib = args[i + 1].toLongLong();
        else if (args[i] == "--runs")
            options.runs = args[i + 1].toInt();
        else if (args[i] == "--dir")
            options.dir = args[i + 1];
        else
            fail("unknown option " + args[i]);
    }
    if (options.sizeMib <= 0 || options.runs <= 0)
        fail("bad options");
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const Options options = parse(app.arguments());
    QTemporaryDir folder(options.dir + "/vornelix-rar-bench-XXXXXX");
    if (!folder.isValid())
        fail("cannot make a folder under " + options.dir);
    workFolder = &folder;
    const QString root = folder.path();
    QDir(root).mkpath("lib");
    QDir(root).mkpath("cli");

    BenchUi ui;
    CountingClock clock;
    platform::FileSystem files(
        platform::DriveTable({{'b', root, platform::DriveType::Fixed, "", true}}),
        {root, root, root});
    platform::services().ui = &ui;
    platform::services().clock = &clock;
    platform::services().files = &files;

    const QString image = root + "/hdimage.img";
    const QString archive = root + "/vornelix_hd_1gb.rar";
    std::printf("image: %lld MiB in %s\n", static_cast<long long>(options.sizeMib),
                qPrintable(root));
    makeImage(image, options.sizeMib);
    const QString archivedWith = archiveImage(image, archive);
    std::printf("archived with %s: %lld bytes\n", qPrintable(archivedWith),
                static_cast<long long>(QFileInfo(archive).size()));
    const QString unrar = QStandardPaths::findExecutable("unrar");
    if (unrar.isEmpty())
        std::printf("unrar is not installed: only RARExecute and the copy run\n");

    const QString libOut = root + "/lib/hdimage.img";
    const QString cliOut = root + "/cli/hdimage.img";
    const QString copyOut = root + "/copy.img";
    std::vector<double> lib, cli, copy;
    long long eventsPerRun = 0;
    auto runLib = [&] {
        const long long before = clock.events;
        lib.push_back(seconds([&] {
            ModuleRAR::RARExecute(R"(b:\lib\hdimage.img)", 0, R"(b:\vornelix_hd_1gb.rar)", "");
        }));
        eventsPerRun = clock.events - before;
        if (lib.size() == 1 && !sameFiles(image, libOut))
            fail("RARExecute extracted wrong data");
        QFile::remove(libOut);
    };
    auto runCli = [&] {
        if (unrar.isEmpty())
            return;
        cli.push_back(seconds([&] {
            QProcess process;
            process.start(unrar, {"x", "-o+", "-idq", archive, root + "/cli/"});
            if (!process.waitForFinished(-1) || process.exitCode() != 0)
                fail("unrar failed");
        }));
        if (cli.size() == 1 && !sameFiles(image, cliOut))
            fail("unrar extracted wrong data");
        QFile::remove(cliOut);
    };
    auto runCopy = [&] {
        copy.push_back(seconds([&] { copyFile(image, copyOut); }));
        QFile::remove(copyOut);
    };
    for (int run = 0; run < options.runs; ++run) {
        if (run % 2 == 0) {
            runLib();
            runCli();
        } else {
            runCli();
            runLib();
        }
        runCopy();
    }

    const double mib = static_cast<double>(options.sizeMib);
    auto report = [&](const char* name, const std::vector<double>& times) {
        if (times.empty())
            return;
        std::printf("%-12s median %.3f s  %8.1f MiB/s  (runs:", name, median(times),
                    mib / median(times));
        for (double t : times) std::printf(" %.3f", t);
        std::printf(")\n");
    };
    report("RARExecute", lib);
    report("unrar x", cli);
    report("plain copy", copy);
    std::printf("events processed per RARExecute run: %lld\n", eventsPerRun);
    if (!cli.empty())
        std::printf("RARExecute / unrar throughput: %.3f (goal 0.95 or better)\n",
                    median(cli) / median(lib));
    std::printf("RARExecute / plain copy throughput: %.3f\n", median(copy) / median(lib));
    return 0;
}
