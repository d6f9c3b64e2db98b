#pragma once

#include <QString>
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
inline const QString kDeleteNewProfile =
    QStringLiteral("delete from Vornelix_profile where prof_name = ?");

// The values of kInsertNewProfile: the profile folder as path, the installation source
// untrimmed, its type trimmed, networking 0.
QVariantList newProfileValues(const NewProfile& profile);

// The label (1 to 4) that a step of the sequence shows as current; 0 for none.
int processingStepLabel(int step, bool startInstallation);

// What one creation sequence has made, so that a failure leaves nothing of it behind.
class CreationRecord {
  public:
    void rowInserted(const QString& profileName) { m_row = profileName; }
    void folderMade(const QString& folder) { m_folders.push_back(folder); }
    void fileMade(const QString& file) { m_files.push_back(file); }

    // Deletes the files, then removes the folders, the last made first and each only when it
    // is empty, then the row; what cannot be removed stays. Forgets them all.
    void undo();

  private:
    std::optional<QString> m_row;
    std::vector<QString> m_folders;
    std::vector<QString> m_files;
};

}  // namespace vornelix
