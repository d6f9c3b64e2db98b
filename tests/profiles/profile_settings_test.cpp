#include "profiles/profile_settings.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace vornelix {
namespace {

constexpr std::int64_t kGiB = std::int64_t{1} << 30;

TEST(DestinationDrive, IsRefusedOrTaken) {
    const struct {
        const char* newDrive;
        std::int16_t sizeGB;
        const char* fileSystem;
        std::int64_t freeBytes;
        const char* refusal;  // empty: passes
    } cases[] = {
        {"c:", 3, "NTFS", 100 * kGiB,
         "You have selected the same destination so no change will take effect."},
        {"d:", 4, "FAT32", 100 * kGiB, ""},
        {"d:", 5, "FAT32", 100 * kGiB, "Partition greater than 4 GB is supported with NTFS only."},
        {"d:", 5, "ext4", 100 * kGiB, ""},
        {"d:", 5, "NTFS", static_cast<std::int64_t>(4.996 * kGiB), ""},  // rounds up to 5
        {"d:", 5, "NTFS", static_cast<std::int64_t>(4.99 * kGiB),
         "Available space 4.99 GB is less than required 5 GB."},
        {"d:", 3, "NTFS", kGiB / 8, "Available space 0.12 GB is less than required 3 GB."},
        {"d:", 3, "NTFS", kGiB / 8 * 3, "Available space 0.38 GB is less than required 3 GB."}};
    for (const auto& c : cases) {
        const platform::DriveInfo drive{'d', platform::DriveType::Fixed, c.fileSystem, true,
                                        c.freeBytes};
        EXPECT_EQ(destinationRefusal(c.newDrive, "c:", c.sizeGB, drive).value_or(""),
                  QString(c.refusal))
            << c.sizeGB << ' ' << c.fileSystem << ' ' << c.freeBytes;
    }
}

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

}  // namespace
}  // namespace vornelix
