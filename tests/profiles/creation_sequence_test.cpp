#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>

#include "machine/global_variables.h"
#include "machine/profile_store.h"
#include "profiles/frm_processing.h"
#include "profiles/volume_creation.h"
#include "support/rar_writer.h"
#include "support/test_environment.h"

namespace vornelix {
namespace {

const QString kFolder = R"(c:\Vornelix_HD\Test)";
const QString kCopy = R"(c:\Vornelix_HD\Test\VornelHD.exe)";
const QString kArchive = R"(c:\Vornelix\vornelix_hd_8gb.rar)";

class CreationSequence : public ::testing::Test {
  protected:
    CreationSequence() {
        GlobalVariablesModule& g = gv();
        g.ProfileName = "Test";
        g.GrowableVolume = kTrue;
        g.HardDiskSizeGB = 8;
        g.VolumeDrive = "c:";
        g.HardDiskPath = R"(c:\Vornelix_HD\)";
        g.CdRomType = " cdrom ";
        g.CdRomPath = "   ";
        g.NetworkingEnabled = 1;
        env.writeFile(R"(c:\Vornelix\VornelHD.exe)", "tool");
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

    test::TestEnvironment env;
};

class Sequence : public CreationSequence, public ::testing::WithParamInterface<bool> {};

TEST_P(Sequence, ShowsEachStepAndUnloadsAtTheFourthTick) {
    const bool installation = GetParam();
    gv().StartInstallation = toFlag(installation);
    gv().CdRomPath = installation ? R"(c:\osx.iso)" : "   ";
    env.processes.onStart = [this](const test::StartCall& call, std::int64_t) {
        if (call.program == kCopy)
            env.writeFile(kFolder + R"(\hdimage.img)", "");
    };
    env.createDatabase();
    form<frmProcessing>().Show();
    EXPECT_EQ(currentLabel(), 1);
    for (int label : {2, 3, installation ? 4 : 0}) {
        env.clock.advance(frmProcessing::kTimerIntervalMs);
        EXPECT_EQ(currentLabel(), label);
    }
    EXPECT_EQ(gv().AttachInstallMedium, kTrue);
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
    form<frmProcessing>();
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
    gv().ProfileName = "O'Brien";
    form<frmProcessing>();
    env.clock.advance(frmProcessing::kTimerIntervalMs);
    EXPECT_EQ(storedRow(), (QVariantList{"O'Brien", R"(c:\Vornelix_HD\O'Brien)", 8, "   ", "cdrom",
                                         0, QVariant(), QVariant()}));
    EXPECT_EQ(gv().NetworkingEnabled, 0);
}

TEST_F(CreationSequence, AFailedInsertStopsTheSequenceAndMakesNothing) {
    form<frmProcessing>();  // no database
    env.clock.advance(frmProcessing::kTimerIntervalMs);
    EXPECT_EQ(env.ui.boxes.size(), 1u);
    EXPECT_FALSE(isLoaded<frmProcessing>());
    EXPECT_FALSE(env.files().folderExists(R"(c:\Vornelix_HD)"));
    EXPECT_FALSE(env.ui.ended);
}

TEST_F(CreationSequence, AMissingArchiveEndsTheProgramBeforeTheInsert) {
    env.createDatabase();
    gv().GrowableVolume = kFalse;
    form<frmProcessing>();
    EXPECT_THROW(env.clock.advance(frmProcessing::kTimerIntervalMs), platform::ProgramEnded);
    EXPECT_EQ(env.ui.lastText(), "Cannot open " + kArchive);
    EXPECT_EQ(countProfiles(), 0);
}

// Root missing, root present, profile folder present: only what is missing is made.
TEST_F(CreationSequence, ProfileFolderMakesWhatIsMissing) {
    for (const QString& present : {QString(), QString(R"(c:\Vornelix_HD)"), kFolder}) {
        QDir(env.host(R"(c:\Vornelix_HD)")).removeRecursively();
        if (!present.isEmpty())
            QDir().mkpath(env.host(present));
        gv().HardDiskPath = R"(c:\Vornelix_HD\)";
        VolumeCreation::CreateProfileFolder();
        EXPECT_EQ(gv().HardDiskPath, kFolder);
        EXPECT_TRUE(env.files().folderExists(kFolder));
    }
}

TEST_F(CreationSequence, FixedVolumeIsExtractedFromTheArchiveOfItsSize) {
    gv().GrowableVolume = kFalse;
    const QByteArray image = QByteArray("VORNELHD") + QByteArray(70000, '\0');
    ASSERT_TRUE(test::RarWriter().add("any name", image).writeTo(env.host(kArchive)));
    EXPECT_TRUE(VolumeCreation::my_new_Timer());
    EXPECT_EQ(env.readFile(kFolder + R"(\hdimage.img)"), image);
    EXPECT_EQ(env.ui.lastText(), VolumeCreation::kFormattingMessage);
}

// Whether the profile folder holds its own copy of the tool, and the start's code.
class GrowableVolume : public CreationSequence,
                       public ::testing::WithParamInterface<std::pair<bool, int>> {};

TEST_P(GrowableVolume, StartsTheToolCopyInTheProfileFolderAndDeletesIt) {
    const auto [copyPresent, startCode] = GetParam();
    QDir().mkpath(env.host(kFolder));
    if (copyPresent)
        env.writeFile(kCopy, "own copy");
    env.processes.code = startCode;
    QByteArray copyAtStart;
    env.processes.onStart = [&](const test::StartCall&, std::int64_t) {
        copyAtStart = env.readFile(kCopy);
    };
    const bool started = startCode > 32;
    EXPECT_EQ(VolumeCreation::my_new_Timer(), started);
    ASSERT_EQ(env.processes.starts.size(), 1u);
    const test::StartCall& call = env.processes.starts[0];
    EXPECT_EQ(call.program + " " + call.parameters + " in " + call.folder,
              kCopy + " hdimage.img 8 1 in " + kFolder);
    EXPECT_EQ(call.show, platform::ShowCommand::Hide);
    EXPECT_EQ(copyAtStart, !started ? "" : copyPresent ? "own copy" : "tool");
    EXPECT_EQ(env.clock.sleeps, (std::vector<int>{2000, 2000}));
    EXPECT_FALSE(env.files().fileExists(kCopy));
    EXPECT_TRUE(env.ui.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, GrowableVolume,
                         ::testing::Values(std::pair(false, platform::kStartOk),
                                           std::pair(true, platform::kStartOk),
                                           std::pair(false, platform::kStartFileNotFound)));

}  // namespace
}  // namespace vornelix
