#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

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
