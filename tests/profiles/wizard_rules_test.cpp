#include <gtest/gtest.h>

#include "profiles/install_source.h"
#include "profiles/profile_name_rules.h"
#include "profiles/volume_choice.h"

namespace vornelix {
namespace {

struct NameCase {
    const char* name;
    const char* refusalStart;  // "" when the name is accepted
};

TEST(ProfileNameRules, RefuseWhatCannotNameOneFolderUnderTheVolumeFolder) {
    const QString tooLong(kMaxProfileNameLength + 1, u'a');
    const NameCase cases[] = {
        {"Tiger", ""},
        {"{Profile Name}", ""},
        {"O'Brien's Mac", ""},
        {"a.b", ""},
        {"", "Please enter a profile name."},
        {"..\\evil", "A profile name cannot hold"},
        {"a/b", "A profile name cannot hold"},
        {"c:", "A profile name cannot hold"},
        {"a*b?", "A profile name cannot hold"},
        {"\"q\"", "A profile name cannot hold"},
        {"<a>|", "A profile name cannot hold"},
        {"tab\there", "A profile name cannot hold"},
        {".", "A profile name cannot be \".\" or \"..\"."},
        {"..", "A profile name cannot be \".\" or \"..\"."},
        {"Tiger.", "A profile name cannot end with a dot"},
    };
    for (const NameCase& c : cases) {
        const QString refusal = profileNameRefusal(QString::fromUtf8(c.name));
        const QString expected = QString::fromUtf8(c.refusalStart);
        EXPECT_EQ(refusal.left(expected.isEmpty() ? refusal.size() : expected.size()), expected)
            << c.name;
    }
    EXPECT_TRUE(profileNameRefusal(QString(kMaxProfileNameLength, u'a')).isEmpty());
    EXPECT_EQ(profileNameRefusal(tooLong), "A profile name can be at most 64 characters long.");
}

TEST(ProfileNameRules, StoredNamesMatchExactlyAndNullMatchesNothing) {
    EXPECT_TRUE(storedNameMatches(QVariant(QString("Alpha")), "Alpha"));
    EXPECT_FALSE(storedNameMatches(QVariant(QString("Alpha")), "alpha"));
    EXPECT_FALSE(storedNameMatches(QVariant(QString("Alpha ")), "Alpha"));
    EXPECT_FALSE(storedNameMatches(QVariant(), ""));
}

TEST(VolumeChoice, FreeSpaceRoundsHalfToEvenAndHoldsHugeDrives) {
    constexpr std::int64_t kGB = 1024LL * 1024 * 1024;
    const std::pair<std::int64_t, std::int64_t> cases[] = {
        {kGB * 46 / 10, 5},   {kGB * 44 / 10, 4}, {kGB * 45 / 10, 4},
        {kGB * 55 / 10, 6},   {kGB * 5, 5},       {0, 0},
        {kGB * 40000, 40000},
    };
    for (const auto& [bytes, gigabytes] : cases)
        EXPECT_EQ(freeGigabytes(bytes), gigabytes) << bytes;
}

TEST(VolumeChoice, GrowableNeedsNtfsAndTheSizeMustFit) {
    struct Case {
        const char* fileSystem;
        bool growable;
        int sizeGB;
        std::int64_t freeGB;
        const char* refusal;
    };
    const Case cases[] = {
        {"FAT32", true, 5, 100, "Growable Partition is supported with NTFS only."},
        {"ntfs", true, 5, 100, ""},
        {"ext4", true, 5, 100, ""},
        {"FAT32", false, 5, 100, ""},
        {"NTFS", false, 5, 4, "Available space 4 GB is less than required 5 GB."},
        {"NTFS", false, 5, 5, ""},
        {"NTFS", false, 15, 40000, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(volumeRefusal(c.fileSystem, c.growable, c.sizeGB, c.freeGB), c.refusal)
            << c.fileSystem << ' ' << c.sizeGB << ' ' << c.freeGB;
}

TEST(InstallSource, FinishOutcomesForEachSource) {
    struct Case {
        bool fromCd;
        const char* cdDrive;
        const char* image;
        bool asks;
        FinishOutcome outcome;
    };
    const Case cases[] = {
        {true, "E:", "", false, {true, "nativecdrom", "E:", kCreatingFromCdMessage}},
        {false,
         "",
         "  c:\\iso\\tiger.iso ",
         false,
         {true, "cdrom", "c:\\iso\\tiger.iso", kCreatingFromImageMessage}},
        {false, "E:", "   ", true, {false, "cdrom", "   ", kNoSourceMessage}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(asksForMissingImage(c.fromCd, c.image), c.asks) << c.image;
        const FinishOutcome got = finishOutcome(c.fromCd, c.cdDrive, c.image);
        EXPECT_EQ(got.withSource, c.outcome.withSource);
        EXPECT_EQ(got.cdRomType, c.outcome.cdRomType);
        EXPECT_EQ(got.cdRomPath, c.outcome.cdRomPath);
        EXPECT_EQ(got.message, c.outcome.message);
    }
    EXPECT_EQ(insertCdMessage("E:"),
              "Please insert a valid Mac instalation CD in E: Drive\r\n"
              "Need more help on it please press yes.");
    EXPECT_EQ(wholeMegabytes(1.5 * 1024 * 1024 * 1024 + 1000), 1536);
}

}  // namespace
}  // namespace vornelix
