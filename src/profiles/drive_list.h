#pragma once

#include <QString>

#include "platform/drives.h"

class QComboBox;

namespace vornelix {

// Fills a drive list with the drives of the drive table, each as entry gives it, and selects
// the drive of the current folder, as a drive list does (the first drive when it is none).
void fillDriveList(QComboBox& list, QString (*entry)(const platform::Drive& drive));

}  // namespace vornelix
