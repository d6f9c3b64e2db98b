#include <gtest/gtest.h>

#include <QCoreApplication>

#include "platform/command_line.h"
#include "platform/drives.h"
#include "platform/file_system.h"
#include "platform/netsh.h"
#include "support/test_environment.h"

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

// At start-up, a drive table on which the program folder lies on no drive is said on stderr.
TEST(DriveTable, AProgramFolderOnNoDriveIsSaidAtStartUp) {
    const QByteArray saved = qgetenv("VORNELIX_DRIVES");
    const QString program = QCoreApplication::applicationDirPath();
    const std::pair<QString, std::string> rows[] = {
        {"c=" + program + "/elsewhere",
         "vornelix: VORNELIX_DRIVES maps no drive to the program folder " + program.toStdString() +
             "\n"},
        {"c=" + program, ""}};
    for (const auto& [drives, said] : rows) {
        qputenv("VORNELIX_DRIVES", drives.toLocal8Bit());
        testing::internal::CaptureStderr();
        FileSystem::fromEnvironment();
        EXPECT_EQ(testing::internal::GetCapturedStderr(), said);
    }
    saved.isNull() ? qunsetenv("VORNELIX_DRIVES") : qputenv("VORNELIX_DRIVES", saved);
}

QString netsh(const QString& name, const QString& address = "1.2.3.4",
              const QString& mask = "255.0.0.0") {
    return "netsh interface ip set address name=\"" + name + "\" static " + address + " " + mask +
           " none";
}

TEST(Netsh, TheOneFormBecomesFlushThenAdd) {
    const std::tuple<QString, QString, int> rows[] = {{"eth0", "255.255.255.0", 24},
                                                      {"br-x_1.2@a\\b", "255.0.0.0", 8},
                                                      {"wlän0", "255.255.255.255", 32},
                                                      {"abcdefghijklmno", "255.255.128.0", 17}};
    for (const auto& [name, mask, prefix] : rows) {
        const auto command = parseNetshStaticAddress(netsh(name, "10.0.0.1", mask));
        ASSERT_TRUE(command) << name.toStdString();
        const QString address = "10.0.0.1/" + QString::number(prefix);
        EXPECT_EQ(ipArguments(*command),
                  (QList<QStringList>{{"address", "flush", "dev", name},
                                      {"address", "add", address, "dev", name}}));
    }
}

TEST(Netsh, EverythingElseIsRefusedAndNotRun) {
    const QString rows[] = {netsh("Local Area Connection"),
                            netsh(""),
                            netsh("abcdefghijklmnop"),
                            netsh("a/b"),
                            netsh("eth0", "1.2.3.4", "255.0.255.0"),
                            netsh("eth0", "256.1.1.1"),
                            netsh("eth0", "1.2.3.4", "255.0.0.0 "),
                            netsh("eth0") + "; reboot",
                            "netsh interface ip set address name=\"eth0\" dhcp"};
    test::TestEnvironment env;
    for (const QString& line : rows) {
        EXPECT_FALSE(parseNetshStaticAddress(line)) << line.toStdString();
        EXPECT_FALSE(startNetsh(line));
    }
    EXPECT_TRUE(env.processes.starts.empty());
}

}  // namespace
}  // namespace vornelix::platform
