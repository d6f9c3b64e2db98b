#include "profiles/frm_profile_settings.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <functional>
#include <numeric>

#include "machine/global_variables.h"
#include "machine/profile_store.h"
#include "platform/database.h"
#include "platform/runtime_error.h"
#include "profiles/install_source.h"
#include "profiles/profile_settings_store.h"
#include "support/test_environment.h"

namespace vornelix {
namespace {

using platform::MsgAnswer;
const QString kImage = "c:\\Vornelix_HD\\Tiger\\hdimage.img";
const QString kMovedImage = "d:\\Vornelix_HD\\Tiger\\hdimage.img";

// The dialog over a store holding Tiger (3 GB on c:, networking 0, nothing on the IDE slave,
// 256 MB) and a drive table of c:, d: and extra drives.
class ProfileSettings : public ::testing::Test {
  protected:
    ProfileSettings() {
        env.hostFacts.setMemoryMB(1024);
        gv().ProfileName = "Tiger";
        env.writeFile(kImage, "volume");
        useDrives("");
    }
    void useDrives(const QString& extra) {
        QDir(env.root()).mkpath("D");
        env.useDrives(platform::DriveTable::parse("c=" + env.root() + ";d=" + env.root() +
                                                  "/D|fixed|ext4" + extra));
    }
    void addTiger(QVariant path = "c:\\Vornelix_HD\\Tiger", QVariant networking = 0,
                  QVariant ide = 0, QVariant ram = 256) {
        env.insertProfile({"Leopard", "c:\\Vornelix_HD\\Leopard", 5, "   ", "cdrom", 1, 2, 512});
        env.insertProfile({"Tiger", path, 3, "   ", "cdrom", networking, ide, ram});
    }
    // Columns 2 to 8 of a row.
    QVariantList row(const QString& name = "Tiger") {
        const ProfileStoreSession store(kSelectProfileByName, {name});
        QVariantList values;
        for (int i = kColHardDiskPath; i <= kColRamSize; ++i) values << store.rows().Fields(i);
        return values;
    }
    frmProfileSettings& dialog() { return form<frmProfileSettings>(); }
    template <class T = QWidget>
    T* control(const char* name) {
        return test::child<frmProfileSettings, T>(name);
    }
    void chooseDrive(const char* drive) {
        control<QPushButton>("Command4")->click();
        control<QComboBox>("DrvHardDisk")->setCurrentText(drive);
    }
    QString dbPath() const { return env.programHost() + "/ASNMD.DAT"; }

    test::TestEnvironment env;
};

struct LoadCase {
    const char* name;
    QVariant path, networking, ide, ram;
    double memoryMB;
    std::int16_t networkingBefore;
    const char* pathLabel;
    const char* ramText;
    bool cd = false, share = false;
};

class ProfileSettingsLoad : public ProfileSettings,
                            public ::testing::WithParamInterface<LoadCase> {};

TEST_P(ProfileSettingsLoad, ShowsTheRow) {
    const LoadCase& c = GetParam();
    env.hostFacts.setMemoryMB(c.memoryMB);
    gv().NetworkingEnabled = c.networkingBefore;
    addTiger(c.path, c.networking, c.ide, c.ram);
    dialog();
    EXPECT_EQ(control<QLabel>("LblHDpath")->text(), c.pathLabel);
    EXPECT_EQ(control<QComboBox>("ComboRam")->currentText(), c.ramText);
    EXPECT_EQ(control<QCheckBox>("CheckCd")->isChecked(), c.cd);
    EXPECT_EQ(control<QCheckBox>("CheckShareDrv")->isChecked(), c.share);
    EXPECT_EQ(gv().NetworkingEnabled, c.networking.toInt());
}

const QVariant null;
const char* const kTiger = "c:\\Vornelix_HD\\Tiger";
INSTANTIATE_TEST_SUITE_P(
    Table, ProfileSettingsLoad,
    ::testing::Values(
        LoadCase{"NoVolume", null, 0, 0, 256, 1024, 0, "This profile has no Virtual Drive.", "256"},
        LoadCase{"JustUnder1024", kTiger, 0, 0, 0, 1023.99, 0, kTiger, "992"},
        LoadCase{"Ram1024Networking1", kTiger, 1, 0, 1024, 1024, 0, kTiger, "1024"},
        LoadCase{"Ram2048IdeNull", kTiger, 0, null, 2048, 1024, 0, kTiger, "1024"},
        LoadCase{"RamNull", kTiger, 0, 0, null, 1024, 0, kTiger, "1024"},
        LoadCase{"RamNotOnListNetworking0AfterAnother", kTiger, 0, 0, 300, 1024, 1, kTiger, "1024"},
        LoadCase{"CdRom", kTiger, 0, 1, 256, 1024, 0, kTiger, "256", true},
        LoadCase{"SharedDrivePicker", kTiger, 0, 2, 256, 1024, 0, kTiger, "256", false, true}),
    [](const auto& info) { return std::string(info.param.name); });

// The dialog over Tiger as addTiger() stores it.
class TigerSettings : public ProfileSettings {
  protected:
    TigerSettings() { addTiger(); }
};

TEST_F(TigerSettings, CheckBoxesExcludeEachOtherAndPickTheSharedDrive) {
    env.writeFile("c:\\disks\\share.dsk", "x");
    env.ui.chosenFiles = {"c:\\disks\\share", "c:\\disks\\gone.dsk"};
    control<QCheckBox>("CheckCd")->setChecked(true);
    control<QCheckBox>("CheckShareDrv")->setChecked(true);
    EXPECT_FALSE(control<QCheckBox>("CheckCd")->isChecked());
    EXPECT_EQ(gv().SharedDrivePath, "c:\\disks\\share.dsk");
    control<QCheckBox>("CheckCd")->setChecked(true);
    EXPECT_FALSE(control<QCheckBox>("CheckShareDrv")->isChecked());
    EXPECT_EQ(gv().SharedDrivePath, "");
    control<QCheckBox>("CheckShareDrv")->setChecked(true);
    EXPECT_EQ(env.ui.lastText(), "No Shared Drive found");
    EXPECT_EQ(gv().SharedDrivePath, "");
}

TEST_F(TigerSettings, InstallationSourceFallsBackToTheImage) {
    // Extra drives, the message, whether the CD-ROM option stays chosen.
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"", "No CD-ROM was detected", false},
        {";e=/nonexistent|cdrom", "Please insert a valid Mac instalation CD in E: Drive", false},
        {";e=/|cdrom", "", true}};
    for (const auto& [drives, message, started] : cases) {
        useDrives(drives);
        env.ui.boxes.clear();
        control<QRadioButton>("CDOption_0")->setChecked(true);
        EXPECT_EQ(env.ui.lastText().section("\r\n", 0, 0), message);
        EXPECT_EQ(control<QRadioButton>("CDOption_0")->isChecked(), started) << drives;
        EXPECT_EQ(control<QPushButton>("CommandInstalltion")->isEnabled(), started);
    }
    control<QRadioButton>("CDOption_1")->setChecked(true);
    EXPECT_TRUE(control<QPushButton>("CommandInstalltion")->isEnabled()) << "stays enabled";
    env.ui.chosenFiles = {QString(""), QString("c:\\iso\\x.iso")};
    control<QPushButton>("SlaveIDEPathCommand")->click();
    EXPECT_FALSE(control<QPushButton>("CommandInstalltion")->isEnabled());
    control<QPushButton>("SlaveIDEPathCommand")->click();
    EXPECT_TRUE(control<QPushButton>("CommandInstalltion")->isEnabled());
}

TEST_F(TigerSettings, OkWritesTheGeneralSettingsThenThePendingMove) {
    for (const char* button : {"Command1", "Command3"}) {  // Cancel, then OK
        control<QComboBox>("ComboRam")->setCurrentText("512");
        control<QCheckBox>("CheckNetwork")->setChecked(true);
        control<QCheckBox>("CheckCd")->setChecked(true);
        control<QPushButton>(button)->click();
        EXPECT_EQ(row()[4], button[7] == '3' ? 1 : 0) << button;
    }
    EXPECT_EQ(row(), QVariantList({kTiger, 3, "   ", "cdrom", 1, 1, 512}));
    EXPECT_EQ(gv().RamSizeMB, 512);

    chooseDrive("d:");
    control<QPushButton>("Command3")->click();
    EXPECT_EQ(row(), QVariantList({"d:\\Vornelix_HD\\Tiger", 3, "   ", "cdrom", 1, 1, 512}));
    EXPECT_EQ(env.readFile(kMovedImage), "volume");
}

TEST_F(TigerSettings, DriveListChecksAtOnceAndApplyMovesTheImage) {
    chooseDrive("c:");  // refused
    EXPECT_FALSE(control<QPushButton>("Command6")->isEnabled());
    control<QComboBox>("DrvHardDisk")->setCurrentText("d:");
    control<QPushButton>("Command6")->click();
    EXPECT_EQ(row()[0], "d:\\Vornelix_HD\\Tiger");
    EXPECT_EQ(row("Leopard")[0], "c:\\Vornelix_HD\\Leopard");
    EXPECT_EQ(control<QLabel>("LblHDpath")->text(), "d:\\Vornelix_HD\\Tiger");
}

// The tool's start code and exit status, and the box that follows ("": none). The tool is
// awaited; a failure leaves the image as it was, ends the tool's group and takes away what the
// tool made.
class QuickFormat : public TigerSettings,
                    public ::testing::WithParamInterface<std::tuple<int, int, const char*>> {};

TEST_P(QuickFormat, RunsTheHdToolBesideTheImageAndSaysWhenItFails) {
    const auto [startCode, exitStatus, message] = GetParam();
    env.writeFile("c:\\Vornelix\\VornelHD.exe", "tool");
    env.processes.code = startCode;
    env.processes.exitStatus = exitStatus < 0 ? std::nullopt : std::optional(exitStatus);
    const QString made = "c:\\Vornelix_HD\\Tiger\\.hdimage.img.tmp";
    env.processes.onStart = [&, status = exitStatus](const test::StartCall&, std::int64_t) {
        env.writeFile(kImage, status == 0 ? "formatted" : "volume");
        env.writeFile(made, "the tool's");
    };
    env.ui.answers = {MsgAnswer::Ok};
    control<QPushButton>("Command5")->click();
    control<QPushButton>("Command6")->click();
    const test::StartCall& run = env.processes.starts.at(0);
    EXPECT_EQ(run.program + " " + run.parameters + " in " + run.folder,
              "c:\\Vornelix_HD\\Tiger\\VornelHD.exe hdimage.img 3 1 in c:\\Vornelix_HD\\Tiger");
    EXPECT_FALSE(env.files().fileExists("c:\\Vornelix_HD\\Tiger\\VornelHD.exe"));
    EXPECT_EQ(env.ui.boxes.back().title + ": " + env.ui.lastText(),
              "Vornelix: " + (*message ? QString(message) : kFormatQuestion));
    EXPECT_EQ(env.readFile(kImage), *message ? "volume" : "formatted");
    EXPECT_EQ(row()[0], kTiger);
    EXPECT_EQ(env.files().fileExists(made), !*message) << "what the failed tool made goes";
    const bool failedRun = *message && startCode == platform::kStartOk;
    EXPECT_EQ(env.processes.endedGroups,
              failedRun ? std::vector<std::int64_t>{1000} : std::vector<std::int64_t>{});
    EXPECT_EQ(env.pendingRecords(), QStringList());
    if (exitStatus < 0) {
        EXPECT_EQ(env.processes.ended, std::vector<std::int64_t>{1000}) << "the hung tool ended";
        const int waited = std::accumulate(env.clock.sleeps.begin(), env.clock.sleeps.end(), 0);
        EXPECT_GE(waited, 2 * 2000 + 120000);
        EXPECT_LT(waited, 2 * 2000 + 121000);
        EXPECT_GE(env.clock.doEventsCount, 100) << "the windows take input while it waits";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, QuickFormat,
    ::testing::Values(std::tuple(platform::kStartOk, 0, ""),
                      std::tuple(platform::kStartOk, 3,
                                 "The HD tool failed: it ended with exit status 3."),
                      std::tuple(platform::kStartFileNotFound, 0,
                                 "The HD tool failed: VornelHD.exe was not found."),
                      std::tuple(platform::kStartOk, -1,
                                 "The HD tool failed: it did not end within 120 seconds.")));

// Presses on every button and the close box while the work of Apply runs (a move, or a quick
// format when true) are held: the window stays, the work is done once and whole, and the
// window takes input again afterwards.
class HeldPresses : public TigerSettings, public ::testing::WithParamInterface<bool> {};

TEST_P(HeldPresses, DuringTheWorkOfApply) {
    const bool format = GetParam();
    env.writeFile("c:\\Vornelix\\VornelHD.exe", "tool");
    env.processes.exitStatus = std::nullopt;  // the tool runs until the first presses
    env.processes.onStart = [&](const test::StartCall&, std::int64_t) {
        env.writeFile(kImage, "formatted");
    };
    env.ui.answers = {MsgAnswer::Ok};
    if (format)
        control<QPushButton>("Command5")->click();
    else
        chooseDrive("d:");
    const size_t boxes = env.ui.boxes.size();
    int presses = 0;
    env.clock.onStep = [&](const char* what, int) {
        if (std::string(what) != "doEvents")
            return;
        ++presses;
        for (const char* button :
             {"Command6", "Command1", "Command3", "Command4", "Command5", "CommandInstalltion"})
            control<QPushButton>(button)->click();
        QTest::keyClick(control<QComboBox>("DrvHardDisk"), Qt::Key_Up);
        Form& window = dialog();
        EXPECT_FALSE(window.subWindow() ? window.subWindow()->close() : window.close());
        env.processes.exitStatus = 0;
    };
    control<QPushButton>("Command6")->click();
    env.clock.onStep = nullptr;
    EXPECT_GT(presses, 0);
    ASSERT_TRUE(isLoaded<frmProfileSettings>());
    EXPECT_TRUE(dialog().isEnabled());
    EXPECT_FALSE(control<QPushButton>("Command6")->isEnabled()) << "applied once";
    EXPECT_EQ(env.ui.boxes.size(), boxes) << "nothing told";
    EXPECT_EQ(env.processes.starts.size(), format ? 1u : 0u);
    if (format) {
        EXPECT_EQ(env.readFile(kImage), "formatted");
        EXPECT_EQ(row()[0], kTiger);
    } else {
        EXPECT_EQ(env.readFile(kMovedImage), "volume");
        EXPECT_FALSE(env.files().fileExists(kImage));
        EXPECT_EQ(row()[0], "d:\\Vornelix_HD\\Tiger");
        EXPECT_EQ(control<QComboBox>("DrvHardDisk")->currentText(), "d:");
    }
}

INSTANTIATE_TEST_SUITE_P(Work, HeldPresses, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "QuickFormat" : "Move"; });

TEST_F(ProfileSettings, QuickFormatOfAProfileWithoutAVolumeSaysSo) {
    addTiger(null);
    control<QPushButton>("Command5")->click();
    EXPECT_EQ(env.ui.takeOnlyBox(), "This profile has no Virtual Drive.");
    EXPECT_FALSE(control<QPushButton>("Command6")->isEnabled());
}

TEST_F(TigerSettings, StartInstallationStoresTheSourceAndStarts) {
    env.ui.answers = {MsgAnswer::Cancel};
    dialog().CommandInstalltion_Click();
    EXPECT_EQ(gv().RamSizeMB, 1024);
    EXPECT_TRUE(isLoaded<frmProfileSettings>()) << "Cancel on the question changes nothing";

    env.ui.answers = {MsgAnswer::Ok};
    control<QLineEdit>("SlaveIDEText")->setText("  ");
    dialog().CommandInstalltion_Click();
    EXPECT_EQ(env.ui.lastText(), "The Profile will be updated with no installtion path.");
    EXPECT_FALSE(isLoaded<frmProfileSettings>());
    EXPECT_TRUE(env.processes.starts.empty());

    control<QLineEdit>("SlaveIDEText")->setText(" c:\\iso\\x.iso ");
    dialog().CommandInstalltion_Click();
    EXPECT_EQ(env.ui.lastText(), missingImageMessage("c:\\iso\\x.iso"));
    EXPECT_TRUE(isLoaded<frmProfileSettings>());
    EXPECT_EQ(row()[2], "   ");

    env.writeFile("c:\\iso\\x.iso", "iso");
    dialog().CommandInstalltion_Click();
    EXPECT_EQ(row()[2], "c:\\iso\\x.iso");
    EXPECT_EQ(env.processes.starts.size(), 1u) << "the engine was started";
    EXPECT_EQ(gv().AttachInstallMedium, kFalse);
}

// A write to a profile whose row has gone meanwhile says so and changes no other row.
TEST_F(TigerSettings, WritesToAProfileWithoutARowAreRefused) {
    executeOnStore("delete from Vornelix_profile where prof_name = ?", {"Tiger"});
    const QVariantList leopard = row("Leopard");
    const std::function<void()> writes[] = {
        [] { UpdateProfileVolume("Tiger", "d:\\Vornelix_HD\\Tiger", 9); },
        [] { UpdateProfileCdRom(); }};
    for (const auto& write : writes) {
        try {
            write();
            ADD_FAILURE() << "written";
        } catch (const platform::RuntimeError& error) {
            EXPECT_EQ(error.number(), platform::kErrNoCurrentRecord);
            EXPECT_EQ(error.description(), "The profile Tiger is not stored.");
        }
    }
    EXPECT_EQ(row("Leopard"), leopard);
}

// Every failure: a box titled "Vornelix", the row and the image as they were.
TEST_F(TigerSettings, FailuresLeaveTheRowAndTheImage) {
    env.writeFile(kMovedImage, "");
    chooseDrive("d:");
    control<QPushButton>("Command6")->click();
    EXPECT_EQ(env.ui.boxes.back().title, "Vornelix");
    EXPECT_TRUE(env.files().fileExists(kMovedImage));
    EXPECT_TRUE(control<QPushButton>("Command6")->isEnabled());
    EXPECT_EQ(control<QLabel>("LblHDpath")->text(), kTiger);
    env.files().deleteFile(kMovedImage);

    QFile::rename(dbPath(), dbPath() + ".away");
    control<QPushButton>("Command6")->click();
    control<QPushButton>("Command3")->click();
    EXPECT_FALSE(isLoaded<frmProfileSettings>());
    dialog();
    EXPECT_FALSE(isLoaded<frmProfileSettings>()) << "no store: no dialog";
    QFile::rename(dbPath() + ".away", dbPath());
    EXPECT_EQ(row(), QVariantList({kTiger, 3, "   ", "cdrom", 0, 0, 256}));
    EXPECT_EQ(env.readFile(kImage), "volume");
    EXPECT_FALSE(env.files().fileExists(kMovedImage));
}

}  // namespace
}  // namespace vornelix
