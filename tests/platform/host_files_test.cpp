#include "platform/sparse_move.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/statfs.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "platform/file_system.h"
#include "platform/host_facts.h"

namespace vornelix::platform {
namespace {

constexpr qint64 kSize = qint64{1} << 30;

// A sparse gigabyte with a few bytes at both ends.
void writeSparse(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("head");
    file.resize(kSize);
    file.seek(kSize - 4);
    file.write("tail");
}

void expectSparseCopy(const QString& path) {
    struct stat s {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &s), 0);
    EXPECT_EQ(s.st_size, kSize);
    EXPECT_LT(s.st_blocks * 512, 1 << 24) << "sparse";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(4), "head");
    file.seek(kSize - 4);
    EXPECT_EQ(file.read(4), "tail");
}

TEST(SparseMove, CopyKeepsHolesAndNeverReplacesAFile) {
    QTemporaryDir dir;
    writeSparse(dir.filePath("a.img"));
    EXPECT_EQ(copyHostFileKeepingSparse(dir.filePath("a.img"), dir.filePath("b.img")), "");
    expectSparseCopy(dir.filePath("b.img"));
    QFile::remove(dir.filePath("a.img"));
    QFile other(dir.filePath("a.img"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly) && other.write("other") == 5);
    other.close();
    EXPECT_NE(copyHostFileKeepingSparse(dir.filePath("b.img"), dir.filePath("a.img")), "");
    EXPECT_NE(moveHostFileKeepingSparse(dir.filePath("b.img"), dir.filePath("a.img")), "");
    EXPECT_EQ(QFileInfo(dir.filePath("a.img")).size(), 5);
    expectSparseCopy(dir.filePath("b.img"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2) << "no temporary left";
}

TEST(SparseMove, MovesAcrossFileSystems) {
    QTemporaryDir here;
    QTemporaryDir there("/dev/shm/sparse_move_XXXXXX");
    struct statfs a {
    }, b{};
    if (!there.isValid() || statfs(QFile::encodeName(here.path()), &a) != 0 ||
        statfs("/dev/shm", &b) != 0 || a.f_type == b.f_type)
        GTEST_SKIP() << "needs two file systems";
    writeSparse(here.filePath("a.img"));
    EXPECT_EQ(moveHostFileKeepingSparse(here.filePath("a.img"), there.filePath("a.img")), "");
    EXPECT_FALSE(QFile::exists(here.filePath("a.img")));
    expectSparseCopy(there.filePath("a.img"));
}

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
