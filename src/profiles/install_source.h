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

// What Finish hands to the creation: whether it installs from a source, the engine's CD-ROM
// type and path, and what the user is told.
struct FinishOutcome {
    bool withSource = false;
    QString cdRomType;
    QString cdRomPath;
    QString message;
};

// True when Finish must ask before creating a profile without an image.
bool asksForMissingImage(bool fromCd, const QString& imagePath);
// The outcome of Finish for the chosen source; an image source without a path (the question
// answered OK) creates the profile without a source.
FinishOutcome finishOutcome(bool fromCd, const QString& cdDrive, const QString& imagePath);

}  // namespace vornelix
