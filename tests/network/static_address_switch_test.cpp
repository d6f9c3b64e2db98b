#include <gtest/gtest.h>

#include <QFile>

#include "machine/global_variables.h"
#include "network/static_address_switch.h"
#include "support/test_environment.h"

namespace vornelix {
namespace {

TEST(StaticAddressSwitch, TriggerFileConnectionAndCommandLine) {
    const std::pair<QStringList, QString> rows[] = {{{"a.txt", "Foo.RAS", "b.ras"}, "Foo"},
                                                    {{"net.ras.txt"}, "net.ras"},
                                                    {{".ras"}, ""},
                                                    {{"ras", "x.ra"}, "none"}};
    for (const auto& [names, connection] : rows)
        EXPECT_EQ(connectionName(triggerFileName(names).value_or("none.ras")), connection);
    EXPECT_EQ(netshCommandLine("192.168.0.1", "255.255.255.0", "Local Area Connection"),
              "netsh interface ip set address name=\"Local Area Connection\" static 192.168.0.1 "
              "255.255.255.0 none");
}

TEST(StaticAddressSwitch, TriggerFileSwitchesTheConnectionAndEndsThePoll) {
    test::TestEnvironment env;
    gv().HostIPAddress = "192.168.0.1";
    gv().HostSubnetMask = "255.255.255.0";
    env.writeFile("c:\\Vornelix\\Foo.RAS", "");
    auto timer = env.clock.createTimer();
    timer->setEnabled(true);
    std::int16_t count = 3;
    networkTimerTick(*timer, count);
    EXPECT_FALSE(timer->isEnabled());
    EXPECT_EQ(count, 3);
    EXPECT_FALSE(QFile::exists(env.programHost() + "/Foo.RAS"));
    ASSERT_EQ(env.processes.starts.size(), 2u);
    EXPECT_TRUE(env.processes.starts[0].program.endsWith("/ip"));
    EXPECT_EQ(env.processes.starts[0].parameters, "address flush dev Foo");
    EXPECT_EQ(env.processes.starts[1].parameters, "address add 192.168.0.1/24 dev Foo");
}

TEST(StaticAddressSwitch, PollStopsAfter501EmptyScans) {
    test::TestEnvironment env;
    auto timer = env.clock.createTimer();
    timer->setEnabled(true);
    std::int16_t count = 0;
    int ticks = 0;
    for (; timer->isEnabled() && ticks < 1000; ++ticks) networkTimerTick(*timer, count);
    EXPECT_EQ(ticks, 502);
    EXPECT_EQ(count, 501);
    EXPECT_EQ(env.clock.doEventsCount, 502);
}

TEST(StaticAddressSwitch, SecondTriggerFileWaitsForTheNextArming) {
    test::TestEnvironment env;
    gv().HostIPAddress = "10.0.0.1";
    gv().HostSubnetMask = "255.0.0.0";
    env.writeFile("c:\\Vornelix\\eth1.ras", "");
    env.writeFile("c:\\Vornelix\\eth2.ras", "");
    const QStringList before = env.files().fileNames("c:\\Vornelix");
    auto timer = env.clock.createTimer();
    std::int16_t count = 0;
    for (int arming = 0; arming < 2; ++arming) networkTimerTick(*timer, count);
    ASSERT_EQ(env.processes.starts.size(), 4u);
    const QStringList order = before.filter(".ras");
    EXPECT_TRUE(env.processes.starts[1].parameters.endsWith(connectionName(order[0])));
    EXPECT_TRUE(env.processes.starts[3].parameters.endsWith(connectionName(order[1])));
    EXPECT_TRUE(env.files().fileNames("c:\\Vornelix").filter(".ras").isEmpty());
}

TEST(StaticAddressSwitch, InvalidConnectionOrValuesRunNothingButConsumeTheFile) {
    const std::tuple<QString, QString, QString> rows[] = {
        {"Local Area Connection.ras", "192.168.0.1", "255.255.255.0"},
        {"averyveryverylongname.ras", "192.168.0.1", "255.255.255.0"},
        {".ras", "192.168.0.1", "255.255.255.0"},
        {"eth0.ras", "192.168.0.1", "255.0.255.0"},
        {"eth0.ras", "192.168.0", "255.255.255.0"},
        {"eth0.ras", "192.168.0.1; reboot", "255.255.255.0"}};
    for (const auto& [file, address, mask] : rows) {
        test::TestEnvironment env;
        gv().HostIPAddress = address;
        gv().HostSubnetMask = mask;
        env.writeFile("c:\\Vornelix\\" + file, "");
        auto timer = env.clock.createTimer();
        std::int16_t count = 0;
        networkTimerTick(*timer, count);
        EXPECT_TRUE(env.processes.starts.empty()) << file.toStdString();
        EXPECT_FALSE(env.files().fileExists("c:\\Vornelix\\" + file)) << file.toStdString();
    }
}

}  // namespace
}  // namespace vornelix
