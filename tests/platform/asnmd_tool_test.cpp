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

const QStringList kInsert = {"insert", "/nonexistent/ASNMD.DAT", "n", "c:\\n", "3", "   "};

INSTANTIATE_TEST_SUITE_P(Tool, AsnmdToolUsage,
                         ::testing::Values(BadCall{kInsert + QStringList{"disc"}, "<cdrom_type>"},
                                           BadCall{kInsert + QStringList{"cdrom", "2"},
                                                   "[networking]"},
                                           BadCall{kInsert, "6 to 9 arguments"}));

}  // namespace
