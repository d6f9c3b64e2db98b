#include "network/module_ping.h"

#include <QStringList>
#include <cmath>

#include "machine/basic_text.h"
#include "platform/services.h"
#include "platform/user_interface.h"

namespace vornelix::ModulePing {

namespace {

constexpr std::uint16_t kWsVersionRequested = 0x0101;
constexpr int kMinSocketsRequired = 1;
constexpr int kPingTimeoutMs = 200;
const QByteArray kEchoData = QByteArrayLiteral("Echo This");

// One part of a dotted address rounded to a whole number, only its low 8 bits counting;
// nothing when the part is not a number.
std::optional<std::uint32_t> addressPart(const QString& part) {
    bool ok = false;
    const double value = trimBlanks(part).toDouble(&ok);
    if (!ok || !std::isfinite(value) || std::fabs(value) >= 2147483648.0)
        return std::nullopt;
    return static_cast<std::uint32_t>(static_cast<std::int64_t>(std::nearbyint(value))) & 0xff;
}

}  // namespace

std::int32_t Ping(const QString& szAddress, platform::IcmpEchoReply& echo) {
    const std::int32_t address = AddressStringToLong(szAddress);
    SocketsInitialize();
    const int replies = platform::icmp().sendEcho(static_cast<std::uint32_t>(address), kEchoData,
                                                  kPingTimeoutMs, echo);
    const std::int32_t result = replies != 0 ? static_cast<std::int32_t>(echo.RoundTripTime)
                                             : -static_cast<std::int32_t>(echo.Status);
    SocketsCleanup();
    return result;
}

std::int32_t AddressStringToLong(const QString& tmp) {
    const QStringList parts = tmp.split(u'.');
    if (parts.size() != 4)
        return 0;
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        const std::optional<std::uint32_t> part = addressPart(parts[i]);
        if (!part)
            return 0;
        value = value << 8 | *part;
    }
    return static_cast<std::int32_t>(value);
}

std::optional<SocketsRefusal> startupRefusal(int result, const platform::SocketsData& data) {
    if (result != 0)
        return SocketsRefusal{QStringLiteral("Windows Sockets for 32 bit Windows environments is "
                                             "not successfully responding."),
                              platform::MsgIcon::None};
    const auto version = static_cast<std::int16_t>(data.wVersion);
    const int major = LoByte(version);
    const int minor = HiByte(version);
    if (major < 1 || (major == 1 && minor < 1))
        return SocketsRefusal{QStringLiteral("Windows Sockets Version %1.%2 is not supported by "
                                             "Windows Sockets for 32 bit Windows environments.")
                                  .arg(major)
                                  .arg(minor),
                              platform::MsgIcon::Exclamation};
    if (static_cast<std::int16_t>(data.iMaxSockets) < kMinSocketsRequired)
        return SocketsRefusal{
            QStringLiteral("This application requires a minimum of %1 supported sockets.")
                .arg(kMinSocketsRequired),
            platform::MsgIcon::Exclamation};
    return std::nullopt;
}

bool SocketsInitialize() {
    platform::SocketsData data;
    const int result = platform::icmp().socketsStartup(kWsVersionRequested, data);
    const std::optional<SocketsRefusal> refusal = startupRefusal(result, data);
    if (refusal)
        platform::ui().message(refusal->text, QString(), platform::MsgButtons::Ok, refusal->icon);
    return !refusal;
}

bool SocketsCleanup() {
    const int result = platform::icmp().socketsCleanup();
    if (result != 0) {
        platform::ui().message(
            QStringLiteral("Windows Sockets error %1 occurred in Cleanup.").arg(result), QString(),
            platform::MsgButtons::Ok, platform::MsgIcon::Exclamation);
        return false;
    }
    return true;
}

std::int16_t HiByte(std::int16_t wParam) {
    return static_cast<std::int16_t>((wParam / 256) & 255);
}

std::int16_t LoByte(std::int16_t wParam) {
    return static_cast<std::int16_t>(wParam & 255);
}

}  // namespace vornelix::ModulePing
