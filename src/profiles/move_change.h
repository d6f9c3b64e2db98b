#pragma once

#include <QJsonObject>
#include <QString>
#include <optional>
#include <vector>

#include "platform/sparse_move.h"
#include "profiles/change_record.h"
#include "profiles/profile_folders.h"

namespace vornelix {

// What one move of a volume image makes: the folders at the destination that were not there
// and the image's new name there (a second name, its only name, a copy, or an image that was
// there and is taken as the moved one). Both images and the folders are named by their drive
// paths and by the host paths they had when the move began, and the images by their
// identities: a drive table changed since then, or a record that names anything a move does
// not make, touches nothing else. A stopped move is finished when the profile's row names the
// moved image, undone when the row still names the original.
class MoveChange final : public Change, public FolderSteps {
  public:
    QString kind() const override { return kKind; }
    QString profile() const override { return m_profile; }
    QString what() const override;
    bool possible() const override;
    QJsonObject toJson() const override;
    static MoveChange fromJson(const QJsonObject& json);

    // The move of the profile's image from oldFolder to newFolder (drive paths). Throws
    // RuntimeError when there is no image in oldFolder.
    void forVolume(const QString& profileName, const QString& oldFolder, const QString& newFolder);

    QString folderToMake(const QString& folder) override;
    void folderNotMade(const QString& folder) override;
    // Before the image takes its name at the destination (see HostFileMove::BeforeNaming).
    void imageToName(platform::HostFileMove::Placement placement,
                     const platform::FileIdentity& identity);

    // The row names the moved image: the original goes, then the folders it leaves empty.
    // What stays is kept in the record for the next start; the text that tells it, or the
    // empty text.
    QString finish();
    // The row still names the original: what the move made at the destination goes, the
    // folders last; what stays is kept and told alike.
    QString undo();

    static inline const QString kKind = QStringLiteral("move");

  protected:
    Settlement settle() override;
    QString unfinishedAtStart() const override;
    QString unwritten() const override;

  private:
    struct Place {
        QString folder;  // drive path
        QString host;    // of the image, or of the folder
    };
    struct Named {
        platform::HostFileMove::Placement placement;
        platform::FileIdentity identity;
    };

    Settlement finished();
    Settlement undone();
    // Settles by the folder that the row names: finished, undone, or (neither) left alone.
    Settlement settleByRow(const QString& rowFolder);

    QString m_profile;
    Place m_from;
    Place m_to;
    std::optional<platform::FileIdentity> m_source;
    std::optional<Named> m_named;
    std::vector<Place> m_folders;
};

}  // namespace vornelix
