#include "profiles/profile_settings.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

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

// Steps: p the drive passed, r refused, k kept, f format confirmed, c format cancelled,
// a applied. Flags afterwards: keep the drive, format pending, Apply enabled.
TEST(PendingVolumeActions, FollowTheThreeStates) {
    using P = PendingVolumeActions;
    const std::map<char, void (P::*)()> step = {
        {'p', &P::drivePassed},     {'r', &P::driveRefused},    {'k', &P::driveKept},
        {'f', &P::formatConfirmed}, {'c', &P::formatCancelled}, {'a', &P::applied}};
    const std::pair<std::string, std::string> cases[] = {
        {"p", "001"},  {"f", "111"},  {"pf", "111"}, {"fp", "001"}, {"fr", "111"},
        {"pr", "101"}, {"pk", "101"}, {"fc", "101"}, {"pa", "000"}};
    for (const auto& [steps, flags] : cases) {
        P state;
        for (char c : steps) (state.*step.at(c))();
        const std::string seen = {char('0' + state.mKeepDrive), char('0' + state.mFormatPending),
                                  char('0' + state.applyEnabled)};
        EXPECT_EQ(seen, flags) << steps;
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
