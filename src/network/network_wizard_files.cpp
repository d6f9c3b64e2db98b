#include "network/network_wizard_files.h"

#include "machine/basic_text.h"
#include "platform/file_system.h"
#include "platform/processes.h"
#include "platform/services.h"
#include "platform/user_interface.h"

namespace vornelix {

QString currentSettingsText() {
    const QString folder = platform::files().programFolder();
    const platform::StartResult run = platform::processes().start(
        inFolder(folder, "netstat.bat"), QString(), folder, platform::ShowCommand::Hide);
    bool ended = true;
    if (run.started()) {
        const platform::WaitCursorScope waiting;
        ended = platform::waitForEnd(run.pid, kCurrentSettingsWaitMs);
    }
    const QString report = QString::fromLocal8Bit(
        platform::files().readFile(inFolder(folder, "netstat.res")).value_or(QByteArray()));
    return ended ? report : kReportMayBeOld + "\n\n" + report;
}

std::optional<ScreenshotPage> screenshotPage(std::int16_t helpPageSelector) {
    switch (helpPageSelector) {
        case kHelpPageSharing:
            return ScreenshotPage{"Vornelix Screenshots of ICS Activation.", "Network_ics.htm"};
        case kHelpPageMacOsX:
            return ScreenshotPage{"Vornelix Screenshots of Network Settings in Mac OS X.",
                                  "Mac_network.htm"};
        default:
            return std::nullopt;
    }
}

}  // namespace vornelix
