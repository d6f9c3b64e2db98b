#include "support/fake_icmp.h"

namespace vornelix::test {

int FakeIcmp::socketsStartup(std::uint16_t, platform::SocketsData& data) {
    calls += 's';
    if (startupResult == 0)
        data = startupData;
    return startupResult;
}

int FakeIcmp::socketsCleanup() {
    calls += 'c';
    return cleanupResult;
}

int FakeIcmp::sendEcho(std::uint32_t address, const QByteArray& data, int timeoutMs,
                       platform::IcmpEchoReply& reply) {
    calls += 'e';
    echoes.push_back({address, data, timeoutMs});
    reply.Status = status;
    if (status != 0)
        return 0;
    reply.Address = address;
    reply.RoundTripTime = roundTripTime;
    reply.Data = data;
    reply.DataSize = static_cast<std::uint16_t>(data.size());
    return 1;
}

}  // namespace vornelix::test
