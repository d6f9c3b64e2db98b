#include <gtest/gtest.h>

#include "profiles/profile_name_rules.h"
#include "profiles/profile_settings.h"
#include "profiles/volume_choice.h"

namespace vornelix {
namespace {

TEST(ProfileNameRules, RefuseWhatCannotNameOneFolderUnderTheVolumeFolder) {
    const std::pair<QString, QString> cases[] = {
        {"Tiger", ""},
        {"{Profile Name}", ""},
        {"O'Brien's Mac", ""},
        {"a.b", ""},
        {QString(64, u'a'), ""},
        {"", "Please enter a profile name."},
        {QString(65, u'a'), "A profile name can be at most 64 characters long."},
        {".", "A profile name cannot be \".\" or \"..\"."},
        {"..", "A profile name cannot be \".\" or \"..\"."},
        {"Tiger.", "A profile name cannot end with a dot or a blank."},
    };
    for (const auto& [name, refusal] : cases)
        EXPECT_EQ(profileNameRefusal(name), refusal) << name.toStdString();
    for (const char* name :
         {"..\\evil", "a/b", "c:", "a*b", "a?", "\"q\"", "<a", "a>", "a|b", "tab\there"})
        EXPECT_TRUE(profileNameRefusal(name).startsWith("A profile name cannot hold any of"))
            << name;
}

TEST(VolumeChoice, TheVolumeMustFitInTheFreeBytesWhichTheMessageRoundsDown) {
    // Free GB, file system, growable, size in GB, refusal.
    const std::tuple<double, const char*, bool, int, const char*> cases[] = {
        {4.6, "NTFS", false, 5, "Available space 4 GB is less than required 5 GB."},
        {3.61, "NTFS", false, 4, "Available space 3 GB is less than required 4 GB."},
        {5.0, "NTFS", false, 5, ""},
        {4.5, "NTFS", false, 5, "Available space 4 GB is less than required 5 GB."},
        {5.5, "NTFS", false, 6, "Available space 5 GB is less than required 6 GB."},
        {5.9999999, "NTFS", false, 6, "Available space 5 GB is less than required 6 GB."},
        {0.0, "NTFS", false, 3, "Available space 0 GB is less than required 3 GB."},
        {5.0, "FAT32", true, 5, "Growable Partition is supported with NTFS only."},
        {5.0, "ext4", true, 5, ""},
        {40000.0, "NTFS", true, 15, ""},
    };
    constexpr double kGB = 1024.0 * 1024 * 1024;
    for (const auto& [freeGB, fileSystem, growable, sizeGB, refusal] : cases)
        EXPECT_EQ(
            volumeRefusal(fileSystem, growable, sizeGB, static_cast<std::int64_t>(freeGB * kGB)),
            refusal)
            << freeGB << ' ' << fileSystem;
}

constexpr std::int64_t kGiB = std::int64_t{1} << 30;

TEST(DestinationDrive, IsRefusedOrTaken) {
    // The new drive, the volume's size in GB, the new drive's file system and free bytes, the
    // refusal ("": passes).
    const std::tuple<const char*, std::int16_t, const char*, std::int64_t, const char*> cases[] = {
        {"c:", 3, "NTFS", 100 * kGiB,
         "You have selected the same destination so no change will take effect."},
        {"d:", 4, "FAT32", 100 * kGiB, ""},
        {"d:", 5, "FAT32", 100 * kGiB, "Partition greater than 4 GB is supported with NTFS only."},
        {"d:", 5, "ext4", 100 * kGiB, ""},
        {"d:", 5, "NTFS", 5 * kGiB, ""},
        {"d:", 5, "NTFS", static_cast<std::int64_t>(4.996 * kGiB),
         "Available space 4.99 GB is less than required 5 GB."},
        {"d:", 5, "NTFS", 5 * kGiB - 1, "Available space 4.99 GB is less than required 5 GB."},
        {"d:", 5, "NTFS", 4 * kGiB + kGiB / 100,
         "Available space 4 GB is less than required 5 GB."},
        {"d:", 5, "NTFS", 4 * kGiB + kGiB / 100 + 1,
         "Available space 4.01 GB is less than required 5 GB."},
        {"d:", 3, "NTFS", kGiB / 8, "Available space 0.12 GB is less than required 3 GB."}};
    for (const auto& [newDrive, sizeGB, fileSystem, freeBytes, refusal] : cases) {
        const platform::DriveInfo drive{'d', platform::DriveType::Fixed, fileSystem, true,
                                        freeBytes};
        EXPECT_EQ(destinationRefusal(newDrive, "c:", sizeGB, drive).value_or(""), QString(refusal))
            << sizeGB << ' ' << fileSystem << ' ' << freeBytes;
    }
}

}  // namespace
}  // namespace vornelix
