#pragma once

#include <QString>
#include <QVariantList>

#include "profiles/new_profile.h"

namespace vornelix {

// The new profile's row; the values are bound, so names with quotes are stored as typed.
inline const QString kInsertNewProfile = QStringLiteral(
    "insert into Vornelix_profile "
    "(prof_name,hard_disk_path,hard_disk_size,cd_rom_path,cdrom_type,networking) "
    "values (?,?,?,?,?,?)");
// The values of kInsertNewProfile: the profile folder as path, the installation source
// untrimmed, its type trimmed, networking 0.
QVariantList newProfileValues(const NewProfile& profile);

}  // namespace vornelix
