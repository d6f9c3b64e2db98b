#include "profiles/drive_list.h"

#include <QComboBox>

#include "platform/file_system.h"
#include "platform/services.h"

namespace vornelix {

void fillDriveList(QComboBox& list, QString (*entry)(const platform::Drive& drive)) {
    const platform::FileSystem& files = platform::files();
    const QString current = files.currentFolder().left(2).toLower();
    int selected = 0;
    for (const platform::Drive& drive : files.driveTable().drives()) {
        if (QString(drive.letter) + u':' == current)
            selected = list.count();
        list.addItem(entry(drive));
    }
    list.setCurrentIndex(selected);
}

}  // namespace vornelix
