#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>

#include "platform/file_system.h"
#include "platform/host_facts.h"
#include "support/test_environment.h"

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

const QByteArray kMounts =
    "/dev/vda1 / ext4 rw 0 0\nproc /proc proc rw 0 0\n/dev/vda2 /home/u "
    "ext4 rw 0 0\n/dev/sdb1 /media/u/MY\\040STICK vfat rw 0 0\n";

// The kernel's files, and the drives between c: and z: (letter=folder|type[|notready];).
TEST(HostDrives, MountsThenOpticalDrivesWithOrWithoutMediumByLetter) {
    const std::pair<std::map<QString, QByteArray>, QString> cases[] = {
        {{{"proc/mounts", kMounts}, {"sys/block/sr0/size", "0"}},
         "d=/media/u/MY STICK|removable;e=/dev/sr0|cdrom|notready;"},
        // Only the CD-ROM report names both the drive with a medium and the empty one.
        {{{"proc/mounts", "/dev/sr1 /media/u/DISC udf ro 0 0\n"},
          {"sys/block/sr0/size", "0"},
          {"proc/sys/dev/cdrom/info", "drive name:\t\tsr1\tsr0\ndrive speed:\t24\n"}},
         "d=/dev/sr0|cdrom|notready;e=/media/u/DISC|cdrom;"},
    };
    for (const auto& [files, expected] : cases) {
        const FakeKernel kernel(files);
        const DriveTable host = DriveTable::ofHost("/home/u/", kernel.dir.path());
        QStringList table;
        for (const Drive& d : host.drives())
            table << QString(d.letter) + "=" + d.hostFolder + "|" + driveTypeName(d.type) +
                         (d.ready ? "" : "|notready");
        EXPECT_EQ(table.join(';'), "c=/home/u|fixed;" + expected + "z=/|fixed");
    }
}

// The kernel's files and the bytes of memory: the online blocks, else MemTotal.
TEST(HostMemory, OnlineBlocksElseMemTotal) {
    const QString blocks = "sys/devices/system/memory/";
    const std::pair<QString, QByteArray> memInfo{"proc/meminfo", "MemTotal:    1000 kB\n"};
    const std::pair<std::map<QString, QByteArray>, QString> cases[] = {
        {{memInfo,
          {blocks + "block_size_bytes", "8000000\n"},
          {blocks + "memory0/online", "1\n"},
          {blocks + "memory1/online", "0\n"},
          {blocks + "memory9/state", "online\n"}},
         "268435456"},
        {{memInfo}, "1024000"},
    };
    for (const auto& [files, bytes] : cases) {
        const FakeKernel kernel(files);
        EXPECT_EQ(QString::number(LinuxHostFacts(kernel.dir.path()).physicalMemoryBytes(), 'f', 0),
                  bytes);
    }
}

// A file written whole replaces the one there and leaves no temporary name behind; in a folder
// that is not there nothing is written.
TEST(WholeFile, ReplacesTheFileAndLeavesNoTemporaryName) {
    test::TestEnvironment env;
    const QString file = R"(c:\Vornelix\record.txt)";
    EXPECT_TRUE(env.files().writeFileWhole(file, "first"));
    EXPECT_TRUE(env.files().writeFileWhole(file, "second"));
    EXPECT_EQ(env.readFile(file), "second");
    EXPECT_EQ(QDir(env.programHost()).entryList({"record*"}, QDir::Files | QDir::Hidden),
              QStringList{"record.txt"});
    EXPECT_FALSE(env.files().writeFileWhole(R"(c:\Missing\record.txt)", "x"));
    EXPECT_FALSE(env.files().writeFileWhole(R"(q:\record.txt)", "x"));
}

// Records keep an identity as text: every 64-bit value comes back as it was, and a text that
// is not two decimal numbers around one colon gives none.
TEST(IdentityText, RoundTripsEveryValueAndRefusesOtherTexts) {
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
    for (const FileIdentity identity :
         {FileIdentity{0, 0}, FileIdentity{2049, 131074}, FileIdentity{kMax, kMax - 1}}) {
        EXPECT_EQ(FileIdentity::fromText(identity.toText()), identity)
            << identity.toText().toStdString();
    }
    EXPECT_EQ((FileIdentity{kMax, 7}.toText()), "18446744073709551615:7");
    for (const char* text :
         {"", "12", "1:2:3", "a:1", "1:", ":1", "-1:2", "18446744073709551616:1"})
        EXPECT_EQ(FileIdentity::fromText(text), std::nullopt) << text;
}

// A file and a folder by their drive paths: a file's identity only of a regular file, a
// folder's only of a folder; none for a missing name or a drive not in the table. Two names of
// one folder give one identity.
TEST(PathIdentity, OfFilesAndFoldersByTheirDrivePaths) {
    test::TestEnvironment env;
    env.writeFile(R"(c:\Vornelix
ecord.txt)",
                  "x");
    const FileSystem& files = env.files();
    const std::optional<FileIdentity> file = files.fileIdentity(R"(c:\Vornelix
ecord.txt)");
    ASSERT_TRUE(file);
    EXPECT_EQ(file, identityOf(env.host(R"(c:\Vornelix
ecord.txt)")));
    const std::optional<FileIdentity> folder = files.folderIdentity(R"(c:\Vornelix)");
    ASSERT_TRUE(folder);
    EXPECT_NE(folder, file);
    EXPECT_EQ(files.folderIdentity(R"(c:\Vornelix\..\Vornelix\)"), folder);
    for (const char* none : {R"(c:\Vornelix\missing.txt)", R"(q:
ecord.txt)",
                             ""}) {
        EXPECT_EQ(files.fileIdentity(none), std::nullopt) << none;
        EXPECT_EQ(files.folderIdentity(none), std::nullopt) << none;
    }
    EXPECT_EQ(files.fileIdentity(R"(c:\Vornelix)"), std::nullopt);
    EXPECT_EQ(files.folderIdentity(R"(c:\Vornelix
ecord.txt)"),
              std::nullopt);
}

// A file deleted by its host path: its name goes, a second name of it keeps the bytes, and a
// name that is not there is refused with the system's reason. A folder is made once; making it
// again says why not.
TEST(HostFiles, DeletionTakesOneNameAndAFolderIsMadeOnce) {
    test::TestEnvironment env;
    const QString file = env.host(R"(c:\Vornelix\image.img)");
    const QString second = env.host(R"(c:\Vornelix\second.img)");
    env.writeFile(R"(c:\Vornelix\image.img)", "the volume");
    ASSERT_EQ(::link(QFile::encodeName(file).constData(), QFile::encodeName(second).constData()),
              0);
    EXPECT_TRUE(deleteHostFile(file));
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_EQ(env.readFile(R"(c:\Vornelix\second.img)"), "the volume");
    EXPECT_TRUE(deleteHostFile(second));
    EXPECT_FALSE(deleteHostFile(second));
    EXPECT_EQ(errno, ENOENT);

    const QString folder = env.host(R"(c:\Vornelix\Made)");
    EXPECT_EQ(makeHostFolder(folder), "");
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(makeHostFolder(folder), QString::fromLocal8Bit(strerror(EEXIST)));
}

}  // namespace
}  // namespace vornelix::platform
