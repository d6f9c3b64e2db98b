#pragma once

#include <QString>
#include <cstdint>
#include <optional>

#include "platform/icmp_echo.h"
#include "platform/user_interface.h"

namespace vornelix::ModulePing {

// Sends one echo request to the dotted address and waits up to 200 ms. The round-trip time
// in ms when a reply came back, else the negated Status of the record, which the caller
// passes zero-filled.
std::int32_t Ping(const QString& szAddress, platform::IcmpEchoReply& echo);

// The four numbers of a dotted address, the first in the lowest byte; 0 unless the text has
// exactly four parts that are numbers.
std::int32_t AddressStringToLong(const QString& tmp);

// What the sockets' start-up answered, when the program cannot use them: the box's text and
// its icon.
struct SocketsRefusal {
    QString text;
    platform::MsgIcon icon;
};

// The refusal of a start-up that returned result and filled data; nothing when the sockets
// can be used (version 1.1 or later, at least one socket).
std::optional<SocketsRefusal> startupRefusal(int result, const platform::SocketsData& data);

// Starts the sockets in version 1.1; a box and False when they cannot be used.
bool SocketsInitialize();

// Ends the use of the sockets; a box and False when that fails.
bool SocketsCleanup();

std::int16_t HiByte(std::int16_t wParam);
std::int16_t LoByte(std::int16_t wParam);

}  // namespace vornelix::ModulePing
