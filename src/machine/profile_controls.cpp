#include "machine/profile_controls.h"

#include <QCheckBox>
#include <QComboBox>

#include "forms/error_boundary.h"
#include "machine/global_variables.h"
#include "machine/module_general_functions.h"
#include "machine/open_profile.h"
#include "machine/ram_sizes.h"

namespace vornelix {

QStringList fillRamList(QComboBox& box) {
    const QStringList sizes = ramSizeItems(ModuleGeneralFunctions::GetTotalPhysicalMemory());
    box.addItems(sizes);
    box.setCurrentIndex(ramSizeSelection(sizes.size()));
    return sizes;
}

void CheckCdClicked(QCheckBox& cd, QCheckBox& sharedDrive) {
    if (cd.isChecked() && sharedDrive.isChecked())
        sharedDrive.setChecked(false);
}

void CheckShareDrvClicked(QCheckBox& cd, QCheckBox& sharedDrive, const QString& missingTitle) {
    if (sharedDrive.isChecked() && cd.isChecked())
        cd.setChecked(false);
    if (!sharedDrive.isChecked()) {
        gv().SharedDrivePath = QString();
        return;
    }
    ignoringErrors([&missingTitle] { pickSharedDriveFile(missingTitle); });
}

}  // namespace vornelix
