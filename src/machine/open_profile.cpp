#include "machine/open_profile.h"

#include "machine/basic_text.h"

namespace vornelix {

QString sharedDriveFileName(const QString& picked) {
    QString path = trimBlanks(picked);
    if (path.isEmpty())
        return path;
    if (path.right(4).toLower() != kSharedDriveExtension)
        path += kSharedDriveExtension;
    return path;
}

}  // namespace vornelix
