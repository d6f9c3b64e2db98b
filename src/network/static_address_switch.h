#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace vornelix::platform {
class Timer;
}

namespace vornelix {

// Scans of the program folder per arming of the network poll: while the count is 0 to 500.
inline constexpr std::int16_t kLastNetworkPollCount = 500;

// The first name that contains ".ras", in any case; nothing when none does.
std::optional<QString> triggerFileName(const QStringList& fileNames);

// The connection that a trigger file names: its name less the last 4 characters.
QString connectionName(const QString& triggerFile);

// netsh interface ip set address name="<connection>" static <address> <mask> none
QString netshCommandLine(const QString& address, const QString& mask, const QString& connection);

// One tick of the main window's network timer, with its count of empty scans: the timer is
// off while pending events run and the program folder is scanned. At the first trigger file
// the connection it names is switched to HostIPAddress and HostSubnetMask and the file is
// deleted; the poll is then over. Otherwise the count goes up and the timer runs on, until
// the tick after the last scan.
void networkTimerTick(platform::Timer& networkTimer, std::int16_t& networkPollCount);

}  // namespace vornelix

namespace vornelix::ModuleGeneralFunctions {

// Switches the connection to the static address and mask, without a gateway, through netsh;
// nothing waits for it, and its outcome is not looked at.
void SetStaticIPAddress(const QString& IPAddress, const QString& SubnetMask,
                        const QString& ConnectionName);

}  // namespace vornelix::ModuleGeneralFunctions
