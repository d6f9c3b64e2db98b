#include <gtest/gtest.h>

#include "platform/command_line.h"

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

}  // namespace
}  // namespace vornelix::platform
