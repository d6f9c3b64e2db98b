#pragma once

#include <QString>
#include <optional>

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

// The engine's CD-ROM type of an ISO image.
inline const QString kImageCdRomType = QStringLiteral("cdrom");

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

// What an installation pass tells the user before it goes on: without a source, from the
// CD-ROM drive, from an ISO image.
struct InstallationNotices {
    QString noSource;
    QString fromCd;
    QString fromImage;
};

// What the user is told of the pass that follows with this source.
QString installationNotice(const InstallationSource& source, const InstallationNotices& notices);

// The source of the profile's next installation start goes into CdRomType and CdRomPath; a
// given one opens the profile (ProfileOpen and the menus).
void takeInstallationSource(const InstallationSource& source);

// Profile Settings' Start Installation: RamSizeMB becomes the host's whole memory; the source
// of the choice must be accepted (sourceAccepted); an accepted one is taken
// (takeInstallationSource); then the user is told which pass follows. Returns the source, or
// nothing when the pass stops at the acceptance.
std::optional<InstallationSource> startInstallationPass(bool fromCd, const QString& cdDrive,
                                                        const QString& imagePath,
                                                        const InstallationNotices& notices);

}  // namespace vornelix
