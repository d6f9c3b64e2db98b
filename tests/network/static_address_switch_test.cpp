#include <gtest/gtest.h>

#include "machine/global_variables.h"
#include "network/static_address_switch.h"
#include "support/test_environment.h"

namespace vornelix {
namespace {

TEST(StaticAddressSwitch, TriggerFileAndConnection) {
    const std::pair<QStringList, QString> rows[] = {{{"a.txt", "Foo.RAS", "b.ras"}, "Foo"},
                                                    {{"net.ras.txt"}, "net.ras"},
                                                    {{".ras"}, ""},
                                                    {{"ras", "x.ra"}, "none"}};
    for (const auto& [names, connection] : rows)
        EXPECT_EQ(connectionName(triggerFileName(names).value_or("none.ras")), connection);
}

// Each arming switches to one trigger file and ends the poll; a second file waits for the next.
TEST(StaticAddressSwitch, EachTriggerFileSwitchesItsConnectionAndEndsThePoll) {
    test::TestEnvironment env;
    gv().HostIPAddress = "192.168.0.1";
    gv().HostSubnetMask = "255.255.255.0";
    env.writeFile("c:\\Vornelix\\eth1.RAS", "");
    env.writeFile("c:\\Vornelix\\eth2.ras", "");
    const auto triggers = [&] {
        return env.files().fileNames("c:\\Vornelix").filter(".ras", Qt::CaseInsensitive);
    };
    const QStringList order = triggers();
    auto timer = env.clock.createTimer();
    std::int16_t count = 3;
    for (int arming = 0; arming < 2; ++arming) {
        timer->setEnabled(true);
        networkTimerTick(*timer, count);
        EXPECT_FALSE(timer->isEnabled());
        ASSERT_EQ(env.processes.starts.size(), 2u * (arming + 1));
        const QString name = connectionName(order[arming]);
        EXPECT_TRUE(env.processes.starts[2 * arming].program.endsWith("/ip"));
        EXPECT_EQ(env.processes.starts[2 * arming].parameters + "; " +
                      env.processes.starts[2 * arming + 1].parameters,
                  "address flush dev " + name + "; address add 192.168.0.1/24 dev " + name);
        EXPECT_EQ(triggers().size(), 1 - arming);
    }
    EXPECT_EQ(count, 3);
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

// The values themselves are checked where the command line is carried out.
TEST(StaticAddressSwitch, InvalidConnectionRunsNothingButConsumesTheFile) {
    for (const QString file : {"Local Area Connection.ras", "averyveryverylongname.ras", ".ras"}) {
        test::TestEnvironment env;
        gv().HostIPAddress = "192.168.0.1";
        gv().HostSubnetMask = "255.255.255.0";
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
