#pragma once

#include <QString>

#include "forms/message_title.h"
#include "machine/open_profile.h"

namespace vornelix {

// The messages of the main window's commands.
inline const QString kNoProfileToRunMessage =
    QStringLiteral("No profile is open, please open a profile to run");
inline const QString kAlreadyRunningMessage = QStringLiteral("Already running a profile.");
inline const QString kStopNotRunningMessage = QStringLiteral("No Profile is running.");
inline const QString kNotRunningMessage = QStringLiteral("No Profile is running");
inline const QString kNoProfileOpenMessage = QStringLiteral("No profile is open.");

}  // namespace vornelix
