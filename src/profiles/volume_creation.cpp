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

// Makes the folder unless it is there already.
void makeFolder(const QString& path, CreationRecord& record) {
    if (platform::files().folderExists(path))
        return;
    record.folderToMake(path);
    const bool made = platform::files().createFolder(path);
    if (!made)
        record.folderNotMade();
    require(made, QStringLiteral("Path/File access error"));
}

void makeFixedVolume(const NewProfile& profile, CreationRecord& record) {
    platform::clock().doEvents();
    showMessage(kFormattingMessage);
    const platform::FileSystem& files = platform::files();
    // The folder held no image when the creation began, so a partial one is a leftover of
    // this creation or of an earlier one that was killed.
    const QString partial = partialImage(profile.folder());
    record.fileToMake(partial);
    files.deleteFile(partial);
    ModuleRAR::RARExecuteOrThrow(partial, 0, imageArchivePath(profile.sizeGB), QString());
    const QString why = files.renameWithoutReplacing(partial, profile.image());
    require(why.isEmpty(), QStringLiteral("The volume image cannot be named ") + profile.image() +
                               QStringLiteral(". ") + why);
}

void makeGrowableVolume(const NewProfile& profile, CreationRecord& record) {
    const QString copy = inFolder(profile.folder(), HdTool::kHdToolName);
    if (!platform::files().fileExists(copy))
        record.fileToMake(copy);
    // The tool writes the image under a hidden temporary name beside it first.
    record.temporariesOf(profile.folder(), QStringLiteral(".") + kVolumeImageName + '.');
    if (const std::optional<QString> why = HdTool::run(profile.folder(), profile.sizeGB))
        throw TitledFailure{HdTool::failureMessage(*why)};
}

void makeVolumeSteps(const NewProfile& profile, CreationRecord& record) {
    platform::clock().doEvents();
    CreateProfileFolder(profile, record);
    // The folder may have been given an image since the wizard page checked it.
    if (platform::files().fileExists(profile.image()))
        throw TitledFailure{imageExistsMessage(profile.folder())};
    // No image was there: the one made now, whole or in part, belongs to this creation.
    record.fileToMake(profile.image());
    if (!profile.growable)
        return makeFixedVolume(profile, record);
    makeGrowableVolume(profile, record);
}

// Whatever goes wrong leaves nothing that the creation made behind.
void makeVolume(const NewProfile& profile, CreationRecord& record) {
    try {
        makeVolumeSteps(profile, record);
    } catch (...) {
        record.undo();
        throw;
    }
}

}  // namespace

QString imageArchivePath(int sizeGB) {
    return inFolder(platform::files().programFolder(),
                    QStringLiteral("vornelix_hd_%1gb.rar").arg(sizeGB));
}

QString partialImage(const QString& folder) {
    return volumeImage(folder) + QStringLiteral(".partial");
}

void CreateProfileFolder(const NewProfile& profile, CreationRecord& record) {
    makeProfileFolder(profile.drive, profile.name, record);
    gv().HardDiskPath = profile.folder();
}

void makeProfileFolder(const QString& drive, const QString& name, CreationRecord& record) {
    makeFolder(volumeRoot(drive), record);
    makeFolder(profileFolder(drive, name), record);
}

bool my_new_Timer(const NewProfile& profile, CreationRecord& record) {
    try {
        makeVolume(profile, record);
        record.complete();
        return true;
    } catch (const ModuleRAR::ArchiveFailure& failure) {
        ModuleRAR::RARFatalError(failure.message);
    } catch (const TitledFailure& failure) {
        showMessage(failure.message);
    } catch (const platform::RuntimeError& error) {
        platform::ui().message(error.description());
    }
    return false;
}

void checkImageArchive(const NewProfile& profile) {
    if (!profile.growable)
        ModuleRAR::RARCheckOpen(imageArchivePath(profile.sizeGB));
}

}  // namespace vornelix::VolumeCreation
