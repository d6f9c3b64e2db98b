#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

#include "platform/sparse_move.h"

namespace vornelix {

// The file in the program folder that names what an unfinished volume move has made.
inline const QString kMoveRecordName = QStringLiteral("move.pending");
// Follows what a move left that could not be taken away yet.
inline const QString kTriedAgainAtNextStart =
    QStringLiteral(" The program tries again at its next start.");

// What one move of a volume image makes, written whole to <program folder>\move.pending before
// each thing is made, so that a move stopped at any moment is settled at the next start: it is
// finished when the profile's row names the moved image, undone when the row still names the
// original. Both images and the folders are named by their drive paths and by the host paths
// they had when the move began, and the images by their identities: a drive table changed
// since then, or a record that names anything a move does not make, touches nothing else.
class MoveRecord {
  public:
    // The record of the move of the profile's image from oldFolder to newFolder (drive
    // paths). An earlier move's record is settled first. Throws RuntimeError, and nothing is
    // made, when that one is still not settled or this one cannot be written.
    static MoveRecord begin(const QString& profile, const QString& oldFolder,
                            const QString& newFolder);

    // Before a missing folder at the destination is made: its host path. Dropped again when
    // it cannot be made.
    QString folderToMake(const QString& folder);
    void folderNotMade();
    // Before the image takes its name at the destination (see HostFileMove::BeforeNaming).
    void imageToName(platform::HostFileMove::Placement placement,
                     const platform::FileIdentity& identity);

    // Once the row names the moved image: the original goes, then the folders it leaves empty.
    // Once the row names the original again: what the move made at the destination goes, the
    // folders last. The file goes when all is done; otherwise it stays for the next start,
    // and the text says what is left (empty when nothing is).
    QString finish();
    QString undo();

    // At start: settles what the record of a move that never ended names, and says so.
    static void settleUnfinished();

  private:
    struct Place {
        QString folder;  // drive path
        QString host;    // of the image, or of the folder
    };
    struct Named {
        platform::HostFileMove::Placement placement;
        platform::FileIdentity identity;
    };
    struct Settled {
        QString told;  // what was done or is left; empty when there was nothing to do
        bool left = false;
    };

    static Settled settle();
    Settled settleByRow(const QString& rowFolder);
    bool namesOnlyWhatAMoveMakes() const;
    // The first sentence of what the start says: which move was not finished.
    QString unfinished() const;
    // Writes the record whole; false when it cannot.
    bool save() const;
    void drop() const;
    QByteArray toJson() const;
    static MoveRecord fromJson(const QByteArray& json);

    QString m_profile;
    Place m_from;
    Place m_to;
    platform::FileIdentity m_source;
    std::optional<Named> m_named;
    std::vector<Place> m_folders;
};

}  // namespace vornelix
