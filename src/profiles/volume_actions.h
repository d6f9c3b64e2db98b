#pragma once

#include <QString>
#include <cstdint>

namespace vornelix {

// Moves the open profile's volume image from the folder oldFolder into its profile folder on
// newDrive ("d:") and stores the new folder in the row; HardDiskPath then names it. Throws
// RuntimeError and changes no row when the row cannot be reached, a folder cannot be made or
// the image cannot be moved (another image in the new folder among it). The image is never in
// neither place, and the row names its new folder only once it lies there.
void moveVolume(const QString& oldFolder, const QString& newDrive);

// Has the HD tool format the image of the folder afresh as a growable volume of sizeGB: a
// copy of the tool beside the image, started hidden in the folder, awaited, and deleted again.
// Throws RuntimeError, saying why, when the tool cannot be copied, started or fails; the image
// then stays as it was.
void quickFormatVolume(const QString& folder, std::int16_t sizeGB);

}  // namespace vornelix
