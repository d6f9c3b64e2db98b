#include <gtest/gtest.h>

#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>

#include "forms/main_window_port.h"
#include "machine/global_variables.h"
#include "machine/profile_store.h"
#include "platform/database.h"
#include "profiles/creation_start.h"
#include "profiles/frm_processing.h"
#include "profiles/unfinished_changes.h"
#include "profiles/volume_choice.h"
#include "profiles/volume_creation.h"
#include "support/own_mounts.h"
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
const QString kToolTemporary = R"(c:\Vornelix_HD\Test\.hdimage.img.Xy12Zq)";

// The host path of the partial image in the folder, empty when there is none.
QString partialIn(const test::TestEnvironment& env, const QString& folder) {
    const QStringList names = QDir(env.host(folder)).entryList({"hdimage.img.*.partial"});
    return names.isEmpty() ? QString() : env.host(folder) + "/" + names.first();
}

class CreationSequence : public ::testing::Test {
  protected:
    CreationSequence() {
        gv().NetworkingEnabled = 1;
        env.writeFile(R"(c:\Vornelix\VornelHD.exe)", "tool");
        // The HD tool makes its image in the folder it runs in.
        env.processes.onStart = [this](const test::StartCall& call, std::int64_t) {
            copyAtStart = env.readFile(call.program);
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
        const ProfileStoreSession store(kSelectAllProfiles);
        QVariantList row;
        for (int i = kColProfName; i <= kColRamSize; ++i) row << store.rows().Fields(i);
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
    QByteArray copyAtStart;
};

class Sequence : public CreationSequence, public ::testing::WithParamInterface<bool> {};

TEST_P(Sequence, ShowsEachStepAndUnloadsAtTheFourthTick) {
    const bool installation = GetParam();
    profile.startInstallation = installation;
    profile.cdRomPath = installation ? R"(c:\osx.iso)" : "   ";
    gv().ProfileName = profile.name;
    env.createDatabase();
    env.writeFile(kCopy, "own copy");  // a copy of the tool already there is the one started
    startProfileCreation(profile);
    EXPECT_EQ(currentLabel(), 1);
    for (int label : {2, 3, installation ? 4 : 0}) {
        env.clock.advance(frmProcessing::kTimerIntervalMs);
        EXPECT_EQ(currentLabel(), label);
    }
    EXPECT_EQ(gv().AttachInstallMedium, kTrue);
    EXPECT_EQ(gv().HardDiskPath, kFolder);
    const test::StartCall& tool = env.processes.starts.at(0);
    EXPECT_EQ(tool.program + " " + tool.parameters + " in " + tool.folder + " " + copyAtStart,
              kCopy + " hdimage.img 8 1 in " + kFolder + " own copy");
    EXPECT_EQ(tool.show, platform::ShowCommand::Hide);
    EXPECT_EQ(env.clock.sleeps, (std::vector<int>{2000, 2000}));
    EXPECT_FALSE(env.files().fileExists(kCopy));
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

// Alpha is open and idle when Test is created. A creation that installs is captioned "Vornelix"
// from its stored row on, while its engine runs too, and names Test once the engine has ended;
// one that does not names Test from its stored row on.
TEST_P(Sequence, CaptionNamesTheNewProfileOnlyWhileNoEngineRuns) {
    const bool installation = GetParam();
    profile.startInstallation = installation;
    profile.cdRomPath = installation ? R"(c:\osx.iso)" : "   ";
    env.createDatabase();
    std::tie(gv().ProfileName, gv().ProfileOpen) = std::make_tuple("Alpha", kTrue);
    env.upper.recordingMain.setCaption(openProfileCaption("Alpha"));
    const auto caption = [this] { return env.upper.recordingMain.caption().toStdString(); };
    const auto tool = env.processes.onStart;
    env.engineMakesWindows();
    const auto engine = env.processes.onStart;
    env.processes.onStart = [=](const test::StartCall& call, std::int64_t pid) {
        (call.program.endsWith("VornelHD.exe") ? tool : engine)(call, pid);
    };
    const std::string named = openProfileCaption("Test").toStdString();
    const std::string starting = installation ? kMainCaption.toStdString() : named;
    startProfileCreation(profile);
    env.clock.advance(frmProcessing::kTimerIntervalMs);
    EXPECT_EQ(caption(), starting);

    for (int tick = 2; tick <= 4; ++tick) env.clock.advance(frmProcessing::kTimerIntervalMs);
    ASSERT_FALSE(isLoaded<frmProcessing>());
    EXPECT_EQ(gv().EngineRunning, installation ? kTrue : kFalse);
    EXPECT_EQ(caption(), starting);
    env.processes.running.clear();  // the engine ends by itself
    env.clock.advance(1000);
    EXPECT_EQ(gv().EngineRunning, kFalse);
    EXPECT_EQ(caption(), named);
    EXPECT_TRUE(env.ui.boxes.empty()) << env.ui.lastText().toStdString();
}

INSTANTIATE_TEST_SUITE_P(WithoutAndWithSource, Sequence, ::testing::Bool());

TEST_F(CreationSequence, PressesWhileTheToolWorksAreHeldAndTheVolumeEndsWhole) {
    env.createDatabase();
    env.processes.exitStatus = std::nullopt;  // the tool works until the presses are done
    int presses = 0;
    env.clock.onStep = [&](const char* what, int) {
        if (std::string(what) != "doEvents" || !isBusyWith(BusyWork::Creation))
            return;
        ++presses;
        frmProcessing& window = form<frmProcessing>();
        test::click<frmProcessing>("Command2");
        EXPECT_FALSE(window.subWindow() ? window.subWindow()->close() : window.close());
        env.processes.exitStatus = 0;
    };
    runTwoSteps();
    env.clock.onStep = nullptr;
    EXPECT_GT(presses, 0) << "the windows take input while the tool works";
    ASSERT_TRUE(isLoaded<frmProcessing>());
    EXPECT_EQ(env.readFile(kImage), "growable");
    EXPECT_EQ(storedRow().at(0), profile.name);
    EXPECT_EQ(env.pendingRecords(), QStringList()) << "the creation is whole";
    EXPECT_TRUE(env.ui.boxes.empty());
}

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
    EXPECT_EQ(env.pendingRecords(), QStringList());
    EXPECT_FALSE(env.ui.ended);
}

// A volume that cannot be made: what the sequence made goes again (the row, the folders, a
// partial image), then the failure is told in its box, and the sequence ends there.
// The case's name, and the title and text of the box that tells the failure.
using VolumeFailure = std::tuple<const char*, const char*, QString>;
class FailedVolume : public CreationSequence,
                     public ::testing::WithParamInterface<VolumeFailure> {};

TEST_P(FailedVolume, LeavesNoRowNoFolderAndNoImage) {
    const auto [name, title, message] = GetParam();
    env.createDatabase();
    profile.growable = !std::string(name).ends_with("Archive");
    if (name == std::string("DamagedArchive"))
        writeFixedArchive(QByteArray(70000, 'v'), test::RarFault::DataCrc);
    if (name == std::string("ToolMissing"))
        QFile::remove(env.programHost() + "/VornelHD.exe");
    env.processes.exitStatus = name == std::string("ToolExits3") ? 3 : 0;
    if (std::string(name).starts_with("Tool"))
        env.processes.onStart = nullptr;
    const bool imageThere = name == std::string("ImageThere");  // it is never replaced
    if (imageThere)
        env.writeFile(kImage, "the user's volume");
    try {
        runTwoSteps();
    } catch (const platform::ProgramEnded&) {
    }
    const bool ends = title == std::string("Error");
    EXPECT_EQ(env.ui.ended, ends);
    ASSERT_FALSE(env.ui.boxes.empty());
    EXPECT_EQ(env.ui.boxes.back().title + ": " + env.ui.boxes.back().text,
              QString(title) + ": " + message);
    EXPECT_EQ(countProfiles(), 0);
    EXPECT_EQ(QFileInfo::exists(env.host(kRoot)), imageThere);
    EXPECT_EQ(env.readFile(kImage), imageThere ? "the user's volume" : "");
    EXPECT_EQ(env.pendingRecords(), QStringList());
    EXPECT_FALSE(isLoaded<frmProcessing>());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FailedVolume,
    ::testing::Values(
        VolumeFailure{"ImageThere", "Vornelix", imageExistsMessage(kFolder)},
        VolumeFailure{"MissingArchive", "Error", R"(Cannot open c:\Vornelix\vornelix_hd_8gb.rar)"},
        VolumeFailure{"DamagedArchive", "Error", "CRC error"},
        VolumeFailure{"ToolMissing", "Vornelix",
                      R"(The HD tool failed: VornelHD.exe was not found in c:\Vornelix.)"},
        VolumeFailure{"ToolExits3", "Vornelix", "The HD tool failed: it ended with exit status 3."},
        VolumeFailure{"ToolMakesNoImage", "Vornelix",
                      R"(The HD tool failed: it made no volume image in c:\Vornelix_HD\Test.)"}),
    [](const auto& info) { return std::string(std::get<0>(info.param)); });

// An HD tool that wrote part of its image and its temporary file, then failed: both go with
// the folders that the creation made. A folder that was there keeps what it held before,
// an older temporary file of the tool among it.
// The case's name, the tool's exit status (none: it never ends), whether the folder was
// there, and the text of the box.
using ToolFailure = std::tuple<const char*, std::optional<int>, bool, const char*>;
class FailedTool : public CreationSequence, public ::testing::WithParamInterface<ToolFailure> {};

TEST_P(FailedTool, LeavesNothingThatTheCreationMade) {
    const auto [name, exitStatus, folderThere, message] = GetParam();
    env.createDatabase();
    const QString older = R"(c:\Vornelix_HD\Test\.hdimage.img.older1)";
    if (folderThere) {
        env.writeFile(kFolder + R"(\notes.txt)", "the user's notes");
        env.writeFile(older, "left by a tool long ago");
    }
    env.processes.exitStatus = exitStatus;
    // The tool writes part of its image, its temporary file and files of its own.
    env.processes.onStart = [this](const test::StartCall&, std::int64_t) {
        env.writeFile(kImage, "part of a volume");
        env.writeFile(kToolTemporary, "part of a volume");
        for (const char* name : {R"(\.hidden)", R"(\junk.tmp)", R"(\sub\x)"})
            env.writeFile(kFolder + name, "the tool's");
    };
    runTwoSteps();
    EXPECT_EQ(env.ui.lastText(), QString(message));
    EXPECT_TRUE(env.processes.running.empty()) << "the tool was ended";
    EXPECT_EQ(countProfiles(), 0);
    EXPECT_EQ(env.pendingRecords(), QStringList());
    EXPECT_EQ(QFileInfo::exists(env.host(kRoot)), folderThere);
    if (folderThere) {
        EXPECT_EQ(QDir(env.host(kFolder))
                      .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  (QStringList{".hdimage.img.older1", "notes.txt"}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FailedTool,
    ::testing::Values(ToolFailure{"Exits3", 3, false,
                                  "The HD tool failed: it ended with exit status 3."},
                      ToolFailure{"Exits1InAFolderThatWasThere", 1, true,
                                  "The HD tool failed: it ended with exit status 1."},
                      ToolFailure{"EndedAfterTheTimeOut", std::nullopt, false,
                                  "The HD tool failed: it did not end within 120 seconds."},
                      ToolFailure{"EndedAfterTheTimeOutInAFolderThatWasThere", std::nullopt, true,
                                  "The HD tool failed: it did not end within 120 seconds."}),
    [](const auto& info) { return std::string(std::get<0>(info.param)); });

// A program killed at some moment of a creation; the next start takes away what it made, and
// the same profile can be made again.
enum class KillPoint { AfterTheRowInsert, DuringTheExtraction, AfterTheToolMadeTheImage };
std::string killPointName(KillPoint point) {
    const char* names[] = {"AfterTheRowInsert", "DuringTheExtraction", "AfterTheToolMadeTheImage"};
    return names[static_cast<int>(point)];
}
class KilledCreation : public CreationSequence, public ::testing::WithParamInterface<KillPoint> {
  protected:
    // Runs the sequence in a child process that is killed at the point.
    void runUntilKilled(KillPoint point) {
        if (point == KillPoint::DuringTheExtraction) {
            ASSERT_EQ(image_archives::writeZeroImageArchive(env.host(kArchive).toStdString(),
                                                            "hdimage.img", {'V', 'O', 'R', 'N'},
                                                            std::uint64_t{8} << 30),
                      "");
            profile.growable = false;
        }
        // The tool has made its image and its temporary file; it is killed in the wait after.
        env.clock.onStep = [&](const char* what, int) {
            if (std::string(what) == "sleep" && !env.processes.starts.empty()) {
                env.writeFile(kToolTemporary, "left by the killed tool");
                ::raise(SIGKILL);
            }
        };
        const pid_t child = ::fork();
        if (child == 0) {
            startProfileCreation(profile);
            env.clock.advance(frmProcessing::kTimerIntervalMs);
            if (point == KillPoint::AfterTheRowInsert)
                ::raise(SIGKILL);
            env.clock.advance(frmProcessing::kTimerIntervalMs);
            ::_exit(0);
        }
        if (point == KillPoint::DuringTheExtraction) {
            test::waitUntil([&] { return QFileInfo(partialIn(env, kFolder)).size() >= (4 << 20); },
                            10000);
            ::kill(child, SIGKILL);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
        env.clock.onStep = nullptr;
        profile.growable = true;
    }
};

TEST_P(KilledCreation, TheNextStartLeavesNoTraceAndTheProfileCanBeMadeAgain) {
    env.createDatabase();
    runUntilKilled(GetParam());
    EXPECT_EQ(env.pendingRecords().size(), 1);
    EXPECT_EQ(env.files().folderExists(kFolder), GetParam() != KillPoint::AfterTheRowInsert);
    EXPECT_EQ(countProfiles(), 1) << "the killed creation stored its row";

    UnfinishedChanges::settleAtStart();
    EXPECT_EQ(countProfiles(), 0);
    EXPECT_FALSE(QFileInfo::exists(env.host(kRoot)));
    EXPECT_EQ(env.pendingRecords(), QStringList());
    EXPECT_TRUE(env.ui.takeOnlyBox().startsWith("The profile Test was not fully created"));
    EXPECT_EQ(env.processes.endedGroups.size(), GetParam() == KillPoint::AfterTheToolMadeTheImage)
        << "the killed tool's group ends";
    UnfinishedChanges::settleAtStart();  // nothing is left to undo
    EXPECT_TRUE(env.ui.boxes.empty());

    runTwoSteps();
    env.clock.advance(2 * frmProcessing::kTimerIntervalMs);
    EXPECT_FALSE(isLoaded<frmProcessing>());
    EXPECT_EQ(countProfiles(), 1);
    EXPECT_EQ(QDir(env.host(kFolder)).entryList(QDir::Files | QDir::Hidden),
              QStringList{"hdimage.img"});
    EXPECT_EQ(env.pendingRecords(), QStringList()) << "the profile is whole";
    UnfinishedChanges::settleAtStart();
    EXPECT_EQ(countProfiles(), 1);
}

INSTANTIATE_TEST_SUITE_P(Points, KilledCreation,
                         ::testing::Values(KillPoint::AfterTheRowInsert,
                                           KillPoint::DuringTheExtraction,
                                           KillPoint::AfterTheToolMadeTheImage),
                         [](const auto& info) { return killPointName(info.param); });

// A row of the same name and folder that was stored before the creation began is never taken
// away, nor is one of another folder; the record goes, and a copy of it that a kill left half
// written.
TEST_F(CreationSequence, TheStartTakesAwayOnlyTheRowThatTheUnfinishedCreationInserted) {
    env.createDatabase();
    profile.name = "Other";
    runTwoSteps();
    for (const char* folder : {R"(c:\Vornelix_HD\Other)", R"(d:\Vornelix_HD\Other)"}) {
        CreationChange killed;
        killed.rowToInsert("Other", folder, 1);  // the row there has id 1
        killed.keepOnDisk();
        env.writeFile(killed.file() + ".Ab12Cd", R"({"row": {)");  // a record killed while written
        UnfinishedChanges::settleAtStart();
        EXPECT_EQ(countProfiles(), 1);
        EXPECT_EQ(env.files().fileNames(R"(c:\Vornelix)").filter("creation"), QStringList());
    }
}

// A creation killed while it extracts leaves no hdimage.img; the next one makes the whole
// image. A file of the user's named hdimage.img.partial is never written or taken.
TEST_F(CreationSequence, AKilledExtractionLeavesNoImageUnderItsNameAndNeverTakesTheUsersFile) {
    ASSERT_EQ(image_archives::writeZeroImageArchive(env.host(kArchive).toStdString(), "hdimage.img",
                                                    {'V', 'O', 'R', 'N'}, std::uint64_t{8} << 30),
              "");
    profile.growable = false;
    const QString usersFile = kFolder + R"(\hdimage.img.partial)";
    env.writeFile(usersFile, "the user's file");
    CreationChange made;
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(VolumeCreation::my_new_Timer(profile, made) ? 0 : 1);
    // Killed once some MB are written, long before the 8 GiB are.
    test::waitUntil([&] { return QFileInfo(partialIn(env, kFolder)).size() >= (4 << 20); }, 10000);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_FALSE(QFileInfo::exists(env.host(kImage)));
    QFile::remove(partialIn(env, kFolder));  // what the start takes away

    writeFixedArchive("whole image");
    EXPECT_TRUE(VolumeCreation::my_new_Timer(profile, made));
    EXPECT_EQ(env.readFile(kImage), "whole image");
    EXPECT_EQ(env.readFile(usersFile), "the user's file");
    EXPECT_EQ(QDir(env.host(kFolder)).entryList(QDir::Files),
              (QStringList{"hdimage.img", "hdimage.img.partial"}));
    EXPECT_EQ(env.ui.lastText(), VolumeCreation::kFormattingMessage);
}

// A full disk: the volume root on a small file system, seen by a child process alone.
TEST_F(CreationSequence, AFullDiskLeavesNoRowAndNoImageAndEndsTheProgram) {
    env.createDatabase();
    writeFixedArchive(QByteArray(1 << 20, 'v'));
    QDir().mkpath(env.host(kRoot));
    const int code = test::inOwnMounts(
        [&] { return test::mountSmallFileSystem(env.host(kRoot)); },
        [&] {
            try {
                runTwoSteps();
            } catch (const platform::ProgramEnded&) {
            }
            return env.ui.ended && env.ui.lastText() == "Write error" && countProfiles() == 0 &&
                   QDir(env.host(kRoot))
                       .isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        });
    if (code == test::kMountsNotAllowed)
        GTEST_SKIP() << "cannot mount a small file system here";
    EXPECT_EQ(code, 0) << "the failure is told, the row and the image are gone";
}

}  // namespace
}  // namespace vornelix
