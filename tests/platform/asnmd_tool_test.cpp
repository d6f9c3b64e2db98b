#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>

namespace {

struct BadCall {
    QStringList args;
    QString named;  // what the first line of standard error names
    friend void PrintTo(const BadCall& c, std::ostream* os) { *os << c.named.toStdString(); }
};

class AsnmdToolUsage : public ::testing::TestWithParam<BadCall> {};

TEST_P(AsnmdToolUsage, NamesTheWrongArgument) {
    QProcess tool;
    tool.start(VORNELIX_PROGRAM_DIR "/asnmd_tool", GetParam().args);
    ASSERT_TRUE(tool.waitForFinished(10000)) << "asnmd_tool is not built";
    EXPECT_EQ(tool.exitCode(), 2);
    const QString firstLine = QString::fromUtf8(tool.readAllStandardError()).section('\n', 0, 0);
    EXPECT_TRUE(firstLine.contains(GetParam().named)) << firstLine.toStdString();
}

const QStringList kInsert = {"insert", "/nonexistent/ASNMD.DAT", "n", "c:\\Vornelix_HD\\n"};

INSTANTIATE_TEST_SUITE_P(
    Tool, AsnmdToolUsage,
    ::testing::Values(BadCall{{"frob", "x"}, "frob"},
                      BadCall{kInsert + QStringList{"three", "   ", "cdrom"}, "<size_gb>"},
                      BadCall{kInsert + QStringList{"3", "   ", "disc"}, "<cdrom_type>"},
                      BadCall{kInsert + QStringList{"3", "   ", "cdrom", "2"}, "[networking]"},
                      BadCall{kInsert + QStringList{"3", "   ", "cdrom", "0", "3"},
                              "[ide_slave_device]"},
                      BadCall{kInsert + QStringList{"3", "   "}, "6 to 9 arguments"}));

}  // namespace
