#include "network/host_address_checks.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>

#include "forms/error_boundary.h"
#include "machine/basic_text.h"
#include "machine/global_variables.h"
#include "network/module_ping.h"

namespace vornelix {

namespace {

constexpr int kHighestFirstOctet = 233;
// Bounds the value of an absurdly long number before it is made whole.
constexpr double kOctetLimit = 1e6;

// The box for an address that answered the ping.
QString addressInUseMessage(const QString& address) {
    return address + " has been already in use. Please choose another IPAdress ";
}

// The whole-number value of the text up to and including its first "." ("192.168.0.1" ->
// 192); 0 when the text has no "." or does not start with a number.
int firstOctet(const QString& address) {
    const double value = leadingNumber(address.left(address.indexOf(u'.') + 1));
    return static_cast<int>(std::clamp(value, -kOctetLimit, kOctetLimit));
}

// Whether a text is a whole dotted address: four numbers of 0 to 255, separated by dots.
bool isDottedQuad(const QString& text) {
    static const QRegularExpression quad(
        QRegularExpression::anchoredPattern(QStringLiteral("[0-9]{1,3}(\\.[0-9]{1,3}){3}")));
    if (!quad.match(text).hasMatch())
        return false;
    const QStringList numbers = text.split(u'.');
    return std::all_of(numbers.begin(), numbers.end(),
                       [](const QString& number) { return number.toInt() <= 255; });
}

// Whether a first octet is one the host adapter may take: 1 to 233.
bool isValidFirstOctet(int octet) {
    return octet >= 1 && octet <= kHighestFirstOctet;
}

// The mask of the address class of a valid first octet.
QString classMask(int octet) {
    if (octet < 127)
        return QStringLiteral("255.0.0.0");
    if (octet < 192)
        return QStringLiteral("255.255.0.0");
    return QStringLiteral("255.255.255.0");
}

}  // namespace

std::optional<QString> maskOnLeavingAddress(const QString& address) {
    const int octet = firstOctet(address);
    if (!isValidFirstOctet(octet)) {
        showMessage(kAddressNotValid);
        return std::nullopt;
    }
    return classMask(octet);
}

bool storeHostAddress(const QString& address, const QString& mask) {
    if (!isDottedQuad(address) || !isValidFirstOctet(firstOctet(address))) {
        showMessage(kAddressNotValid);
        return false;
    }
    if (!isDottedQuad(mask) || firstOctet(mask) == 0) {
        showMessage(kMaskNotValid);
        return false;
    }
    platform::IcmpEchoReply echo;
    ModulePing::Ping(address, echo);
    if (echo.Status == 0) {
        showMessage(addressInUseMessage(address));
        return false;
    }
    gv().HostIPAddress = address;
    gv().HostSubnetMask = mask;
    return true;
}

}  // namespace vornelix
