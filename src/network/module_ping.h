#pragma once

#include <QString>
#include <cstdint>

#include "platform/icmp_echo.h"

namespace vornelix::ModulePing {

// Sends one echo request to the dotted address and waits up to 200 ms. The round-trip time
// in ms when a reply came back, else the negated Status of the record, which the caller
// passes zero-filled.
std::int32_t Ping(const QString& szAddress, platform::IcmpEchoReply& echo);

// The four numbers of a dotted address, the first in the lowest byte; 0 unless the text has
// exactly four parts that are numbers.
std::int32_t AddressStringToLong(const QString& tmp);

// Starts the sockets in version 1.1; a box and False when they cannot be used.
bool SocketsInitialize();

// Ends the use of the sockets; a box and False when that fails.
bool SocketsCleanup();

std::int16_t HiByte(std::int16_t wParam);
std::int16_t LoByte(std::int16_t wParam);

}  // namespace vornelix::ModulePing
