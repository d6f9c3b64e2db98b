#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace vornelix {

// The companion files of the Network Settings Wizard, beside the program.

inline const QString kShowCurrentSettings = QStringLiteral("Show Current Settings");
inline const QString kChangeCurrentSettings = QStringLiteral("Change Current Settings");

// Starts netstat.bat hidden in the program folder, without waiting for it, and at once reads
// what netstat.res holds: the output of this run or of an earlier one. The empty text when
// there is no such file or it cannot be read.
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
