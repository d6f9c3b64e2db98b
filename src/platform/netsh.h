#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace vornelix::platform {

// The one netsh command the program runs: give a connection a static address and mask and
// no gateway. On Linux the connection is a network interface, switched with iproute2.
struct StaticAddressCommand {
    QString connection;
    QString address;
    int prefix = 0;  // the mask as a prefix length
};

// The parts of
//   netsh interface ip set address name="<connection>" static <address> <mask> none
// or nothing for any other text, for an address or mask that is not four decimal numbers
// from 0 to 255, for a mask whose ones do not stand together at its start, and for a
// connection that cannot be the name of a Linux interface.
std::optional<StaticAddressCommand> parseNetshStaticAddress(const QString& commandLine);

// The prefix length of a dotted mask ("255.255.255.0" -> 24); nothing when it is not one.
std::optional<int> maskPrefix(const QString& mask);

// The ip runs that carry out the command, in order: remove every address of the interface,
// then add the new one.
QList<QStringList> ipArguments(const StaticAddressCommand& command);

// Carries out a netsh command line of the one known form with ip, without a shell and without
// waiting for the address to be set; any other command line is refused and runs nothing.
// True when the runs were started.
bool startNetsh(const QString& commandLine);

}  // namespace vornelix::platform
