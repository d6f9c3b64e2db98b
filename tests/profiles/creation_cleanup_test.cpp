#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "machine/profile_store.h"
#include "machine/volume_layout.h"
#include "platform/database.h"
#include "platform/file_system.h"
#include "platform/runtime_error.h"
#include "profiles/creation_change.h"
#include "profiles/profile_folders.h"
#include "profiles/unfinished_changes.h"
#include "support/own_mounts.h"
#include "support/test_environment.h"

// The start-up clean-up of a creation that a kill ended: what it takes away, what it leaves
// alone, and what it tries again.
namespace vornelix {
namespace {

const QString kRoot = R"(c:\Vornelix_HD)";
const QString kFolder = R"(c:\Vornelix_HD\Test)";
const QString kImage = R"(c:\Vornelix_HD\Test\hdimage.img)";
const QString kCleared =
    "The profile Test was not fully created when Vornelix last ended. What "
    "its creation had made is removed; you can create the profile again.";

// How far a creation got before it was killed: the image partly written, renamed into place
// but not yet marked whole, marked whole; or made whole by the HD tool.
enum class Point { PartialWritten, ImageRenamed, ImageWhole, ToolSucceeded };

class CreationCleanup : public ::testing::Test {
  protected:
    CreationCleanup() {
        env.createDatabase();
        env.writeFile(R"(c:\Users\Test\hdimage.img)", "another volume");
    }

    // The row of the profile as its creation inserts it, after the record names it.
    void insertRow(CreationChange& record, const QString& folder = kFolder) {
        record.rowToInsert("Test", folder, 0);
        env.insertProfile({"Test", folder, 8, "   ", "cdrom", 0, QVariant(), QVariant()});
    }

    // The creation's record and its row, and the profile folder made (or found) on the drive.
    CreationChange begun(const QString& drive = "c:") {
        const QString folder = profileFolder(drive, "Test");
        CreationChange record;
        record.forProfile("Test", folder);
        record.keepOnDisk();
        insertRow(record, folder);
        EXPECT_FALSE(makeProfileFolder(drive, "Test", record));
        record.folderReady();
        return record;
    }

    // Runs the record's steps of a creation up to the point, then leaves it as a kill does.
    void killedAt(Point point) {
        CreationChange record = begun();
        record.fileToMake("hdimage.img");
        if (point == Point::ToolSucceeded) {
            toolRuns(record);
            env.writeFile(kImage, "growable");
            return record.volumeWhole();
        }
        const QString partial = inFolder(kFolder, newPartialImageName());
        record.fileToMake(partial.mid(kFolder.size() + 1));
        env.writeFile(partial, "part of a volume");
        if (point == Point::PartialWritten)
            return;
        ASSERT_EQ(env.files().renameWithoutReplacing(partial, kImage), "");
        if (point == Point::ImageWhole)
            record.volumeWhole();
    }

    void toolRuns(CreationChange& record) {
        record.fileToMake("VornelHD.exe");
        env.writeFile(kFolder + R"(\VornelHD.exe)", "tool");
        record.toolRunsHere();
        record.toolStarted(env.processes.start("VornelHD.exe", "", kFolder, {}).pid);
    }

    test::TestEnvironment env;
};

// Killed once the volume was whole, even before the record said so: the next start keeps the
// row and the image, takes the rest away, ends the tool's group and says nothing. (What is
// cleared at the other points: KilledCreation.)
using KillCase = std::pair<const char*, Point>;
class KilledWhole : public CreationCleanup, public ::testing::WithParamInterface<KillCase> {};

TEST_P(KilledWhole, TheNextStartKeepsTheRowAndTheImage) {
    const Point point = GetParam().second;
    killedAt(point);
    UnfinishedChanges::settleAtStart();
    EXPECT_EQ(countProfiles(), 1);
    EXPECT_EQ(env.files().entryNames(kFolder), QStringList{"hdimage.img"})
        << "no partial image or tool copy";
    EXPECT_EQ(env.pendingRecords(), QStringList());
    EXPECT_TRUE(env.ui.boxes.empty());
    EXPECT_EQ(env.processes.endedGroups.size(), point == Point::ToolSucceeded ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Points, KilledWhole,
                         ::testing::Values(KillCase{"RenamedBeforeItWasMarkedWhole",
                                                    Point::ImageRenamed},
                                           KillCase{"MarkedWhole", Point::ImageWhole},
                                           KillCase{"MadeWholeByTheTool", Point::ToolSucceeded}),
                         [](const auto& info) { return std::string(info.param.first); });

// A record that no creation's steps write, or of an older folder of the same path: nothing it
// names is taken, the record goes, and a record that is no state of a creation is said to be
// dropped. Each row changes a record that, as it is, would clear the whole profile Test.
struct ForeignCase {
    const char* name;
    const char* change;
    bool refused;  // told in one sentence
};
class ForeignRecord : public CreationCleanup, public ::testing::WithParamInterface<ForeignCase> {};

TEST_P(ForeignRecord, TakesNothingAway) {
    CreationChange made = begun();
    made.fileToMake("hdimage.img");
    QJsonObject record = QJsonDocument::fromJson(env.readFile(made.file())).object();
    const QJsonObject change = QJsonDocument::fromJson(GetParam().change).object();
    for (auto it = change.begin(); it != change.end(); ++it) record[it.key()] = it.value();
    if (!change.contains("host"))
        record["host"] = env.host(record["folder"].toString());
    env.writeFile(made.file(), QJsonDocument(record).toJson());
    env.writeFile(kImage, "the volume");
    env.writeFile(kFolder + R"(\notes.txt)", "the user's notes");
    UnfinishedChanges::settleAtStart();
    EXPECT_EQ(env.readFile(kImage) + env.readFile(kFolder + R"(\notes.txt)"),
              "the volumethe user's notes");
    EXPECT_EQ(env.readFile(R"(c:\Users\Test\hdimage.img)"), "another volume");
    EXPECT_TRUE(env.files().fileExists(R"(c:\Vornelix\ASNMD.DAT)"));
    EXPECT_EQ(countProfiles(), 1);
    EXPECT_EQ(env.pendingRecords(), QStringList());
    if (GetParam().refused) {
        EXPECT_EQ(env.ui.takeOnlyBox(),
                  "A record of an unfinished creation of the profile " + record["name"].toString() +
                      " was not in a state that Vornelix writes, so nothing that it names was "
                      "touched, and the record was dropped.");
    }
    EXPECT_TRUE(env.ui.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ForeignRecord,
    ::testing::Values(
        ForeignCase{"AFolderOutsideTheVolumeRoot", R"({"folder": "c:\\Users\\Test"})", true},
        ForeignCase{"AnotherProfilesFolder", R"({"name": "Other"})", true},
        ForeignCase{"AHostPathElsewhere", R"({"host": "/home/Test"})", true},
        ForeignCase{"PathsAsFileNames",
                    R"({"files": ["..\\..\\Vornelix\\ASNMD.DAT", "..", "notes.txt"]})", true},
        ForeignCase{"FilesWithoutTheFolderIdentity", R"({"folderId": ""})", true},
        ForeignCase{"TheToolWithoutTheFolderIdentity",
                    R"({"folderId": null, "files": [], "toolRan": true, "kept": []})", true},
        ForeignCase{"ATheToolsGroupButNoRun", R"({"tool": {"group": "9", "boot": "b"}})", true},
        ForeignCase{"WholeWithoutAnImage", R"({"whole": true, "files": []})", true},
        ForeignCase{"AFolderMadeAboveTheVolumeRoot",
                    R"({"made": [{"folder": "c:\\Users", "host": "/"}]})", true},
        ForeignCase{"OfAnEarlierVersion", R"({"kind": null, "row": true})", true},
        ForeignCase{"Damaged", R"({"folder": 3})", true},
        ForeignCase{"AnOlderFolderOfThePath", R"({"folderId": "1:1"})", false}),
    [](const auto& info) { return std::string(info.param.name); });

// The drive of the creation now stands for another folder: the clean-up finds the folder by
// its host path, or not at all, and never clears the same-named folder of the other drive.
TEST_F(CreationCleanup, ADriveTableChangedSinceTheKillSendsTheClearingNowhereElse) {
    const auto drives = [this](const char* d) {
        return platform::DriveTable(
            {{'c', env.root(), platform::DriveType::Fixed, "NTFS", true},
             {'d', env.root() + d, platform::DriveType::Fixed, "NTFS", true}});
    };
    const QString folder = R"(d:\Vornelix_HD\Test)";
    QDir().mkpath(env.root() + "/D");
    env.useDrives(drives("/D"));
    CreationChange record = begun("d:");
    record.fileToMake("hdimage.img");
    env.writeFile(volumeImage(folder), "part of a volume");
    env.useDrives(drives("/E"));
    env.writeFile(volumeImage(folder), "the volume of the drive now");
    UnfinishedChanges::settleAtStart();
    EXPECT_TRUE(env.ui.takeOnlyBox().endsWith(
        "\n" + folder +
        "\nVornelix tries again at its next start. Plug in or mount the drive d: "
        "before then."));
    EXPECT_EQ(env.readFile(volumeImage(folder)), "the volume of the drive now");
    EXPECT_TRUE(QFileInfo::exists(env.root() + "/D/Vornelix_HD/Test/hdimage.img"));

    env.useDrives(drives("/D"));
    UnfinishedChanges::settleAtStart();
    EXPECT_EQ(env.ui.takeOnlyBox(), kCleared);
    EXPECT_FALSE(QFileInfo::exists(env.root() + "/D/Vornelix_HD"));
}

// A drive that is gone (a removable drive not plugged in) keeps what the creation made there
// recorded, tells the user to plug it in, and keeps nothing else from being created: another
// name is free on any drive, the same name is refused until the drive is back.
TEST_F(CreationCleanup, ACreationOnADriveThatIsGoneBlocksOnlyItsOwnName) {
    const auto drives = [this](bool plugged) {
        return platform::DriveTable(
            {{'c', env.root(), platform::DriveType::Fixed, "NTFS", true},
             {'d', env.root() + "/D", platform::DriveType::Removable, "NTFS", plugged}});
    };
    QDir().mkpath(env.root() + "/D");
    env.useDrives(drives(true));
    CreationChange killed = begun("d:");
    killed.fileToMake("hdimage.img");
    env.writeFile(R"(d:\Vornelix_HD\Test\hdimage.img)", "part of a volume");
    env.useDrives(drives(false));

    UnfinishedChanges::settleAtStart();
    EXPECT_EQ(env.ui.takeOnlyBox(),
              "The profile Test was not fully created when Vornelix last ended.\nThis cannot be "
              "cleared up yet:\nd:\\Vornelix_HD\\Test\nVornelix tries again at its next start. "
              "Plug in or mount the drive d: before then.");
    EXPECT_EQ(UnfinishedChanges::refusalFor("Other", true), "");
    EXPECT_TRUE(UnfinishedChanges::refusalFor("Test", false)
                    .startsWith("The volume cannot be changed yet: what an earlier creation of "
                                "the profile Test left is still being cleared up:"));
    EXPECT_EQ(UnfinishedChanges::refusalFor("Test", true),
              "The profile Test cannot be created yet: what an earlier creation of that name "
              "left is still being cleared up:\nd:\\Vornelix_HD\\Test\nVornelix tries again at "
              "its next start. Plug in or mount the drive d: before then. Or choose another name.");
    EXPECT_EQ(countProfiles(), 1) << "the row stays while its files do";
    EXPECT_EQ(env.pendingRecords().size(), 1);

    env.useDrives(drives(true));
    EXPECT_EQ(UnfinishedChanges::refusalFor("Test", true), "");
    EXPECT_EQ(countProfiles(), 0);
    EXPECT_FALSE(QFileInfo::exists(env.root() + "/D/Vornelix_HD"));
    EXPECT_EQ(env.pendingRecords(), QStringList());
    EXPECT_TRUE(env.ui.boxes.empty()) << "a try before a new change says nothing";
}

// In a folder that was there before the creation, a kill leaves what appeared after the tool
// started (a file the user saved meanwhile among it): only the creation's own files go, and
// the rest is listed.
TEST_F(CreationCleanup, AfterAKillOnlyTheCreationsOwnFilesGoFromAFolderThatWasThere) {
    env.writeFile(kFolder + R"(\readme.txt)", "there before");
    CreationChange record = begun();
    record.fileToMake("hdimage.img");
    toolRuns(record);
    env.writeFile(kImage, "half a growable image");
    env.writeFile(kFolder + R"(\photo.jpg)", "saved by the user after the kill");
    UnfinishedChanges::settleAtStart();
    EXPECT_EQ(env.ui.takeOnlyBox(), kCleared +
                                        "\nThese were left where they are, as Vornelix cannot "
                                        "tell them from your own files:\n" +
                                        kFolder + R"(\photo.jpg)");
    QStringList left = env.files().entryNames(kFolder);
    left.sort();
    EXPECT_EQ(left, (QStringList{"photo.jpg", "readme.txt"}));
    EXPECT_EQ(countProfiles(), 0);
}

// A row that cannot be deleted because another program holds the profile database stays
// recorded, with the step that fits: a live undo tells what stays, the start tells it again,
// and once the database is free the start clears it.
TEST_F(CreationCleanup, ARowHeldByAnotherProgramIsNamedWithTheStepThatFits) {
    const QString held =
        "\nThis cannot be cleared up yet:\nits entry in the profile database\nVornelix tries "
        "again at its next start. The profile database is in use by another program: close "
        "that program before then.";
    CreationChange live = begun();
    platform::DbConnection other;
    other.ConnectionString = profileConnectionString();
    other.Open();
    other.Execute("begin exclusive");
    EXPECT_EQ(live.undo(), "The profile Test was not created." + held);
    UnfinishedChanges::settleAtStart();
    EXPECT_EQ(env.ui.takeOnlyBox(),
              "The profile Test was not fully created when Vornelix last ended." + held);
    other.Execute("rollback");
    other.Close();
    UnfinishedChanges::settleAtStart();
    EXPECT_EQ(env.ui.takeOnlyBox(), kCleared);
    EXPECT_EQ(countProfiles(), 0);
    EXPECT_EQ(env.pendingRecords(), QStringList());
}

// A partial image that cannot be deleted yet keeps its row and the record, and is named as the
// user knows it; the next start clears it all.
TEST_F(CreationCleanup, WhatCannotBeClearedStaysNamedAndIsClearedAtTheNextStart) {
    killedAt(Point::PartialWritten);
    const int code = test::inOwnMounts(
        [&] { return test::bindReadOnly(env.host(kFolder)); },
        [&] {
            UnfinishedChanges::settleAtStart();
            return env.ui.takeOnlyBox() ==
                       "The profile Test was not fully created when Vornelix last ended.\nThis "
                       "cannot be cleared up yet:\na partial volume image in "
                       "c:\\Vornelix_HD\\Test\nVornelix tries again at its next start. Make the "
                       "folder c:\\Vornelix_HD\\Test writable before then." &&
                   countProfiles() == 1 && env.pendingRecords().size() == 1;
        });
    if (code == test::kMountsNotAllowed)
        GTEST_SKIP() << "cannot lock a folder here";
    EXPECT_EQ(code, 0) << "the partial image, the row and the record stay, and are named";

    UnfinishedChanges::settleAtStart();
    EXPECT_EQ(env.ui.takeOnlyBox(), kCleared);
    EXPECT_EQ(countProfiles(), 0);
    EXPECT_FALSE(QFileInfo::exists(env.host(kRoot)));
    EXPECT_EQ(env.pendingRecords(), QStringList());
}

// A program folder that cannot be written: no creation begins, and the user is told which
// folder and what to do.
TEST_F(CreationCleanup, AProgramFolderThatCannotBeWrittenStopsTheCreationAndIsNamed) {
    const int code = test::inOwnMounts(
        [&] { return test::bindReadOnly(env.programHost()); },
        [&] {
            try {
                CreationChange().keepOnDisk();
            } catch (const platform::RuntimeError& error) {
                return error.description() ==
                       R"(The profile cannot be created because the program folder c:\Vornelix )"
                       "cannot be written. Make that folder writable, or free space on its drive, "
                       "then create the profile again.";
            }
            return false;
        });
    if (code == test::kMountsNotAllowed)
        GTEST_SKIP() << "cannot lock a folder here";
    EXPECT_EQ(code, 0);
}

}  // namespace
}  // namespace vornelix
