#pragma once

#include <QString>

namespace vornelix::ProfileStart {

inline const QString kNoVolumeMessage =
    QStringLiteral("This Profile has no HFS partition, please complete this profile first.");
inline const QString kNoInstallationPathMessage =
    QStringLiteral("This Profile has no installation path, please complete this profile first.");
inline const QString kLaunchFailedMessage =
    QStringLiteral("There was an error in your profile. Press OK to get help.");
inline const QString kDatabaseHeldMessage = QStringLiteral(
    "Vornelix files exclusively opened by another User\r\n"
    "Please close the Database and then start Vornelix Again");

inline QString unsafeValueMessage(const QString& what, const QString& value) {
    return QStringLiteral("This Profile cannot be started: its ") + what +
           QStringLiteral(" holds a line break, a control character or a double quote:\r\n") +
           value;
}

// Starts the open profile on the engine: writes the configuration file, shows the machine
// window with its start animation, starts and embeds the engine, and arms the network poll.
// Returns when the start has succeeded, was refused or abandoned, or has failed.
void Power_on();

}  // namespace vornelix::ProfileStart
