#include "profiles/volume_actions.h"

#include "profiles/hd_tool.h"

#include "forms/busy_state.h"
#include "forms/error_boundary.h"
#include "machine/volume_layout.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/runtime_error.h"
#include "platform/services.h"
#include "platform/user_interface.h"
#include "profiles/move_record.h"
#include "profiles/profile_settings_store.h"

namespace vornelix {

namespace {

[[noreturn]] void fail(const QString& description) {
    throw platform::RuntimeError(platform::kErrPathFileAccess, description);
}

// Why a move does not go on: another image lies at the path image ("d:\...\hdimage.img").
QString otherImageMessage(const QString& image) {
    return image +
           " holds another volume image. Move or delete that file, or choose another drive, "
           "then press Apply again.";
}

// Refuses a move whose destination reaches the image itself (a drive that is another name of
// the old one's folder, or a link to it) or whose image another program holds open.
void refuseToMove(const platform::HostFileMove& move, const QString& oldImage,
                  const QString& newImage) {
    const platform::FileSystem& files = platform::files();
    if (platform::sameName(files.hostPath(oldImage), files.hostPath(newImage)))
        fail(newImage +
             " is this profile's volume image already, reached by another name. Nothing was "
             "moved; choose another drive, then press Apply again.");
    if (move.inUse())
        fail("The volume image cannot be moved. " + platform::inUseMessage(oldImage) +
             ". Stop the profile that uses it, then press Apply again.");
}

// Puts the image at its new path while the old one still holds it. An image there already
// that is this one, under a second name or as a whole copy, is what a stopped move left: it
// is taken as placed. Any other image there is never replaced.
void placeImage(platform::HostFileMove& move, const QString& newImage) {
    if (platform::files().fileExists(newImage)) {
        if (!move.adopt())
            fail(otherImageMessage(newImage));
    } else if (const QString why = move.place(); !why.isEmpty()) {
        fail("The volume image cannot be moved. " + why);
    }
}

}  // namespace

QString moveVolume(const QString& name, std::int16_t sizeGB, const QString& oldFolder,
                   const QString& newDrive) {
    const BusyScope busy(BusyWork::VolumeMove);
    const platform::WaitCursorScope waiting;
    const QString oldImage = volumeImage(oldFolder);
    if (!platform::files().fileExists(oldImage))
        fail("There is no volume image " + oldImage + ".");
    // The row must be reachable before anything moves.
    readSettingsRow(name);
    const QString newFolder = profileFolder(newDrive, name);
    const QString newImage = volumeImage(newFolder);
    platform::HostFileMove move = platform::files().fileMove(oldImage, newImage);
    refuseToMove(move, oldImage, newImage);
    MoveRecord record = MoveRecord::begin(name, oldFolder, newFolder);
    move.setBeforeNaming([&record](platform::HostFileMove::Placement placement,
                                   const platform::FileIdentity& identity) {
        record.imageToName(placement, identity);
    });
    try {
        CreateVolumeFolder(newDrive, name, record);
        // The image lies whole in both folders before the row names the new one.
        placeImage(move, newImage);
        platform::clock().doEvents();
        UpdateProfileVolume(name, newFolder, sizeGB);
    } catch (...) {
        // The row still names the old folder, which still holds the image. What cannot be
        // taken away now stays in the record for the next start.
        move.undo();
        record.undo();
        throw;
    }
    platform::clock().doEvents();
    move.commit();
    if (const QString left = record.finish(); !left.isEmpty())
        showMessage("The volume is now in " + newFolder + ". " + left + kTriedAgainAtNextStart);
    return newFolder;
}

void quickFormatVolume(const QString& folder, std::int16_t sizeGB) {
    const BusyScope busy(BusyWork::QuickFormat);
    // The tool replaces the image only with a whole new one: a failure leaves it as it was.
    if (const std::optional<QString> why = HdTool::run(folder, sizeGB))
        fail(HdTool::failureMessage(*why));
}

}  // namespace vornelix
