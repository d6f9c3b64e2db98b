#pragma once

#include <QString>
#include <optional>

namespace vornelix {

// The checks of the host adapter's address and subnet mask in the Network Settings Wizard.

inline const QString kAddressNotValid =
    QStringLiteral("IP Address is not valid. Entry should be from 0 to 233");
inline const QString kMaskNotValid =
    QStringLiteral("Subnet Mask is not valid. Entry should be from 0 to 233");

// The box for an address that answered the ping.
QString addressInUseMessage(const QString& address);

// The whole-number value of the text up to and including its first "." ("192.168.0.1" ->
// 192); 0 when the text has no "." or does not start with a number.
int firstOctet(const QString& address);

// Whether a text is a whole dotted address: four numbers of 0 to 255, separated by dots.
bool isDottedQuad(const QString& text);

// Whether a first octet is one the host adapter may take: 1 to 233.
bool isValidFirstOctet(int octet);

// The mask of the address class of a valid first octet: below 127 "255.0.0.0", 127 to 191
// "255.255.0.0", from 192 "255.255.255.0".
QString classMask(int octet);

// Leaving the address field: the mask of the address's class, or the address box and
// nothing when its first octet is not valid.
std::optional<QString> maskOnLeavingAddress(const QString& address);

// Next with the settings to be changed: checks that the address is a whole dotted address
// with a valid first octet, that the mask is a whole dotted address not starting with 0 and,
// by a ping, that no machine answers at the address; shows the box of the first check that fails.
// When all pass, stores both texts as HostIPAddress and HostSubnetMask and gives True.
bool storeHostAddress(const QString& address, const QString& mask);

}  // namespace vornelix
