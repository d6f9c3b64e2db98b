#include <gtest/gtest.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QThread>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "machine/global_variables.h"
#include "network/static_address_switch.h"
#include "platform/icmp_echo.h"
#include "platform/linux_processes.h"
#include "platform/real_clock.h"
#include "support/test_environment.h"

namespace vornelix {
namespace {

// Stores the address with the mask 255.255.255.0 and runs one tick over a program folder that
// holds the trigger file of the connection name.
void tickWithTrigger(test::TestEnvironment& env, const QString& address, const QString& name) {
    gv().HostIPAddress = address;
    gv().HostSubnetMask = "255.255.255.0";
    env.writeFile("c:\\Vornelix\\" + name + ".ras", "");
    auto timer = env.clock.createTimer();
    std::int16_t count = 0;
    networkTimerTick(*timer, count);
}

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
    test::TestEnvironment env;
    tickWithTrigger(env, "192.168.0.1", "Local Area Connection");
    EXPECT_TRUE(env.processes.starts.empty());
    EXPECT_FALSE(env.files().fileExists("c:\\Vornelix\\Local Area Connection.ras"));
}

// The tests below send only to loopback or inside network namespaces made here.
constexpr int kNoNamespace = 77;
constexpr std::uint32_t kLoopback = 0x0100007F;  // 127.0.0.1, first number lowest

// Runs body in a child process inside a network namespace of its own and returns its exit code:
// 0 when what it checks holds, kNoNamespace when the namespace or what it needs cannot be made.
int exitCodeInOwnNamespace(const std::function<void()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::unshare(CLONE_NEWNET) != 0 && ::unshare(CLONE_NEWUSER | CLONE_NEWNET) != 0)
            _exit(kNoNamespace);
        body();
        _exit(1);
    }
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool runIp(const std::string& words) {
    return std::system(("ip " + words + " >/dev/null 2>&1").c_str()) == 0;
}

bool holds(const std::string& address) {
    return runIp("-o addr show dev vxswitch0 | grep -qF " + address);
}

bool canOpenIcmpSocket() {
    for (const int type : {SOCK_DGRAM, SOCK_RAW})
        if (const int fd = ::socket(AF_INET, type, IPPROTO_ICMP); fd >= 0)
            return ::close(fd) == 0;
    return false;
}

bool writeSetting(const char* path, const QByteArray& value) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(value) == value.size() && file.flush();
}

TEST(LinuxIcmpEcho, LoopbackAnswersAndAddressZeroIsNotSent) {
    platform::LinuxIcmpEcho icmp;
    platform::IcmpEchoReply reply;
    EXPECT_EQ(icmp.sendEcho(0, "Echo This", 200, reply), 0);
    EXPECT_EQ(reply.Status, platform::kIpBadDestination);
    if (!canOpenIcmpSocket())
        GTEST_SKIP() << "this host lets no ICMP socket be opened";
    ASSERT_EQ(icmp.sendEcho(kLoopback, "Echo This", 200, reply), 1);
    EXPECT_EQ(reply.Status, 0u);
    EXPECT_EQ(reply.Data, "Echo This");
}

// A dummy (or veth) interface that already holds an address: a trigger file naming it switches
// it to the stored address alone.
TEST(StaticAddressSwitchNamespace, InterfaceGetsTheStoredAddressAlone) {
    test::TestEnvironment env;
    const int code = exitCodeInOwnNamespace([&] {
        const bool made = runIp("link add vxswitch0 type dummy") ||
                          runIp("link add vxswitch0 type veth peer name vxpeer0");
        if (!made || !runIp("address add 10.1.2.3/8 dev vxswitch0"))
            _exit(kNoNamespace);
        platform::LinuxProcesses processes;
        platform::RealClock clock(1.0);
        platform::services().processes = &processes;
        platform::services().clock = &clock;
        tickWithTrigger(env, "192.168.77.1", "vxswitch0");
        for (int waited = 0; waited < 3000 && !holds("192.168.77.1/24"); waited += 20)
            QThread::msleep(20);
        const bool switched = holds("192.168.77.1/24") && !holds("10.1.2.3");
        _exit(switched && !env.files().fileExists("c:\\Vornelix\\vxswitch0.ras") ? 0 : 1);
    });
    if (code == kNoNamespace)
        GTEST_SKIP() << "no network namespace with a dummy interface can be made here";
    EXPECT_EQ(code, 0);
}

// With loopback up and datagram sockets allowed, the echo is answered, and once echo requests
// are ignored it times out.
TEST(LinuxIcmpEcho, DatagramEchoAndTimeOutInOwnNamespace) {
    const int code = exitCodeInOwnNamespace([] {
        ifreq request{};
        std::strcpy(request.ifr_name, "lo");
        request.ifr_flags = IFF_UP | IFF_LOOPBACK | IFF_RUNNING;
        if (::ioctl(::socket(AF_INET, SOCK_DGRAM, 0), SIOCSIFFLAGS, &request) != 0 ||
            !writeSetting("/proc/sys/net/ipv4/ping_group_range", "0 2147483647"))
            _exit(kNoNamespace);
        platform::LinuxIcmpEcho icmp;
        platform::IcmpEchoReply reply;
        const bool answered = icmp.sendEcho(kLoopback, "Echo This", 200, reply) == 1;
        if (!writeSetting("/proc/sys/net/ipv4/icmp_echo_ignore_all", "1"))
            _exit(kNoNamespace);
        const auto start = std::chrono::steady_clock::now();
        const bool silent = icmp.sendEcho(kLoopback, "Echo This", 200, reply) == 0;
        const bool waited =
            std::chrono::steady_clock::now() - start >= std::chrono::milliseconds(195);
        _exit(answered && silent && waited && reply.Status == platform::kIpReqTimedOut ? 0 : 1);
    });
    if (code == kNoNamespace)
        GTEST_SKIP() << "no network namespace of our own is permitted here";
    EXPECT_EQ(code, 0);
}

}  // namespace
}  // namespace vornelix
