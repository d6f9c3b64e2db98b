#include <gtest/gtest.h>

#include "machine/basic_text.h"
#include "machine/ram_sizes.h"

namespace vornelix {
namespace {

constexpr double kMB = 1024 * 1024;

TEST(RamSizes, StepsOf32UpToTheHostMemory) {
    const QStringList items = ramSizeItems(1048576000);  // 1000 MB
    ASSERT_EQ(items.size(), 28);
    EXPECT_EQ(items.first(), "128");
    EXPECT_EQ(items[1], "160");
    EXPECT_EQ(items.last(), "992");
    EXPECT_EQ(ramSizeSelection(items.size()), 27);

    EXPECT_EQ(ramSizeItems(512 * kMB).last(), "512");
    EXPECT_EQ(ramSizeItems(512 * kMB - 1).last(), "480");
    EXPECT_EQ(ramSizeItems(4096 * kMB).last(), "4096");
}

TEST(RamSizes, SmallHostsAndFailedQueries) {
    EXPECT_EQ(ramSizeItems(128 * kMB), QStringList{"128"});
    EXPECT_EQ(ramSizeItems(159.9 * kMB), QStringList{"128"});
    EXPECT_EQ(ramSizeSelection(1), -1);
    EXPECT_TRUE(ramSizeItems(127 * kMB).isEmpty());
    EXPECT_TRUE(ramSizeItems(0).isEmpty());
    EXPECT_EQ(ramSizeSelection(0), -1);
}

TEST(BasicText, BlanksNumbersAndNulls) {
    EXPECT_EQ(trimBlanks("  a b \t "), "a b \t");
    EXPECT_EQ(trimBlanks("   "), "");
    EXPECT_EQ(leadingNumber("256"), 256);
    EXPECT_EQ(leadingNumber(" 1.5 GB"), 1.5);
    EXPECT_EQ(leadingNumber(""), 0);
    EXPECT_EQ(leadingNumber("abc"), 0);
    EXPECT_EQ(variantText(QVariant()), "");
    EXPECT_EQ(variantText(1.0), "1");
    EXPECT_EQ(variantText(QString("x")), "x");
    EXPECT_EQ(inFolder("c:\\", "x"), "c:\\x");
    EXPECT_EQ(inFolder("c:\\a", "x"), "c:\\a\\x");
}

}  // namespace
}  // namespace vornelix
