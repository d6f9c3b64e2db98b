#include <gtest/gtest.h>

#include <QDir>

#include "machine/engine_config.h"
#include "machine/global_variables.h"
#include "support/test_environment.h"

namespace vornelix {
namespace {

// A stored profile with a volume, an ISO image as installation source and networking on.
EngineProfileRow isoRow() {
    return {QString("c:\\Vornelix_HD\\Test"), QString(" c:\\images\\osx.iso "), QString("cdrom"), 1,
            QVariant()};
}

class EngineConfigFile : public ::testing::Test {
  protected:
    EngineConfigFile() {
        state.StartResolution = "\"1024x768x32\"";
        state.RamSizeMB = 256;
        state.SharedDrivePath = " ";
    }

    QByteArray written(const EngineProfileRow& row, const IdeSlaveChoice& slave,
                       const QString& driver = "c:\\Temp\\ifrs_gkl.tmp") {
        writeEngineConfigFile(engineConfigLines(row, slave, state, driver));
        return env.readFile("c:\\Vornelix\\Xeminga");
    }

    test::TestEnvironment env;
    GlobalVariablesModule state;
};

const QByteArray kHead =
    "pci_ide0_master_installed = 1\r\n"
    "pci_ide0_master_image = \"c:\\Vornelix_HD\\Test\\hdimage.img\"\r\n"
    "pci_ide0_master_type = \"hd\"\r\n"
    "pci_3c90x_installed = 0\r\n"
    "pci_3c90x_mac = \"DE:AD:CA:FE:12:34\" \r\n"
    "pci_usb_installed = 1\r\n"
    "nvram_file = \"nvram\" \r\n";

const QByteArray kMiddle =
    "redraw_interval_msec = 10\r\n"
    " vlx_start_resolution = \"1024x768x32\"\r\n"
    "prom_driver_graphic =\"c:\\Temp\\ifrs_gkl.tmp\"\r\n"
    "memory_size = 0x10000000\r\n"
    "pci_rtl8139_installed = 1\r\n"
    "pci_rtl8139_mac = \"DE:AD:CA:FE:12:35\" \r\n"
    "key_toggle_mouse_grab = \"F6\" \r\n";

TEST_F(EngineConfigFile, InstallationFromAnIsoImage) {
    EXPECT_EQ(written(isoRow(), {IdeSlave::InstallMedium, {}}),
              kHead +
                  "pci_ide0_slave_installed = 1\r\n"
                  "pci_ide0_slave_image = \"c:\\images\\osx.iso\"\r\n"
                  " pci_ide0_slave_type = \"cdrom\"\r\n"
                  "prom_bootmethod = \"auto\" \r\n" +
                  kMiddle + "cpu_pvr = 0x00088302\r\n");
}

TEST_F(EngineConfigFile, InstallationFromTheHostDriveKeepsTheRowsTypeAndBootsAuto) {
    EngineProfileRow row = isoRow();
    row.cdRomPath = QString("E:");
    row.cdRomType = QString("nativecdrom");
    EXPECT_EQ(written(row, {IdeSlave::InstallMedium, {}}),
              kHead +
                  "pci_ide0_slave_installed = 1\r\n"
                  "pci_ide0_slave_image = \"E:\"\r\n"
                  " pci_ide0_slave_type = \"nativecdrom\"\r\n"
                  "prom_bootmethod = \"auto\" \r\n" +
                  kMiddle + "cpu_pvr = 0x00088302\r\n");
}

TEST_F(EngineConfigFile, HostCdRomDriveBootsSelect) {
    EXPECT_EQ(written(isoRow(), {IdeSlave::HostCdRom, "E:"}),
              kHead +
                  "pci_ide0_slave_installed = 1\r\n"
                  "pci_ide0_slave_image = \"E:\"\r\n"
                  " pci_ide0_slave_type = \"nativecdrom\" \r\n"
                  "prom_bootmethod = \"select\" \r\n" +
                  kMiddle + "cpu_pvr = 0x000c0000\r\n");
}

TEST_F(EngineConfigFile, NoCdRomDriveGoesOnWithTheSlaveOff) {
    EXPECT_EQ(written(isoRow(), {IdeSlave::NoCdRomDrive, {}}),
              kHead +
                  "pci_ide0_slave_installed = 0\r\n"
                  "pci_ide0_slave_image = \"c:\\images\\osx.iso\"\r\n"
                  " pci_ide0_slave_type = \"cdrom\"\r\n"
                  "prom_bootmethod = \"auto\" \r\n" +
                  kMiddle + "cpu_pvr = 0x000c0000\r\n");
}

TEST_F(EngineConfigFile, SharedDriveIsWrittenUntrimmedAsADisk) {
    state.SharedDrivePath = "c:\\drives\\share.dsk ";
    EXPECT_EQ(written(isoRow(), {IdeSlave::SharedDrive, {}}),
              kHead +
                  "pci_ide0_slave_installed = 1\r\n"
                  "pci_ide0_slave_image = \"c:\\drives\\share.dsk \"\r\n"
                  " pci_ide0_slave_type = \"hd\"  \r\n"
                  "prom_bootmethod = \"auto\" \r\n" +
                  kMiddle + "cpu_pvr = 0x000c0000\r\n");
}

TEST_F(EngineConfigFile, NothingAttachedWithoutInstallationSourceHasAnEmptyImage) {
    EngineProfileRow row = isoRow();
    row.cdRomPath = QString("   ");
    EXPECT_EQ(written(row, {IdeSlave::Nothing, {}}), kHead +
                                                         "pci_ide0_slave_installed = 0\r\n"
                                                         "pci_ide0_slave_image = \"\"\r\n"
                                                         " pci_ide0_slave_type = \"cdrom\"\r\n"
                                                         "prom_bootmethod = \"auto\" \r\n" +
                                                         kMiddle + "cpu_pvr = 0x000c0000\r\n");
}

TEST_F(EngineConfigFile, WithoutGraphicsDriverTheFileHas18LinesAndRamFollowsResolution) {
    for (const QString& driver : {QString(), QString("  ")}) {
        const QByteArray bytes = written(isoRow(), {IdeSlave::Nothing, {}}, driver);
        EXPECT_EQ(bytes.count("\r\n"), 18);
        EXPECT_FALSE(bytes.contains("prom_driver_graphic"));
        EXPECT_TRUE(
            bytes.contains(" vlx_start_resolution = \"1024x768x32\"\r\n"
                           "memory_size = 0x10000000\r\n"));
    }
    EXPECT_EQ(written(isoRow(), {IdeSlave::Nothing, {}}).count("\r\n"), 19);
}

TEST_F(EngineConfigFile, NullAndZeroNetworkingColumns) {
    EngineProfileRow row = isoRow();
    row.networking = QVariant();
    EXPECT_TRUE(written(row, {}).contains("\r\npci_rtl8139_installed = \r\n"));
    row.networking = 0.0;
    EXPECT_TRUE(written(row, {}).contains("\r\npci_rtl8139_installed = 0\r\n"));
}

TEST_F(EngineConfigFile, AnExistingLongerFileIsEmptiedFirst) {
    env.writeFile("c:\\Vornelix\\Xeminga", QByteArray(4000, 'x'));
    const QByteArray bytes = written(isoRow(), {});
    EXPECT_FALSE(bytes.contains(QByteArray(11, 'x')));
    EXPECT_TRUE(bytes.endsWith("cpu_pvr = 0x000c0000\r\n"));
    EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF"));
}

TEST_F(EngineConfigFile, AFileThatCannotBeWrittenThrows) {
    QDir(env.host("c:\\Vornelix")).mkdir("Xeminga");  // a folder in the file's place
    EXPECT_THROW(writeEngineConfigFile({"x"}), platform::RuntimeError);
}

TEST(EngineConfigRam, HexadecimalByteCounts) {
    const std::pair<double, const char*> cases[] = {
        {128, "8000000"},   {160, "A000000"},    {256, "10000000"},
        {384, "18000000"},  {512, "20000000"},   {2047, "7FF00000"},
        {2048, "80000000"}, {4096, "100000000"}, {0, "0"},
    };
    for (const auto& [mb, hex] : cases) EXPECT_EQ(memorySizeHex(mb), hex) << mb;
}

TEST(EngineConfigRam, RowRamSizeOverridesUnlessNullOrZero) {
    EXPECT_EQ(startRamSizeMB(QVariant(), 256), 256);
    EXPECT_EQ(startRamSizeMB(0, 256), 256);
    EXPECT_EQ(startRamSizeMB(384.0, 256), 384);
    EXPECT_EQ(startRamSizeMB(QString("512"), 256), 512);
}

// Records which of the two outside facts a choice asked for.
struct SlaveProbe {
    QString drive;
    bool answer = true;
    int probes = 0;
    int questions = 0;

    std::optional<IdeSlaveChoice> choose(const StartOptions& options) {
        return chooseIdeSlave(
            options, [this] { return ++probes, drive; }, [this] { return ++questions, answer; });
    }
};

TEST(IdeSlaveChoice, InstallationMediumWinsWithoutAskingTheHost) {
    SlaveProbe probe{"E:"};
    const auto choice = probe.choose({kTrue, kTrue, "c:\\x.dsk"});
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->slave, IdeSlave::InstallMedium);
    EXPECT_EQ(probe.probes + probe.questions, 0);
}

TEST(IdeSlaveChoice, CdRomDriveBeatsTheSharedDrive) {
    SlaveProbe withDrive{"E:"};
    const auto choice = withDrive.choose({kFalse, kTrue, "c:\\x.dsk"});
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->slave, IdeSlave::HostCdRom);
    EXPECT_EQ(choice->cdRomDrive, "E:");
    EXPECT_EQ(withDrive.questions, 0);

    SlaveProbe withoutDrive{""};
    EXPECT_EQ(withoutDrive.choose({kFalse, kTrue, "c:\\x.dsk"})->slave, IdeSlave::NoCdRomDrive);
    EXPECT_EQ(withoutDrive.questions, 1);
}

TEST(IdeSlaveChoice, DecliningToGoOnWithoutCdRomAbandons) {
    SlaveProbe probe{"  ", false};
    EXPECT_FALSE(probe.choose({kFalse, kTrue, " "}));
    EXPECT_EQ(probe.questions, 1);
}

TEST(IdeSlaveChoice, SharedDriveOnlyWhenItHoldsMoreThanBlanks) {
    SlaveProbe probe;
    EXPECT_EQ(probe.choose({kFalse, kFalse, "c:\\x.dsk"})->slave, IdeSlave::SharedDrive);
    EXPECT_EQ(probe.choose({kFalse, kFalse, " "})->slave, IdeSlave::Nothing);
    EXPECT_EQ(probe.choose({kFalse, kFalse, ""})->slave, IdeSlave::Nothing);
    // A flag counts as set only when it holds True (-1).
    EXPECT_EQ(probe.choose({1, 1, ""})->slave, IdeSlave::Nothing);
    EXPECT_EQ(probe.probes, 0);
}

TEST(IdeSlaveChoice, ForStartAsksTheUserWithTheCdRomQuestion) {
    test::TestEnvironment env;  // its only drive is a fixed disk
    gv().CdRomEnabled = kTrue;
    env.ui.answers = {platform::MsgAnswer::No};
    EXPECT_FALSE(chooseIdeSlaveForStart());
    ASSERT_EQ(env.ui.boxes.size(), 1u);
    EXPECT_EQ(env.ui.boxes[0].text, "No CD-ROM was detected.Continue without CD-ROM ?");
    EXPECT_EQ(env.ui.boxes[0].title, "Vornelix");
    EXPECT_EQ(env.ui.boxes[0].buttons, platform::MsgButtons::YesNo);
}

}  // namespace
}  // namespace vornelix
