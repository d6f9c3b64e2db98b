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

}  // namespace
}  // namespace vornelix
