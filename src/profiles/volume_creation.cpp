#include "profiles/volume_creation.h"

#include "forms/error_boundary.h"
#include "machine/basic_text.h"
#include "machine/global_variables.h"
#include "machine/volume_layout.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/runtime_error.h"
#include "platform/services.h"
#include "platform/user_interface.h"
#include "profiles/hd_tool.h"
#include "profiles/module_rar.h"
#include "profiles/profile_folders.h"
#include "profiles/volume_choice.h"

namespace vornelix::VolumeCreation {

namespace {

// A failure that is told in a box titled "Vornelix".
struct TitledFailure {
    QString message;
};

void require(bool done, const QString& description) {
    if (!done)
        throw platform::RuntimeError(platform::kErrPathFileAccess, description);
}

void makeFixedVolume(const NewProfile& profile, CreationChange& record) {
    platform::clock().doEvents();
    showMessage(kFormattingMessage);
    // A name of this creation's own: a file of the user's is never written or taken.
    const QString name = newPartialImageName();
    const QString partial = inFolder(profile.folder(), name);
    record.fileToMake(name);
    ModuleRAR::RARExecuteOrThrow(partial, 0, imageArchivePath(profile.sizeGB), QString());
    const QString why = platform::files().renameWithoutReplacing(partial, profile.image());
    require(why.isEmpty(), QStringLiteral("The volume image cannot be named ") + profile.image() +
                               QStringLiteral(". ") + why);
    record.volumeWhole();
}

void makeGrowableVolume(const NewProfile& profile, CreationChange& record) {
    if (const std::optional<QString> why =
            record.runHdTool(profile.sizeGB, [&record] { record.volumeWhole(); }))
        throw TitledFailure{HdTool::failureMessage(*why)};
}

void makeVolumeSteps(const NewProfile& profile, CreationChange& record) {
    platform::clock().doEvents();
    CreateProfileFolder(profile, record);
    // The folder may have been given an image since the wizard page checked it.
    if (platform::files().fileExists(profile.image()))
        throw TitledFailure{imageExistsMessage(profile.folder())};
    // No image was there: the one made now, whole or in part, belongs to this creation.
    record.fileToMake(kVolumeImageName);
    if (!profile.growable)
        return makeFixedVolume(profile, record);
    makeGrowableVolume(profile, record);
}

}  // namespace

QString imageArchivePath(int sizeGB) {
    return inFolder(platform::files().programFolder(),
                    QStringLiteral("vornelix_hd_%1gb.rar").arg(sizeGB));
}

void CreateProfileFolder(const NewProfile& profile, CreationChange& record) {
    record.forProfile(profile.name, profile.folder());
    require(!makeProfileFolder(profile.drive, profile.name, record),
            QStringLiteral("Path/File access error"));
    record.folderReady();
    gv().HardDiskPath = profile.folder();
}

bool my_new_Timer(const NewProfile& profile, CreationChange& record) {
    // Whatever goes wrong leaves nothing that the creation made behind, once it is told.
    try {
        makeVolumeSteps(profile, record);
        record.complete();
        return true;
    } catch (const ModuleRAR::ArchiveFailure& failure) {
        if (const QString told = record.undo(); !told.isEmpty())
            showMessage(told);
        ModuleRAR::RARFatalError(failure.message);
    } catch (const TitledFailure& failure) {
        showMessage(failure.message);
    } catch (const platform::RuntimeError& error) {
        platform::ui().message(error.description());
    } catch (...) {
        record.undo();
        throw;
    }
    if (const QString told = record.undo(); !told.isEmpty())
        showMessage(told);
    return false;
}

void checkImageArchive(const NewProfile& profile) {
    if (!profile.growable)
        ModuleRAR::RARCheckOpen(imageArchivePath(profile.sizeGB));
}

}  // namespace vornelix::VolumeCreation
