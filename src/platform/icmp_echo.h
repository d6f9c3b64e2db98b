#pragma once

#include <QByteArray>
#include <cstdint>

namespace vornelix::platform {

// The record of one echo. Status is 0 exactly when an echo reply came back from the address.
struct IcmpEchoReply {
    std::uint32_t Address = 0;
    std::uint32_t Status = 0;
    std::uint32_t RoundTripTime = 0;  // ms
    std::uint16_t DataSize = 0;
    QByteArray Data;  // the echoed data
};

// Status values of an echo that got no reply, as the Windows ICMP helper gives them.
inline constexpr std::uint32_t kIpReqTimedOut = 11010;
inline constexpr std::uint32_t kIpBadDestination = 11018;
inline constexpr std::uint32_t kIpGeneralFailure = 11050;

// What the sockets start-up reports.
struct SocketsData {
    std::uint16_t wVersion = 0;  // major in the low byte, minor in the high byte
    std::uint16_t wHighVersion = 0;
    std::uint16_t iMaxSockets = 0;
};

// The start-up of a version the sockets do not offer.
inline constexpr int kWsaVerNotSupported = 10092;

// ICMP echo requests, with the sockets start-up and clean-up that frame them on Windows.
class IcmpEcho {
  public:
    virtual ~IcmpEcho() = default;
    // Starts the sockets in the requested version; 0 on success, with data filled.
    virtual int socketsStartup(std::uint16_t version, SocketsData& data) = 0;
    // Ends one start-up; 0 on success, -1 when none is left to end.
    virtual int socketsCleanup() = 0;
    // Sends one echo request carrying data to the address and waits up to timeoutMs for its
    // reply. The address holds the four numbers of the dotted text, the first in the lowest
    // byte. Returns the number of replies written to the record (0 or 1); without a reply,
    // the record's Status says why.
    virtual int sendEcho(std::uint32_t address, const QByteArray& data, int timeoutMs,
                         IcmpEchoReply& reply) = 0;
};

// Echoes on Linux: an ICMP datagram socket where the host allows it, a raw socket otherwise.
// The sockets need no start-up here; the start-ups are only counted.
class LinuxIcmpEcho final : public IcmpEcho {
  public:
    int socketsStartup(std::uint16_t version, SocketsData& data) override;
    int socketsCleanup() override;
    int sendEcho(std::uint32_t address, const QByteArray& data, int timeoutMs,
                 IcmpEchoReply& reply) override;

  private:
    int m_startups = 0;
    std::uint16_t m_sequence = 0;
};

}  // namespace vornelix::platform
