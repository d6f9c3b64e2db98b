#pragma once

#include <QString>

namespace vornelix {

inline const QString kSharedDriveExtension = QStringLiteral(".dsk");
// The shared-drive picker's one filter entry; its description starts with a blank.
inline const QString kSharedDriveFilter = QStringLiteral(" (*.dsk)|*.dsk");
inline const QString kNoSharedDriveMessage = QStringLiteral("No Shared Drive found");
inline const QString kMissingFilesMessage = QStringLiteral("Missing some Vornelix files ");
inline const QString kNoProfileMessage =
    QStringLiteral("There is no profile, Please create profile first.");

// The shared-drive picker: a picked file that exists becomes SharedDrivePath; a missing one is
// reported in a box with that title (empty: the program title) and changes nothing, as a
// cancel does.
void pickSharedDriveFile(const QString& missingTitle);

}  // namespace vornelix
