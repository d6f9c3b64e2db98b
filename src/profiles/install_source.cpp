#include "profiles/install_source.h"

#include "machine/basic_text.h"

namespace vornelix {

QString insertCdMessage(const QString& drive, const QString& answer) {
    return QStringLiteral("Please insert a valid Mac instalation CD in ") + drive +
           QStringLiteral(" Drive\r\nNeed more help on it please press ") + answer +
           QStringLiteral(".");
}

bool asksForMissingImage(bool fromCd, const QString& imagePath) {
    return !fromCd && trimBlanks(imagePath).isEmpty();
}

FinishOutcome finishOutcome(bool fromCd, const QString& cdDrive, const QString& imagePath) {
    if (fromCd) {
        const QString path = trimBlanks(cdDrive).isEmpty() ? kNoSourcePath : cdDrive;
        return {true, QStringLiteral("nativecdrom"), path, kCreatingFromCdMessage};
    }
    const QString image = trimBlanks(imagePath);
    if (image.isEmpty())
        return {false, QStringLiteral("cdrom"), kNoSourcePath, kNoSourceMessage};
    return {true, QStringLiteral("cdrom"), image, kCreatingFromImageMessage};
}

}  // namespace vornelix
