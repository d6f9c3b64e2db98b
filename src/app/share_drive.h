#pragma once

#include <QString>
#include <cstdint>

namespace vornelix {

// The share-drive program beside the program, the marker file it is started with and the
// messages it understands.
inline const QString kShareDriveProgramName = QStringLiteral("chktarakh.ctq");
inline const QString kShareDriveMarkerName = QStringLiteral("pszFile");

inline constexpr std::uint32_t ShareDriveCmdNew = 11110;
inline constexpr std::uint32_t ShareDriveCmdOpen = 11111;
inline constexpr std::uint32_t ShareDriveCmdCopy = 11114;
inline constexpr std::uint32_t ShareDriveCmdPaste = 11115;

// How long a freshly started share-drive program is given to make its window, and how often
// it is looked for meanwhile.
inline constexpr int kShareDriveWaitMs = 3000;
inline constexpr int kShareDrivePollMs = 100;

inline const QString kShareDriveFailedMessage = QStringLiteral(
    "Vornelix Share Drive Module Failed ,Please report at "
    "https://support.example.com/vornelix");

// The two menu modes of the main window.
enum class MenuMode { Profile, ShareDrive };

}  // namespace vornelix
