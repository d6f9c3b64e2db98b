#pragma once

#include <string>
#include <vector>

#include "platform/icmp_echo.h"

namespace vornelix::test {

struct EchoCall {
    std::uint32_t address = 0;
    QByteArray data;
    int timeoutMs = 0;
};

// Echoes answered from what the test sets: a status of 0 is a reply after roundTripTime ms,
// any other status no reply. The start-up and clean-up give the set results.
class FakeIcmp final : public platform::IcmpEcho {
  public:
    int socketsStartup(std::uint16_t version, platform::SocketsData& data) override;
    int socketsCleanup() override;
    int sendEcho(std::uint32_t address, const QByteArray& data, int timeoutMs,
                 platform::IcmpEchoReply& reply) override;

    std::uint32_t status = platform::kIpReqTimedOut;
    std::uint32_t roundTripTime = 1;
    int startupResult = 0;
    platform::SocketsData startupData{0x0101, 0x0202, 32767};
    int cleanupResult = 0;

    std::vector<EchoCall> echoes;
    // The order of the calls: 's' start-up, 'e' echo, 'c' clean-up.
    std::string calls;
};

}  // namespace vornelix::test
