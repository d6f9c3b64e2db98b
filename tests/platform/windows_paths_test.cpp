#include <gtest/gtest.h>

#include "platform/command_line.h"
#include "platform/drives.h"

namespace vornelix::platform {
namespace {

TEST(WindowsCommandLine, SplitsLikeTheWindowsRuntime) {
    const std::pair<const char*, QStringList> cases[] = {
        {R"(c:\Vornelix\Xeminga 0 0 0)", {R"(c:\Vornelix\Xeminga)", "0", "0", "0"}},
        {"  a \t b  ", {"a", "b"}},
        {"", {}},
        // An unquoted path with a blank becomes two words.
        {R"(c:\My Programs\Xeminga 0)", {R"(c:\My)", R"(Programs\Xeminga)", "0"}},
        // Quotes protect blanks and may stand inside a word.
        {R"("a b c" d)", {"a b c", "d"}},
        {R"(a\\\b d"e f"g h)", {R"(a\\\b)", "de fg", "h"}},
        // Backslashes count only before a quote: an odd number gives half and a literal quote,
        // an even number half, and the quote opens or closes.
        {R"(a\\\"b c)", {R"(a\"b)", "c"}},
        {R"("c:\Temp\\" x)", {R"(c:\Temp\)", "x"}},
        {R"("c:\Temp\" x)", {R"(c:\Temp" x)"}},
        // A doubled quote inside quotes is a literal quote and ends the quoted part.
        {R"(a"b"" c d)", {R"(ab")", "c", "d"}},
        {R"("say ""hi""")", {R"(say "hi")"}},
    };
    for (const auto& [text, words] : cases)
        EXPECT_EQ(splitWindowsCommandLine(QString::fromUtf8(text)), words) << text;
}

TEST(DriveTable, ParsesEntriesAndSkipsBadOnes) {
    const DriveTable t = DriveTable::parse(
        "c=/home/u;d=/media/cd|cdrom||notready;e=/mnt/x|fixed|vfat;bad;q=/x|nonsense;zz=/y");
    ASSERT_EQ(t.drives().size(), 3u);
    EXPECT_EQ(t.find('C')->hostFolder, "/home/u");
    EXPECT_EQ(t.find('d')->type, DriveType::CdRom);
    EXPECT_FALSE(t.find('d')->ready);
    EXPECT_EQ(t.find('e')->fileSystem, "vfat");
    EXPECT_EQ(t.find('q'), nullptr);
}

TEST(DriveTable, MapsPathsBothWays) {
    const DriveTable t = DriveTable::parse("c=/home/u;z=/");
    EXPECT_EQ(t.toHostPath("c:\\Vornelix_HD\\Test\\hdimage.img"),
              "/home/u/Vornelix_HD/Test/hdimage.img");
    EXPECT_EQ(t.toHostPath("C:\\"), "/home/u");
    EXPECT_EQ(t.toHostPath("z:\\etc\\hosts"), "/etc/hosts");
    EXPECT_EQ(t.toHostPath("q:\\x"), "");
    EXPECT_EQ(t.toHostPath("relative"), "");
    // The drive whose folder holds the path most closely wins.
    EXPECT_EQ(t.toWindowsPath("/home/u/a b/c.dsk"), "c:\\a b\\c.dsk");
    EXPECT_EQ(t.toWindowsPath("/home/u"), "c:\\");
    EXPECT_EQ(t.toWindowsPath("/home/user2/x"), "z:\\home\\user2\\x");
    EXPECT_EQ(DriveTable::parse("c=/home/u").toWindowsPath("/tmp/x"), "") << "no root drive";
}

}  // namespace
}  // namespace vornelix::platform
