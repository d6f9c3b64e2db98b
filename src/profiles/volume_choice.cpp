#include "profiles/volume_choice.h"

#include <cmath>

#include "platform/file_system.h"

namespace vornelix {

QString driveListEntry(QChar letter, const QString& hostFolder) {
    return QStringLiteral("%1: [%2]").arg(letter.toLower(), hostFolder);
}

std::int64_t freeGigabytes(std::int64_t freeBytes) {
    return static_cast<std::int64_t>(roundedGigabytes(freeBytes, 0));
}

QString volumeRefusal(const QString& fileSystem, bool growable, int sizeGB, std::int64_t freeGB) {
    if (growable && !platform::FileSystem::holdsLargeSparseFiles(fileSystem))
        return kGrowableNeedsNtfsMessage;
    if (sizeGB > freeGB)
        return lowSpaceMessage(static_cast<double>(freeGB), sizeGB);
    return QString();
}

}  // namespace vornelix
