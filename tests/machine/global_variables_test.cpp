#include <gtest/gtest.h>

#include "machine/global_variables.h"
#include "support/test_environment.h"

namespace vornelix {
namespace {

TEST(GlobalVariables, EveryVariableStartsAtItsZero) {
    test::TestEnvironment env;
    const GlobalVariablesModule& g = gv();
    for (const QString* text :
         {&g.ProfileName, &g.HardDiskPath, &g.CdRomType, &g.CdRomPath, &g.VolumeDrive,
          &g.StartResolution, &g.HostIPAddress, &g.HostSubnetMask, &g.SharedDrivePath}) {
        EXPECT_TRUE(text->isEmpty());
    }
    for (const Flag* flag :
         {&g.GrowableVolume, &g.AttachInstallMedium, &g.EngineRunning, &g.CdRomEnabled,
          &g.ProfileOpen, &g.ShareDriveOpen, &g.StartInstallation, &g.UseG4Emulation}) {
        EXPECT_EQ(*flag, kFalse);
    }
    EXPECT_EQ(g.HardDiskSizeGB, 0);
    EXPECT_EQ(g.RamSizeMB, 0.0);
    EXPECT_EQ(g.NetworkingEnabled, 0);
    EXPECT_EQ(g.EngineWindow, 0);
    EXPECT_EQ(g.ShareDriveWindow, 0);
    EXPECT_EQ(g.HelpPageSelector, 0);
    EXPECT_FALSE(g.DbConnection.exists());
    EXPECT_FALSE(g.DbRecordset.exists());
}

TEST(GlobalVariables, StoreObjectsAreCreatedOnUseAndFreshAfterRelease) {
    test::TestEnvironment env;
    gv().DbConnection->ConnectionString = "Data Source=c:\\x";
    EXPECT_TRUE(gv().DbConnection.exists());
    EXPECT_FALSE(gv().DbRecordset.exists());

    gv().DbConnection.release();
    EXPECT_FALSE(gv().DbConnection.exists());
    EXPECT_TRUE(gv().DbConnection->ConnectionString.isEmpty());
    EXPECT_EQ(gv().DbRecordset->State(), platform::kStateClosed);
    EXPECT_TRUE(gv().DbRecordset.exists());
}

}  // namespace
}  // namespace vornelix
