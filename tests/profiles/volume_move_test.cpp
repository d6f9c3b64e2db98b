#include "profiles/volume_actions.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStorageInfo>
#include <QTemporaryDir>

#include "machine/global_variables.h"
#include "machine/profile_store.h"
#include "machine/volume_layout.h"
#include "platform/database.h"
#include "platform/runtime_error.h"
#include "platform/sparse_move.h"
#include "profiles/move_change.h"
#include "profiles/unfinished_changes.h"
#include "support/own_mounts.h"
#include "support/test_environment.h"

namespace vornelix {
namespace {

constexpr qint64 kMiB = 1 << 20;
const QString kOld = "c:\\Vornelix_HD\\Tiger";
const QString kNew = "d:\\Vornelix_HD\\Tiger";
const QString kStopped =
    "The move of the volume of the profile Tiger to d:\\Vornelix_HD\\Tiger was not finished.";

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
    static void execute(const QString& sql) { executeOnStore(sql); }
    QString rowFolder() {
        const ProfileStoreSession store(kSelectProfileByName, {"Tiger"});
        return store.rows().Fields(kColHardDiskPath).toString();
    }
    // What the move of Tiger's image to d: says when it is refused; "moved" when it is not.
    QString refusal() {
        try {
            move(kOld, "d:");
        } catch (const platform::RuntimeError& error) {
            return error.description();
        }
        return "moved";
    }
    bool recorded() const { return !env.pendingRecords().isEmpty(); }
    // The volume root of the drive of a folder, as a host path.
    QString root(const QString& folder) const { return env.host(folder.left(2) + "\\Vornelix_HD"); }
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
    EXPECT_FALSE(QFileInfo::exists(root(kNew))) << "the folders the move made go";
    EXPECT_FALSE(recorded());
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
        EXPECT_EQ(refusal(),
                  "The volume image cannot be moved. The file is in use by another program: "
                  "c:\\Vornelix_HD\\Tiger\\hdimage.img. Stop the profile that uses it, then "
                  "press Apply again.");
        user.kill();
        user.waitForFinished();
        EXPECT_EQ(readImage(kOld).size(), 20 * kMiB);
        EXPECT_EQ(QFile::exists(image(kNew)), leftover);
        EXPECT_EQ(strays(), QStringList());
        EXPECT_EQ(rowFolder(), kOld);
    }
}

// The mover is killed at each point where it yields to the windows in turn, until one run
// completes. The next start finishes the move once the row names the new folder, and undoes it
// while the row names the old one: the whole image lies in the folder the row names alone, no
// folder of the other drive is left, and the move can be done again from there.
TEST_P(VolumeMove, KilledAtAnyStepTheNextStartFinishesOrUndoesTheMove) {
    const QByteArray whole = readImage(kOld);
    int finished = 0;
    int undone = 0;
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
        SCOPED_TRACE(testing::Message() << "killed at step " << stop);
        UnfinishedChanges::settleAtStart();
        const QString row = rowFolder();
        const QString other = row == kOld ? kNew : kOld;
        ++(row == kOld ? undone : finished);
        EXPECT_EQ(env.ui.lastText(),
                  kStopped + (row == kOld ? " It is now undone: the volume stays in "
                                            "c:\\Vornelix_HD\\Tiger."
                                          : " It is now finished."));
        EXPECT_EQ(readImage(row), whole);
        EXPECT_EQ(strays(), QStringList());
        EXPECT_FALSE(QFileInfo::exists(root(other)));
        EXPECT_FALSE(recorded());
        EXPECT_EQ(move(row, other.left(2)), other);
        EXPECT_EQ(readImage(other), whole);
        EXPECT_FALSE(QFileInfo::exists(root(row)));
        QDir(root(kNew)).removeRecursively();
        writeImage(20 * kMiB, 20 * kMiB);
        execute("update Vornelix_profile set hard_disk_path = 'c:\\Vornelix_HD\\Tiger'");
    }
    EXPECT_GE(undone, GetParam() ? 4 : 1) << "the chunks of the copy, the step after it";
    EXPECT_GE(finished, 1) << "after the row names the new folder";
    EXPECT_EQ(rowFolder(), kNew);
    EXPECT_EQ(readImage(kNew), whole);
    EXPECT_FALSE(QFileInfo::exists(root(kOld)));
}

// Records that do not describe the profile as it is now (damaged, of an older state, a
// restored copy of the program folder) touch nothing, and go. Each row changes the program's
// own record of a copy to d: that is whole (the kill test shows that record settled).
TEST_P(VolumeMove, ARecordOfAnotherStateTouchesNothing) {
    const QString empty = env.host("c:\\Empty");
    QDir().mkpath(empty);
    env.writeFile("c:\\precious.img", "keep");
    const platform::FileIdentity id = *platform::identityOf(env.host("c:\\precious.img"));
    const QJsonObject foreign{{"device", QString::number(id.device)},
                              {"inode", QString::number(id.inode)}};
    const struct {
        const char* what;
        QJsonObject change;
        QString rowFolder;
    } rows[] = {
        {"another file as the original",
         {{"from", QJsonObject{{"folder", kOld}, {"host", env.host("c:\\precious.img")}}},
          {"source", foreign}},
         kNew},
        {"the original replaced since", {{"source", foreign}}, kNew},
        {"a folder the move never makes",
         {{"folders", QJsonArray{QJsonObject{{"folder", "c:\\Empty"}, {"host", empty}}}}},
         kOld},
        {"the row names neither folder", {}, "e:\\Vornelix_HD\\Tiger"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        QDir().mkpath(env.host(kNew));
        ASSERT_TRUE(QFile::copy(image(kOld), image(kNew)));
        MoveChange made;
        made.forVolume("Tiger", kOld, kNew);
        made.keepOnDisk();
        made.imageToName(platform::HostFileMove::Placement::Copied,
                         *platform::identityOf(image(kNew)));
        const QString pending = made.file();
        QJsonObject json = QJsonDocument::fromJson(env.readFile(pending)).object();
        for (auto field = row.change.begin(); field != row.change.end(); ++field)
            json[field.key()] = *field;
        env.writeFile(pending, QJsonDocument(json).toJson());
        execute("update Vornelix_profile set hard_disk_path = '" + row.rowFolder + "'");
        UnfinishedChanges::settleAtStart();
        EXPECT_TRUE(QFile::exists(image(kOld)));
        EXPECT_TRUE(QFile::exists(image(kNew)));
        EXPECT_EQ(env.readFile("c:\\precious.img"), "keep");
        EXPECT_TRUE(QFileInfo(empty).isDir());
        EXPECT_FALSE(recorded());
        QDir(root(kNew)).removeRecursively();
    }
}

// An original that cannot be deleted (its folder read-only, in a child process) stays named in
// the record: the move is told as done with what is left, and the next start deletes it.
TEST_P(VolumeMove, AnOriginalThatCannotBeDeletedGoesAtTheNextStart) {
    const int code = test::inOwnMounts(
        [&] { return test::bindReadOnly(env.host(kOld)); },
        [&] {
            return move(kOld, "d:") == kNew &&
                   env.ui.lastText() ==
                       "The volume is now in d:\\Vornelix_HD\\Tiger.\nThis cannot be cleared "
                       "up yet:\nc:\\Vornelix_HD\\Tiger\\hdimage.img\nVornelix tries again "
                       "at its next start. Make the folder c:\\Vornelix_HD\\Tiger writable "
                       "before then.";
        });
    if (code == test::kMountsNotAllowed)
        GTEST_SKIP() << "cannot mount a folder read-only here";
    ASSERT_EQ(code, 0);
    UnfinishedChanges::settleAtStart();
    EXPECT_EQ(env.ui.lastText(), kStopped + " It is now finished.");
    EXPECT_FALSE(QFileInfo::exists(root(kOld)));
    EXPECT_FALSE(recorded());
    EXPECT_EQ(readImage(kNew), QByteArray(20 * kMiB, '\0'));
}

// A read-only destination drive is named with the reason; nothing is made or moved.
TEST_P(VolumeMove, AReadOnlyDestinationIsNamedWithTheReason) {
    const int code = test::inOwnMounts(
        [&] { return test::mountSmallFileSystem(env.host("d:\\"), true); },
        [&] {
            return refusal() ==
                   "The folder d:\\Vornelix_HD cannot be made: Read-only file system. Choose "
                   "another drive, then press Apply again.";
        });
    if (code == test::kMountsNotAllowed)
        GTEST_SKIP() << "cannot mount a file system here";
    EXPECT_EQ(code, 0);
    EXPECT_EQ(rowFolder(), kOld);
    EXPECT_EQ(readImage(kOld), QByteArray(20 * kMiB, '\0'));
    EXPECT_FALSE(recorded());
}

// A destination that reaches the image itself (a drive that is another name of c:'s folder, a
// link on the way to the image) is said as such; nothing is made or moved.
TEST_P(VolumeMove, ADestinationThatIsTheImageItselfIsSaidAsSuch) {
    QFile::link(env.root(), env.root() + "/C");
    const struct {
        const char* what;
        QString d;
        bool imageLink;
    } rows[] = {
        {"d: c:'s folder", env.root(), false},
        {"d: a link to c:'s folder", env.root() + "/C", false},
        {"the image at d: a link to c:'s", env.root() + "/D", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        env.useDrives(platform::DriveTable::parse("c=" + env.root() + ";d=" + row.d));
        QDir().mkpath(env.host(kNew));
        if (row.imageLink)
            QFile::link(image(kOld), image(kNew));
        EXPECT_EQ(refusal(),
                  "d:\\Vornelix_HD\\Tiger\\hdimage.img is this profile's volume image already, "
                  "reached by another name. Nothing was moved; choose another drive, then press "
                  "Apply again.");
        EXPECT_EQ(readImage(kOld), QByteArray(20 * kMiB, '\0'));
        EXPECT_EQ(rowFolder(), kOld);
        EXPECT_FALSE(recorded());
    }
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
