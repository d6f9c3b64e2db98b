#include <gtest/gtest.h>

#include "machine/engine_config.h"
#include "machine/host_probes.h"
#include "machine/module_general_functions.h"
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
    QByteArray written(const EngineProfileRow& row, const IdeSlaveChoice& slave) {
        writeEngineConfigFile(engineConfigLines(row, slave, values));
        return env.readFile("c:\\Vornelix\\Xeminga");
    }

    test::TestEnvironment env;
    StartValues values{" ", "\"1024x768x32\"", 256, "c:\\Temp\\ifrs_gkl.tmp"};
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

// The whole file for every IDE slave, odd blanks included: only lines 8 to 11 and the last
// one differ. The shared drive's path is written untrimmed.
TEST_F(EngineConfigFile, EveryIdeSlaveWritesItsWholeFile) {
    using I = IdeSlave;
    const QByteArray iso = " c:\\images\\osx.iso ", osx = "c:\\images\\osx.iso",
                     share = "c:\\drives\\share.dsk ", cd = "\"cdrom\"\r\n", c0 = "0x000c0000";
    values.sharedDrivePath = share;
    // The choice, the row's CD-ROM path, then lines 8 to 11 and the processor as written.
    const std::tuple<IdeSlaveChoice, QByteArray, QByteArray, QByteArray, QByteArray, QByteArray,
                     QByteArray>
        cases[] = {
            {{I::InstallMedium, {}}, iso, "1", osx, cd, "auto", "0x00088302"},
            {{I::HostCdRom, "E:"}, iso, "1", "E:", "\"nativecdrom\" \r\n", "select", c0},
            {{I::NoCdRomDrive, {}}, iso, "0", osx, cd, "auto", c0},
            {{I::SharedDrive, {}}, iso, "1", share, "\"hd\"  \r\n", "auto", c0},
            {{I::Nothing, {}}, "   ", "0", "", cd, "auto", c0},
        };
    for (const auto& [slave, cdRomPath, installed, image, type, boot, cpu] : cases) {
        SCOPED_TRACE(image.toStdString());
        EngineProfileRow row = isoRow();
        row.cdRomPath = QString(cdRomPath);
        EXPECT_EQ(written(row, slave), kHead + "pci_ide0_slave_installed = " + installed +
                                           "\r\npci_ide0_slave_image = \"" + image +
                                           "\"\r\n pci_ide0_slave_type = " + type +
                                           "prom_bootmethod = \"" + boot + "\" \r\n" + kMiddle +
                                           "cpu_pvr = " + cpu + "\r\n");
    }
}

// Without a graphics driver file its line is left out; a longer earlier file is emptied first.
TEST_F(EngineConfigFile, NoGraphicsDriverLineAndNoLeftoversOfALongerFile) {
    env.writeFile("c:\\Vornelix\\Xeminga", QByteArray(4000, 'x'));
    values.graphicDriverPath = "  ";
    const QByteArray bytes = written(isoRow(), {});
    EXPECT_TRUE(bytes.contains("\"1024x768x32\"\r\nmemory_size = 0x10000000\r\n"));
    EXPECT_FALSE(bytes.contains("xx"));
}

TEST(EngineConfigRam, HexadecimalByteCountsAndTheRowsOverride) {
    const std::pair<double, const char*> cases[] = {
        {160, "A000000"}, {2048, "80000000"}, {4096, "100000000"}, {0, "0"}};
    for (const auto& [mb, hex] : cases) EXPECT_EQ(memorySizeHex(mb), hex) << mb;
    EXPECT_EQ(startRamSizeMB(QVariant(), 256), 256);
    EXPECT_EQ(startRamSizeMB(0, 256), 256);
    EXPECT_EQ(startRamSizeMB(QString("512"), 256), 512);
}

// The probe is asked only when the CD-ROM drive is wanted, the question only when it found none.
TEST(IdeSlaveChoice, OrderOfTheChoicesAndWhatTheyAsk) {
    // The options, the drive the probe finds, the answer, the choice, the probes and questions.
    const std::tuple<StartOptions, QString, bool, std::optional<IdeSlave>, int, int> cases[] = {
        {{kTrue, kTrue, "c:\\x.dsk"}, "E:", true, IdeSlave::InstallMedium, 0, 0},
        {{kFalse, kTrue, "c:\\x.dsk"}, "E:", true, IdeSlave::HostCdRom, 1, 0},
        {{kFalse, kTrue, "c:\\x.dsk"}, "", true, IdeSlave::NoCdRomDrive, 1, 1},
        {{kFalse, kTrue, " "}, "  ", false, std::nullopt, 1, 1},
        {{kFalse, kFalse, "c:\\x.dsk"}, "E:", true, IdeSlave::SharedDrive, 0, 0},
        {{kFalse, kFalse, " "}, "E:", true, IdeSlave::Nothing, 0, 0},
        {{1, 1, ""}, "E:", true, IdeSlave::Nothing, 0, 0},  // set only when True (-1)
    };
    for (const auto& [options, drive, goOn, slave, probes, questions] : cases) {
        SCOPED_TRACE(options.sharedDrivePath.toStdString() + " " + drive.toStdString());
        int probed = 0, asked = 0;
        const auto choice = chooseIdeSlave(
            options, [&, d = drive] { return ++probed, d; }, [&, g = goOn] { return ++asked, g; });
        EXPECT_EQ(choice ? std::optional(choice->slave) : std::nullopt, slave);
        if (choice && choice->slave == IdeSlave::HostCdRom) {
            EXPECT_EQ(choice->cdRomDrive, drive);
        }
        EXPECT_EQ(std::pair(probed, asked), std::pair(probes, questions));
    }
}

namespace mgf = ModuleGeneralFunctions;

TEST(HostProbes, StartResolutionInPixelsRoundedHalfToEven) {
    EXPECT_EQ(startResolutionText({1000.5 * 15, 1001.5 * 15, 15, 15}), "\"1000x1002x32\"");
    EXPECT_EQ(startResolutionText({800 * 12, 600 * 12, 12, 12}), "\"800x600x32\"");
}

// The three parts in the current folder, with bytes that a text copy would spoil; a part that
// is missing or empty ends the join, which keeps what it wrote before.
TEST(GraphicDriverJoin, JoinsThePartsInOrderOrFailsAtTheFirstBadOne) {
    const QByteArray ide = QByteArray("IDE\0\r\n\x1a\xff", 8) + QByteArray(70000, '\x7f');
    const QByteArray osmac("\n\nOSMAC\0", 8), exm("\0\0CASE\r", 7);
    // Folder, OSMAC.AXM's and CASE.EXM's contents (null: missing), what the join leaves.
    const std::tuple<const char*, QByteArray, QByteArray, QByteArray> cases[] = {
        {"c:\\Current", osmac, exm, ide + osmac + exm},
        {"c:\\Current", "", exm, ide},
        {"c:\\Current", osmac, {}, ide + osmac},
        {"c:\\Vornelix", osmac, exm, {}},  // beside the program only: not found
    };
    for (const auto& [folder, osmacPart, casePart, output] : cases) {
        SCOPED_TRACE(output.size());
        test::TestEnvironment env;
        env.writeFile("c:\\Temp\\ifrs_gkl.tmp", QByteArray(100000, 'o'));  // emptied first
        env.writeFile(QString(folder) + "\\Vornel IDE.DAT", ide);
        env.writeFile(QString(folder) + "\\OSMAC.AXM", osmacPart);
        if (!casePart.isNull())
            env.writeFile(QString(folder) + "\\CASE.EXM", casePart);
        const bool whole = output == ide + osmac + exm;
        EXPECT_EQ(mgf::BuildGraphicDriverFile(), whole ? "c:\\Temp\\ifrs_gkl.tmp" : "");
        EXPECT_EQ(env.readFile("c:\\Temp\\ifrs_gkl.tmp"), output);
    }
}

// Only the first CD-ROM drive counts, even when a later one holds a disc.
TEST(CdRomProbe, FirstCdRomDriveAndWhetherItIsReady) {
    test::TestEnvironment env;
    const QString c = "c=" + env.root() + ";", d = env.root() + "/Temp";
    const std::tuple<QString, QString, bool> cases[] = {
        {c + "d=" + d + "|removable", "", false},
        {c + "e=" + d + "|cdrom", "E:", true},
        {c + "d=" + d + "|cdrom||notready;e=" + d + "|cdrom", "D:", false},
    };
    for (const auto& [drives, drive, ready] : cases) {
        env.useDrives(platform::DriveTable::parse(drives));
        QString found = "stale";
        EXPECT_EQ(mgf::FindCDROMDrive(found), ready) << drives.toStdString();
        EXPECT_EQ(found, drive) << drives.toStdString();
    }
}

}  // namespace
}  // namespace vornelix
