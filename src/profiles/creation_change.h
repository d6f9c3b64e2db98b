#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

#include "profiles/folder_change.h"
#include "profiles/profile_folders.h"

namespace vornelix {

// What one creation of a profile makes, so that a failure leaves nothing of it behind: its row
// (told from a row of the same name that was there by the rows stored before it), the volume
// root and the profile folder when they were not there, and in the profile folder the image,
// its partial file, the HD tool's copy and what the tool makes. The row and the image of a
// volume that became whole always stay.
class CreationChange final : public FolderChange, public FolderSteps {
  public:
    QString kind() const override { return kKind; }
    QString what() const override;
    bool possible() const override;
    QJsonObject toJson() const override;
    static CreationChange fromJson(const QJsonObject& json);

    // Before the INSERT of the profile's row: the highest row id stored now (0 for none),
    // which every row of this creation exceeds. Dropped again when the INSERT fails.
    void rowToInsert(const QString& profileName, const QString& folder, std::int64_t rowsBefore);
    void rowNotInserted();
    QString folderToMake(const QString& folder) override;
    void folderNotMade(const QString& folder) override;
    // The image is whole: from now on the row and the image stay whatever happens.
    void volumeWhole();

    // The creation failed while the program watched: takes away what it made, what the tool
    // made in a folder that was there among it. What stays is kept in the record for the next
    // start; the text that tells it, or the empty text.
    QString undo();

    static inline const QString kKind = QStringLiteral("creation");

  protected:
    bool isOwnFileName(const QString& name) const override;
    QString shownFile(const QString& folder, const QString& name) const override;
    Settlement settle() override;
    QString unfinishedAtStart() const override;
    QString unwritten() const override;

  private:
    struct Made {
        QString folder;
        QString host;
    };
    // After a kill the tool's entries in a folder that was there are only listed; a live
    // failure takes them away.
    Settlement clear(bool live);
    void clearFolder(const QString& folder, bool live, Settlement& settled);
    // The image was given its name: the partial file this creation named is gone and the
    // image is there.
    bool renamedIntoPlace(const QString& folder) const;
    bool made(const QString& folder) const;
    QList<Leftover> clearFolders(const QString& folder) const;
    std::optional<Leftover> deleteRow() const;

    std::optional<std::int64_t> m_rowsBefore;  // set while the row is this creation's to insert
    std::vector<Made> m_made;
    bool m_whole = false;
};

// A new name for a partial image in a folder, of one creation alone:
// hdimage.img.<16 hex>.partial.
QString newPartialImageName();

}  // namespace vornelix
