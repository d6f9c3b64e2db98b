#pragma once

#include <QJsonObject>
#include <QString>

#include "profiles/folder_change.h"

namespace vornelix {

// What one quick format of a profile's volume makes: the HD tool's copy in the profile folder
// when none was there, and what the tool makes beside the image. The image itself is the
// tool's to replace; what it is like after a stop is told by whether it is still the file it
// was (same file, size and time of change).
class FormatChange final : public FolderChange {
  public:
    QString kind() const override { return kKind; }
    QString what() const override;
    bool possible() const override;
    QJsonObject toJson() const override;
    static FormatChange fromJson(const QJsonObject& json);

    // The format of the profile's volume in the folder (a drive path) is about to begin: the
    // image as it is now, and the folder's identity. Throws RuntimeError when the folder
    // cannot be read.
    void forVolume(const QString& profileName, const QString& folder);

    // The tool failed while the program watched: its copy and what it made go. What stays is
    // kept in the record for the next start; the text that tells it, or the empty text.
    QString undo();

    static inline const QString kKind = QStringLiteral("format");

  protected:
    bool isOwnFileName(const QString& name) const override;
    Settlement settle() override;
    QString unfinishedAtStart() const override;
    QString unwritten() const override;

  private:
    Settlement clear(bool live);
    // The image as it is now: its identity, size and time of change.
    QString imageStamp() const;

    QString m_image;  // imageStamp() when the format began
};

}  // namespace vornelix
