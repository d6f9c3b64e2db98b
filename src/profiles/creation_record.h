#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "platform/host_files.h"
#include "platform/processes.h"

namespace vornelix {

// The file in the program folder that names what an unfinished creation has made.
inline const QString kCreationRecordName = QStringLiteral("creation.pending");

// What one creation sequence makes, so that a failure leaves nothing of it behind: the row,
// the profile folder and the volume root above it when they were not there, and in the
// profile folder the image, its partial file, the tool copy and the files the HD tool makes.
// Nothing else is ever named, so nothing else is ever taken away. Each thing is named before
// it is made. A durable record also writes itself whole to its file before each thing is
// made, so that a creation killed at any moment is cleared at the next start; what cannot be
// cleared stays named and is tried again at the start after.
class CreationRecord {
  public:
    // A record kept in memory alone.
    CreationRecord() = default;
    // A record kept in <program folder>\creation.pending as well, once what an earlier one
    // left there is cleared. Throws RuntimeError when it is not, or the file cannot be written.
    static CreationRecord durable();

    // The profile whose folder all else lies in; set by rowToInsert or by the folder's making.
    void forProfile(const QString& profileName, const QString& folder);
    // Before the INSERT of the row named so, for the profile folder; dropped again (never
    // undone) when the INSERT fails.
    void rowToInsert(const QString& profileName, const QString& folder);
    void rowNotInserted();
    // Before the volume root or the profile folder, which is not there, is made; dropped again
    // when it cannot be made.
    void folderToMake(const QString& folder);
    void folderNotMade(const QString& folder);
    // The profile folder is there (made or found): what tells it from a later folder of the
    // same path.
    void folderReady();
    // Before a file of this creation alone is made in the profile folder: the image, its
    // partial file or the tool copy; any other name is refused (logic_error).
    void fileToMake(const QString& name);
    // Before the HD tool runs in the profile folder: when the folder was there, what is in it
    // now stays, all that comes later is the tool's (a folder made here goes whole anyway).
    void toolRunsHere();
    // The HD tool was started, leading a process group that ends if the creation does not.
    void toolStarted(std::int64_t pid);
    // The image is whole: from now on the row and the image stay whatever happens.
    void volumeWhole();

    // The creation is whole: nothing is taken away any more and the file goes.
    void complete();
    // Takes away what the creation made: ends the tool's group, deletes its files (the made
    // profile folder with all in it), removes the folders it made when empty, then the row;
    // a volume that is whole keeps its row and image. The drive paths of what stays, when
    // something cannot be cleared: the record keeps naming it (the file too) and no row goes
    // while its files stay. Forgets them all.
    QStringList undo();
    // At start: clears what the file of a creation that never ended names, and says what it
    // did. True when no such file is left.
    static bool undoUnfinished();

  private:
    // What undo did: the drive paths of what stays, and whether it took the creation away.
    struct Cleared {
        QStringList stays;
        bool undone = false;
    };
    Cleared clear();
    // The profile folder as this creation addressed it, found again by its host path, so that
    // a drive table changed since then finds the same folder or none; empty for none.
    QString folderNow() const;
    // What stays of the creation's files and folders in the folder (its drive path now).
    QStringList clearFiles(const QString& folder) const;
    QStringList clearFolders(const QString& folder) const;
    // False when the folder there now is not the one this creation made or found.
    bool ownsFolder(const QString& folder) const;
    // The files and folders the tool made in a folder that was there before it ran, when that
    // folder is known to be the one it ran in.
    QStringList toolEntries(const QString& folder) const;
    // The image was given its name: the partial file this creation named is gone and the
    // image is there.
    bool renamedIntoPlace(const QString& folder) const;
    // The name is a profile's and the folder that profile's folder on a volume root.
    bool namesAProfileFolder() const;
    // Writes the record whole to its file. Throws RuntimeError when it cannot: nothing may be
    // made that the record does not name.
    void save() const;
    bool deleteRow() const;
    QByteArray toJson() const;
    static CreationRecord fromJson(const QByteArray& json);

    QString m_file;  // empty: kept in memory alone
    QString m_name;
    QString m_folder;
    QString m_host;  // the profile folder's host path
    std::optional<platform::FileIdentity> m_folderId;
    bool m_row = false;
    bool m_madeRoot = false;
    bool m_madeFolder = false;
    bool m_whole = false;
    QStringList m_files;
    bool m_toolRan = false;
    QStringList m_kept;
    std::optional<platform::ProcessGroup> m_tool;
};

// A new name for a partial image in a folder, of this creation alone: hdimage.img.<hex>.partial.
QString newPartialImageName();

}  // namespace vornelix
