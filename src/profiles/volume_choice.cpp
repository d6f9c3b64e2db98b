#include "profiles/volume_choice.h"

#include "platform/file_system.h"

namespace vornelix {

QString driveListEntry(QChar letter, const QString& hostFolder) {
    return QStringLiteral("%1: [%2]").arg(letter.toLower(), hostFolder);
}

QString volumeRefusal(const QString& fileSystem, bool growable, int sizeGB,
                      std::int64_t freeBytes) {
    if (growable && !platform::FileSystem::holdsLargeSparseFiles(fileSystem))
        return kGrowableNeedsNtfsMessage;
    if (!fitsInto(sizeGB, freeBytes))
        return lowSpaceMessage(gigabytesRoundedDown(freeBytes, 0), sizeGB);
    return QString();
}

QString imageExistsMessage(const QString& folder) {
    return QStringLiteral("The folder ") + folder +
           QStringLiteral(
               " already holds a volume image; it is not replaced. Choose another "
               "drive, or remove the image first.");
}

}  // namespace vornelix
