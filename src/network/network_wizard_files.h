#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace vornelix {

// The two captions of the current-settings button of the host adapter page.
inline const QString kShowCurrentSettings = QStringLiteral("Show Current Settings");
inline const QString kChangeCurrentSettings = QStringLiteral("Change Current Settings");

// The companion files of the Network Settings Wizard, beside the program.

// How long Show Current Settings waits for netstat.bat, and what it says above the report
// when the batch file is still running by then.
inline constexpr int kCurrentSettingsWaitMs = 5000;
inline const QString kReportMayBeOld =
    QStringLiteral("netstat.bat has not finished within %1 seconds:\nthe report below may be old.")
        .arg(kCurrentSettingsWaitMs / 1000);

// Starts netstat.bat hidden in the program folder, waits for it to end (windows painted, at
// most kCurrentSettingsWaitMs) and reads what netstat.res holds; when the batch file has not
// ended by then, the report is headed by kReportMayBeOld. The empty report when there is no
// such file or it cannot be read.
QString currentSettingsText();

// A page of the screenshot viewer: its title and its file in the program folder.
struct ScreenshotPage {
    QString title;
    QString file;
};

// The values of HelpPageSelector: the screenshots of the sharing page and of the Mac OS X page.
inline constexpr std::int16_t kHelpPageSharing = 1;
inline constexpr std::int16_t kHelpPageMacOsX = 2;

// The page that HelpPageSelector picks.
std::optional<ScreenshotPage> screenshotPage(std::int16_t helpPageSelector);

}  // namespace vornelix
