#include <gtest/gtest.h>

#include "platform/drives.h"

namespace vornelix::platform {
namespace {

TEST(DriveTable, ParsesEntriesAndSkipsBadOnes) {
    const DriveTable t = DriveTable::parse(
        "c=/home/u;d=/media/cd|cdrom||notready;e=/mnt/x|fixed|vfat;bad;q=/x|nonsense;zz=/y");
    ASSERT_EQ(t.drives().size(), 3u);
    EXPECT_EQ(t.find('C')->hostFolder, "/home/u");
    EXPECT_EQ(t.find('d')->type, DriveType::CdRom);
    EXPECT_FALSE(t.find('d')->ready);
    EXPECT_EQ(t.find('e')->fileSystem, "vfat");
    EXPECT_EQ(t.find('q'), nullptr);
}

TEST(DriveTable, MapsPathsBothWays) {
    const DriveTable t = DriveTable::parse("c=/home/u;z=/");
    EXPECT_EQ(t.toHostPath("c:\\Vornelix_HD\\Test\\hdimage.img"),
              "/home/u/Vornelix_HD/Test/hdimage.img");
    EXPECT_EQ(t.toHostPath("C:\\"), "/home/u");
    EXPECT_EQ(t.toHostPath("z:\\etc\\hosts"), "/etc/hosts");
    EXPECT_EQ(t.toHostPath("q:\\x"), "");
    EXPECT_EQ(t.toHostPath("relative"), "");
    // The drive whose folder holds the path most closely wins.
    EXPECT_EQ(t.toWindowsPath("/home/u/a b/c.dsk"), "c:\\a b\\c.dsk");
    EXPECT_EQ(t.toWindowsPath("/home/u"), "c:\\");
    EXPECT_EQ(t.toWindowsPath("/home/user2/x"), "z:\\home\\user2\\x");
    EXPECT_EQ(DriveTable::parse("c=/home/u").toWindowsPath("/tmp/x"), "") << "no root drive";
}

}  // namespace
}  // namespace vornelix::platform
