#pragma once

#include <QString>

namespace vornelix {

// The title of the main window's message boxes and the messages of its commands.
inline const QString kMessageTitle = QStringLiteral("Vornelix");
inline const QString kNoProfileToRunMessage =
    QStringLiteral("No profile is open, please open a profile to run");
inline const QString kAlreadyRunningMessage = QStringLiteral("Already running a profile.");
inline const QString kStopNotRunningMessage = QStringLiteral("No Profile is running.");
inline const QString kNotRunningMessage = QStringLiteral("No Profile is running");
inline const QString kNoProfileOpenMessage = QStringLiteral("No profile is open.");
inline const QString kNoProfileStoredMessage =
    QStringLiteral("There is no profile, Please create profile first.");

}  // namespace vornelix
