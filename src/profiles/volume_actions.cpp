#include "profiles/volume_actions.h"

#include "profiles/hd_tool.h"

#include "forms/busy_state.h"
#include "machine/global_variables.h"
#include "machine/volume_layout.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/runtime_error.h"
#include "platform/services.h"
#include "platform/user_interface.h"
#include "profiles/profile_settings_store.h"

namespace vornelix {

namespace {

[[noreturn]] void fail(const QString& description) {
    throw platform::RuntimeError(platform::kErrPathFileAccess, description);
}

}  // namespace

void moveVolume(const QString& oldFolder, const QString& newDrive) {
    const BusyScope busy(BusyWork::VolumeMove);
    const platform::WaitCursorScope waiting;
    GlobalVariablesModule& g = gv();
    const QString oldImage = volumeImage(oldFolder);
    if (!platform::files().fileExists(oldImage))
        fail("There is no volume image " + oldImage + ".");
    // The row must be reachable before anything moves.
    readSettingsRow();
    g.HardDiskPath = volumeRoot(newDrive);
    platform::HostFileMove move =
        platform::files().fileMove(oldImage, volumeImage(profileFolder(newDrive, g.ProfileName)));
    try {
        CreateVolumeFolder();
        // The image lies whole in both folders before the row names the new one.
        if (const QString why = move.place(); !why.isEmpty())
            fail("The volume image cannot be moved. " + why);
        platform::clock().processPaintEvents();
        UpdateProfileVolume();
    } catch (const platform::RuntimeError&) {
        // The row still names the old folder, which still holds the image.
        move.undo();
        g.HardDiskPath = oldFolder;
        throw;
    }
    platform::clock().processPaintEvents();
    // An old image that cannot be deleted only costs room.
    move.commit();
}

void quickFormatVolume(const QString& folder, std::int16_t sizeGB) {
    // The tool replaces the image only with a whole new one: a failure leaves it as it was.
    if (const std::optional<QString> why = HdTool::run(folder, sizeGB))
        fail(HdTool::failureMessage(*why));
}

}  // namespace vornelix
