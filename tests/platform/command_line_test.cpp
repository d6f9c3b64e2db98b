#include <gtest/gtest.h>

#include "platform/command_line.h"

namespace vornelix::platform {
namespace {

QStringList split(const char* text) {
    return splitWindowsCommandLine(QString::fromUtf8(text));
}

TEST(WindowsCommandLine, BlanksAndTabsSeparateWords) {
    EXPECT_EQ(split("c:\\Vornelix\\Xeminga 0 0 0"),
              QStringList({"c:\\Vornelix\\Xeminga", "0", "0", "0"}));
    EXPECT_EQ(split("  a \t b  "), QStringList({"a", "b"}));
    EXPECT_TRUE(split("").isEmpty());
    EXPECT_TRUE(split(" \t ").isEmpty());
}

TEST(WindowsCommandLine, UnquotedPathWithBlankBecomesTwoWords) {
    EXPECT_EQ(split("c:\\My Programs\\Vornelix\\Xeminga 0 0 0"),
              QStringList({"c:\\My", "Programs\\Vornelix\\Xeminga", "0", "0", "0"}));
}

TEST(WindowsCommandLine, QuotesProtectBlanksAndMayStandInsideAWord) {
    EXPECT_EQ(split("\"a b c\" d e"), QStringList({"a b c", "d", "e"}));
    EXPECT_EQ(split("hdimage.img \"c:\\x y\\z\" 1"),
              QStringList({"hdimage.img", "c:\\x y\\z", "1"}));
    EXPECT_EQ(split("a\\\\\\b d\"e f\"g h"), QStringList({"a\\\\\\b", "de fg", "h"}));
    EXPECT_EQ(split("\"unterminated quote"), QStringList({"unterminated quote"}));
}

TEST(WindowsCommandLine, EmptyQuotesAreAnEmptyWord) {
    EXPECT_EQ(split("a \"\" b"), QStringList({"a", "", "b"}));
    EXPECT_EQ(split("\"\""), QStringList({""}));
}

TEST(WindowsCommandLine, BackslashesCountOnlyBeforeAQuote) {
    // Trailing backslashes of a folder stay as they are.
    EXPECT_EQ(split("c:\\Temp\\ x"), QStringList({"c:\\Temp\\", "x"}));
    // An odd number before a quote: half of them and a literal quote.
    EXPECT_EQ(split("a\\\\\\\"b c d"), QStringList({"a\\\"b", "c", "d"}));
    EXPECT_EQ(split("\"ab\\\"c\" \"\\\\\" d"), QStringList({"ab\"c", "\\", "d"}));
    // An even number before a quote: half of them, and the quote opens or closes.
    EXPECT_EQ(split("a\\\\\\\\\"b c\" d e"), QStringList({"a\\\\b c", "d", "e"}));
    // A quoted folder ending in a backslash must double it, or the quote is escaped.
    EXPECT_EQ(split("\"c:\\Temp\\\\\" x"), QStringList({"c:\\Temp\\", "x"}));
    EXPECT_EQ(split("\"c:\\Temp\\\" x"), QStringList({"c:\\Temp\" x"}));
}

TEST(WindowsCommandLine, DoubledQuoteInsideQuotesIsALiteralQuoteAndEndsTheQuotedPart) {
    EXPECT_EQ(split("a\"b\"\" c d"), QStringList({"ab\"", "c", "d"}));
    EXPECT_EQ(split("\"say \"\"hi\"\"\""), QStringList({"say \"hi\""}));
    EXPECT_EQ(split("\"\"\""), QStringList({"\""}));
    EXPECT_EQ(split("\"\"\"\" x"), QStringList({"\" x"}));
}

}  // namespace
}  // namespace vornelix::platform
