#include <gtest/gtest.h>

#include <QDir>

#include "machine/global_variables.h"
#include "machine/host_probes.h"
#include "machine/module_general_functions.h"
#include "support/test_environment.h"

namespace vornelix {
namespace {

namespace mgf = ModuleGeneralFunctions;

TEST(HostProbes, PhysicalMemoryOrABoxAndZero) {
    test::TestEnvironment env;
    env.hostFacts.memoryBytes = 2.0 * 1024 * 1024 * 1024 + 512.0 * 1024 * 1024;
    EXPECT_EQ(mgf::GetTotalPhysicalMemory(), 2684354560.0);
    EXPECT_TRUE(env.ui.boxes.empty());

    env.hostFacts.memoryFailure = platform::RuntimeError(5, "Memory report unreadable");
    EXPECT_EQ(mgf::GetTotalPhysicalMemory(), 0);
    ASSERT_EQ(env.ui.boxes.size(), 1u);
    EXPECT_EQ(env.ui.boxes[0].text, "Memory report unreadable");
    EXPECT_EQ(env.ui.boxes[0].shownTitle(), "MainVornelix");
    EXPECT_EQ(env.ui.boxes[0].buttons, platform::MsgButtons::Ok);
}

TEST(HostProbes, StartResolutionInPixelsRoundedHalfToEven) {
    test::TestEnvironment env;
    env.hostFacts.screenMetrics = {1280 * 15, 1024 * 15, 15, 15};
    mgf::SetStartResolution();
    EXPECT_EQ(gv().StartResolution, "\"1280x1024x32\"");
    EXPECT_EQ(gv().StartResolution.size(), 14);

    EXPECT_EQ(startResolutionText({1000.5 * 15, 1001.5 * 15, 15, 15}), "\"1000x1002x32\"");
    EXPECT_EQ(startResolutionText({800 * 12, 600 * 12, 12, 12}), "\"800x600x32\"");
}

// The three parts in the current folder, with bytes that a text copy would spoil.
class GraphicDriverJoin : public ::testing::Test {
  protected:
    void writeParts(const QString& folder) {
        env.writeFile(folder + "\\Vornel IDE.DAT", ide);
        env.writeFile(folder + "\\OSMAC.AXM", osmac);
        env.writeFile(folder + "\\CASE.EXM", exm);
    }
    QByteArray output() const { return env.readFile("c:\\Temp\\ifrs_gkl.tmp"); }

    test::TestEnvironment env;
    const QByteArray ide = QByteArray("IDE\0\r\n\x1a\xff", 8) + QByteArray(70000, '\x7f');
    const QByteArray osmac = QByteArray("\n\nOSMAC\0", 8);
    const QByteArray exm = QByteArray("\0\0CASE\r", 7);
};

TEST_F(GraphicDriverJoin, JoinsThePartsInOrderIntoTheTemporaryFolder) {
    writeParts("c:\\Current");
    env.writeFile("c:\\Temp\\ifrs_gkl.tmp", QByteArray(100000, 'o'));  // emptied first
    EXPECT_EQ(mgf::BuildGraphicDriverFile(), "c:\\Temp\\ifrs_gkl.tmp");
    EXPECT_EQ(output(), ide + osmac + exm);
    EXPECT_EQ(graphicDriverFilePath(), "c:\\Temp\\ifrs_gkl.tmp");
}

TEST_F(GraphicDriverJoin, AnEmptyPartFailsAndKeepsWhatWasWritten) {
    writeParts("c:\\Current");
    env.writeFile("c:\\Current\\OSMAC.AXM", {});
    EXPECT_EQ(mgf::BuildGraphicDriverFile(), "");
    EXPECT_EQ(output(), ide);
}

TEST_F(GraphicDriverJoin, AMissingPartFails) {
    writeParts("c:\\Current");
    QFile::remove(env.host("c:\\Current\\CASE.EXM"));
    EXPECT_EQ(mgf::BuildGraphicDriverFile(), "");
    EXPECT_EQ(output(), ide + osmac);
    EXPECT_TRUE(env.ui.boxes.empty());
}

TEST_F(GraphicDriverJoin, PartsBesideTheProgramButNotInTheCurrentFolderFail) {
    writeParts("c:\\Vornelix");
    EXPECT_EQ(mgf::BuildGraphicDriverFile(), "");
}

TEST_F(GraphicDriverJoin, TemporaryFolderAtADriveRootOrOfAnyLength) {
    writeParts("c:\\Current");
    const QString longName = QString(60, 'n');
    const QString deep = env.root() + "/Temp/" + longName + "/" + longName;
    QDir().mkpath(deep);
    platform::FileSystem atRoot(
        platform::DriveTable({{'c', env.root(), platform::DriveType::Fixed, "NTFS", true},
                              {'t', env.root() + "/Temp", platform::DriveType::Fixed, "", true}}),
        {env.programHost(), env.root() + "/Temp", env.root() + "/Current"});
    platform::services().files = &atRoot;
    EXPECT_EQ(mgf::BuildGraphicDriverFile(), "t:\\ifrs_gkl.tmp");

    platform::FileSystem deepTemp(atRoot.driveTable(),
                                  {env.programHost(), deep, env.root() + "/Current"});
    platform::services().files = &deepTemp;
    const QString path = mgf::BuildGraphicDriverFile();
    EXPECT_EQ(path, "t:\\" + longName + "\\" + longName + "\\ifrs_gkl.tmp");
    EXPECT_GT(path.size(), 100);
    EXPECT_EQ(QFileInfo(deep + "/ifrs_gkl.tmp").size(), ide.size() + osmac.size() + exm.size());
}

TEST(GraphicDriverCompanion, PartsBesideTheProgramJoinWhenItIsTheCurrentFolder) {
    test::TestEnvironment env;
    const QString program = QStringLiteral(VORNELIX_PROGRAM_DIR);
    platform::FileSystem fs(
        platform::DriveTable({{'c', env.root(), platform::DriveType::Fixed, "NTFS", true},
                              {'p', program, platform::DriveType::Fixed, "", true}}),
        {program, env.root() + "/Temp", program});
    platform::services().files = &fs;
    qint64 total = 0;
    for (const QString& part : kGraphicDriverParts) {
        ASSERT_TRUE(QFileInfo::exists(program + "/" + part)) << part.toStdString();
        total += QFileInfo(program + "/" + part).size();
    }
    EXPECT_EQ(mgf::BuildGraphicDriverFile(), "c:\\Temp\\ifrs_gkl.tmp");
    EXPECT_EQ(env.readFile("c:\\Temp\\ifrs_gkl.tmp").size(), total);
}

// A drive table of folders made for the test; "notready" marks a CD-ROM without a disc.
class CdRomProbe : public ::testing::Test {
  protected:
    QString find(const QString& table, bool* result) {
        platform::FileSystem fs(platform::DriveTable::parse(table), {env.programHost(), "", ""});
        platform::services().files = &fs;
        QString drive = "stale";
        *result = mgf::FindCDROMDrive(drive);
        return drive;
    }
    test::TestEnvironment env;
    const QString r = env.root();
};

TEST_F(CdRomProbe, FirstCdRomDriveAndWhetherItIsReady) {
    bool result = true;
    EXPECT_EQ(find("c=" + r + ";d=" + r + "|removable", &result), "");
    EXPECT_FALSE(result);

    EXPECT_EQ(find("c=" + r + ";e=" + r + "/Temp|cdrom", &result), "E:");
    EXPECT_TRUE(result);

    EXPECT_EQ(find("c=" + r + ";e=" + r + "/Temp|cdrom||notready", &result), "E:");
    EXPECT_FALSE(result);

    // Only the first CD-ROM drive counts, even when a later one holds a disc.
    EXPECT_EQ(
        find("c=" + r + ";d=" + r + "/Temp|cdrom||notready;e=" + r + "/Current|cdrom", &result),
        "D:");
    EXPECT_FALSE(result);
}

}  // namespace
}  // namespace vornelix
