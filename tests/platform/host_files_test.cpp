#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "platform/file_system.h"
#include "platform/host_facts.h"

namespace vornelix::platform {
namespace {

// A made-up kernel view (proc and sys) in a temporary folder: path -> text.
struct FakeKernel {
    explicit FakeKernel(const std::map<QString, QByteArray>& files) {
        for (const auto& [path, text] : files) {
            QDir().mkpath(QFileInfo(dir.filePath(path)).path());
            QFile file(dir.filePath(path));
            if (file.open(QIODevice::WriteOnly))
                file.write(text);
        }
    }
    QTemporaryDir dir;
};

struct HostCase {
    const char* name;
    std::map<QString, QByteArray> files;
    QString expected;  // the drives between c: and z: (letter=folder|type[|notready];) or bytes
    friend void PrintTo(const HostCase& c, std::ostream* os) { *os << c.name; }
};

class HostDrives : public ::testing::TestWithParam<HostCase> {};

TEST_P(HostDrives, MountsThenOpticalDrivesWithOrWithoutMediumByLetter) {
    const FakeKernel kernel(GetParam().files);
    const DriveTable host = DriveTable::ofHost("/home/u/", kernel.dir.path());
    QStringList table;
    for (const Drive& d : host.drives())
        table << QString(d.letter) + "=" + d.hostFolder + "|" + driveTypeName(d.type) +
                     (d.ready ? "" : "|notready");
    EXPECT_EQ(table.join(';'), "c=/home/u|fixed;" + GetParam().expected + "z=/|fixed");
}

const QByteArray kMounts =
    "/dev/vda1 / ext4 rw 0 0\nproc /proc proc rw 0 0\n/dev/vda2 /home/u "
    "ext4 rw 0 0\n/dev/sdb1 /media/u/MY\\040STICK vfat rw 0 0\n";

INSTANTIATE_TEST_SUITE_P(
    Host, HostDrives,
    ::testing::Values(HostCase{"EmptyDrive",
                               {{"proc/mounts", kMounts}, {"sys/block/sr0/size", "0"}},
                               "d=/media/u/MY STICK|removable;e=/dev/sr0|cdrom|notready;"},
                      HostCase{"MediumAndDriveOnlyTheCdromReportNames",
                               {{"proc/mounts", "/dev/sr1 /media/u/DISC udf ro 0 0\n"},
                                {"sys/block/sr0/size", "0"},
                                {"proc/sys/dev/cdrom/info",
                                 "drive name:\t\tsr1\tsr0\ndrive speed:\t24\n"}},
                               "d=/dev/sr0|cdrom|notready;e=/media/u/DISC|cdrom;"}));

class HostMemory : public ::testing::TestWithParam<HostCase> {};

TEST_P(HostMemory, OnlineBlocksElseMemTotal) {
    const FakeKernel kernel(GetParam().files);
    EXPECT_EQ(QString::number(LinuxHostFacts(kernel.dir.path()).physicalMemoryBytes(), 'f', 0),
              GetParam().expected);
}

const QString kBlocks = "sys/devices/system/memory/";
const std::pair<QString, QByteArray> kMemInfo{"proc/meminfo", "MemTotal:    1000 kB\n"};

INSTANTIATE_TEST_SUITE_P(Host, HostMemory,
                         ::testing::Values(HostCase{"OnlineBlocks",
                                                    {kMemInfo,
                                                     {kBlocks + "block_size_bytes", "8000000\n"},
                                                     {kBlocks + "memory0/online", "1\n"},
                                                     {kBlocks + "memory1/online", "0\n"},
                                                     {kBlocks + "memory9/state", "online\n"}},
                                                    "268435456"},
                                           HostCase{"NoMemoryFolder", {kMemInfo}, "1024000"}));

}  // namespace
}  // namespace vornelix::platform
