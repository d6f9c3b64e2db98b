#include <gtest/gtest.h>

#include <QDir>
#include <QStringList>

#include "forms/busy_state.h"
#include "machine/engine_interface.h"
#include "machine/global_variables.h"
#include "machine/profile_start.h"
#include "machine/profile_store.h"
#include "machine/start_animation.h"
#include "platform/runtime_error.h"
#include "support/test_environment.h"

namespace vornelix {
namespace {

using platform::MsgAnswer;

const QString kConfig = "c:\\Vornelix\\Xeminga";
const QString kVolume = "c:\\Vornelix_HD\\Tiger";

class ProfileStart : public ::testing::Test {
  protected:
    ProfileStart() {
        gv().ProfileName = "Tiger";
        gv().ProfileOpen = kTrue;
        gv().RamSizeMB = 256;
        gv().StartResolution = "\"1024x768x32\"";
        gv().SharedDrivePath = " ";
    }

    void addProfile(const QVariant& hardDisk, const QVariant& cdRom, const QVariant& ram = {}) {
        env.insertProfile({"Tiger", hardDisk, 3, cdRom, "cdrom", 1, QVariant(), ram});
        env.writeFile(hardDisk.toString() + "\\hdimage.img", "");
    }

    QStringList configLines() const {
        QStringList lines = QString::fromLatin1(env.readFile(kConfig)).split("\r\n");
        lines.removeLast();
        return lines;
    }

    static bool storeClosed() { return !profileStoreInUse(); }

    test::TestEnvironment env;
    test::RecordingMainWindow& main = env.upper.recordingMain;
    test::FakeMachineWindow& machine = env.upper.fakeMachine;
};

// A start refused before anything runs: the one box says why, the configuration file is left
// as it was, and the one-start options wait for the next start.
struct Refusal {
    const char* name;
    QVariant hardDisk, cdRom;
    QString sharedDrive, shownPart;
    bool folderInPlaceOfTheFile = false;
    const char* profileName = "Tiger";
    bool imageOnDisk = true;
};

class Refusals : public ProfileStart, public ::testing::WithParamInterface<Refusal> {};

TEST_P(Refusals, ShowWhyAndStartNothing) {
    const Refusal& row = GetParam();
    if (row.folderInPlaceOfTheFile)
        QDir().mkpath(env.host(kConfig));  // cannot be written, not even by root
    else
        env.writeFile(kConfig, "earlier start");
    env.insertProfile({row.profileName, row.hardDisk, 3, row.cdRom, "cdrom", 1, {}, {}});
    if (row.imageOnDisk && !row.hardDisk.isNull())
        env.writeFile(row.hardDisk.toString() + "\\hdimage.img", "");
    gv().SharedDrivePath = row.sharedDrive;
    gv().AttachInstallMedium = kTrue;
    vornelix::ProfileStart::Power_on();
    const QString text = env.ui.takeOnlyBox();
    EXPECT_TRUE(text.contains(row.shownPart)) << text.toStdString();
    EXPECT_EQ(env.readFile(kConfig), row.folderInPlaceOfTheFile ? "" : "earlier start");
    EXPECT_TRUE(env.processes.starts.empty());
    EXPECT_EQ(gv().AttachInstallMedium, kTrue);
    EXPECT_TRUE(storeClosed());
}

INSTANTIATE_TEST_SUITE_P(
    ProfileStart, Refusals,
    ::testing::Values(
        Refusal{"NoVolume", QVariant(), "   ", " ", vornelix::ProfileStart::kNoVolumeMessage},
        Refusal{"NoImageOnDisk", kVolume, QVariant(), " ", vornelix::ProfileStart::kNoVolumeMessage,
                false, "Tiger", false},
        Refusal{"NoInstallationPath", kVolume, QVariant(), " ",
                vornelix::ProfileStart::kNoInstallationPathMessage},
        Refusal{"NoRow", kVolume, "   ", " ", "", false, "Other"},
        Refusal{"LineFeed", "c:\\HD\nram_size = 1", "   ", " ", "c:\\HD\\nram_size = 1"},
        Refusal{"Quote", "c:\\HD", "d:\\x\".iso", " ", "installation path"},
        Refusal{"Escape", "c:\\HD", "   ", "c:\\s\x1b.dsk", "c:\\s\\x1b.dsk"},
        Refusal{"UnwritableFile", kVolume, "   ", " ", "Path/File access error", true}),
    [](const auto& info) { return info.param.name; });

// No CD-ROM drive found: No leaves the seven head lines and starts nothing; Yes starts without
// the IDE slave.
TEST_F(ProfileStart, TheCdRomQuestion) {
    addProfile(kVolume, "   ");
    env.engineMakesWindows();
    for (const MsgAnswer answer : {MsgAnswer::No, MsgAnswer::Yes}) {
        gv().CdRomEnabled = kTrue;  // the test drives hold no CD-ROM drive
        env.ui.answers = {answer};
        vornelix::ProfileStart::Power_on();
        EXPECT_EQ(env.ui.lastText(), "No CD-ROM was detected.Continue without CD-ROM ?");
        if (answer == MsgAnswer::No) {
            EXPECT_EQ(configLines().size(), 7);
            EXPECT_TRUE(env.processes.starts.empty());
            EXPECT_EQ(gv().CdRomEnabled, kTrue);
        }
    }
    EXPECT_TRUE(configLines().contains("pci_ide0_slave_installed = 0"));
    EXPECT_EQ(gv().EngineRunning, kTrue);
    EXPECT_EQ(gv().CdRomEnabled, kFalse);
}

TEST_F(ProfileStart, SuccessfulStartEmbedsTheEngineAndClearsTheOneStartOptions) {
    addProfile(kVolume, "c:\\iso\\install.iso", 384);
    env.engineMakesWindows();
    gv().AttachInstallMedium = kTrue;
    gv().SharedDrivePath = "c:\\shared.dsk";
    bool busyThroughout = true;
    env.clock.onStep = [&](const char*, int) {
        busyThroughout = busyThroughout && isBusyWith(BusyWork::ProfileStart);
    };
    vornelix::ProfileStart::Power_on();

    EXPECT_TRUE(busyThroughout);
    EXPECT_FALSE(isBusy());
    ASSERT_EQ(env.processes.starts.size(), 1u);
    EXPECT_EQ(env.processes.starts[0].program, "c:\\Vornelix\\Vornelix.exe");
    EXPECT_EQ(env.processes.starts[0].parameters, "c:\\Vornelix\\Xeminga 0 0 0");
    EXPECT_EQ(env.processes.starts[0].show, platform::ShowCommand::Hide);

    EXPECT_EQ(configLines()[8], "pci_ide0_slave_image = \"c:\\iso\\install.iso\"");
    EXPECT_TRUE(configLines().contains("memory_size = 0x18000000"));
    EXPECT_EQ(gv().AttachInstallMedium, kFalse);
    EXPECT_EQ(gv().SharedDrivePath, " ");
    EXPECT_EQ(gv().EngineWindow, env.engineDisplay);
    EXPECT_TRUE(storeClosed());

    // The machine window captioned, the animation's pictures hidden again; the display window
    // embedded, the console hidden (where and what the engine is told is held end to end).
    EXPECT_EQ(machine.caption, "Tiger");
    EXPECT_FALSE(machine.loginBarVisible || machine.logoVisible);
    EXPECT_EQ(env.windows.parentOf(env.engineDisplay), machine.handle);
    EXPECT_EQ(env.windows.focus, env.engineDisplay);
    EXPECT_FALSE(env.windows.isVisible(
        env.windows.findWindow(kConsoleWindowClass, "c:\\Vornelix\\Vornelix.exe")));
}

// An engine that makes no display window: the message, the machine window gone, and the engine
// this start launched ended; an engine left over from an earlier start is not taken.
TEST_F(ProfileStart, FailedLaunchReportsUnloadsAndEndsTheEngineItStarted) {
    addProfile(kVolume, "   ");
    const auto stale = env.windows.addWindow(kEngineWindowClass, "", 77);
    vornelix::ProfileStart::Power_on();
    EXPECT_EQ(env.ui.takeOnlyBox(), "There was an error in your profile. Press OK to get help.");
    EXPECT_EQ(gv().EngineWindow, 0);
    EXPECT_FALSE(machine.loaded);
    EXPECT_EQ(env.windows.parentOf(stale), 0);
    EXPECT_EQ(env.processes.ended, std::vector<std::int64_t>{1000});
}

TEST_F(ProfileStart, NetworkPollIsArmedOnlyWithNetworkingAndBothAddresses) {
    const std::tuple<std::int16_t, QString, bool> cases[] = {
        {1, "255.255.255.0", true}, {1, "   ", false}, {0, "255.255.255.0", false}};
    addProfile(kVolume, "   ");
    env.engineMakesWindows();
    gv().HostIPAddress = "192.168.0.1";
    for (const auto& [networking, mask, armed] : cases) {
        main.timerEnabled = false;
        main.pollCount = -1;
        gv().NetworkingEnabled = networking;
        gv().HostSubnetMask = mask;
        vornelix::ProfileStart::Power_on();
        EXPECT_EQ(main.timerEnabled, armed) << networking << mask.toStdString();
        EXPECT_EQ(main.pollCount, armed ? 0 : -1);
    }
}

TEST_F(ProfileStart, DatabaseThatCannotBeOpenedEndsTheProgram) {
    EXPECT_THROW(vornelix::ProfileStart::Power_on(), platform::ProgramEnded);
    EXPECT_EQ(env.ui.lastText(), vornelix::ProfileStart::kDatabaseHeldMessage);
    EXPECT_EQ(env.ui.boxes.at(0).icon, platform::MsgIcon::Information);
}

// The ten icons, "1" for a showing one; the lit icon of each pair has the odd index.
std::string shown(const test::FakeMachineWindow& w) {
    std::string text;
    for (int i = 0; i < kProgressPictureCount; ++i) text += w.pictures[i] ? '1' : '0';
    return text;
}

TEST_F(ProfileStart, AnimationBlinksEachPhasesPairAndShowsItsCaptionWhileItWaits) {
    test::FakeMachineWindow w;
    w.pictures.fill(true);
    std::vector<std::pair<std::string, QString>> atWait;
    env.clock.onStep = [&](const char* what, int) {
        if (std::string(what) == "sleep")
            atWait.emplace_back(shown(w), w.progressText);
    };

    vornelix::ProfileStart::ShowProgressPicts(w);

    ASSERT_EQ(atWait.size(), 51u);
    const std::tuple<int, std::string, QString> ticks[] = {
        {0, "0110101010", "Getting System Parameters"},
        {1, "1010101010", "Getting System Parameters"},
        {11, "0110101010", " Getting Peripherals information"},
        {21, "0101101010", " Getting Network information"},
        {31, "0101011010", "Getting IDE parameters"},
        {41, "0101010110", " Getting Display information"},
    };
    for (const auto& [tick, icons, caption] : ticks) {
        EXPECT_EQ(atWait[tick].first, icons) << tick;
        EXPECT_EQ(atWait[tick].second, caption) << tick;
    }
    EXPECT_EQ(env.clock.sleeps, std::vector<int>(51, 300));
    EXPECT_EQ(w.progressText, "Trying to Initialize Mac");
    EXPECT_EQ(shown(w), "0101010101");
}

}  // namespace
}  // namespace vornelix
