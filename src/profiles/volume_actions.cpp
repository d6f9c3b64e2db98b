#include "profiles/volume_actions.h"

#include "profiles/hd_tool.h"

#include "machine/basic_text.h"
#include "machine/global_variables.h"
#include "machine/volume_layout.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/processes.h"
#include "platform/runtime_error.h"
#include "platform/services.h"
#include "platform/user_interface.h"
#include "profiles/profile_settings.h"
#include "profiles/profile_settings_store.h"

namespace vornelix {

namespace {

constexpr std::int32_t kErrFileAccess = 75;

[[noreturn]] void fail(const QString& description) {
    throw platform::RuntimeError(kErrFileAccess, description);
}

void moveImage(const QString& from, const QString& to) {
    const platform::WaitCursorScope waiting;
    const QString why = platform::files().moveFileKeepingSparse(from, to);
    if (!why.isEmpty())
        fail("The volume image cannot be moved. " + why);
}

}  // namespace

void moveVolume(const QString& oldFolder, const QString& newDrive) {
    GlobalVariablesModule& g = gv();
    const QString oldImage = volumeImage(oldFolder);
    if (!platform::files().fileExists(oldImage))
        fail("There is no volume image " + oldImage + ".");
    // The row must be reachable before anything moves.
    readSettingsRow();
    g.HardDiskPath = volumeRoot(newDrive);
    const QString newImage = volumeImage(profileFolder(newDrive, g.ProfileName));
    try {
        CreateVolumeFolder();
        moveImage(oldImage, newImage);
    } catch (const platform::RuntimeError&) {
        g.HardDiskPath = oldFolder;
        throw;
    }
    try {
        UpdateProfileVolume();
    } catch (const platform::RuntimeError&) {
        // The row still names the old folder: the image goes back there.
        platform::files().moveFileKeepingSparse(newImage, oldImage);
        g.HardDiskPath = oldFolder;
        throw;
    }
}

void quickFormatVolume(const QString& folder, std::int16_t sizeGB) {
    // The tool replaces the image only with a whole new one: a failure leaves it as it was.
    if (const std::optional<QString> why = HdTool::run(folder, sizeGB))
        fail(HdTool::failureMessage(*why));
}

}  // namespace vornelix
