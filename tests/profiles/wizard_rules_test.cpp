#include <gtest/gtest.h>

#include "profiles/profile_name_rules.h"
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

TEST(VolumeChoice, FreeSpaceRoundsHalfToEvenThenTheVolumeMustFit) {
    struct Case {
        double freeGB;
        const char* fileSystem;
        bool growable;
        int sizeGB;
        const char* refusal;
    };
    const Case cases[] = {
        {4.6, "NTFS", false, 5, ""},
        {4.4, "NTFS", false, 5, "Available space 4 GB is less than required 5 GB."},
        {4.5, "NTFS", false, 5, "Available space 4 GB is less than required 5 GB."},
        {5.5, "NTFS", false, 6, ""},
        {5.0, "FAT32", true, 5, "Growable Partition is supported with NTFS only."},
        {5.0, "FAT32", false, 5, ""},
        {5.0, "ext4", true, 5, ""},
        {40000.0, "NTFS", true, 15, ""},
    };
    constexpr double kGB = 1024.0 * 1024 * 1024;
    for (const Case& c : cases)
        EXPECT_EQ(volumeRefusal(c.fileSystem, c.growable, c.sizeGB,
                                freeGigabytes(static_cast<std::int64_t>(c.freeGB * kGB))),
                  c.refusal)
            << c.freeGB << ' ' << c.fileSystem;
}

}  // namespace
}  // namespace vornelix
