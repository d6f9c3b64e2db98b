#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>

#include "platform/drives.h"
#include "platform/file_system.h"
#include "platform/host_facts.h"

namespace vornelix::platform {
namespace {

// A made-up kernel view (proc and sys) in a temporary folder.
class FakeKernel {
  public:
    void write(const QString& path, const QByteArray& text) {
        QDir().mkpath(QFileInfo(root() + "/" + path).path());
        QFile file(root() + "/" + path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    void makeFolder(const QString& path) { QDir().mkpath(root() + "/" + path); }
    QString root() const { return m_dir.path(); }

  private:
    QTemporaryDir m_dir;
};

const QByteArray kPlainMounts =
    "/dev/vda1 / ext4 rw 0 0\nproc /proc proc rw 0 0\n/dev/vda2 /home/u ext4 rw 0 0\n"
    "/dev/vdb1 /data xfs rw 0 0\n/dev/sdb1 /media/u/MY\\040STICK vfat rw 0 0\n";

struct DriveCase {
    const char* name;
    QByteArray mounts;
    QStringList blockDevices;  // under sys/block
    QByteArray cdromInfo;      // proc/sys/dev/cdrom/info; empty: none
    QString table;             // letter=folder|type[|notready], in the order walked
    friend void PrintTo(const DriveCase& c, std::ostream* os) { *os << c.name; }
};

class HostDrives : public ::testing::TestWithParam<DriveCase> {};

TEST_P(HostDrives, ListsMountsThenOpticalDrivesWithOrWithoutMedium) {
    FakeKernel kernel;
    kernel.write("proc/mounts", GetParam().mounts);
    for (const QString& device : GetParam().blockDevices) kernel.makeFolder("sys/block/" + device);
    if (!GetParam().cdromInfo.isEmpty())
        kernel.write("proc/sys/dev/cdrom/info", GetParam().cdromInfo);
    const DriveTable host = DriveTable::ofHost("/home/u/", kernel.root());
    QStringList table;
    for (const Drive& d : host.drives())
        table << QString(d.letter) + "=" + d.hostFolder + "|" + driveTypeName(d.type) +
                     (d.ready ? "" : "|notready");
    EXPECT_EQ(table.join(';'), GetParam().table);
}

INSTANTIATE_TEST_SUITE_P(
    Host, HostDrives,
    ::testing::Values(
        DriveCase{"NoOpticalDrive",
                  kPlainMounts,
                  {"vda", "loop0"},
                  "",
                  "c=/home/u|fixed;d=/data|fixed;e=/media/u/MY STICK|removable;z=/|fixed"},
        DriveCase{"EmptyDrive",
                  kPlainMounts,
                  {"vda", "sr0"},
                  "",
                  "c=/home/u|fixed;d=/data|fixed;e=/media/u/MY STICK|removable;"
                  "f=/dev/sr0|cdrom|notready;z=/|fixed"},
        DriveCase{"DriveWithMountedMedium",
                  "/dev/sr0 /media/u/DISC iso9660 ro 0 0\n/dev/vdb1 /data xfs rw 0 0\n",
                  {"sr0"},
                  "",
                  "c=/home/u|fixed;d=/data|fixed;e=/media/u/DISC|cdrom;z=/|fixed"},
        DriveCase{"DriveOnlyTheCdromReportNames",
                  "/dev/sr1 /media/u/DISC udf ro 0 0\n",
                  {"sr0"},
                  "CD-ROM information\n\ndrive name:\t\tsr1\tsr0\ndrive speed:\t24\n",
                  "c=/home/u|fixed;d=/dev/sr0|cdrom|notready;e=/media/u/DISC|cdrom;z=/|fixed"},
        DriveCase{"NoKernelView", "", {}, "", "c=/home/u|fixed;z=/|fixed"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DriveTable, WalksDrivesByLetter) {
    const DriveTable table = DriveTable::parse("z=/;e=/e|cdrom;c=/c;d=/d|cdrom||notready");
    QString letters;
    for (const Drive& d : table.drives()) letters += d.letter;
    EXPECT_EQ(letters, "cdez");
}

struct MemoryCase {
    const char* name;
    QStringList blocks;  // "1"/"0": online file; "state": a state file saying online only
    bool meminfo;
    double bytes;  // 0: the kernel's page count
    friend void PrintTo(const MemoryCase& c, std::ostream* os) { *os << c.name; }
};

class HostMemory : public ::testing::TestWithParam<MemoryCase> {};

TEST_P(HostMemory, CountsOnlineBlocksElseMemTotal) {
    FakeKernel kernel;
    if (GetParam().meminfo)
        kernel.write("proc/meminfo", "MemTotal:       1000 kB\nMemFree: 10 kB\n");
    if (!GetParam().blocks.isEmpty())
        kernel.write("sys/devices/system/memory/block_size_bytes", "8000000\n");
    for (int i = 0; i < GetParam().blocks.size(); ++i) {
        const QString block = QString("sys/devices/system/memory/memory%1/").arg(i);
        const QString value = GetParam().blocks[i];
        if (value == "state")
            kernel.write(block + "state", "online\n");
        else
            kernel.write(block + "online", value.toLatin1() + "\n");
    }
    const double bytes = LinuxHostFacts(kernel.root()).physicalMemoryBytes();
    if (GetParam().bytes > 0)
        EXPECT_EQ(bytes, GetParam().bytes);
    else
        EXPECT_GT(bytes, 0);
}

constexpr double kBlock = 128.0 * 1024 * 1024;

INSTANTIATE_TEST_SUITE_P(
    Host, HostMemory,
    ::testing::Values(MemoryCase{"OnlineBlocks", {"1", "0", "1", "state"}, true, 3 * kBlock},
                      MemoryCase{"AllOffline", {"0", "0"}, true, 1024000},
                      MemoryCase{"NoMemoryFolder", {}, true, 1024000},
                      MemoryCase{"NothingToRead", {}, false, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FileSystem, SaysWhenNoDriveHoldsTheProgramFolder) {
    for (const auto& [program, reported] :
         {std::pair{"/opt/vornelix", true}, std::pair{"/home/u/vornelix", false}}) {
        QString text;
        QTextStream err(&text);
        const FileSystem files(DriveTable::parse("c=/home/u"), {program, "/tmp", ""});
        EXPECT_EQ(files.reportUnmappedProgramFolder(err), reported);
        EXPECT_EQ(text.contains("VORNELIX_DRIVES") && text.contains(program), reported);
    }
}

}  // namespace
}  // namespace vornelix::platform
