#pragma once

#include <QString>

namespace vornelix {

inline const QString kIsoFilter = QStringLiteral("ISO Files (*.iso)|*.iso");
inline const QString kNoCdRomMessage = QStringLiteral("No CD-ROM was detected");
inline const QString kNoImageQuestion =
    QStringLiteral("No ISO image selected. Really want to continue?");
inline const QString kNoSourceMessage =
    QStringLiteral("The Profile will be created with no installtion path.");
inline const QString kCreatingFromImageMessage =
    QStringLiteral("Now creating Profile and starting installation.");
inline const QString kCreatingFromCdMessage =
    QStringLiteral("Now creating Profile and starting installation. Make sure that CD is present.");
inline const QString kNoSourcePath = QStringLiteral("   ");

// What is said when the CD-ROM drive holds no readable disc; answer names the button that
// leads to help ("yes" where the box asks, "ok" where it only tells).
QString insertCdMessage(const QString& drive, const QString& answer);

// The installation source of a page's choice: the engine's CD-ROM type and path, and whether
// there is a source at all (the image option without a path has none).
struct InstallationSource {
    QString cdRomType;
    QString cdRomPath;
    bool given = false;
};
InstallationSource installationSource(bool fromCd, const QString& cdDrive,
                                      const QString& imagePath);

// What is said of an ISO image that is not there.
QString missingImageMessage(const QString& path);
// Whether an installation pass may go on with the source: without a source only when the user
// answers OK to kNoImageQuestion; an ISO image that is not there is refused with
// missingImageMessage.
bool sourceAccepted(const InstallationSource& source);

}  // namespace vornelix
