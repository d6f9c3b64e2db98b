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

// A copy of the tool already in the folder is the one started; it goes after the run.
TEST_F(CreationSequence, GrowableVolumeIsMadeByTheToolCopyInTheProfileFolder) {
    env.writeFile(kCopy, "own copy");
    QByteArray copyAtStart;
    env.processes.onStart = [&](const test::StartCall& call, std::int64_t) {
        copyAtStart = env.readFile(kCopy);
        env.writeFile(volumeImage(call.folder), "growable");
    };
    CreationRecord made;
    EXPECT_TRUE(VolumeCreation::my_new_Timer(profile, made));
    ASSERT_EQ(env.processes.starts.size(), 1u);
    const test::StartCall& call = env.processes.starts[0];
    EXPECT_EQ(call.program + " " + call.parameters + " in " + call.folder + " " + copyAtStart,
              kCopy + " hdimage.img 8 1 in " + kFolder + " own copy");
    EXPECT_EQ(call.show, platform::ShowCommand::Hide);
    // The fixed waits come first; then the tool is awaited.
    EXPECT_EQ(env.clock.sleeps, (std::vector<int>{2000, 2000}));
    EXPECT_EQ(env.processes.waits, std::vector<int>{HdTool::kHdToolEndWaitMs});
    EXPECT_FALSE(env.files().fileExists(kCopy));
    EXPECT_TRUE(env.ui.boxes.empty());
}

// A volume that cannot be made: what the sequence made goes again (the row, the folders, a
// partial image), then the failure is told in its box, and the sequence ends there.
struct VolumeFailure {
    const char* name;
    const char* title;
    const char* message;
};

class FailedVolume : public CreationSequence,
                     public ::testing::WithParamInterface<VolumeFailure> {};

TEST_P(FailedVolume, LeavesNoRowNoFolderAndNoImage) {
    const VolumeFailure& c = GetParam();
    const std::string name = c.name;
    env.createDatabase();
    profile.growable = name.find("Archive") == std::string::npos;
    if (name == "DamagedArchive")
        writeFixedArchive(QByteArray(70000, 'v'), test::RarFault::DataCrc);
    if (name == "ToolMissing")
        QFile::remove(env.programHost() + "/VornelHD.exe");
    if (name == "ToolExits3")
        env.processes.exitStatus = 3;
    if (name.starts_with("Tool"))
        env.processes.onStart = nullptr;
    const bool ends = c.title == std::string("Error");
    if (ends)
        EXPECT_THROW(runTwoSteps(), platform::ProgramEnded);
    else
        runTwoSteps();
    EXPECT_EQ(env.ui.ended, ends);
    ASSERT_FALSE(env.ui.boxes.empty());
    EXPECT_EQ(env.ui.boxes.back().title + ": " + env.ui.boxes.back().text,
              QString(c.title) + ": " + c.message);
    EXPECT_EQ(countProfiles(), 0);
    EXPECT_FALSE(QFileInfo::exists(env.host(kRoot)));
    EXPECT_EQ(isLoaded<frmProcessing>(), ends);  // an ended program unloads nothing
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FailedVolume,
    ::testing::Values(
        // A missing archive ends the program before the row is stored.
        VolumeFailure{"MissingArchive", "Error", R"(Cannot open c:\Vornelix\vornelix_hd_8gb.rar)"},
        VolumeFailure{"DamagedArchive", "Error", "CRC error"},
        VolumeFailure{"ToolMissing", "Vornelix",
                      R"(The HD tool failed: VornelHD.exe was not found in c:\Vornelix.)"},
        VolumeFailure{"ToolExits3", "Vornelix", "The HD tool failed: it ended with exit status 3."},
        VolumeFailure{"ToolMakesNoImage", "Vornelix",
                      R"(The HD tool failed: it made no volume image in c:\Vornelix_HD\Test.)"}),
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
        EXPECT_EQ(countProfiles() + env.processes.starts.size() + isLoaded<frmProcessing>(), 0u);
    }
}

// A creation killed while it extracts leaves no hdimage.img; the next one replaces what the
// killed one left and makes the whole image.
TEST_F(CreationSequence, AKilledExtractionLeavesNoImageUnderItsName) {
    const std::uint64_t size = std::uint64_t{8} << 30;
    ASSERT_EQ(image_archives::writeZeroImageArchive(env.host(kArchive).toStdString(), "hdimage.img",
                                                    {'V', 'O', 'R', 'N'}, size),
              "");
    profile.growable = false;
    const QString partial = env.host(VolumeCreation::partialImage(kFolder));
    CreationRecord made;
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(VolumeCreation::my_new_Timer(profile, made) ? 0 : 1);
    // Killed once some MB are written, long before the 8 GiB are.
    for (int i = 0; i < 1000 && QFileInfo(partial).size() < (4 << 20); ++i) QThread::msleep(10);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_GE(QFileInfo(partial).size(), 4 << 20);
    EXPECT_FALSE(QFileInfo::exists(env.host(kImage)));

    writeFixedArchive("whole image");
    EXPECT_TRUE(VolumeCreation::my_new_Timer(profile, made));
    EXPECT_EQ(env.readFile(kImage), "whole image");
    EXPECT_EQ(QDir(env.host(kFolder)).entryList(QDir::Files), QStringList{"hdimage.img"});
    EXPECT_EQ(env.ui.lastText(), VolumeCreation::kFormattingMessage);
}

// Mounts a file system of 64 KiB on the folder, in a user and mount namespace of this
// single-threaded (child) process; false when the host does not allow it.
bool mountSmallFileSystem(const QByteArray& folder) {
    const std::string uid = std::to_string(::getuid()), gid = std::to_string(::getgid());
    const auto put = [](const char* file, const std::string& text) {
        QFile f(file);
        return f.open(QIODevice::WriteOnly) && f.write(text.c_str()) > 0;
    };
    return ::unshare(CLONE_NEWUSER | CLONE_NEWNS) == 0 && put("/proc/self/setgroups", "deny") &&
           put("/proc/self/uid_map", "0 " + uid + " 1") &&
           put("/proc/self/gid_map", "0 " + gid + " 1") &&
           ::mount("none", folder.constData(), "tmpfs", 0, "size=64k") == 0;
}

// A full disk: the volume root on a small file system, seen by a child process alone.
TEST_F(CreationSequence, AFullDiskLeavesNoRowAndNoImageAndEndsTheProgram) {
    env.createDatabase();
    writeFixedArchive(QByteArray(1 << 20, 'v'));
    QDir().mkpath(env.host(kRoot));
    const pid_t child = ::fork();
    if (child == 0) {
        if (!mountSmallFileSystem(QFile::encodeName(env.host(kRoot))))
            ::_exit(99);
        EXPECT_THROW(runTwoSteps(), platform::ProgramEnded);
        const QDir root(env.host(kRoot));
        ::_exit(env.ui.lastText() == "Write error" && countProfiles() == 0 &&
                root.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (code == 99)
        GTEST_SKIP() << "cannot mount a small file system here";
    EXPECT_EQ(code, 1) << "the failure is told, the row and the image are gone";
}

}  // namespace
}  // namespace vornelix
