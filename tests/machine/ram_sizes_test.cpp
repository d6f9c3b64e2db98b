#include <gtest/gtest.h>

#include "machine/basic_text.h"
#include "machine/ram_sizes.h"

namespace vornelix {
namespace {

constexpr double kMB = 1024 * 1024;

TEST(RamSizes, StepsOf32From128UpToTheHostMemory) {
    const std::tuple<double, int, const char*> cases[] = {
        {1000 * kMB, 28, "992"}, {512 * kMB - 1, 12, "480"}, {4096 * kMB, 125, "4096"},
        {159.9 * kMB, 1, "128"}, {127 * kMB, 0, ""},         {0, 0, ""},
    };
    for (const auto& [bytes, count, last] : cases) {
        const QStringList items = ramSizeItems(bytes);
        ASSERT_EQ(items.size(), count) << bytes;
        EXPECT_EQ(items.value(count - 1), last) << bytes;
    }
    EXPECT_EQ(ramSizeSelection(28), 27);  // the largest size
    EXPECT_EQ(ramSizeSelection(1), -1);
}

TEST(BasicText, BlanksNumbersAndNulls) {
    EXPECT_EQ(trimBlanks("  a b \t "), "a b \t");
    EXPECT_EQ(leadingNumber(" 1.5 GB"), 1.5);
    EXPECT_EQ(leadingNumber("abc"), 0);
    EXPECT_EQ(variantText(QVariant()), "");
    EXPECT_EQ(variantText(1.0), "1");
    EXPECT_EQ(inFolder("c:\\", "x"), "c:\\x");
    EXPECT_EQ(inFolder("c:\\a", "x"), "c:\\a\\x");
}

}  // namespace
}  // namespace vornelix
