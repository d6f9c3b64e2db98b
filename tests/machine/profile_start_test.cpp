#include <gtest/gtest.h>

#include <QDir>
#include <QStringList>

#include "machine/busy_state.h"
#include "machine/engine_interface.h"
#include "machine/global_variables.h"
#include "machine/machine_window_port.h"
#include "machine/profile_start.h"
#include "platform/runtime_error.h"
#include "support/fake_machine_window.h"
#include "support/recording_main_window.h"
#include "support/test_environment.h"

namespace vornelix {
namespace {

using platform::MsgAnswer;

const QString kConfig = "c:\\Vornelix\\Xeminga";

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
    }

    // The started engine makes its console and display windows.
    void engineMakesWindows() {
        env.processes.onStart = [this](const test::StartCall&, std::int64_t pid) {
            env.windows.addWindow(kConsoleWindowClass, "c:\\Vornelix\\Vornelix.exe", pid);
            display = env.windows.addWindow(kEngineWindowClass, "", pid);
        };
    }

    QStringList configLines() const {
        QStringList lines = QString::fromLatin1(env.readFile(kConfig)).split("\r\n");
        lines.removeLast();
        return lines;
    }

    static bool storeClosed() { return !gv().DbConnection.exists() && !gv().DbRecordset.exists(); }

    test::TestEnvironment env;
    test::RecordingMainWindow& main = env.upper.recordingMain;
    test::FakeMachineWindow& machine = env.upper.fakeMachine;
    platform::WindowHandle display = 0;
};

TEST_F(ProfileStart, RefusesAProfileWithoutVolumeOrInstallationPath) {
    env.writeFile(kConfig, "earlier start");
    addProfile(QVariant(), "   ");
    vornelix::ProfileStart::Power_on();
    ASSERT_EQ(env.ui.boxes.size(), 1u);
    EXPECT_EQ(env.ui.boxes[0].text,
              "This Profile has no HFS partition, please complete this profile first.");
    EXPECT_EQ(env.ui.boxes[0].title, "Vornelix");
    EXPECT_EQ(env.readFile(kConfig), "earlier start");
    EXPECT_TRUE(env.processes.starts.empty());
    EXPECT_EQ(machine.loads, 0);
    EXPECT_TRUE(storeClosed());
}

TEST_F(ProfileStart, RefusesAProfileWithoutInstallationPathKeepingPendingInstallation) {
    addProfile("c:\\Vornelix_HD\\Tiger", QVariant());
    gv().AttachInstallMedium = kTrue;
    gv().CdRomEnabled = kTrue;
    vornelix::ProfileStart::Power_on();
    EXPECT_EQ(env.ui.lastText(),
              "This Profile has no installation path, please complete this profile first.");
    EXPECT_EQ(gv().AttachInstallMedium, kTrue);
    EXPECT_EQ(gv().CdRomEnabled, kTrue);
    EXPECT_FALSE(env.files().fileExists(kConfig));
    EXPECT_TRUE(storeClosed());
}

TEST_F(ProfileStart, NoAtTheCdRomQuestionLeavesSevenLinesAndShowsNothing) {
    addProfile("c:\\Vornelix_HD\\Tiger", "   ");
    gv().CdRomEnabled = kTrue;  // the test drives hold no CD-ROM drive
    env.ui.answers = {MsgAnswer::No};
    vornelix::ProfileStart::Power_on();
    ASSERT_EQ(env.ui.boxes.size(), 1u);
    EXPECT_EQ(env.ui.boxes[0].text, "No CD-ROM was detected.Continue without CD-ROM ?");
    EXPECT_EQ(configLines().size(), 7);
    EXPECT_EQ(machine.loads, 0);
    EXPECT_TRUE(env.processes.starts.empty());
    EXPECT_EQ(gv().CdRomEnabled, kTrue);
    EXPECT_TRUE(storeClosed());
}

TEST_F(ProfileStart, YesAtTheCdRomQuestionStartsWithoutTheSlave) {
    addProfile("c:\\Vornelix_HD\\Tiger", "   ");
    engineMakesWindows();
    gv().CdRomEnabled = kTrue;
    env.ui.answers = {MsgAnswer::Yes};
    vornelix::ProfileStart::Power_on();
    EXPECT_TRUE(configLines().contains("pci_ide0_slave_installed = 0"));
    EXPECT_EQ(gv().EngineRunning, kTrue);
    EXPECT_EQ(gv().CdRomEnabled, kFalse);
}

TEST_F(ProfileStart, SuccessfulStartEmbedsTheEngineAndClearsTheOneStartOptions) {
    addProfile("c:\\Vornelix_HD\\Tiger", "c:\\iso\\install.iso", 384);
    engineMakesWindows();
    gv().AttachInstallMedium = kTrue;
    gv().SharedDrivePath = "c:\\shared.dsk";
    vornelix::ProfileStart::Power_on();

    EXPECT_TRUE(env.ui.boxes.empty());
    ASSERT_EQ(env.processes.starts.size(), 1u);
    EXPECT_EQ(env.processes.starts[0].program, "c:\\Vornelix\\Vornelix.exe");
    EXPECT_EQ(env.processes.starts[0].parameters, "c:\\Vornelix\\Xeminga 0 0 0");
    EXPECT_EQ(env.processes.starts[0].show, platform::ShowCommand::Hide);

    const QStringList lines = configLines();
    EXPECT_EQ(lines[7], "pci_ide0_slave_installed = 1");
    EXPECT_EQ(lines[8], "pci_ide0_slave_image = \"c:\\iso\\install.iso\"");
    EXPECT_TRUE(lines.contains("memory_size = 0x18000000"));
    EXPECT_EQ(lines.last(), "cpu_pvr = 0x00088302");

    EXPECT_EQ(gv().RamSizeMB, 384);
    EXPECT_EQ(gv().AttachInstallMedium, kFalse);
    EXPECT_EQ(gv().CdRomEnabled, kFalse);
    EXPECT_EQ(gv().SharedDrivePath, " ");
    EXPECT_EQ(gv().EngineWindow, display);
    EXPECT_EQ(gv().EngineRunning, kTrue);
    EXPECT_TRUE(storeClosed());

    // The machine window: shown, captioned, the animation's pictures hidden again.
    EXPECT_TRUE(machine.shown);
    EXPECT_EQ(machine.caption, "Tiger");
    EXPECT_FALSE(machine.loginBarVisible);
    EXPECT_FALSE(machine.logoVisible);

    // The display window embedded, the console hidden, the host told.
    const test::FakeWindow* w = env.windows.window(display);
    EXPECT_EQ(w->parent, machine.handle);
    EXPECT_EQ(w->x, 0);
    EXPECT_EQ(w->y, -50);
    EXPECT_TRUE(w->visible);
    EXPECT_EQ(env.windows.focus, display);
    ASSERT_FALSE(env.windows.messages.empty());
    const test::SentMessage& last = env.windows.messages.back();
    EXPECT_EQ(last.message, kWmEngineHostWindow);
    EXPECT_EQ(last.wParam, machine.handle);
    const platform::WindowHandle console =
        env.windows.findWindow(kConsoleWindowClass, "c:\\Vornelix\\Vornelix.exe");
    EXPECT_FALSE(env.windows.isVisible(console));

    // Animation 51 x 300 ms, then 3000 ms before the search and 2000 ms after embedding.
    std::vector<int> waits(51, 300);
    waits.push_back(3000);
    waits.push_back(2000);
    EXPECT_EQ(env.clock.sleeps, waits);
    EXPECT_EQ(machine.unloads, 0);
    EXPECT_FALSE(main.timerEnabled);  // no networking
}

TEST_F(ProfileStart, FailedLaunchReportsUnloadsAndEndsTheEngineItStarted) {
    addProfile("c:\\Vornelix_HD\\Tiger", "   ");
    // An engine left over from an earlier start must not be taken for this one.
    const auto stale = env.windows.addWindow(kEngineWindowClass, "", 77);
    gv().CdRomEnabled = kFalse;
    vornelix::ProfileStart::Power_on();
    ASSERT_EQ(env.ui.boxes.size(), 1u);
    EXPECT_EQ(env.ui.boxes[0].text, "There was an error in your profile. Press OK to get help.");
    EXPECT_EQ(env.ui.boxes[0].title, "Vornelix");
    EXPECT_EQ(gv().EngineWindow, 0);
    EXPECT_EQ(gv().EngineRunning, kFalse);
    EXPECT_EQ(machine.unloads, 1);
    EXPECT_GE(main.menuUpdates, 1);
    EXPECT_EQ(env.windows.parentOf(stale), 0);
    ASSERT_EQ(env.processes.ended.size(), 1u);
    EXPECT_EQ(env.processes.ended[0], 1000);
    EXPECT_EQ(gv().SharedDrivePath, " ");
    EXPECT_TRUE(storeClosed());
}

TEST_F(ProfileStart, NetworkPollIsArmedOnlyWithNetworkingAndBothAddresses) {
    struct Case {
        std::int16_t networking;
        QString address, mask;
        bool armed;
    };
    const Case cases[] = {
        {1, "192.168.0.1", "255.255.255.0", true},
        {2, "192.168.0.1", "255.255.255.0", false},
        {1, "192.168.0.1", "   ", false},
        {0, "192.168.0.1", "255.255.255.0", false},
    };
    addProfile("c:\\Vornelix_HD\\Tiger", "   ");
    engineMakesWindows();
    for (const Case& c : cases) {
        main.timerEnabled = false;
        main.pollCount = -1;
        gv().EngineRunning = kFalse;
        gv().NetworkingEnabled = c.networking;
        gv().HostIPAddress = c.address;
        gv().HostSubnetMask = c.mask;
        vornelix::ProfileStart::Power_on();
        EXPECT_EQ(gv().EngineRunning, kTrue);
        EXPECT_EQ(main.timerEnabled, c.armed) << c.networking << c.mask.toStdString();
        EXPECT_EQ(main.pollCount, c.armed ? 0 : -1);
    }
}

TEST_F(ProfileStart, MissingProfileRowEndsTheStartWithTheError) {
    env.insertProfile({"Other", "c:\\x", 3, "   ", "cdrom", 0, QVariant(), QVariant()});
    vornelix::ProfileStart::Power_on();
    ASSERT_EQ(env.ui.boxes.size(), 1u);
    EXPECT_EQ(env.ui.boxes[0].title, "Vornelix");
    EXPECT_EQ(machine.loads, 0);
    EXPECT_TRUE(storeClosed());
}

TEST_F(ProfileStart, DatabaseThatCannotBeOpenedEndsTheProgram) {
    // No database file in the program folder.
    EXPECT_THROW(vornelix::ProfileStart::Power_on(), platform::ProgramEnded);
    ASSERT_EQ(env.ui.boxes.size(), 1u);
    EXPECT_EQ(env.ui.boxes[0].text,
              "Vornelix files exclusively opened by another User\r\n"
              "Please close the Database and then start Vornelix Again");
    EXPECT_EQ(env.ui.boxes[0].icon, platform::MsgIcon::Information);
}

TEST_F(ProfileStart, TheWholeStartIsBusy) {
    addProfile("c:\\Vornelix_HD\\Tiger", "   ");
    engineMakesWindows();
    bool seen = false;
    env.clock.onStep = [&](const char*, int) { seen = seen || isBusyWith(BusyWork::ProfileStart); };
    vornelix::ProfileStart::Power_on();
    EXPECT_TRUE(seen);
    EXPECT_FALSE(isBusy());
}

// A value that would break the configuration file's lines or quotes refuses the start before
// anything is written or started.
struct UnsafeRow {
    const char* name;
    QString hardDisk, cdRom, sharedDrive, shownPart;
};

class UnsafeValues : public ProfileStart, public ::testing::WithParamInterface<UnsafeRow> {};

TEST_P(UnsafeValues, RefuseTheStart) {
    const UnsafeRow& row = GetParam();
    env.writeFile(kConfig, "earlier start");
    addProfile(row.hardDisk, row.cdRom);
    gv().SharedDrivePath = row.sharedDrive;
    vornelix::ProfileStart::Power_on();
    ASSERT_EQ(env.ui.boxes.size(), 1u);
    EXPECT_EQ(env.ui.boxes[0].title, "Vornelix");
    EXPECT_TRUE(env.ui.boxes[0].text.contains(row.shownPart)) << env.ui.boxes[0].text.toStdString();
    EXPECT_EQ(env.readFile(kConfig), "earlier start");
    EXPECT_TRUE(env.processes.starts.empty());
    EXPECT_EQ(machine.loads, 0);
}

INSTANTIATE_TEST_SUITE_P(
    ProfileStart, UnsafeValues,
    ::testing::Values(UnsafeRow{"LineFeed", "c:\\HD\nram_size = 1", "   ", " ",
                                "c:\\HD\\nram_size = 1"},
                      UnsafeRow{"CarriageReturn", "c:\\HD\r", "   ", " ", "hard disk path"},
                      UnsafeRow{"Quote", "c:\\HD", "d:\\x\".iso", " ", "installation path"},
                      UnsafeRow{"Escape", "c:\\HD", "   ", "c:\\s\x1b.dsk", "c:\\s\\x1b.dsk"}),
    [](const auto& info) { return info.param.name; });

TEST_F(ProfileStart, AnUnwritableConfigurationFileIsReported) {
    addProfile("c:\\Vornelix_HD\\Tiger", "   ");
    // A folder in the file's place cannot be written, not even by root.
    QDir().mkpath(env.host(kConfig));
    vornelix::ProfileStart::Power_on();
    ASSERT_EQ(env.ui.boxes.size(), 1u);
    EXPECT_EQ(env.ui.boxes[0].text, "Path/File access error");
    EXPECT_EQ(env.ui.boxes[0].title, "Vornelix");
    EXPECT_TRUE(env.processes.starts.empty());
    EXPECT_EQ(gv().EngineRunning, kFalse);
}

// The engine ends by itself (killed, crashed): within a second the program is as after Stop.
TEST_F(ProfileStart, AnEngineThatEndsByItselfIsNoticed) {
    addProfile("c:\\Vornelix_HD\\Tiger", "   ");
    engineMakesWindows();
    vornelix::ProfileStart::Power_on();
    ASSERT_EQ(gv().EngineRunning, kTrue);
    env.writeFile(kConfig, "x");
    env.clock.advance(1000);
    EXPECT_EQ(gv().EngineRunning, kTrue) << "still running";
    env.processes.running.clear();
    env.clock.advance(1000);
    EXPECT_EQ(gv().EngineRunning, kFalse);
    EXPECT_FALSE(machine.loaded);
    EXPECT_EQ(main.text, "Vornelix [ Tiger - Press Ctrl+R to Start Mac ]");
    EXPECT_EQ(main.lastState, enableStateFor(MenuStateKind::ProfileIdle));
    EXPECT_TRUE(env.ui.boxes.empty());
}

}  // namespace
}  // namespace vornelix
