#pragma once

#include <QString>
#include <QStringList>

class QCheckBox;
class QComboBox;

// Controls of a profile that the Open Profile and Profile Settings dialogs share.
namespace vornelix {

// Fills the RAM list from the host's memory and selects its largest size (none when it holds
// a single one); returns the sizes.
QStringList fillRamList(QComboBox& box);

// The CD-ROM and shared-drive boxes of a dialog, which exclude each other: checking one
// unchecks the other (whose own handler then runs).
void CheckCdClicked(QCheckBox& cd, QCheckBox& sharedDrive);
// Unchecked: SharedDrivePath becomes empty. Checked: the shared-drive picker runs; a missing
// file is reported in a box with that title; a failed pick leaves everything as it was.
void CheckShareDrvClicked(QCheckBox& cd, QCheckBox& sharedDrive, const QString& missingTitle);

}  // namespace vornelix
