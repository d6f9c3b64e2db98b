#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "machine/profile_store.h"
#include "platform/file_system.h"
#include "platform/runtime_error.h"
#include "profiles/creation_record.h"
#include "profiles/volume_creation.h"
#include "support/own_mounts.h"
#include "support/test_environment.h"

// The start-up clean-up of a creation that a kill ended: what it takes away, what it leaves
// alone, and what it tries again.
namespace vornelix {
namespace {

const QString kRoot = R"(c:\Vornelix_HD)";
const QString kFolder = R"(c:\Vornelix_HD\Test)";
const QString kImage = R"(c:\Vornelix_HD\Test\hdimage.img)";
const QString kRecord = R"(c:\Vornelix\creation.pending)";
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
        env.insertProfile({"Test", kFolder, 8, "   ", "cdrom", 0, QVariant(), QVariant()});
        env.writeFile(R"(c:\Users\Test\hdimage.img)", "another volume");
    }

    // Runs the record's steps of a creation up to the point, then leaves it as a kill does.
    void killedAt(Point point) {
        CreationRecord record = CreationRecord::durable();
        record.rowToInsert("Test", kFolder);
        VolumeCreation::makeProfileFolder("c:", "Test", record);
        record.fileToMake("hdimage.img");
        if (point == Point::ToolSucceeded) {
            record.fileToMake("VornelHD.exe");
            env.writeFile(kFolder + R"(\VornelHD.exe)", "tool");
            record.toolRunsHere();
            record.toolStarted(env.processes.start("VornelHD.exe", "", kFolder, {}).pid);
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
    EXPECT_TRUE(CreationRecord::undoUnfinished());
    EXPECT_EQ(countProfiles(), 1);
    EXPECT_EQ(env.files().entryNames(kFolder), QStringList{"hdimage.img"})
        << "no partial image or tool copy";
    EXPECT_FALSE(env.files().fileExists(kRecord));
    EXPECT_TRUE(env.ui.boxes.empty());
    EXPECT_EQ(env.processes.endedGroups.size(), point == Point::ToolSucceeded ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Points, KilledWhole,
                         ::testing::Values(KillCase{"RenamedBeforeItWasMarkedWhole",
                                                    Point::ImageRenamed},
                                           KillCase{"MarkedWhole", Point::ImageWhole},
                                           KillCase{"MadeWholeByTheTool", Point::ToolSucceeded}),
                         [](const auto& info) { return std::string(info.param.first); });

// A record that names what no creation of its profile makes, damaged, of another kind or of
// an older folder of the same path: nothing it names is taken, the record goes. Each row
// changes a record that, as it is, would clear the profile Test's image.
using ForeignCase = std::pair<const char*, const char*>;
class ForeignRecord : public CreationCleanup, public ::testing::WithParamInterface<ForeignCase> {};

TEST_P(ForeignRecord, TakesNothingAway) {
    QJsonObject record{{"name", "Test"},     {"folder", kFolder},
                       {"host", kFolder},    {"row", true},
                       {"madeFolder", true}, {"files", QJsonArray{"hdimage.img"}}};
    const QJsonObject change = QJsonDocument::fromJson(GetParam().second).object();
    for (auto it = change.begin(); it != change.end(); ++it) record[it.key()] = it.value();
    record["host"] = env.host(record["host"].toString());
    env.writeFile(kRecord, QJsonDocument(record).toJson());
    env.writeFile(kImage, "the volume");
    env.writeFile(kFolder + R"(\notes.txt)", "the user's notes");
    CreationRecord::undoUnfinished();
    EXPECT_EQ(env.readFile(kImage) + env.readFile(kFolder + R"(\notes.txt)"),
              "the volumethe user's notes");
    EXPECT_EQ(env.readFile(R"(c:\Users\Test\hdimage.img)"), "another volume");
    EXPECT_TRUE(env.files().fileExists(R"(c:\Vornelix\ASNMD.DAT)"));
    EXPECT_EQ(countProfiles(), 1);
    EXPECT_FALSE(env.files().fileExists(kRecord));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ForeignRecord,
    ::testing::Values(
        ForeignCase{"AFolderOutsideTheVolumeRoot",
                    R"({"folder": "c:\\Users\\Test", "host": "c:\\Users\\Test"})"},
        ForeignCase{"AnotherProfilesFolder", R"({"name": "Other"})"},
        ForeignCase{"AHostPathElsewhere", R"({"host": "c:\\Users\\Test"})"},
        ForeignCase{"PathsAsFileNames", R"({"row": false, "madeFolder": false, "files": )"
                                        R"(["..\\..\\Vornelix\\ASNMD.DAT", "..", "notes.txt"]})"},
        ForeignCase{"AnOlderFolderOfThePath", R"({"folderId": "1:1"})"},
        ForeignCase{
            "ToolFilesOfAFolderNotKnown",
            R"({"row": false, "madeFolder": false, "files": [], "toolRan": true, "kept": []})"},
        ForeignCase{"Damaged", R"({"folder": 3})"}),
    [](const auto& info) { return std::string(info.param.first); });

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
    CreationRecord record = CreationRecord::durable();
    record.rowToInsert("Test", folder);
    VolumeCreation::makeProfileFolder("d:", "Test", record);
    record.fileToMake("hdimage.img");
    env.writeFile(volumeImage(folder), "part of a volume");
    env.useDrives(drives("/E"));
    env.writeFile(volumeImage(folder), "the volume of the drive now");
    EXPECT_FALSE(CreationRecord::undoUnfinished());
    EXPECT_TRUE(env.ui.takeOnlyBox().contains("\n" + folder + "\n"));
    EXPECT_EQ(env.readFile(volumeImage(folder)), "the volume of the drive now");
    EXPECT_TRUE(QFileInfo::exists(env.root() + "/D/Vornelix_HD/Test/hdimage.img"));

    env.useDrives(drives("/D"));
    EXPECT_TRUE(CreationRecord::undoUnfinished());
    EXPECT_FALSE(QFileInfo::exists(env.root() + "/D/Vornelix_HD"));
}

// A partial image that cannot be deleted yet keeps its row and the record, and is named; the
// next start clears it all.
TEST_F(CreationCleanup, WhatCannotBeClearedStaysNamedAndIsClearedAtTheNextStart) {
    killedAt(Point::PartialWritten);
    const int code = test::inOwnMounts(
        [&] { return test::bindReadOnly(env.host(kFolder)); },
        [&] {
            const bool cleared = CreationRecord::undoUnfinished();
            const QString text = env.ui.takeOnlyBox();
            return !cleared && text.contains(R"(c:\Vornelix_HD\Test\hdimage.img.)") &&
                   text.contains("tries again at its next start") && countProfiles() == 1 &&
                   env.files().fileExists(kRecord);
        });
    if (code == test::kMountsNotAllowed)
        GTEST_SKIP() << "cannot lock a folder here";
    EXPECT_EQ(code, 0) << "the partial image, the row and the record stay, and are named";

    EXPECT_TRUE(CreationRecord::undoUnfinished());
    EXPECT_EQ(env.ui.takeOnlyBox(), kCleared);
    EXPECT_EQ(countProfiles(), 0);
    EXPECT_FALSE(QFileInfo::exists(env.host(kRoot)));
    EXPECT_FALSE(env.files().fileExists(kRecord));
}

// A program folder that cannot be written: no creation begins, and the user is told which
// folder and what to do.
TEST_F(CreationCleanup, AProgramFolderThatCannotBeWrittenStopsTheCreationAndIsNamed) {
    const int code = test::inOwnMounts(
        [&] { return test::bindReadOnly(env.programHost()); },
        [&] {
            try {
                CreationRecord::durable().rowToInsert("Test", kFolder);
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
