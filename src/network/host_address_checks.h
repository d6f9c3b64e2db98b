#pragma once

#include <QString>
#include <optional>

namespace vornelix {

// The checks of the host adapter's address and subnet mask in the Network Settings Wizard.

inline const QString kAddressNotValid =
    QStringLiteral("IP Address is not valid. Entry should be from 0 to 233");
inline const QString kMaskNotValid =
    QStringLiteral("Subnet Mask is not valid. Entry should be from 0 to 233");

// Leaving the address field: the mask of the address's class, or the address box and
// nothing when its first octet is not valid.
std::optional<QString> maskOnLeavingAddress(const QString& address);

// Next with the settings to be changed: checks that the address is a whole dotted address
// with a valid first octet, that the mask is a whole dotted address not starting with 0 and,
// by a ping, that no machine answers at the address; shows the box of the first check that fails.
// When all pass, stores both texts as HostIPAddress and HostSubnetMask and gives True.
bool storeHostAddress(const QString& address, const QString& mask);

}  // namespace vornelix
