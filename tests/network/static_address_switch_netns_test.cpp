#include <gtest/gtest.h>
#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QThread>
#include <cstdlib>
#include <string>

#include "machine/global_variables.h"
#include "network/static_address_switch.h"
#include "platform/linux_processes.h"
#include "platform/real_clock.h"
#include "support/test_environment.h"

namespace vornelix {
namespace {

constexpr int kNoNamespace = 77;

bool runIp(const std::string& words) {
    return std::system(("ip " + words + " >/dev/null 2>&1").c_str()) == 0;
}

bool holds(const std::string& address) {
    return runIp("-o addr show dev vxswitch0 | grep -qF " + address);
}

// In a network namespace of its own, with a dummy (or veth) interface that already holds an
// address, a trigger file naming that interface switches it to the stored address alone. Exits 0
// when it does, kNoNamespace when no namespace or interface can be made here.
[[noreturn]] void switchInOwnNamespace(test::TestEnvironment& env) {
    if (::unshare(CLONE_NEWNET) != 0 && ::unshare(CLONE_NEWUSER | CLONE_NEWNET) != 0)
        _exit(kNoNamespace);
    const bool made = runIp("link add vxswitch0 type dummy") ||
                      runIp("link add vxswitch0 type veth peer name vxpeer0");
    if (!made || !runIp("address add 10.1.2.3/8 dev vxswitch0"))
        _exit(kNoNamespace);
    platform::LinuxProcesses processes;
    platform::RealClock clock(1.0);
    platform::services().processes = &processes;
    platform::services().clock = &clock;
    gv().HostIPAddress = "192.168.77.1";
    gv().HostSubnetMask = "255.255.255.0";
    env.writeFile("c:\\Vornelix\\vxswitch0.ras", "");
    auto timer = env.clock.createTimer();
    std::int16_t count = 0;
    networkTimerTick(*timer, count);
    for (int waited = 0; waited < 3000 && !holds("192.168.77.1/24"); waited += 20)
        QThread::msleep(20);
    const bool switched = holds("192.168.77.1/24") && !holds("10.1.2.3");
    _exit(switched && !env.files().fileExists("c:\\Vornelix\\vxswitch0.ras") ? 0 : 1);
}

TEST(StaticAddressSwitchNamespace, InterfaceGetsTheStoredAddressAlone) {
    test::TestEnvironment env;
    const pid_t child = ::fork();
    if (child == 0)
        switchInOwnNamespace(env);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == kNoNamespace)
        GTEST_SKIP() << "no network namespace with a dummy interface can be made here";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
}  // namespace vornelix
