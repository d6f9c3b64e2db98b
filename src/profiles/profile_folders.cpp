#include "profiles/profile_folders.h"

#include "machine/basic_text.h"
#include "machine/volume_layout.h"
#include "platform/file_system.h"
#include "platform/host_files.h"
#include "platform/services.h"

namespace vornelix {

std::optional<FolderNotMade> makeProfileFolder(const QString& drive, const QString& name,
                                               FolderSteps& steps) {
    for (const QString& folder : {inFolder(drive, kVolumeRootName), profileFolder(drive, name)}) {
        if (platform::files().folderExists(folder))
            continue;
        if (const QString why = platform::makeHostFolder(steps.folderToMake(folder));
            !why.isEmpty()) {
            steps.folderNotMade(folder);
            return FolderNotMade{folder, why};
        }
    }
    return std::nullopt;
}

}  // namespace vornelix
