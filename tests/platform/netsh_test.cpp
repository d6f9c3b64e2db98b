#include <gtest/gtest.h>

#include "platform/netsh.h"
#include "support/test_environment.h"

namespace vornelix::platform {
namespace {

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
