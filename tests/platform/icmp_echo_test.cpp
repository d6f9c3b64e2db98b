#include <gtest/gtest.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <chrono>
#include <cstring>

#include "platform/icmp_echo.h"

namespace vornelix::platform {
namespace {

constexpr std::uint32_t kLoopback = 0x0100007F;  // 127.0.0.1, first number lowest

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
    LinuxIcmpEcho icmp;
    IcmpEchoReply reply;
    EXPECT_EQ(icmp.sendEcho(0, "Echo This", 200, reply), 0);
    EXPECT_EQ(reply.Status, kIpBadDestination);
    if (!canOpenIcmpSocket())
        GTEST_SKIP() << "this host lets no ICMP socket be opened";
    ASSERT_EQ(icmp.sendEcho(kLoopback, "Echo This", 200, reply), 1);
    EXPECT_EQ(reply.Status, 0u);
    EXPECT_EQ(reply.Data, "Echo This");
}

// In a network namespace of its own with loopback up, where datagram sockets are allowed:
// the echo is answered, and once echo requests are ignored it times out. Exits 0 when both
// hold, 77 when the namespace cannot be made.
[[noreturn]] void echoInOwnNamespace() {
    if (::unshare(CLONE_NEWNET) != 0 && ::unshare(CLONE_NEWUSER | CLONE_NEWNET) != 0)
        _exit(77);
    ifreq request{};
    std::strcpy(request.ifr_name, "lo");
    request.ifr_flags = IFF_UP | IFF_LOOPBACK | IFF_RUNNING;
    if (::ioctl(::socket(AF_INET, SOCK_DGRAM, 0), SIOCSIFFLAGS, &request) != 0 ||
        !writeSetting("/proc/sys/net/ipv4/ping_group_range", "0 2147483647"))
        _exit(77);
    LinuxIcmpEcho icmp;
    IcmpEchoReply reply;
    const bool answered = icmp.sendEcho(kLoopback, "Echo This", 200, reply) == 1;
    if (!writeSetting("/proc/sys/net/ipv4/icmp_echo_ignore_all", "1"))
        _exit(77);
    const auto start = std::chrono::steady_clock::now();
    const bool silent = icmp.sendEcho(kLoopback, "Echo This", 200, reply) == 0;
    const bool waited = std::chrono::steady_clock::now() - start >= std::chrono::milliseconds(195);
    _exit(answered && silent && waited && reply.Status == kIpReqTimedOut ? 0 : 1);
}

TEST(LinuxIcmpEcho, DatagramEchoAndTimeOutInOwnNamespace) {
    const pid_t child = ::fork();
    if (child == 0)
        echoInOwnNamespace();
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77)
        GTEST_SKIP() << "no network namespace of our own is permitted here";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
}  // namespace vornelix::platform
