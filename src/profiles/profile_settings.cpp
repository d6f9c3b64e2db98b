#include "profiles/profile_settings.h"

#include <cfenv>
#include <cmath>

#include "machine/basic_text.h"

namespace vornelix {

QString insertCdMessage(const QString& drive) {
    return "Please insert a valid Mac instalation CD in " + drive +
           " Drive\r\nNeed more help on it please press ok.";
}

QString lowSpaceMessage(double freeGB, std::int16_t sizeGB) {
    return "Available space " + numberText(freeGB) + " GB is less than required " +
           QString::number(sizeGB) + " GB.";
}

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
    return static_cast<int>(items.indexOf(numberText(stored)));
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

double freeGigabytes(std::int64_t freeBytes) {
    const double gb = static_cast<double>(freeBytes) / 1024 / 1024 / 1024;
    // The default rounding mode takes a half to the even neighbour.
    std::fesetround(FE_TONEAREST);
    return std::nearbyint(gb * 100) / 100;
}

QString numberText(double value) {
    return QString::number(value, 'g', 15);
}

std::optional<QString> destinationRefusal(const QString& newDrive, const QString& oldDrive,
                                          std::int16_t sizeGB, const platform::DriveInfo& drive) {
    if (newDrive == oldDrive)
        return kSameDestinationMessage;
    if (sizeGB > 4 && !platform::FileSystem::holdsLargeSparseFiles(drive.fileSystem))
        return kNtfsOnlyMessage;
    const double freeGB = freeGigabytes(drive.freeBytes);
    if (sizeGB > freeGB)
        return lowSpaceMessage(freeGB, sizeGB);
    return std::nullopt;
}

InstallationSource installationSource(bool fromCd, const QString& isoText, const QString& cdDrive) {
    const QString blanks = QStringLiteral("   ");
    if (fromCd)
        return {"nativecdrom", trimBlanks(cdDrive).isEmpty() ? blanks : cdDrive, true};
    const QString iso = trimBlanks(isoText);
    return {"cdrom", iso.isEmpty() ? blanks : iso, !iso.isEmpty()};
}

QString volumeFolder(const QString& drive, const QString& profileName) {
    return inFolder(inFolder(drive, kVolumeFolderName), profileName);
}

}  // namespace vornelix
