#include "profiles/volume_actions.h"

#include "profiles/hd_tool.h"

#include "forms/busy_state.h"
#include "forms/error_boundary.h"
#include "machine/basic_text.h"
#include "machine/volume_layout.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/runtime_error.h"
#include "platform/services.h"
#include "platform/user_interface.h"
#include "profiles/format_change.h"
#include "profiles/move_change.h"
#include "profiles/profile_folders.h"
#include "profiles/profile_settings_store.h"
#include "profiles/unfinished_changes.h"

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

// Makes the volume root of the drive and the profile's folder in it where missing, each named
// in the move's record first, and gives that folder. Throws when a folder cannot be made,
// saying which (by its drive path) and why.
QString CreateVolumeFolder(const QString& drive, const QString& name, MoveChange& record) {
    if (const std::optional<FolderNotMade> notMade = makeProfileFolder(drive, name, record))
        fail("The folder " + notMade->folder + " cannot be made: " + notMade->why +
             ". Choose another drive, then press Apply again.");
    return profileFolder(drive, name);
}

// Refuses a change of the profile's volume while what an earlier one left is not cleared up.
void refuseWhileUnsettled(const QString& name) {
    if (const QString refusal = UnfinishedChanges::refusalFor(name, false); !refusal.isEmpty())
        fail(refusal);
}

// Runs the steps; when one fails, settles what they made (settle gives what stays, or the
// empty text) and fails with what the user is told of both.
template <class Settle, class Steps>
void settlingOnFailure(Settle settle, Steps steps) {
    try {
        steps();
    } catch (const platform::RuntimeError& error) {
        const QString told = settle();
        if (told.isEmpty())
            throw;
        throw platform::RuntimeError(error.number(), error.description() + "\n\n" + told);
    } catch (...) {
        settle();
        throw;
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
    refuseWhileUnsettled(name);
    const QString newFolder = profileFolder(newDrive, name);
    const QString newImage = volumeImage(newFolder);
    platform::HostFileMove move = platform::files().fileMove(oldImage, newImage);
    refuseToMove(move, oldImage, newImage);
    MoveChange record;
    record.forVolume(name, oldFolder, newFolder);
    record.keepOnDisk();
    move.setBeforeNaming([&record](platform::HostFileMove::Placement placement,
                                   const platform::FileIdentity& identity) {
        record.imageToName(placement, identity);
    });
    settlingOnFailure([&] { return record.undo(); },
                      [&] {
                          CreateVolumeFolder(newDrive, name, record);
                          // The image lies whole in both folders before the row names the new one.
                          placeImage(move, newImage);
                          platform::clock().doEvents();
                          UpdateProfileVolume(name, newFolder, sizeGB);
                      });
    platform::clock().doEvents();
    if (const QString told = record.finish(); !told.isEmpty())
        showMessage(told);
    return newFolder;
}

void quickFormatVolume(const QString& name, const QString& folder, std::int16_t sizeGB) {
    const BusyScope busy(BusyWork::QuickFormat);
    refuseWhileUnsettled(name);
    FormatChange record;
    record.forVolume(name, folder);
    record.keepOnDisk();
    // The tool replaces the image only with a whole new one: a failure leaves it as it was.
    settlingOnFailure([&] { return record.undo(); },
                      [&] {
                          if (const std::optional<QString> why = record.runHdTool(sizeGB))
                              fail(HdTool::failureMessage(*why));
                      });
    record.complete();
}

}  // namespace vornelix
