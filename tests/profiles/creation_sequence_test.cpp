#include <gtest/gtest.h>

#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QThread>
#include <functional>

#include "machine/global_variables.h"
#include "machine/profile_store.h"
#include "profiles/creation_start.h"
#include "profiles/frm_processing.h"
#include "profiles/hd_tool.h"
#include "profiles/volume_choice.h"
#include "profiles/volume_creation.h"
#include "support/rar_writer.h"
#include "support/test_environment.h"
#include "zero_image_archive.h"

namespace vornelix {
namespace {

const QString kRoot = R"(c:\Vornelix_HD)";
const QString kFolder = R"(c:\Vornelix_HD\Test)";
const QString kImage = R"(c:\Vornelix_HD\Test\hdimage.img)";
const QString kCopy = R"(c:\Vornelix_HD\Test\VornelHD.exe)";
const QString kArchive = R"(c:\Vornelix\vornelix_hd_8gb.rar)";

// Runs work in a child process of its own and returns its exit code; the child ends without
// running any destructor of this process.
int inChild(const std::function<int()>& work) {
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(work());
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class CreationSequence : public ::testing::Test {
  protected:
    CreationSequence() {
        gv().NetworkingEnabled = 1;
        env.writeFile(R"(c:\Vornelix\VornelHD.exe)", "tool");
        // The HD tool makes its image in the folder it runs in.
        env.processes.onStart = [this](const test::StartCall& call, std::int64_t) {
            env.writeFile(volumeImage(call.folder), "growable");
        };
    }

    // The label shown as the current step (bold, its marker solid), 0 for none.
    static int currentLabel() {
        int current = 0;
        for (int i = 1; i <= 4; ++i) {
            const auto* label = form<frmProcessing>().findChild<QLabel*>(QString("Label%1").arg(i));
            const auto* marker =
                form<frmProcessing>().findChild<QWidget*>(QString("Shape%1").arg(i + 1));
            EXPECT_EQ(label->font().bold(), marker->property("FillStyle").toInt() == 0);
            if (label->font().bold())
                current = i;
        }
        return current;
    }

    QVariantList storedRow() {
        openProfileStore(kSelectAllProfiles);
        QVariantList row;
        for (int i = kColProfName; i <= kColRamSize; ++i) row << gv().DbRecordset->Fields(i);
        closeProfileStore();
        return row;
    }

    // The first two steps: the row, then the volume.
    void runTwoSteps() {
        startProfileCreation(profile);
        env.clock.advance(2 * frmProcessing::kTimerIntervalMs);
    }

    void writeFixedArchive(const QByteArray& image, test::RarFault fault = test::RarFault::None) {
        profile.growable = false;
        ASSERT_TRUE(test::RarWriter().add("any name", image, fault).writeTo(env.host(kArchive)));
    }

    test::TestEnvironment env;
    NewProfile profile{"Test", "c:", 8, true, " cdrom ", "   ", false};
};

class Sequence : public CreationSequence, public ::testing::WithParamInterface<bool> {};

TEST_P(Sequence, ShowsEachStepAndUnloadsAtTheFourthTick) {
    const bool installation = GetParam();
    profile.startInstallation = installation;
    profile.cdRomPath = installation ? R"(c:\osx.iso)" : "   ";
    gv().ProfileName = profile.name;
    gv().HardDiskPath = volumeRoot("c:");
    env.createDatabase();
    startProfileCreation(profile);
    EXPECT_EQ(currentLabel(), 1);
    for (int label : {2, 3, installation ? 4 : 0}) {
        env.clock.advance(frmProcessing::kTimerIntervalMs);
        EXPECT_EQ(currentLabel(), label);
    }
    EXPECT_EQ(gv().AttachInstallMedium, kTrue);
    EXPECT_EQ(gv().HardDiskPath, kFolder);
    env.clock.advance(frmProcessing::kTimerIntervalMs);

    EXPECT_FALSE(isLoaded<frmProcessing>());
    EXPECT_EQ(env.upper.fakeMachine.shown, installation);
    // The installation start used the pending medium; without one it stays pending.
    EXPECT_EQ(gv().AttachInstallMedium, installation ? kFalse : kTrue);
    EXPECT_FALSE(isBusy());
    const std::size_t starts = env.processes.starts.size();
    env.clock.advance(3 * frmProcessing::kTimerIntervalMs);
    EXPECT_EQ(env.processes.starts.size(), starts);
}

INSTANTIATE_TEST_SUITE_P(WithoutAndWithSource, Sequence, ::testing::Bool());

TEST_F(CreationSequence, ATickDueWhileAStepWorksStartsNothing) {
    env.createDatabase();
    startProfileCreation(profile);
    env.clock.advance(frmProcessing::kTimerIntervalMs);
    // The HD tool's waits let further ticks fall due.
    env.clock.onStep = [&](const char* what, int ms) {
        if (std::string(what) == "sleep")
            env.clock.advance(ms);
    };
    env.clock.advance(frmProcessing::kTimerIntervalMs);
    env.clock.onStep = nullptr;
    EXPECT_EQ(currentLabel(), 3);
    EXPECT_EQ(env.processes.starts.size(), 1u);
    EXPECT_TRUE(isBusyWith(BusyWork::Creation));
}

TEST_F(CreationSequence, StoresTheRowWithBoundValues) {
    env.createDatabase();
    profile.name = "O'Brien";
    startProfileCreation(profile);
    env.clock.advance(frmProcessing::kTimerIntervalMs);
    EXPECT_EQ(storedRow(), (QVariantList{"O'Brien", R"(c:\Vornelix_HD\O'Brien)", 8, "   ", "cdrom",
                                         0, QVariant(), QVariant()}));
    EXPECT_EQ(gv().NetworkingEnabled, 0);
}

TEST_F(CreationSequence, AFailedInsertStopsTheSequenceAndMakesNothing) {
    startProfileCreation(profile);  // no database
    env.clock.advance(frmProcessing::kTimerIntervalMs);
    EXPECT_EQ(env.ui.boxes.size(), 1u);
    EXPECT_FALSE(isLoaded<frmProcessing>());
    EXPECT_FALSE(env.files().folderExists(kRoot));
    EXPECT_FALSE(env.ui.ended);
}

TEST_F(CreationSequence, AMissingArchiveEndsTheProgramBeforeTheInsert) {
    env.createDatabase();
    profile.growable = false;
    startProfileCreation(profile);
    EXPECT_THROW(env.clock.advance(frmProcessing::kTimerIntervalMs), platform::ProgramEnded);
    EXPECT_EQ(env.ui.lastText(), "Cannot open " + kArchive);
    EXPECT_EQ(countProfiles(), 0);
}

// Root missing, root present, profile folder present: only what is missing is made.
TEST_F(CreationSequence, ProfileFolderMakesWhatIsMissing) {
    for (const QString& present : {QString(), kRoot, kFolder}) {
        QDir(env.host(kRoot)).removeRecursively();
        if (!present.isEmpty())
            QDir().mkpath(env.host(present));
        gv().HardDiskPath = volumeRoot("c:");
        CreationRecord made;
        VolumeCreation::CreateProfileFolder(profile, made);
        EXPECT_EQ(gv().HardDiskPath, kFolder);
        EXPECT_TRUE(env.files().folderExists(kFolder));
        made.undo();
        EXPECT_EQ(env.files().folderExists(kRoot), !present.isEmpty());
        EXPECT_EQ(env.files().folderExists(kFolder), present == kFolder);
    }
}

TEST_F(CreationSequence, FixedVolumeIsExtractedFromTheArchiveOfItsSize) {
    const QByteArray image = QByteArray("VORNELHD") + QByteArray(70000, '\0');
    writeFixedArchive(image);
    CreationRecord made;
    EXPECT_TRUE(VolumeCreation::my_new_Timer(profile, made));
    EXPECT_EQ(env.readFile(kImage), image);
    EXPECT_EQ(QDir(env.host(kFolder)).entryList(QDir::Files), QStringList{"hdimage.img"});
    EXPECT_EQ(env.ui.lastText(), VolumeCreation::kFormattingMessage);
}

TEST_F(CreationSequence, GrowableVolumeIsMadeByTheToolCopyInTheProfileFolder) {
    for (const bool copyPresent : {false, true}) {
        QDir(env.host(kRoot)).removeRecursively();
        QDir().mkpath(env.host(kFolder));
        if (copyPresent)
            env.writeFile(kCopy, "own copy");
        env.processes.starts.clear();
        env.clock.sleeps.clear();
        QByteArray copyAtStart;
        env.processes.onStart = [&](const test::StartCall& call, std::int64_t) {
            copyAtStart = env.readFile(kCopy);
            env.writeFile(volumeImage(call.folder), "growable");
        };
        CreationRecord made;
        EXPECT_TRUE(VolumeCreation::my_new_Timer(profile, made));
        ASSERT_EQ(env.processes.starts.size(), 1u);
        const test::StartCall& call = env.processes.starts[0];
        EXPECT_EQ(call.program + " " + call.parameters + " in " + call.folder,
                  kCopy + " hdimage.img 8 1 in " + kFolder);
        EXPECT_EQ(call.show, platform::ShowCommand::Hide);
        EXPECT_EQ(copyAtStart, copyPresent ? "own copy" : "tool");
        // The fixed waits come first; then the tool is awaited.
        EXPECT_EQ(env.clock.sleeps, (std::vector<int>{2000, 2000}));
        EXPECT_EQ(env.processes.waits.back(), HdTool::kHdToolEndWaitMs);
        EXPECT_FALSE(env.files().fileExists(kCopy));
        EXPECT_TRUE(env.ui.boxes.empty());
    }
}

// A volume that cannot be made: what the sequence made goes again (the row, the folders, a
// partial image), then the failure is told, and the sequence ends there.
struct VolumeFailure {
    const char* name;
    std::function<void(test::TestEnvironment&, NewProfile&)> arrange;
    QString title;
    QString message;
};

class FailedVolume : public CreationSequence,
                     public ::testing::WithParamInterface<VolumeFailure> {};

TEST_P(FailedVolume, LeavesNoRowNoFolderAndNoImage) {
    const VolumeFailure& c = GetParam();
    env.createDatabase();
    c.arrange(env, profile);
    const bool ends = c.title == "Error";
    if (ends)
        EXPECT_THROW(runTwoSteps(), platform::ProgramEnded);
    else
        runTwoSteps();
    EXPECT_EQ(env.ui.ended, ends);
    ASSERT_FALSE(env.ui.boxes.empty());
    EXPECT_EQ(env.ui.boxes.back().title, c.title);
    EXPECT_EQ(env.ui.boxes.back().text, c.message);
    EXPECT_EQ(countProfiles(), 0);
    EXPECT_FALSE(QFileInfo::exists(env.host(kRoot)));
    EXPECT_EQ(isLoaded<frmProcessing>(), ends);  // an ended program unloads nothing
    EXPECT_FALSE(env.upper.fakeMachine.shown);
}

const VolumeFailure kVolumeFailures[] = {
    {"DamagedArchive",
     [](test::TestEnvironment& env, NewProfile& profile) {
         profile.growable = false;
         ASSERT_TRUE(test::RarWriter()
                         .add("image", QByteArray(70000, 'v'), test::RarFault::DataCrc)
                         .writeTo(env.host(kArchive)));
     },
     "Error", "CRC error"},
    {"ToolExits3",
     [](test::TestEnvironment& env, NewProfile&) {
         env.processes.exitStatus = 3;
         env.processes.onStart = nullptr;
     },
     "Vornelix", "The HD tool failed: it ended with exit status 3."},
    {"ToolMissing",
     [](test::TestEnvironment& env, NewProfile&) {
         QFile::remove(env.programHost() + "/VornelHD.exe");
     },
     "Vornelix", R"(The HD tool failed: VornelHD.exe was not found in c:\Vornelix.)"},
    {"ToolNotExecutable",
     [](test::TestEnvironment& env, NewProfile&) {
         env.processes.code = platform::kStartAccessDenied;
     },
     "Vornelix", "The HD tool failed: VornelHD.exe is not executable."},
    {"ToolMakesNoImage",
     [](test::TestEnvironment& env, NewProfile&) { env.processes.onStart = nullptr; }, "Vornelix",
     R"(The HD tool failed: it made no volume image in c:\Vornelix_HD\Test.)"},
};
INSTANTIATE_TEST_SUITE_P(Cases, FailedVolume, ::testing::ValuesIn(kVolumeFailures),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CreationSequence, AnImageInTheFolderIsNeverReplaced) {
    env.createDatabase();
    env.writeFile(kImage, "the user's volume");
    for (const bool growable : {true, false}) {
        writeFixedArchive("new image");
        profile.growable = growable;
        runTwoSteps();
        EXPECT_EQ(env.ui.lastText(), imageExistsMessage(kFolder));
        EXPECT_EQ(env.readFile(kImage), "the user's volume");
        EXPECT_EQ(countProfiles(), 0);
        EXPECT_TRUE(env.processes.starts.empty());
        EXPECT_FALSE(isLoaded<frmProcessing>());
    }
}

// A creation killed while it extracts leaves no hdimage.img; the next one replaces what the
// killed one left and makes the whole image.
TEST_F(CreationSequence, AKilledExtractionLeavesNoImageUnderItsName) {
    profile.growable = false;
    const std::uint64_t size = std::uint64_t{8} << 30;
    ASSERT_EQ(image_archives::writeZeroImageArchive(env.host(kArchive).toStdString(), "hdimage.img",
                                                    {'V', 'O', 'R', 'N'}, size),
              "");
    QDir().mkpath(env.host(kFolder));
    const QString partial = env.host(VolumeCreation::partialImage(kFolder));
    const pid_t child = ::fork();
    if (child == 0) {
        CreationRecord made;
        ::_exit(VolumeCreation::my_new_Timer(profile, made) ? 0 : 1);
    }
    // Killed once a few MB are written, long before the 8 GiB are.
    for (int i = 0; i < 1000 && QFileInfo(partial).size() < (4 << 20); ++i) QThread::msleep(10);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_GE(QFileInfo(partial).size(), 4 << 20);
    EXPECT_LT(QFileInfo(partial).size(), static_cast<qint64>(size));
    EXPECT_FALSE(QFileInfo::exists(env.host(kImage)));

    writeFixedArchive("whole image");
    CreationRecord made;
    EXPECT_TRUE(VolumeCreation::my_new_Timer(profile, made));
    EXPECT_EQ(env.readFile(kImage), "whole image");
    EXPECT_FALSE(QFileInfo::exists(partial));
}

// An extraction onto a full disk: a 64 KiB file system of its own, in a user and mount
// namespace of a child process, on which the volume root lies.
TEST_F(CreationSequence, AFullDiskLeavesNoRowAndNoImageAndEndsTheProgram) {
    env.createDatabase();
    writeFixedArchive(QByteArray(1 << 20, 'v'));
    QDir().mkpath(env.host(kRoot));
    const QByteArray root = QFile::encodeName(env.host(kRoot));
    const uid_t uid = ::getuid();
    const gid_t gid = ::getgid();
    const int code = inChild([&] {
        auto write = [](const char* file, const std::string& text) {
            QFile f(file);
            return f.open(QIODevice::WriteOnly) && f.write(text.c_str()) == qint64(text.size());
        };
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0 || !write("/proc/self/setgroups", "deny") ||
            !write("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
            !write("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1") ||
            ::mount("none", root.constData(), "tmpfs", 0, "size=64k") != 0)
            return 99;
        try {
            runTwoSteps();
            return 2;  // the program did not end
        } catch (const platform::ProgramEnded&) {
        }
        if (env.ui.lastText() != "Write error")
            return 3;
        if (countProfiles() != 0)
            return 4;
        return QDir(root).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden) ? 0 : 5;
    });
    if (code == 99)
        GTEST_SKIP() << "cannot mount a small file system here";
    EXPECT_EQ(code, 0);
}

}  // namespace
}  // namespace vornelix
