#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <optional>
#include <vector>

#include "profiles/new_profile.h"

namespace vornelix {

// The new profile's row; the values are bound, so names with quotes are stored as typed.
inline const QString kInsertNewProfile = QStringLiteral(
    "insert into Vornelix_profile "
    "(prof_name,hard_disk_path,hard_disk_size,cd_rom_path,cdrom_type,networking) "
    "values (?,?,?,?,?,?)");
// Only the row of this creation: its name and its folder.
inline const QString kDeleteNewProfile =
    QStringLiteral("delete from Vornelix_profile where prof_name = ? and hard_disk_path = ?");

// The values of kInsertNewProfile: the profile folder as path, the installation source
// untrimmed, its type trimmed, networking 0.
QVariantList newProfileValues(const NewProfile& profile);

// The label (1 to 4) that a step of the sequence shows as current; 0 for none.
int processingStepLabel(int step, bool startInstallation);

// The file in the program folder that names what an unfinished creation has made.
inline const QString kCreationRecordName = QStringLiteral("creation.pending");

// What one creation sequence makes, so that a failure leaves nothing of it behind. Each thing
// is named before it is made. A durable record also writes itself whole to its file before
// each thing is made, so that a creation killed at any moment is undone at the next start.
class CreationRecord {
  public:
    // A record kept in memory alone.
    CreationRecord() = default;
    // A record kept in <program folder>\creation.pending as well, once what an earlier one
    // left there is undone.
    static CreationRecord durable();

    // Before the INSERT of the row named so, for the profile folder; dropped again (never
    // undone) when the INSERT fails.
    void rowToInsert(const QString& profileName, const QString& folder);
    void rowNotInserted();
    // Before a folder that is not there is made; dropped again when it cannot be made.
    void folderToMake(const QString& folder);
    void folderNotMade();
    // Before a file that belongs to this creation alone is made.
    void fileToMake(const QString& file);
    // Before a tool writes files whose names begin with prefix into the folder: those not
    // there now are its temporary files.
    void temporariesOf(const QString& folder, const QString& prefix);

    // The creation is whole: nothing is undone any more and the file goes.
    void complete();
    // Deletes the files, then removes the folders, the last made first and each only when it
    // is empty, then the row; what cannot be removed stays. Forgets them all; the file goes
    // unless the row could not be deleted, so that the next start tries again.
    void undo();
    // At start: undoes what the file of a creation that never ended names, silently.
    static void undoUnfinished();

  private:
    struct Temporaries {
        QString folder;
        QString prefix;
        QStringList kept;
    };
    struct Row {
        QString name;
        QString folder;
    };

    // Writes the record whole to its file. Throws RuntimeError when it cannot: nothing may be
    // made that the record does not name.
    void save() const;
    bool deleteRow() const;
    QByteArray toJson() const;
    static CreationRecord fromJson(const QByteArray& json);

    QString m_file;  // empty: kept in memory alone
    std::optional<Row> m_row;
    QStringList m_folders;
    QStringList m_files;
    std::vector<Temporaries> m_temporaries;
};

}  // namespace vornelix
