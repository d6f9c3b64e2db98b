#include "profiles/volume_actions.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <optional>

#include "machine/global_variables.h"
#include "machine/profile_store.h"
#include "machine/volume_layout.h"
#include "platform/database.h"
#include "platform/runtime_error.h"
#include "support/test_environment.h"

namespace vornelix {
namespace {

constexpr qint64 kMiB = 1 << 20;
const QString kOld = "c:\\Vornelix_HD\\Tiger";
const QString kNew = "d:\\Vornelix_HD\\Tiger";

// Tiger's 20 MiB fixed image on c:, and a drive d: on the same file system (false) or, where
// the host has one, on another (true).
class VolumeMove : public ::testing::TestWithParam<bool> {
  protected:
    void SetUp() override {
        if (GetParam() &&
            (!m_other.isValid() || QStorageInfo(m_other.path()) == QStorageInfo(env.root())))
            GTEST_SKIP() << "needs a second file system (/dev/shm)";
        const QString d = GetParam() ? m_other.path() : env.root() + "/D";
        QDir().mkpath(d);
        env.useDrives(platform::DriveTable::parse("c=" + env.root() + ";d=" + d + "|fixed|ext4"));
        env.insertProfile({"Tiger", kOld, 3, "   ", "cdrom", 0, 0, 256});
        gv().ProfileName = "Tiger";
        gv().HardDiskPath = kOld;
        writeImage(20 * kMiB, 20 * kMiB);
    }
    QString image(const QString& folder) const { return env.host(volumeImage(folder)); }
    // Moves Tiger's volume from the folder to the drive; the folder it then lies in.
    QString move(const QString& from, const QString& drive) {
        return moveVolume("Tiger", 3, from, drive);
    }
    // Zeros written up to data, a hole from there up to size.
    void writeImage(qint64 data, qint64 size) {
        QDir().mkpath(env.host(kOld));
        QFile file(image(kOld));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(QByteArray(data, '\0')), data);
        ASSERT_TRUE(file.resize(size));
    }
    QByteArray readImage(const QString& folder) const {
        QFile file(image(folder));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("missing");
    }
    void execute(const QString& sql) {
        const ProfileStoreSession store(kSelectAllProfiles);
        store.connection().Execute(sql);
    }
    QString rowFolder() {
        const ProfileStoreSession store(kSelectProfileByName, {"Tiger"});
        return store.rows().Fields(kColHardDiskPath).toString();
    }
    std::optional<ino_t> inode(const QString& folder) const {
        struct stat s {};
        if (::stat(QFile::encodeName(image(folder)).constData(), &s) != 0)
            return std::nullopt;
        return s.st_ino;
    }
    QStringList strays() const {
        QStringList files = QDir(env.host(kNew)).entryList(QDir::Files | QDir::Hidden);
        files.removeAll(kVolumeImageName);
        return files;
    }

    test::TestEnvironment env;
    QTemporaryDir m_other{"/dev/shm/vornelix_move_XXXXXX"};
};

TEST_P(VolumeMove, RefusedUpdateKeepsTheOriginalAndNoCopy) {
    execute(
        "create trigger refuse before update on Vornelix_profile "
        "begin select raise(abort, 'refused'); end");
    const int original = ::open(QFile::encodeName(image(kOld)).constData(), O_RDONLY);
    struct stat before {
    }, after{};
    ASSERT_EQ(::fstat(original, &before), 0);  // held open, the inode cannot be reused
    EXPECT_THROW(move(kOld, "d:"), platform::RuntimeError);
    ASSERT_EQ(::stat(QFile::encodeName(image(kOld)).constData(), &after), 0);
    ::close(original);
    EXPECT_EQ(after.st_ino, before.st_ino) << "the original itself, not a copy back";
    EXPECT_TRUE(QDir(env.host(kNew)).isEmpty(QDir::Files | QDir::Hidden));
    EXPECT_EQ(rowFolder(), kOld);
}

// An image that another process holds open (a running engine) stays where it is, also when a
// stopped move left a copy of it in the new folder (true).
TEST_P(VolumeMove, AnImageInUseStaysWhereItIs) {
    for (const bool leftover : {false, true}) {
        if (leftover) {
            QDir().mkpath(env.host(kNew));
            ASSERT_TRUE(QFile::copy(image(kOld), image(kNew)));
        }
        QProcess user;
        user.setStandardInputFile(image(kOld));
        user.start("sleep", {"30"});
        ASSERT_TRUE(user.waitForStarted());
        try {
            move(kOld, "d:");
            ADD_FAILURE() << "moved";
        } catch (const platform::RuntimeError& error) {
            EXPECT_EQ(error.description(),
                      "The volume image cannot be moved. The file is in use by "
                      "another program: c:\\Vornelix_HD\\Tiger\\hdimage.img");
        }
        user.kill();
        user.waitForFinished();
        EXPECT_EQ(readImage(kOld).size(), 20 * kMiB);
        EXPECT_EQ(QFile::exists(image(kNew)), leftover);
        EXPECT_EQ(strays(), QStringList());
        EXPECT_EQ(rowFolder(), kOld);
    }
}

// The mover is killed at each point where it yields to the windows in turn, until one run
// completes: the row always names a folder holding the whole image, no partial copy stays,
// and the move from the folder the row names, done again, completes without a further copy.
TEST_P(VolumeMove, KilledAtAnyStepTheMoveCanBeDoneAgain) {
    const QByteArray whole = readImage(kOld);
    int kills = 0;
    int leftovers = 0;
    for (int stop = 1; stop < 50; ++stop) {
        const pid_t child = ::fork();
        if (child == 0) {
            int steps = 0;
            env.clock.onStep = [&](const char*, int) {
                if (++steps == stop)
                    ::raise(SIGKILL);
            };
            try {
                move(kOld, "d:");
            } catch (...) {
                ::_exit(2);
            }
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        if (!WIFSIGNALED(status)) {
            ASSERT_EQ(WEXITSTATUS(status), 0);
            break;
        }
        ++kills;
        const QString row = rowFolder();
        EXPECT_EQ(readImage(row), whole) << "killed at step " << stop;
        EXPECT_EQ(strays(), QStringList()) << "killed at step " << stop;
        // The row names the new folder once it was updated: the user moves back from there.
        const QString other = row == kOld ? kNew : kOld;
        const bool leftover = QFile::exists(image(other));
        const std::optional<ino_t> before = leftover ? inode(other) : std::nullopt;
        QString moved;
        EXPECT_NO_THROW(moved = move(row, other.left(2))) << "killed at step " << stop;
        EXPECT_EQ(moved, other);
        EXPECT_EQ(rowFolder(), other);
        EXPECT_EQ(readImage(other), whole) << "killed at step " << stop;
        EXPECT_FALSE(QFile::exists(image(row))) << "killed at step " << stop;
        if (leftover) {
            ++leftovers;
            EXPECT_EQ(inode(other), before) << "the leftover taken, no new copy";
        }
        QDir(env.host("d:\\Vornelix_HD")).removeRecursively();
        writeImage(20 * kMiB, 20 * kMiB);
        execute("update Vornelix_profile set hard_disk_path = 'c:\\Vornelix_HD\\Tiger'");
    }
    EXPECT_GE(kills, GetParam() ? 5 : 2) << "three chunks of the copy, the two steps after it";
    EXPECT_GE(leftovers, 2) << "before and after the row names the new folder";
    EXPECT_EQ(rowFolder(), kNew);
    EXPECT_EQ(readImage(kNew), whole);
    EXPECT_FALSE(QFile::exists(image(kOld)));
}

// An image at the destination that is not this one stays as it is, and so does everything
// else; the message names it by its drive path.
TEST_P(VolumeMove, AnotherImageAtTheDestinationIsNeverReplaced) {
    const QByteArray others[] = {QByteArray(20 * kMiB - 1, '\0') + 'x', QByteArray(5, '\0')};
    for (const QByteArray& other : others) {
        QDir().mkpath(env.host(kNew));
        QFile file(image(kNew));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(other);
        file.close();
        try {
            move(kOld, "d:");
            ADD_FAILURE() << "moved";
        } catch (const platform::RuntimeError& error) {
            EXPECT_EQ(error.description(),
                      "d:\\Vornelix_HD\\Tiger\\hdimage.img holds another volume image. Move or "
                      "delete that file, or choose another drive, then press Apply again.");
            EXPECT_FALSE(error.description().contains(env.root()));
        }
        EXPECT_EQ(readImage(kNew), other);
        EXPECT_EQ(readImage(kOld), QByteArray(20 * kMiB, '\0'));
        EXPECT_EQ(rowFolder(), kOld);
    }
}

TEST_P(VolumeMove, DataStaysAllocatedAndHolesStayHoles) {
    const std::pair<qint64, qint64> fixedThenGrowable[] = {{20 * kMiB, 20 * kMiB},
                                                           {8 * kMiB, 40 * kMiB}};
    const std::pair<QString, const char*> thereAndBack[] = {{kNew, "d:"}, {kOld, "c:"}};
    QString at = kOld;
    for (const auto& [data, size] : fixedThenGrowable) {
        writeImage(data, size);
        for (const auto& [to, drive] : thereAndBack) {
            at = move(at, drive);
            struct stat s {};
            ASSERT_EQ(::stat(QFile::encodeName(image(to)).constData(), &s), 0);
            EXPECT_EQ(s.st_size, size);
            EXPECT_GE(s.st_blocks * 512, data) << "to " << drive;
            EXPECT_LT(s.st_blocks * 512, data + kMiB) << "to " << drive;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Drives, VolumeMove, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "OtherFileSystem" : "Same"; });

}  // namespace
}  // namespace vornelix
