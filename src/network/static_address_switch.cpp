#include "network/static_address_switch.h"

#include <algorithm>

#include "machine/basic_text.h"
#include "machine/global_variables.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/netsh.h"
#include "platform/services.h"

namespace vornelix {

namespace {

const QString kTriggerMark = QStringLiteral(".ras");

}  // namespace

std::optional<QString> triggerFileName(const QStringList& fileNames) {
    for (const QString& name : fileNames)
        if (name.contains(kTriggerMark, Qt::CaseInsensitive))
            return name;
    return std::nullopt;
}

QString connectionName(const QString& triggerFile) {
    return triggerFile.left(std::max<qsizetype>(0, triggerFile.size() - kTriggerMark.size()));
}

QString netshCommandLine(const QString& address, const QString& mask, const QString& connection) {
    return "netsh interface ip set address name=\"" + connection + "\" static " + address + " " +
           mask + " none";
}

void networkTimerTick(platform::Timer& networkTimer, std::int16_t& networkPollCount) {
    networkTimer.setEnabled(false);
    platform::clock().doEvents();
    if (networkPollCount > kLastNetworkPollCount)
        return;
    const QString folder = platform::files().programFolder();
    if (const auto trigger = triggerFileName(platform::files().fileNames(folder))) {
        ModuleGeneralFunctions::SetStaticIPAddress(gv().HostIPAddress, gv().HostSubnetMask,
                                                   connectionName(*trigger));
        platform::files().deleteFile(inFolder(folder, *trigger));
        return;
    }
    ++networkPollCount;
    networkTimer.setEnabled(true);
}

}  // namespace vornelix

namespace vornelix::ModuleGeneralFunctions {

void SetStaticIPAddress(const QString& IPAddress, const QString& SubnetMask,
                        const QString& ConnectionName) {
    platform::startNetsh(netshCommandLine(IPAddress, SubnetMask, ConnectionName));
}

}  // namespace vornelix::ModuleGeneralFunctions
