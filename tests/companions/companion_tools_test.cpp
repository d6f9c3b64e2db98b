#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <ctime>

#include "platform/rar_archive.h"
#include "zero_image_archive.h"

namespace vornelix {
namespace {

const QString kTool = VORNELIX_PROGRAM_DIR "/VornelHD.exe";
const QString kDatabaseTool = VORNELIX_PROGRAM_DIR "/asnmd_tool";
constexpr qint64 kGiB = qint64{1} << 30;

struct ToolRun {
    int exitCode = -1;
    QByteArray error, output;
};

ToolRun runTool(const QString& folder, const QStringList& arguments,
                const QString& program = kTool) {
    QProcess tool;
    tool.setWorkingDirectory(folder);
    tool.start(program, arguments);
    if (!tool.waitForFinished(10000) || tool.exitStatus() != QProcess::NormalExit)
        return {};
    return {tool.exitCode(), tool.readAllStandardError(), tool.readAllStandardOutput()};
}

quint64 number(const QByteArray& bytes, int offset, int size) {
    quint64 value = 0;
    for (int i = size - 1; i >= 0; --i) value = value << 8 | quint8(bytes[offset + i]);
    return value;
}

// Checks size, sparseness and header of an image made for sizeGiB.
void expectFreshImage(const QString& path, int sizeGiB) {
    struct stat s {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &s), 0);
    EXPECT_EQ(s.st_size, sizeGiB * kGiB);
    EXPECT_LT(s.st_blocks * 512, 1 << 20) << "sparse";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray header = file.read(512);
    EXPECT_EQ(header.left(8), "VORNELHD");
    EXPECT_EQ(number(header, 8, 4), 1u);
    EXPECT_EQ(number(header, 12, 4), 1u);
    EXPECT_EQ(number(header, 16, 8), quint64(sizeGiB * kGiB));
    EXPECT_LE(std::llabs(qint64(number(header, 24, 8)) - std::time(nullptr)), 60);
    EXPECT_EQ(header.mid(32).left(header.indexOf('\0', 32) - 32),
              "Vornelix growable volume, " + QByteArray::number(sizeGiB) + " GiB");
    EXPECT_EQ(header.mid(128), QByteArray(384, '\0'));
}

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden);
}

TEST(HdToolTest, MakesASparseImageOfExactlyTheSizeAndFormatsAnExistingOneAfresh) {
    QTemporaryDir dir;
    const QString image = dir.filePath("hdimage.img");
    ASSERT_EQ(runTool(dir.path(), {"hdimage.img", "15", "1"}).exitCode, 0);
    expectFreshImage(image, 15);
    EXPECT_EQ(filesIn(dir.path()), QStringList{"hdimage.img"}) << "no temporary file left";

    // Data written by a machine goes with a quick format, whatever size is asked for now.
    QFile file(image);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.write(QByteArray(512, 'x'));
    file.seek(kGiB);
    file.write(QByteArray(4096, 'y'));
    file.close();
    ASSERT_EQ(runTool(dir.path(), {"hdimage.img", "3", "1"}).exitCode, 0);
    expectFreshImage(image, 3);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly) && file.seek(kGiB));
    EXPECT_EQ(file.read(4096), QByteArray(4096, '\0'));
}

struct BadCall {
    QStringList arguments;
    const char* message;
};

class HdToolArgumentsTest : public ::testing::TestWithParam<BadCall> {};

TEST_P(HdToolArgumentsTest, RefusesWithCode2AndTouchesNothing) {
    QTemporaryDir dir;
    QFile old(dir.filePath("hdimage.img"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    old.close();
    const ToolRun run = runTool(dir.path(), GetParam().arguments);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.error.contains(GetParam().message)) << run.error.toStdString();
    EXPECT_EQ(filesIn(dir.path()), QStringList{"hdimage.img"});
    EXPECT_EQ(QFileInfo(old).size(), 3);
}

INSTANTIATE_TEST_SUITE_P(
    Table, HdToolArgumentsTest,
    ::testing::Values(BadCall{{}, "expected three arguments, got 0"},
                      BadCall{{"hdimage.img", "eight", "1"}, "the size must be"},
                      BadCall{{"hdimage.img", "0", "1"}, "the size must be"},
                      BadCall{{"hdimage.img", "65", "1"}, "the size must be"},
                      BadCall{{"hdimage.img", "8", "2"}, "the volume kind must be 1"},
                      BadCall{{"sub/hdimage.img", "8", "1"}, "without a folder"},
                      BadCall{{"..\\hdimage.img", "8", "1"}, "without a folder"}));

TEST(HdToolTest, AFullDiskIsReportedAndLeavesTheEarlierImageAlone) {
    QTemporaryDir dir;
    // A 64 KiB file system of our own, filled up, in a mount namespace of our own.
    const QString script =
        "mount -t tmpfs -o size=64k none \"$1\" || exit 99; cd \"$1\" || exit 99;"
        "echo old > hdimage.img; head -c 1M /dev/zero > fill 2>/dev/null;"
        "\"$2\" hdimage.img 3 1; echo \"code $?\"; ls -A; cat hdimage.img";
    QProcess shell;
    shell.start("unshare", {"-rm", "sh", "-c", script, "sh", dir.path(), kTool});
    if (!shell.waitForFinished(10000) || shell.exitCode() != 0)
        GTEST_SKIP() << "cannot mount a small file system here";
    EXPECT_EQ(shell.readAllStandardOutput(), "code 3\nfill\nhdimage.img\nold\n");
    EXPECT_TRUE(shell.readAllStandardError().contains("No space left on device"));
}

using platform::RarArchive;

class ZeroImageArchive : public ::testing::TestWithParam<std::uint64_t> {};

// Sizes around the longest match: a tail of 0, 1 and many bytes after the repeats.
TEST_P(ZeroImageArchive, ExtractsToTheHeadFollowedByZeros) {
    QTemporaryDir dir;
    const std::vector<unsigned char> head{'V', 'O', 'R', 'N', 0, 7, 0};
    const QString archive = dir.filePath("a.rar"), image = dir.filePath("hdimage.img");
    ASSERT_EQ(image_archives::writeZeroImageArchive(archive.toStdString(), "hdimage.img", head,
                                                    GetParam()),
              "");
    RarArchive rar;
    ASSERT_EQ(rar.open(archive, platform::RarOpenMode::Extract, 0), 0);
    QString name;
    ASSERT_EQ(rar.readHeader(&name), 0);
    EXPECT_EQ(name, "hdimage.img");
    ASSERT_EQ(rar.processFile(platform::RarOperation::Extract, image), 0);  // CRC checked
    EXPECT_EQ(rar.readHeader(), platform::rar::kEndArchive);
    QFile file(image);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray expected(static_cast<qsizetype>(GetParam()), '\0');
    std::copy(head.begin(), head.end(), expected.begin());
    EXPECT_TRUE(file.readAll() == expected);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ZeroImageArchive,
                         ::testing::Values(7, 8, 7 + 4097 * 3, 7 + 4097 * 3 + 1, 5 << 20));

ToolRun runDatabaseTool(const QStringList& arguments) {
    return runTool(QDir::currentPath(), arguments, kDatabaseTool);
}

// Help on standard output explains every argument, what a left-out one becomes and the drive
// table; a wrong command line gets its fault and a pointer to the help on standard error.
TEST(DatabaseToolTest, HelpExplainsAndAFaultPointsToIt) {
    const std::pair<QStringList, QByteArray> faults[] = {
        {{}, "no command"},
        {{"--help", "list"}, "--help takes no arguments"},
        {{"insert", "a.dat", "name"}, "insert takes 6 to 9 arguments, not 2"},
        {{"list"}, "wrong number of arguments for list"},
        {{"drop", "a.dat"}, "unknown command 'drop'"},
    };
    for (const auto& [arguments, fault] : faults) {
        const ToolRun run = runDatabaseTool(arguments);
        EXPECT_EQ(run.exitCode, 2) << fault.toStdString();
        EXPECT_EQ(run.error,
                  "asnmd_tool: " + fault + "\nTry 'asnmd_tool --help' for more information.\n");
        EXPECT_EQ(run.output, "");
    }
    for (const QString help : {"-h", "--help"}) {
        const ToolRun run = runDatabaseTool({help});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.error, "");
        for (const char* part :
             {"-h | --help", "[ide_slave_device]", "left out: 0", "left out (none stored, Null)",
              "VORNELIX_DRIVES", "<letter>=<host folder>|<type>|<file system>|<state>",
              "notready for a drive without a disc"})
            EXPECT_TRUE(run.output.contains(part)) << part;
    }
}

TEST(DatabaseToolTest, LeftOutArgumentsAreStoredAsTheHelpSaysAndADamagedFileIsNamed) {
    QTemporaryDir dir;
    const QString file = dir.filePath("ASNMD.DAT");
    ASSERT_EQ(runDatabaseTool({"create", file}).exitCode, 0);
    ASSERT_EQ(runDatabaseTool({"insert", file, "A", "c:\\HD\\A", "3", "   ", "cdrom"}).exitCode, 0);
    EXPECT_EQ(runDatabaseTool({"list", file}).output,
              "1\tA\tc:\\HD\\A\t3\t   \tcdrom\t0\tNull\tNull\n");

    QFile damaged(dir.filePath("other.DAT"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly) && damaged.write(QByteArray(4096, 'x')) > 0);
    damaged.close();
    const ToolRun run = runDatabaseTool({"list", damaged.fileName()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(QString(run.error).startsWith("asnmd_tool: '" + damaged.fileName() +
                                              "' is damaged or not a profile database of Vornelix"))
        << run.error.toStdString();
}

}  // namespace
}  // namespace vornelix
