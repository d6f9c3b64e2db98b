#include <gtest/gtest.h>

#include "platform/netsh.h"
#include "support/test_environment.h"

namespace vornelix::platform {
namespace {

QString netsh(const QString& name, const QString& address, const QString& mask) {
    return "netsh interface ip set address name=\"" + name + "\" static " + address + " " + mask +
           " none";
}

TEST(Netsh, TheOneFormBecomesFlushThenAdd) {
    const std::tuple<QString, QString, QString, int> rows[] = {
        {"eth0", "192.168.0.1", "255.255.255.0", 24},
        {"br-x_1.2@a\\b", "10.0.0.1", "255.0.0.0", 8},
        {"wlän0", "1.2.3.4", "255.255.255.255", 32},
        {"x", "1.2.3.4", "0.0.0.0", 0},
        {"abcdefghijklmno", "1.2.3.4", "255.255.128.0", 17}};
    for (const auto& [name, address, mask, prefix] : rows) {
        const auto command = parseNetshStaticAddress(netsh(name, address, mask));
        ASSERT_TRUE(command) << name.toStdString();
        EXPECT_EQ(ipArguments(*command),
                  (QList<QStringList>{
                      {"address", "flush", "dev", name},
                      {"address", "add", address + "/" + QString::number(prefix), "dev", name}}));
    }
}

TEST(Netsh, EverythingElseIsRefused) {
    const QString rows[] = {
        netsh("Local Area Connection", "192.168.0.1", "255.255.255.0"),
        netsh("", "1.2.3.4", "255.0.0.0"),
        netsh("abcdefghijklmnop", "1.2.3.4", "255.0.0.0"),
        netsh("a/b", "1.2.3.4", "255.0.0.0"),
        netsh("a:1", "1.2.3.4", "255.0.0.0"),
        netsh("a\"b", "1.2.3.4", "255.0.0.0"),
        netsh("..", "1.2.3.4", "255.0.0.0"),
        netsh("eth0", "1.2.3.4", "255.0.255.0"),
        netsh("eth0", "1.2.3", "255.0.0.0"),
        netsh("eth0", "256.1.1.1", "255.0.0.0"),
        netsh("eth0", "+1.2.3.4", "255.0.0.0"),
        netsh("eth0", "1.2.3.4", "255.0.0.0 "),
        netsh("eth0", "1.2.3.4", "255.0.0.0") + "; reboot",
        "netsh interface ip set address name=\"eth0\" dhcp",
        "netsh interface ip set dns name=\"eth0\" static 1.2.3.4 255.0.0.0 none"};
    test::TestEnvironment env;
    for (const QString& line : rows) {
        EXPECT_FALSE(parseNetshStaticAddress(line)) << line.toStdString();
        EXPECT_FALSE(startNetsh(line));
    }
    EXPECT_TRUE(env.processes.starts.empty());
}

}  // namespace
}  // namespace vornelix::platform
