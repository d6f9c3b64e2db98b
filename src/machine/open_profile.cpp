#include "machine/open_profile.h"

#include "machine/basic_text.h"
#include "machine/global_variables.h"
#include "platform/file_system.h"
#include "platform/services.h"
#include "platform/user_interface.h"

namespace vornelix {

namespace {

// The file a picked shared drive is looked for as: the pick without blanks around it, with
// ".dsk" appended unless it already ends so in any letter case; empty when nothing was picked.
QString sharedDriveFileName(const QString& picked) {
    QString path = trimBlanks(picked);
    if (path.isEmpty())
        return path;
    if (path.right(4).toLower() != kSharedDriveExtension)
        path += kSharedDriveExtension;
    return path;
}

}  // namespace

void pickSharedDriveFile(const QString& missingTitle) {
    const std::optional<QString> picked =
        platform::ui().openFile({QString(), kSharedDriveFilter, QString()});
    const QString path = picked ? sharedDriveFileName(*picked) : QString();
    if (path.isEmpty())
        return;
    if (platform::files().fileExists(path))
        gv().SharedDrivePath = path;
    else
        platform::ui().message(kNoSharedDriveMessage, missingTitle);
}

}  // namespace vornelix
