#include "profiles/volume_choice.h"

#include <cmath>

#include "platform/file_system.h"

namespace vornelix {

QString driveListEntry(QChar letter, const QString& hostFolder) {
    return QStringLiteral("%1: [%2]").arg(letter.toLower(), hostFolder);
}

std::int64_t freeGigabytes(std::int64_t freeBytes) {
    const double gigabytes = static_cast<double>(freeBytes) / 1024 / 1024 / 1024;
    // The default rounding mode takes a half to the even neighbour.
    return static_cast<std::int64_t>(std::nearbyint(gigabytes));
}

QString volumeRefusal(const QString& fileSystem, bool growable, int sizeGB, std::int64_t freeGB) {
    if (growable && !platform::FileSystem::holdsLargeSparseFiles(fileSystem))
        return kGrowableNeedsNtfsMessage;
    if (sizeGB > freeGB)
        return QStringLiteral("Available space %1 GB is less than required %2 GB.")
            .arg(freeGB)
            .arg(sizeGB);
    return QString();
}

}  // namespace vornelix
