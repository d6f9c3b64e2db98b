#pragma once

#include <QString>

#include "machine/basic_text.h"

// Where a profile's volume lies: <drive>\Vornelix_HD\<profile name>\hdimage.img.
namespace vornelix {

inline const QString kVolumeRootName = QStringLiteral("Vornelix_HD");
inline const QString kVolumeImageName = QStringLiteral("hdimage.img");

// The volume root of a drive with its trailing backslash: "d:\Vornelix_HD\".
inline QString volumeRoot(const QString& drive) {
    return inFolder(drive, kVolumeRootName) + u'\\';
}

// A profile's folder on a drive: "d:\Vornelix_HD\Tiger".
inline QString profileFolder(const QString& drive, const QString& profileName) {
    return volumeRoot(drive) + profileName;
}

// The volume image in a profile folder: "d:\Vornelix_HD\Tiger\hdimage.img".
inline QString volumeImage(const QString& folder) {
    return inFolder(folder, kVolumeImageName);
}

}  // namespace vornelix
