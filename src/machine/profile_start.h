#pragma once

#include <QString>

namespace vornelix::frmProcessing {

inline const QString kNoVolumeMessage =
    QStringLiteral("This Profile has no HFS partition, please complete this profile first.");
inline const QString kNoInstallationPathMessage =
    QStringLiteral("This Profile has no installation path, please complete this profile first.");
inline const QString kLaunchFailedMessage =
    QStringLiteral("There was an error in your profile. Press OK to get help.");
inline const QString kDatabaseHeldMessage = QStringLiteral(
    "Vornelix files exclusively opened by another User\r\n"
    "Please close the Database and then start Vornelix Again");

// Starts the open profile on the engine: writes the configuration file, shows the machine
// window with its start animation, starts and embeds the engine, and arms the network poll.
// Returns when the start has succeeded, was refused or abandoned, or has failed.
void Power_on();

// True from the start of Power_on until it returns: a second start must wait for it.
bool isStartInProgress();

}  // namespace vornelix::frmProcessing
