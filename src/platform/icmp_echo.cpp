#include "platform/icmp_echo.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <optional>

namespace vornelix::platform {

namespace {

using SteadyClock = std::chrono::steady_clock;

constexpr std::uint8_t kEchoReply = 0;
constexpr std::uint8_t kEchoRequest = 8;
constexpr int kHeaderSize = 8;
constexpr std::uint16_t kHighestVersion = 0x0202;
constexpr std::uint16_t kSocketsOfVersion1 = 32767;

// An ICMP socket, closed with the object: a datagram socket when the host lets this user
// open one (net.ipv4.ping_group_range), else a raw socket, which gets IP headers as well.
class EchoSocket {
  public:
    EchoSocket() {
        m_fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
        if (m_fd < 0) {
            m_fd = ::socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
            m_raw = true;
        }
    }
    ~EchoSocket() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    EchoSocket(const EchoSocket&) = delete;
    EchoSocket& operator=(const EchoSocket&) = delete;

    int fd() const { return m_fd; }
    bool raw() const { return m_raw; }

  private:
    int m_fd = -1;
    bool m_raw = false;
};

std::uint16_t checksum(const QByteArray& bytes) {
    std::uint32_t sum = 0;
    for (qsizetype i = 0; i < bytes.size(); i += 2) {
        const auto high = static_cast<std::uint8_t>(bytes[i]);
        const auto low = i + 1 < bytes.size() ? static_cast<std::uint8_t>(bytes[i + 1]) : 0;
        sum += static_cast<std::uint32_t>(high << 8 | low);
    }
    while (sum >> 16) sum = (sum & 0xffff) + (sum >> 16);
    return static_cast<std::uint16_t>(~sum);
}

void putWord(QByteArray& bytes, int at, std::uint16_t value) {
    bytes[at] = static_cast<char>(value >> 8);
    bytes[at + 1] = static_cast<char>(value & 0xff);
}

std::uint16_t word(const QByteArray& bytes, int at) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes[at]) << 8 |
                                      static_cast<std::uint8_t>(bytes[at + 1]));
}

QByteArray echoRequest(std::uint16_t identifier, std::uint16_t sequence, const QByteArray& data) {
    QByteArray packet(kHeaderSize, '\0');
    packet[0] = static_cast<char>(kEchoRequest);
    putWord(packet, 4, identifier);
    putWord(packet, 6, sequence);
    packet += data;
    putWord(packet, 2, checksum(packet));
    return packet;
}

// The ICMP message of a received packet: raw sockets deliver the IP header before it.
QByteArray icmpMessage(const QByteArray& packet, bool raw) {
    if (!raw)
        return packet;
    if (packet.isEmpty())
        return {};
    const int headerLength = (static_cast<std::uint8_t>(packet[0]) & 0x0f) * 4;
    return packet.mid(headerLength);
}

// The datagram socket's kernel sets the identifier and hands it only its own replies.
bool isOurReply(const QByteArray& message, bool raw, std::uint16_t identifier,
                std::uint16_t sequence) {
    return message.size() >= kHeaderSize && static_cast<std::uint8_t>(message[0]) == kEchoReply &&
           message[1] == 0 && (!raw || word(message, 4) == identifier) &&
           word(message, 6) == sequence;
}

int remainingMs(SteadyClock::time_point deadline) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - SteadyClock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// Reads packets until the reply from the destination or the deadline; the reply's ICMP
// message, or nothing when none came.
std::optional<QByteArray> awaitReply(const EchoSocket& socket, in_addr_t destination,
                                     std::uint16_t identifier, std::uint16_t sequence,
                                     SteadyClock::time_point deadline) {
    QByteArray buffer(65536, '\0');
    for (int left = remainingMs(deadline); left > 0; left = remainingMs(deadline)) {
        pollfd waiting{socket.fd(), POLLIN, 0};
        const int ready = ::poll(&waiting, 1, left);
        if (ready < 0 && errno != EINTR)
            return std::nullopt;
        if (ready <= 0)
            continue;
        sockaddr_in from{};
        socklen_t fromLength = sizeof from;
        const ssize_t n = ::recvfrom(socket.fd(), buffer.data(), buffer.size(), MSG_DONTWAIT,
                                     reinterpret_cast<sockaddr*>(&from), &fromLength);
        if (n < 0 || from.sin_addr.s_addr != destination)
            continue;
        const QByteArray message = icmpMessage(buffer.left(n), socket.raw());
        if (isOurReply(message, socket.raw(), identifier, sequence))
            return message;
    }
    return std::nullopt;
}

}  // namespace

int LinuxIcmpEcho::socketsStartup(std::uint16_t version, SocketsData& data) {
    const int major = version & 0xff;
    const int minor = version >> 8;
    if (major < 1)
        return kWsaVerNotSupported;
    const bool aboveHighest = major > 2 || (major == 2 && minor > 2);
    data.wVersion = aboveHighest ? kHighestVersion : version;
    data.wHighVersion = kHighestVersion;
    data.iMaxSockets = major < 2 ? kSocketsOfVersion1 : 0;
    ++m_startups;
    return 0;
}

int LinuxIcmpEcho::socketsCleanup() {
    if (m_startups == 0)
        return -1;
    --m_startups;
    return 0;
}

int LinuxIcmpEcho::sendEcho(std::uint32_t address, const QByteArray& data, int timeoutMs,
                            IcmpEchoReply& reply) {
    // The lowest byte is the first number of the address: network order in memory.
    const in_addr_t destination = htonl((address & 0xff) << 24 | (address & 0xff00) << 8 |
                                        (address >> 8 & 0xff00) | address >> 24);
    if (destination == htonl(INADDR_ANY)) {
        reply.Status = kIpBadDestination;
        return 0;
    }
    const EchoSocket socket;
    if (socket.fd() < 0) {
        reply.Status = kIpGeneralFailure;
        return 0;
    }
    const auto identifier = static_cast<std::uint16_t>(::getpid());
    const std::uint16_t sequence = ++m_sequence;
    const QByteArray request = echoRequest(identifier, sequence, data);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = destination;
    const auto sent = SteadyClock::now();
    if (::sendto(socket.fd(), request.constData(), request.size(), 0,
                 reinterpret_cast<const sockaddr*>(&to), sizeof to) < 0) {
        reply.Status = kIpGeneralFailure;
        return 0;
    }
    const auto deadline = sent + std::chrono::milliseconds(timeoutMs);
    const auto message = awaitReply(socket, destination, identifier, sequence, deadline);
    if (!message) {
        reply.Status = kIpReqTimedOut;
        return 0;
    }
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - sent);
    reply.Address = address;
    reply.Status = 0;
    reply.RoundTripTime = static_cast<std::uint32_t>(elapsed.count());
    reply.Data = message->mid(kHeaderSize);
    reply.DataSize = static_cast<std::uint16_t>(reply.Data.size());
    return 1;
}

}  // namespace vornelix::platform
