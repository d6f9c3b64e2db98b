#include <gtest/gtest.h>

#include "machine/host_probes.h"
#include "machine/module_general_functions.h"
#include "support/test_environment.h"

namespace vornelix {
namespace {

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
        platform::FileSystem fs(platform::DriveTable::parse(drives), {env.programHost(), "", ""});
        platform::services().files = &fs;
        QString found = "stale";
        EXPECT_EQ(mgf::FindCDROMDrive(found), ready) << drives.toStdString();
        EXPECT_EQ(found, drive) << drives.toStdString();
    }
}

}  // namespace
}  // namespace vornelix
