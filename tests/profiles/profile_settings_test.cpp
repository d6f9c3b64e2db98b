#include "profiles/profile_settings.h"

#include <gtest/gtest.h>

#include <functional>

namespace vornelix {
namespace {

constexpr std::int64_t kGiB = std::int64_t{1} << 30;

struct DriveCase {
    const char* name;
    const char* newDrive;
    std::int16_t sizeGB;
    const char* fileSystem;
    std::int64_t freeBytes;
    const char* refusal;  // empty: passes
};

class DestinationDrive : public ::testing::TestWithParam<DriveCase> {};

TEST_P(DestinationDrive, IsRefusedOrTaken) {
    const DriveCase& c = GetParam();
    const platform::DriveInfo drive{'d', platform::DriveType::Fixed, c.fileSystem, true,
                                    c.freeBytes};
    const std::optional<QString> refusal = destinationRefusal(c.newDrive, "c:", c.sizeGB, drive);
    EXPECT_EQ(refusal.value_or(""), QString(c.refusal));
}

INSTANTIATE_TEST_SUITE_P(
    Table, DestinationDrive,
    ::testing::Values(
        DriveCase{"SameDrive", "c:", 3, "NTFS", 100 * kGiB,
                  "You have selected the same destination so no change will take effect."},
        DriveCase{"Fat32Takes4GB", "d:", 4, "FAT32", 100 * kGiB, ""},
        DriveCase{"Fat32Refuses5GB", "d:", 5, "FAT32", 100 * kGiB,
                  "Partition greater than 4 GB is supported with NTFS only."},
        DriveCase{"Ext4Takes5GB", "d:", 5, "ext4", 100 * kGiB, ""},
        DriveCase{"FreeRoundsUpTo5", "d:", 5, "NTFS", static_cast<std::int64_t>(4.996 * kGiB), ""},
        DriveCase{"FreeShowsTwoDecimals", "d:", 5, "NTFS", static_cast<std::int64_t>(4.99 * kGiB),
                  "Available space 4.99 GB is less than required 5 GB."},
        DriveCase{"HalfGoesToEvenBelow", "d:", 3, "NTFS", kGiB / 8,
                  "Available space 0.12 GB is less than required 3 GB."},
        DriveCase{"HalfGoesToEvenAbove", "d:", 3, "NTFS", kGiB / 8 * 3,
                  "Available space 0.38 GB is less than required 3 GB."}),
    [](const auto& info) { return std::string(info.param.name); });

using Step = std::function<void(PendingVolumeActions&)>;
struct PendingCase {
    const char* name;
    std::vector<Step> steps;
    PendingVolumeActions expected;
};

const Step passed = &PendingVolumeActions::drivePassed;
const Step refused = &PendingVolumeActions::driveRefused;
const Step kept = &PendingVolumeActions::driveKept;
const Step formatOk = &PendingVolumeActions::formatConfirmed;
const Step formatCancel = &PendingVolumeActions::formatCancelled;
const Step applied = &PendingVolumeActions::applied;

TEST(PendingVolumeActions, FollowTheThreeStates) {
    const PendingCase cases[] = {
        {"move pending", {passed}, {false, false, true}},
        {"format pending", {formatOk}, {true, true, true}},
        {"format drops the move", {passed, formatOk}, {true, true, true}},
        {"move drops the format", {formatOk, passed}, {false, false, true}},
        {"refusal keeps the format", {formatOk, refused}, {true, true, true}},
        {"refusal drops the move, Apply stays", {passed, refused}, {true, false, true}},
        {"keeping the drive leaves Apply", {passed, kept}, {true, false, true}},
        {"cancel drops the format, Apply stays", {formatOk, formatCancel}, {true, false, true}},
        {"Apply disables itself, flags stay", {passed, applied}, {false, false, false}},
    };
    for (const PendingCase& c : cases) {
        PendingVolumeActions state;
        for (const Step& step : c.steps) step(state);
        EXPECT_EQ(state.mKeepDrive, c.expected.mKeepDrive) << c.name;
        EXPECT_EQ(state.mFormatPending, c.expected.mFormatPending) << c.name;
        EXPECT_EQ(state.applyEnabled, c.expected.applyEnabled) << c.name;
    }
}

TEST(InstallationSource, ImageCdAndNothing) {
    struct Case {
        bool fromCd;
        const char* iso;
        const char* drive;
        InstallationSource expected;
    } cases[] = {
        {false, "  c:\\iso\\x.iso ", "", {"cdrom", "c:\\iso\\x.iso", true}},
        {false, "  ", "E:", {"cdrom", "   ", false}},
        {true, "c:\\x.iso", "E:", {"nativecdrom", "E:", true}},
        {true, "", "", {"nativecdrom", "   ", true}},
    };
    for (const Case& c : cases) {
        const InstallationSource s = installationSource(c.fromCd, c.iso, c.drive);
        EXPECT_EQ(s.cdRomType, c.expected.cdRomType) << c.iso;
        EXPECT_EQ(s.cdRomPath, c.expected.cdRomPath) << c.iso;
        EXPECT_EQ(s.given, c.expected.given) << c.iso;
    }
}

}  // namespace
}  // namespace vornelix
