#include "profiles/profile_settings.h"

#include "machine/basic_text.h"
#include "profiles/volume_space.h"

namespace vornelix {

VolumeLabels volumeLabels(const QVariant& hardDiskPath, const QVariant& hardDiskSize) {
    if (isNullValue(hardDiskPath))
        return {kNoVirtualDriveText, kNoVolumeSizeText};
    return {variantText(hardDiskPath), variantText(hardDiskSize) + kVolumeSizeSuffix};
}

int storedRamIndex(const QStringList& items, const QVariant& ramSize) {
    if (isNullValue(ramSize) || items.isEmpty())
        return -1;
    const double stored = ramSize.toDouble();
    if (stored <= 0 || stored >= items.last().toDouble())
        return -1;
    return static_cast<int>(items.indexOf(variantText(stored)));
}

std::optional<IdeSlaveChecks> ideSlaveChecks(const QVariant& ideSlaveDevice) {
    if (isNullValue(ideSlaveDevice))
        return std::nullopt;
    switch (ideSlaveDevice.toInt()) {
        case 0:
            return IdeSlaveChecks{false, false};
        case 1:
            return IdeSlaveChecks{true, false};
        case 2:
            return IdeSlaveChecks{false, true};
        default:
            return std::nullopt;
    }
}

int ideSlaveDevice(bool cd, bool sharedDrive) {
    return cd ? 1 : sharedDrive ? 2 : 0;
}

std::optional<QString> destinationRefusal(const QString& newDrive, const QString& oldDrive,
                                          std::int16_t sizeGB, const platform::DriveInfo& drive) {
    if (newDrive == oldDrive)
        return kSameDestinationMessage;
    if (sizeGB > 4 && !platform::FileSystem::holdsLargeSparseFiles(drive.fileSystem))
        return kNtfsOnlyMessage;
    if (!fitsInto(sizeGB, drive.freeBytes))
        return lowSpaceMessage(gigabytesRoundedDown(drive.freeBytes, 2), sizeGB);
    return std::nullopt;
}

}  // namespace vornelix
