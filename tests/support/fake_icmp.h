#pragma once

#include <string>
#include <vector>

#include "platform/icmp_echo.h"

namespace vornelix::test {

// Echoes answered as the test sets: status 0 is a reply after roundTripTime ms, any other
// status none. Records the order of the calls: 's' start-up, 'e' echo, 'c' clean-up.
class FakeIcmp final : public platform::IcmpEcho {
  public:
    int socketsStartup(std::uint16_t, platform::SocketsData& data) override {
        calls += 's';
        data = {0x0101, 0x0202, 32767};
        return 0;
    }
    int socketsCleanup() override {
        calls += 'c';
        return cleanupResult;
    }
    int sendEcho(std::uint32_t address, const QByteArray& data, int timeoutMs,
                 platform::IcmpEchoReply& reply) override {
        calls += 'e';
        echoes.push_back({address, data, timeoutMs});
        reply.Status = status;
        reply.RoundTripTime = status == 0 ? roundTripTime : 0;
        return status == 0 ? 1 : 0;
    }

    std::uint32_t status = platform::kIpReqTimedOut;
    std::uint32_t roundTripTime = 1;
    int cleanupResult = 0;
    struct Echo {
        std::uint32_t address;
        QByteArray data;
        int timeoutMs;
    };
    std::vector<Echo> echoes;
    std::string calls;
};

}  // namespace vornelix::test
