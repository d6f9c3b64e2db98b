#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>

#include "platform/host_facts.h"
#include "platform/runtime_error.h"

namespace vornelix::platform {
namespace {

TEST(HostFacts, MemTotalInBytes) {
    EXPECT_EQ(memTotalBytes("MemFree:  100 kB\nMemTotal:       16318708 kB\nBuffers: 1 kB\n"),
              16318708.0 * 1024);
    EXPECT_THROW(memTotalBytes("MemFree: 100 kB\n"), RuntimeError);
    EXPECT_THROW(memTotalBytes(""), RuntimeError);
}

TEST(HostFacts, ReadsTheReportOrFallsBackToTheKernelCount) {
    QTemporaryDir dir;
    QFile report(dir.filePath("meminfo"));
    ASSERT_TRUE(report.open(QIODevice::WriteOnly));
    report.write("MemTotal: 1024000 kB\n");
    report.close();
    EXPECT_EQ(LinuxHostFacts(report.fileName()).physicalMemoryBytes(), 1048576000.0);
    EXPECT_GT(LinuxHostFacts(dir.filePath("missing")).physicalMemoryBytes(), 0);
    EXPECT_GT(LinuxHostFacts().physicalMemoryBytes(), 0);
}

TEST(HostFacts, ScreenInTwipsAtFifteenPerPixel) {
    const ScreenMetrics screen = LinuxHostFacts().screen();
    const QSize pixels = QGuiApplication::primaryScreen()->size();
    EXPECT_EQ(screen.widthTwips, pixels.width() * 15);
    EXPECT_EQ(screen.heightTwips, pixels.height() * 15);
    EXPECT_EQ(screen.twipsPerPixelX, 15);
    EXPECT_EQ(screen.twipsPerPixelY, 15);
}

}  // namespace
}  // namespace vornelix::platform
